#include "core/records/lap_grid.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/io/format.h"
#include "support/scripted_prompter.h"
#include "support/summary_race.h"

namespace qel {
namespace {

using test::SummaryRace;

class LapGridTest : public ::testing::Test {
  protected:
    LapGridTest() {
        race.raceSettings.raceFormatName = "Lap Race";
        race.state->raceTitle = "Club Night";
        race.state->laneCount = 3;
        race.lane(1, "Alice", test::kBlueIndex, 0);
        race.lane(2, "Bob", test::kGreenIndex, 0);
        race.lane(3, "Carol", test::kRedIndex, 0);
        // Positions in lane order unless a test says otherwise.
        race.state->runningOrder = {0, 1, 2, 3};
        race.state->lanePosition = {0, 1, 2, 3};
    }

    LapGridFill fill() { return FillLapGrid(grid, race.sources(), prompter); }

    // Lap n takes 4 + n/100 seconds, so every cell tells which lap it is.
    void evenLaps(int lane, int from, int count) {
        std::vector<float> laps;
        for (int n = 0; n < count; ++n)
            laps.push_back(4.0f + static_cast<float>(from + n) / 100.0f);
        race.laps(lane, from, laps);
    }

    std::vector<std::string> column(int col, int fromRow, int toRow) const {
        std::vector<std::string> cells;
        for (int row = fromRow; row <= toRow; ++row)
            cells.push_back(grid.textMatrix(row, col));
        return cells;
    }

    SummaryRace race;
    GridModel grid = makeLapGrid();
    test::ScriptedPrompter prompter;
};

TEST_F(LapGridTest, TheGridAsTheWindowIsDesigned) {
    EXPECT_EQ(grid.rows(), 3002);
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.fixedRows(), 2);
    EXPECT_EQ(grid.fixedCols(), 1);
    EXPECT_EQ(grid.font().name, "Courier New");
}

TEST_F(LapGridTest, ARaceBeginningWithLapZeroLabelsItsFirstRowRT) {
    race.beginWithLap(0);
    race.laps(1, 0, {1.5f, 4.2f, 4.125f});
    race.laps(2, 0, {1.75f, 4.3f});
    race.laps(3, 0, {2.0f});

    const LapGridFill result = fill();
    EXPECT_TRUE(result.filled);
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.textMatrix(1, 0), "Lap");
    EXPECT_EQ(column(0, 2, 5), (std::vector<std::string>{"RT", "1", "2", ""}));
    EXPECT_EQ(column(1, 2, 4), (std::vector<std::string>{"1.500", "4.200", "4.125"}));
    EXPECT_EQ(column(2, 2, 4), (std::vector<std::string>{"1.750", "4.300", ""}));
    EXPECT_EQ(column(3, 2, 4), (std::vector<std::string>{"2.000", "", ""}));
    EXPECT_EQ(race.records.lapRowEnd, 5);
    EXPECT_EQ(grid.cellAlignment(2, 0), grid_align::kCenterCenter);
    EXPECT_EQ(grid.cellAlignment(3, 2), grid_align::kCenterCenter);
    EXPECT_EQ(result.caption, "Laps   Club Night    Sorted by Lap number");
    EXPECT_EQ(result.progressMaximum, 5 * 3);
    EXPECT_EQ(result.progressValue, 3 * 3);
}

TEST_F(LapGridTest, RowsAndScrollFollowTheLeadersLaps) {
    struct Case {
        int laps;
        int rows;
        int topRow;
    };
    for (const Case c : {Case{5, 12, 3}, Case{30, 32, 22}}) {
        SCOPED_TRACE(c.laps);
        evenLaps(1, 1, c.laps);
        evenLaps(2, 1, c.laps - 1);
        fill();
        EXPECT_EQ(grid.rows(), c.rows);
        EXPECT_EQ(grid.topRow(), c.topRow);
        EXPECT_EQ(race.records.lapRowEnd, c.laps + 2);
        EXPECT_EQ(grid.textMatrix(2, 0), "1");
        EXPECT_EQ(grid.textMatrix(c.laps + 1, 0), std::to_string(c.laps));
        EXPECT_EQ(grid.textMatrix(c.laps + 1, 1), formatSingle(4.0f + c.laps / 100.0f, "0.000"));
        EXPECT_EQ(grid.textMatrix(c.laps + 1, 2), "");  // one lap behind the leader
    }
}

TEST_F(LapGridTest, SortedByTimeEachLanesFastestLapComesFirst) {
    race.laps(1, 1, {5.0f, 4.25f, 4.75f});
    race.laps(2, 1, {4.9f, 5.125f});
    race.records.lapsSortedByTime = true;

    const LapGridFill sorted = fill();
    EXPECT_EQ(column(1, 2, 4), (std::vector<std::string>{"4.250", "4.750", "5.000"}));
    EXPECT_EQ(column(2, 2, 4), (std::vector<std::string>{"4.900", "5.125", ""}));
    EXPECT_EQ(column(0, 2, 4), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(sorted.caption, "Laps   Club Night    Sorted by Lap Times");
    EXPECT_EQ(sorted.progressMaximum, 5 * kMaxLanes);

    race.records.lapsSortedByTime = false;
    const LapGridFill inOrder = fill();
    EXPECT_EQ(column(1, 2, 4), (std::vector<std::string>{"5.000", "4.250", "4.750"}));
    EXPECT_EQ(inOrder.caption, "Laps   Club Night    Sorted by Lap number");
    EXPECT_EQ(inOrder.progressMaximum, 5 * 3);
}

TEST_F(LapGridTest, RaceColumnsFollowTheRunningOrder) {
    // Lane 3 leads, then lane 1; lane 2 is disabled and last.
    race.installation.laneDisabled[2] = 1;
    race.state->runningOrder = {0, 3, 1, 2};
    race.state->lanePosition = {0, 2, 3, 1};
    const GridColor leaderColour = rgbColor(255, 0, 0);
    race.board.rows[1].name.backColor = static_cast<int32_t>(leaderColour);  // position 1
    race.board.rows[2].name.backColor = static_cast<int32_t>(rgbColor(128, 128, 255));
    race.board.rows[3].name.backColor = static_cast<int32_t>(rgbColor(0, 255, 0));
    race.laps(3, 1, {4.5f, 4.25f});
    race.laps(1, 1, {5.0f});

    fill();
    EXPECT_EQ(column(1, 0, 3), (std::vector<std::string>{"Red", "Carol", "4.500", "4.250"}));
    EXPECT_EQ(grid.cellBackColor(0, 1), leaderColour);
    EXPECT_EQ(grid.cellBackColor(1, 1), leaderColour);
    EXPECT_EQ(grid.cellBackColor(2, 1), 0u);  // only the header rows take the lane's colour
    EXPECT_EQ(grid.cellAlignment(0, 1), grid_align::kLeftCenter);
    EXPECT_EQ(grid.cellAlignment(1, 1), grid_align::kLeftCenter);
    EXPECT_EQ(column(2, 0, 3), (std::vector<std::string>{"Blue", "Alice", "5.000", ""}));
    EXPECT_EQ(grid.cellBackColor(0, 2), rgbColor(128, 128, 255));
    EXPECT_EQ(column(3, 0, 1), (std::vector<std::string>{"Green", "Disabled"}));
    EXPECT_EQ(grid.cellBackColor(1, 3), rgbColor(0, 255, 0));
}

TEST_F(LapGridTest, PracticeShowsLanesInOrderWhileAnyLaneHasLaps) {
    race.practice();
    race.state->raceTitle = "Practice";
    race.installation.laneDisabled[3] = 1;
    for (int lane = 1; lane <= 3; ++lane)
        race.board.rows[lane].name.backColor = static_cast<int32_t>(rgbColor(lane, 0, 0));
    // No standings in practice: the running order is not consulted.
    race.state->runningOrder = {};
    race.laps(1, 1, {6.5f});
    race.laps(2, 1, {7.25f, 7.0f, 6.875f});

    const LapGridFill result = fill();
    EXPECT_TRUE(result.filled);
    EXPECT_EQ(column(0, 1, 5), (std::vector<std::string>{"Lap", "1", "2", "3", ""}));
    EXPECT_EQ(column(1, 0, 4), (std::vector<std::string>{"Blue", "Alice", "6.500", "", ""}));
    EXPECT_EQ(column(2, 0, 4),
              (std::vector<std::string>{"Green", "Bob", "7.250", "7.000", "6.875"}));
    EXPECT_EQ(column(3, 0, 1), (std::vector<std::string>{"Red", "Disabled"}));
    for (int lane = 1; lane <= 3; ++lane)
        EXPECT_EQ(grid.cellBackColor(0, lane), rgbColor(lane, 0, 0));
    EXPECT_EQ(result.caption, "Laps   Practice   Sorted by Lap number");
    EXPECT_EQ(result.progressMaximum, 5 * 3);
    EXPECT_EQ(result.progressValue, 3 * 3);
    EXPECT_EQ(grid.rows(), 12);
}

TEST_F(LapGridTest, NoStandingsYetSaysSoAndListsNothing) {
    race.state->runningOrder = {};
    race.records.lapRowEnd = 9;

    const LapGridFill result = fill();
    EXPECT_FALSE(result.filled);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Insufficient data to view Laps");
    EXPECT_EQ(prompter.messages()[0].title, "Lap Times");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(race.records.lapRowEnd, 2);
    EXPECT_TRUE(grid.redraw());
}

TEST_F(LapGridTest, AnEarlierFillsRowsStayBelowTheNewLaps) {
    race.practice();
    evenLaps(1, 1, 8);
    fill();
    ClearLapTimes(*race.state);
    evenLaps(1, 1, 3);
    fill();
    EXPECT_EQ(race.records.lapRowEnd, 5);
    EXPECT_EQ(column(0, 4, 6), (std::vector<std::string>{"3", "4", "5"}));
    EXPECT_EQ(grid.textMatrix(6, 1), "4.050");
}

// A full lap store from lap 0 needs one row more than the grid starts the fill with; every
// time reads as the other records write it.
TEST_F(LapGridTest, AFullLapStoreFitsAndEveryTimeReadsAsTheRecordsWriteIt) {
    race.practice();
    race.beginWithLap(0);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> seconds(0.1f, 999.0f);
    std::vector<float> laps{0.05f, 1234.5f, 0.1f, 9.9999995f, 99.99999f, 100.03125f, 2.0005f};
    while (laps.size() <= static_cast<std::size_t>(kMaxLap))
        laps.push_back(seconds(random));
    race.laps(1, 0, laps);

    fill();
    EXPECT_EQ(race.records.lapRowEnd, kMaxLap + 3);
    EXPECT_EQ(grid.rows(), kMaxLap + 3);
    EXPECT_EQ(grid.textMatrix(kMaxLap + 2, 0), std::to_string(kMaxLap));
    EXPECT_EQ(grid.topRow(), kMaxLap + 3 - 10);
    for (int lap = 0; lap <= kMaxLap; ++lap) {
        ASSERT_EQ(grid.textMatrix(lap + 2, 1), formatSingle(laps[lap], "0.000")) << laps[lap];
    }
}

TEST_F(LapGridTest, ALongFillRedrawsTheGridOnce) {
    race.state->laneCount = kMaxLanes;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        race.state->runningOrder[lane] = static_cast<int16_t>(lane);
        race.state->lanePosition[lane] = static_cast<int16_t>(lane);
        evenLaps(lane, 1, 500);
    }
    int redraws = 0;
    grid.setObserver([&](GridModel::Change change) {
        if (change == GridModel::Change::Contents) ++redraws;
    });
    fill();
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(grid.redraw());
    EXPECT_EQ(grid.textMatrix(501, 8), "9.000");
}

}  // namespace
}  // namespace qel
