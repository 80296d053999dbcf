#include "core/engine/standings.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

RaceState fourLanes() {
    RaceState s;
    s.laneCount = 4;
    return s;
}

std::array<int, 4> order(const RaceState& s) {
    return {s.runningOrder[1], s.runningOrder[2], s.runningOrder[3], s.runningOrder[4]};
}

TEST(Standings, RunningOrder) {
    auto s = fourLanes();
    ComputePosition(s);
    EXPECT_EQ(order(s), (std::array<int, 4>{1, 2, 3, 4}));

    // Lane 3 reached lap 5 before lane 1; lane 2 is a lap ahead of everyone.
    s.lapCount = {0, 5, 6, 5, 4};
    s.lastPassMs = {0, 41250, 39000, 41000, 40000};
    ComputePosition(s);
    EXPECT_EQ(order(s), (std::array<int, 4>{2, 3, 1, 4}));
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(s.lanePosition[s.runningOrder[p]], p);

    // A full tie keeps the lower lane ahead.
    s.lapCount = {0, 3, 3, 3, 3};
    s.lastPassMs = {0, 9000, 9000, 9000, 9000};
    ComputePosition(s);
    EXPECT_EQ(order(s), (std::array<int, 4>{1, 2, 3, 4}));
}

TEST(Standings, GapsInSecondsAndLaps) {
    auto s = fourLanes();
    s.lapCount = {0, 5, 6, 5, 4};
    s.lastPassMs = {0, 41250, 39000, 41000, 42000};
    ComputePosition(s);
    ComputeInterval(s);
    EXPECT_EQ(s.lagBehindText[2], "0.00");
    EXPECT_EQ(s.lagFirstText[2], "0.00");
    EXPECT_EQ(s.lagBehindText[3], "1Lap");  // lane 3 behind lane 2
    EXPECT_EQ(s.lagBehindText[1], "0.25");  // lane 1 behind lane 3 at equal laps
    EXPECT_EQ(s.lagFirstText[1], "1Lap");
    EXPECT_EQ(s.lagFirstText[4], "2Lap");
}

TEST(Standings, AGapHoldsUntilTheCarCrossesAfterTheOther) {
    auto s = fourLanes();
    s.laneCount = 2;
    s.lapCount = {0, 6, 4};
    s.lastPassMs = {0, 30000, 28000};  // lane 2 crossed before lane 1 did
    s.lagBehindText[2] = "old";
    s.lagFirstText[2] = "old";
    ComputePosition(s);
    ComputeInterval(s);
    EXPECT_EQ(s.lagBehindText[2], "old");
    EXPECT_EQ(s.lagFirstText[2], "old");
}

TEST(Standings, MilesPerHour) {
    RaceState s;
    s.speedMultiplier[1] = 100.0f / 5280 * 3600 * 32;
    s.shownLapMs[1] = 5000;
    EXPECT_EQ(mphText(s, 1), " 436.4");
    EXPECT_EQ(mphText(s, 2), "");
}

}  // namespace
}  // namespace qel
