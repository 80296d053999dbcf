#include "core/engine/lap_counting.h"

#include <gtest/gtest.h>

#include <vector>

namespace qel {
namespace {

struct Recorded {
    int lane;
    bool newBest;
    bool overall;
};

class RecordingListener : public LapListener {
  public:
    void lapCounted(int lane, bool newBest, bool overallBest) override {
        laps.push_back({lane, newBest, overallBest});
    }
    std::vector<Recorded> laps;
};

// A race just started: every lane at the start line, stores empty.
class LapCountingTest : public ::testing::Test {
  protected:
    LapCountingTest() {
        state.laneCount = 4;
        raceSettings.raceFormat = kTimedRace;
        options.firstLapIndex = 1;  // races begin with lap 1
        options.minLapTimeIndex = minLapTimePositionOf(2.5).value();
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            state.lapCount[lane] = firstLapOffsetOf(options);
            state.finishLap[lane] = kMaxLap;
            state.lastHitMs[lane] = kNoHitYet;
            state.bestLapMs[lane] = kNoBestLap;
        }
    }

    void hitAt(int lane, int32_t ms) {
        state.elapsedMs = ms;
        counter.CountLap(lane);
    }

    RaceState state;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    HeatTables heats;
    RaceBoard board;
    RecordingListener listener;
    LapCounter counter{state, heats, board, {raceSettings, options}, &listener};
};

TEST_F(LapCountingTest, FirstHitAtTimeZeroPassesTheDebounceAndTheMinimum) {
    hitAt(1, 0);
    EXPECT_EQ(state.lapCount[1], 1);
    hitAt(2, 300);
    EXPECT_EQ(state.lapCount[2], 1);
    EXPECT_FLOAT_EQ(state.lapTimes[2][1], 0.3f);
}

TEST_F(LapCountingTest, DebounceAndMinimumLapTime) {
    struct Case {
        const char* what;
        std::vector<int32_t> hits;  // lane 1, after a first crossing at 1000 ms
        int expectedLaps;
        int32_t expectedLastPass;
    };
    const Case cases[] = {
        {"599 ms after the last hit is a bounce", {1599}, 1, 1000},
        {"exactly the minimum is not a lap", {3500}, 1, 1000},
        {"one ms over the minimum is a lap", {3501}, 2, 3501},
        {"a bouncing car keeps moving the debounce", {1300, 1600, 1900, 2200, 2500}, 1, 1000},
        {"a rejected short lap leaves the last pass", {3000, 4000}, 2, 4000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state.lapCount[1] = 0;
        state.lastPassMs[1] = 0;
        state.lastHitMs[1] = kNoHitYet;
        hitAt(1, 1000);
        for (auto ms : c.hits)
            hitAt(1, ms);
        EXPECT_EQ(state.lapCount[1], c.expectedLaps);
        EXPECT_EQ(state.lastPassMs[1], c.expectedLastPass);
    }
}

TEST_F(LapCountingTest, LanesTheTrackDoesNotHaveAndDisabledLanesCountNothing) {
    for (int lane : {0, -1, 5, 9, 100})
        hitAt(lane, 1000);
    board.rows[3].lapNum.text = "7";
    state.laneDisabled[3] = 1;
    hitAt(3, 2000);
    EXPECT_EQ(state.lapCount[3], 0);
    EXPECT_EQ(board.rows[3].lapNum.text, "");
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        EXPECT_EQ(state.lapCount[lane], 0) << lane;
    EXPECT_TRUE(listener.laps.empty());
}

// The counter reads the Options as each crossing comes, so a minimum changed
// mid-race counts from the next crossing on.
TEST_F(LapCountingTest, TheMinimumLapTimeIsTheOneInForceAtTheCrossing) {
    hitAt(1, 1000);
    options.minLapTimeIndex = minLapTimePositionOf(1.5).value();
    hitAt(1, 3000);  // 2 s: a lap over 1.5 s, though not over the 2.5 s before
    EXPECT_EQ(state.lapCount[1], 2);
    options.minLapTimeIndex = minLapTimePositionOf(2).value();
    hitAt(1, 4800);  // 1.8 s: no lap under 2 s, though one over 1.5 s
    EXPECT_EQ(state.lapCount[1], 2);
    hitAt(1, 5800);  // 2.8 s
    EXPECT_EQ(state.lapCount[1], 3);
}

TEST_F(LapCountingTest, SoldTimeGatesTheLane) {
    state.sellTimeEnabled = 1;
    hitAt(1, 1000);
    EXPECT_EQ(state.lapCount[1], 0);
    state.laneTimeRunning[1] = -1;
    hitAt(1, 2000);
    EXPECT_EQ(state.lapCount[1], 1);
}

TEST_F(LapCountingTest, LapRaceAndFinishLapStopTheLane) {
    raceSettings.raceFormat = kLapRace;
    raceSettings.raceLaps = 2;
    for (int32_t t : {1000, 5000, 9000, 13000})
        hitAt(1, t);
    EXPECT_EQ(state.lapCount[1], 2);

    raceSettings.raceFormat = kTimedRace;
    state.finishLap[2] = 1;
    for (int32_t t : {1000, 5000})
        hitAt(2, t);
    EXPECT_EQ(state.lapCount[2], 1);
}

TEST_F(LapCountingTest, TheLapStoreStopsAtLap3000) {
    state.lapCount[1] = kMaxLap - 1;
    state.lastPassMs[1] = 0;
    hitAt(1, 5000);
    EXPECT_EQ(state.lapCount[1], kMaxLap);
    hitAt(1, 10000);
    EXPECT_EQ(state.lapCount[1], kMaxLap);
    EXPECT_FLOAT_EQ(state.lapTimes[1][kMaxLap], 5.0f);
}

TEST_F(LapCountingTest, BestLapsAndTheOverallBest) {
    hitAt(1, 1000);  // first crossing: never a best lap
    hitAt(2, 1200);
    EXPECT_EQ(state.bestLapMs[1], kNoBestLap);
    hitAt(1, 6000);   // 5000: lane 1's best, and nobody else has one
    hitAt(2, 5400);   // 4200: lane 2's best, better than lane 1's
    hitAt(1, 10900);  // 4900: lane 1's best, not overall
    ASSERT_EQ(listener.laps.size(), 5u);
    EXPECT_FALSE(listener.laps[0].newBest);
    EXPECT_TRUE(listener.laps[2].newBest);
    EXPECT_TRUE(listener.laps[2].overall);
    EXPECT_TRUE(listener.laps[3].overall);
    EXPECT_TRUE(listener.laps[4].newBest);
    EXPECT_FALSE(listener.laps[4].overall);
    EXPECT_EQ(state.bestLapMs[1], 4900);
    EXPECT_EQ(state.shownLapMs[1], 4900);
}

TEST_F(LapCountingTest, RacesBeginningWithLapZero) {
    options.firstLapIndex = 0;  // races begin with lap 0
    state.lapCount[1] = -1;
    hitAt(1, 800);
    EXPECT_EQ(state.lapCount[1], 0);
    EXPECT_FLOAT_EQ(state.lapTimes[1][0], 0.8f);
    hitAt(1, 5800);  // lap 1: not a best lap yet
    EXPECT_EQ(state.bestLapMs[1], kNoBestLap);
    hitAt(1, 9800);  // lap 2 can be
    EXPECT_EQ(state.bestLapMs[1], 4000);
}

TEST_F(LapCountingTest, HeatRacerTotalsFollowTheLane) {
    heats.currentHeat = 1;
    heats.laneRacer[2][1] = 5;
    hitAt(2, 1000);
    hitAt(2, 5000);
    hitAt(2, 9500);
    EXPECT_EQ(heats.heatRacers[5].totalLaps, 3);
    EXPECT_EQ(heats.heatRacers[5].lapsInLane[2], 3);
    EXPECT_EQ(heats.heatRacers[5].bestLap[2], 4000);
}

TEST(LapStore, SecondsKeepThreeDecimals) {
    EXPECT_FLOAT_EQ(lapSeconds(4321), 4.321f);
    EXPECT_FLOAT_EQ(lapSeconds(60000), 60.0f);
    EXPECT_FLOAT_EQ(lapSeconds(7), 0.007f);
}

TEST(Median, SortedCopyGivesTheMedianText) {
    RaceState state;
    state.laneCount = 2;
    state.lapCount[1] = 4;
    const float four[] = {13, 10, 12, 11};
    for (int i = 0; i < 4; ++i)
        state.sortedLapTimes[1][i + 1] = four[i];
    state.lapCount[2] = 5;
    const float five[] = {14, 12, 10, 13, 11};
    for (int i = 0; i < 5; ++i)
        state.sortedLapTimes[2][i + 1] = five[i];
    state.sortedLapTimes[2][0] = 99;  // lap 0 never takes part
    subSortLapTimes(state);
    EXPECT_EQ(state.medianText[1], "12.00");
    EXPECT_EQ(state.medianText[2], "13.00");
    EXPECT_EQ(state.sortedLapTimes[2][0], 99);
}

}  // namespace
}  // namespace qel
