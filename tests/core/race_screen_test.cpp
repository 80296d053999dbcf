#include "core/engine/race_screen.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

class RaceScreenTest : public ::testing::Test {
  protected:
    RaceScreenTest() {
        s.laneCount = 3;
        raceSettings.raceFormat = kLapRace;
        options.firstLapIndex = 1;  // races begin with lap 1
        const int32_t colors[] = {0, 255, 65280, 16744576};
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            s.bestLapMs[lane] = kNoBestLap;
            s.laneRacerName[lane] = "Racer " + std::to_string(lane);
            if (lane <= 3) s.laneColor[lane] = colors[lane];
        }
    }
    RaceState s;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    HeatTables heats;
    RaceBoard board;
    RaceScreen screen{s, {raceSettings, options}, heats, board};
};

TEST_F(RaceScreenTest, RowsFollowTheRunningOrderWithTheLanesColours) {
    s.lapCount = {0, 4, 5, 4};
    s.lastPassMs = {0, 20000, 19000, 21000};
    s.shownLapMs = {0, 9876, 75400, 4000};
    s.bestLapMs = {0, 5123, kNoBestLap, 4000};
    screen.UpdateRaceScreen();
    EXPECT_EQ(board.rows[1].name.text, "Racer 2 ");
    EXPECT_EQ(board.rows[1].name.backColor, 65280);
    EXPECT_EQ(board.rows[1].lapNum.text, "5");
    EXPECT_EQ(board.rows[1].lapTime.text, "75");  // a lap of a minute or more: whole seconds
    EXPECT_EQ(board.rows[1].best.text, "");       // no best lap yet
    EXPECT_EQ(board.rows[2].name.text, "Racer 1 ");
    EXPECT_EQ(board.rows[2].lapTime.text, "9.88");
    EXPECT_EQ(board.rows[2].best.text, " 5.123");
    EXPECT_EQ(board.rows[2].lagTime.text, "1Lap");
    EXPECT_EQ(board.rows[3].lagTime.text, "1.00");
    EXPECT_EQ(board.rows[3].lapNum.backColor, 16744576);
}

TEST_F(RaceScreenTest, HeaderChoicesDecideTheCells) {
    s.lapCount = {0, 1, 3, 0};
    s.lastPassMs = {0, 3000, 9000, 0};
    s.shownLapMs = {0, 3000, 3000, 0};
    s.speedMultiplier = {0, 654.5455f, 654.5455f, 654.5455f};
    s.sortedLapTimes[2][1] = 3.2f;
    s.sortedLapTimes[2][2] = 3.0f;
    s.sortedLapTimes[2][3] = 3.1f;
    board.bestHeader = "MPH";
    board.lagHeader = "Median";
    screen.UpdateRaceScreen();
    const BoardRow& lane1 = board.rows[s.lanePosition[1]];
    const BoardRow& lane2 = board.rows[s.lanePosition[2]];
    const BoardRow& lane3 = board.rows[s.lanePosition[3]];
    EXPECT_EQ(lane1.best.text, "");  // MPH needs a second lap
    EXPECT_EQ(lane2.best.text, " 218.2");
    EXPECT_EQ(lane1.lagTime.text, "");  // a median needs two laps
    EXPECT_EQ(lane2.lagTime.text, "3.10");
    EXPECT_EQ(lane3.lapNum.text, "");  // not yet across the line

    // A caption that is not a choice leaves the cells as they are.
    board.bestHeader = "Something else";
    board.rows[1].best.text = "kept";
    screen.UpdateRaceScreen();
    EXPECT_EQ(board.rows[1].best.text, "kept");
}

TEST_F(RaceScreenTest, DisabledAndUnusedLanes) {
    s.laneDisabled[2] = 1;
    s.shownLapMs = {0, 4000, 4000, 4000};
    s.lapCount = {0, 1, 1, 1};
    raceSettings.raceFormat = kRoundRobin;  // heats in a sequence
    heats.activeSequence = "102";
    screen.UpdateRaceScreen();
    EXPECT_EQ(board.rows[s.lanePosition[2]].name.text, " Disabled");
    EXPECT_EQ(board.rows[s.lanePosition[2]].lapTime.text, "");
    EXPECT_EQ(board.rows[s.lanePosition[3]].name.text, "");  // sits out this heat
    EXPECT_EQ(board.rows[s.lanePosition[3]].lapTime.text, "");
    EXPECT_EQ(board.rows[s.lanePosition[1]].lapTime.text, "4.00");
}

TEST_F(RaceScreenTest, LapZeroRacesShowLapZeroAndNoGapYet) {
    options.firstLapIndex = 0;  // races begin with lap 0
    s.lapCount = {0, 0, -1, -1};
    s.lastPassMs = {0, 700, 0, 0};
    s.shownLapMs = {0, 700, 0, 0};
    screen.UpdateRaceScreen();
    EXPECT_EQ(board.rows[1].lapNum.text, "0");
    EXPECT_EQ(board.rows[1].lagTime.text, "");
}

TEST_F(RaceScreenTest, PracticeRowsAreTheLanes) {
    raceSettings.raceFormat = kPractice;
    s.lapCount = {0, 2, 0, 5};
    s.shownLapMs = {0, 4100, 0, 3900};
    s.bestLapMs = {0, 4100, kNoBestLap, 3800};
    board.lagHeader = "Best Lap";
    board.bestHeader = "Best Lap";
    board.rows[2].lapNum.text = "old";
    screen.UpdatePracticeScreen();
    EXPECT_EQ(board.rows[1].lapNum.text, "2");
    EXPECT_EQ(board.rows[1].lagTime.text, " 4.100");
    EXPECT_EQ(board.rows[3].lapTime.text, "3.90");
    EXPECT_EQ(board.rows[2].lapNum.text, "old");  // not yet across the line: kept
}

}  // namespace
}  // namespace qel
