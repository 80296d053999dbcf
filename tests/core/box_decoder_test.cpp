#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/engine/timing_link.h"

namespace qel {
namespace {

struct Decoded {
    RaceState state;
    std::vector<std::pair<int, int32_t>> hits;  // lane, race clock when read
    int trackCalls = 0;
};

Decoded decode(const std::vector<std::string>& ticks) {
    Decoded d;
    BoxDecoder decoder(d.state, {[&](int lane) { d.hits.emplace_back(lane, d.state.elapsedMs); },
                                 [&] { ++d.trackCalls; }});
    for (const auto& chunk : ticks) {
        for (char c : chunk)
            decoder.receive(c);
    }
    return d;
}

TEST(BoxDecoder, TimeReportsAdvanceTheClockAndLettersAreStampedWithIt) {
    auto d = decode({"123\rB"});
    EXPECT_EQ(d.state.elapsedMs, 123);
    ASSERT_EQ(d.hits.size(), 1u);
    EXPECT_EQ(d.hits[0], std::make_pair(2, 123));

    d = decode({"12", "\r"});  // a report split over two ticks
    EXPECT_EQ(d.state.elapsedMs, 12);

    d = decode({"\r\r\r", "40\r\r", "5\rH"});  // a CR storm adds nothing
    EXPECT_EQ(d.state.elapsedMs, 45);
    EXPECT_EQ(d.hits.back(), std::make_pair(8, 45));
}

TEST(BoxDecoder, NoiseIsIgnored) {
    const std::string noise{"b\nIZ\x01\xff", 6};
    auto d = decode({std::string("7\0", 2) + noise + "\r", "W"});
    EXPECT_EQ(d.state.elapsedMs, 7);
    EXPECT_TRUE(d.hits.empty());
    EXPECT_EQ(d.trackCalls, 1);
}

TEST(BoxDecoder, AReportThatWouldOverflowTheRaceClockIsDropped) {
    auto d = decode({"99999999999999999999\r", "100\r"});
    EXPECT_EQ(d.state.elapsedMs, 100);

    d = decode({"2147483000\r", "647\r", "648\r"});
    EXPECT_EQ(d.state.elapsedMs, 2147483647);
}

}  // namespace
}  // namespace qel
