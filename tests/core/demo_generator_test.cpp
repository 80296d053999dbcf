#include "core/engine/demo_generator.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/scripted_random.h"

namespace qel {
namespace {

TEST(DemoGenerator, LanePaceIsDrawnFromTheMinimumLapTime) {
    RaceState state;
    test::ScriptedRandom random({0.5, 0.5, 0.5, 0.99});
    DemoGenerator demo(state, random);
    demo.drawLaneValues(3, 2.0);
    EXPECT_EQ(state.demoNextLapMs[3], 400);  // 0.5 × 600 + 100
    EXPECT_EQ(state.demoSpreadMs[3], 325);   // 2000 / 10 + 0.5 × 250
    EXPECT_EQ(state.demoMeanMs[3], 3375);    // 2000 + 0.5 × 750 + 1000
    EXPECT_EQ(state.demoCrashPct[3], 18);    // 0.99 × 18 + 1
    EXPECT_EQ(state.demoNextLapMs[1], 0);    // other lanes untouched
}

TEST(DemoGenerator, LapsFallOnTickBoundariesAndCrashesCostTime) {
    struct Case {
        const char* what;
        double r2;
        int32_t expectedNext;
    };
    // Crash percentage 18: a draw of 0.179 crashes (+ 0.5 × 3000 + 1000), 0.18 does not.
    const Case cases[] = {{"crash", 0.179, 200 + 1000 + 2500}, {"no crash", 0.18, 200 + 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RaceState state;
        state.laneCount = 2;
        state.demoNextLapMs = {0, 150, 10000};
        state.demoSpreadMs = {0, 400, 400};
        state.demoMeanMs = {0, 1000, 1000};
        state.demoCrashPct = {0, 18, 18};
        test::ScriptedRandom random({0.0, c.r2, 0.5});
        DemoGenerator demo(state, random);
        std::vector<std::pair<int, int32_t>> laps;
        auto count = [&](int lane) { laps.emplace_back(lane, state.elapsedMs); };
        demo.tick(100, false, "", count);  // 100: lane 1 not due yet
        EXPECT_TRUE(laps.empty());
        demo.tick(100, false, "", count);  // 200: lane 1 due
        ASSERT_EQ(laps.size(), 1u);
        EXPECT_EQ(laps[0], std::make_pair(1, 200));
        EXPECT_EQ(state.demoNextLapMs[1], c.expectedNext);
        EXPECT_EQ(state.hitLane, 1);
    }
}

TEST(DemoGenerator, HeatsRaceOnlyTheLanesOfTheSequence) {
    RaceState state;
    state.laneCount = 4;
    state.demoNextLapMs = {0, 50, 50, 50, 50};
    state.demoMeanMs = {0, 1000, 1000, 1000, 1000};
    test::ScriptedRandom random({0.5});
    DemoGenerator demo(state, random);
    std::vector<int> lanes;
    demo.tick(100, true, "1403", [&](int lane) { lanes.push_back(lane); });
    EXPECT_EQ(lanes, (std::vector<int>{1, 3, 4}));
    demo.tick(100, false, "1403", [&](int lane) { lanes.push_back(lane); });
    EXPECT_EQ(lanes, (std::vector<int>{1, 3, 4, 2}));
}

}  // namespace
}  // namespace qel
