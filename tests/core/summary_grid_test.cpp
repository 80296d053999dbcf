#include "core/records/summary_grid.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/scripted_prompter.h"
#include "support/summary_race.h"

namespace qel {
namespace {

using test::SummaryRace;
using Row = std::array<std::string, kSummaryCols>;

constexpr GridColor kRedText = 255;
constexpr int32_t kRedRgb = 255;
constexpr int32_t kGreenRgb = 65280;
constexpr int32_t kBlueRgb = 16744576;
constexpr int32_t kYellowRgb = 65535;

void expectRow(const GridModel& grid, int row, const Row& expected) {
    for (int col = 0; col < kSummaryCols; ++col)
        EXPECT_EQ(grid.textMatrix(row, col), expected[col]) << "cell (" << row << "," << col << ")";
}

void expectAllCentred(const GridModel& grid) {
    for (int row = 0; row < kSummaryRows; ++row) {
        for (int col = 0; col < kSummaryCols; ++col)
            EXPECT_EQ(grid.cellAlignment(row, col), grid_align::kCenterCenter) << row << "," << col;
    }
}

const Row kRaceHeader0{"",     "",     "Lane", "Total", "Total", "Lag", "Lag",
                       "Best", "Best", "Avg",  "",      "",      ""};
const Row kRaceHeader1{"Pos ", "Name", "Color", "Laps", "Time",  "First", "Behind",
                       "MPH",  "Lap",  "Time",  "Med",  "Crash", "Crh %"};

class SummaryGridTest : public ::testing::Test {
  protected:
    // Four lanes, races begin with lap 1; lane 3 leads, lane 2 has no lap
    // yet and lane 4 is disabled.
    void SetUp() override {
        race.state->laneCount = 4;
        race.lane(1, "Alice", test::kRedIndex, kRedRgb);
        race.lane(2, "Carol", test::kGreenIndex, kGreenRgb);
        race.lane(3, "Bob", test::kBlueIndex, kBlueRgb);
        race.lane(4, "Dave", test::kYellowIndex, kYellowRgb);
        race.installation.laneDisabled[4] = 1;
        race.laps(1, 1, {5.20f, 5.40f, 5.60f, 5.20f, 5.40f});
        // Best 5.000: 6.99 is within the window's 7.0 s, 7.01 is a crash.
        race.laps(3, 1, {5.9f, 5.0f, 6.99f, 7.01f, 5.2f, 5.6f, 5.3f, 6.5f});
        race.laps(4, 1, {6.0f, 6.0f, 6.0f, 6.0f});
        race.state->runningOrder = {0, 3, 1, 2, 4};
        race.state->lagFirstText[1] = "3Laps";
        race.state->lagBehindText[1] = "3Laps";
        // The board's labels have colours of their own; race rows take Installation's.
        for (auto& row : race.board.rows)
            row.name.backColor = kWhite;
    }

    SummaryRace race;
    test::ScriptedPrompter prompter;
    GridModel grid = makeSummaryGrid();
};

TEST_F(SummaryGridTest, TheGridAsDesigned) {
    EXPECT_EQ(grid.rows(), 10);
    EXPECT_EQ(grid.cols(), 13);
    EXPECT_EQ(grid.fixedRows(), 2);
    EXPECT_EQ(grid.fixedCols(), 0);
}

TEST_F(SummaryGridTest, RaceRowsCellByCell) {
    grid.setTextMatrix(6, 3, "earlier");  // beyond laneCount + 1: left alone
    ASSERT_TRUE(FillSummaryGrid(grid, race.sources(), prompter));
    EXPECT_TRUE(prompter.messages().empty());

    expectRow(grid, 0, kRaceHeader0);
    expectRow(grid, 1, kRaceHeader1);
    expectRow(
        grid, 2,
        {"1", "Bob", "Blue", "8", "0:47.500", "", "", "130.9", "5.000", "5.94", "5.90", "1", "12"});
    expectRow(grid, 3,
              {"2", "Alice", "Red", "5", "0:26.800", "3Laps", "3Laps", "125.9", "5.200", "5.40",
               "5.40", "0", "0"});
    expectRow(grid, 4,
              {"3", "Carol", "Green", "", "Insufficent", "Data", "", "", "", "", "", "", ""});
    expectRow(grid, 5, {"4", "Disabled", "Yellow", "", "", "", "", "", "", "", "", "", ""});
    EXPECT_EQ(grid.textMatrix(6, 3), "earlier");
    expectAllCentred(grid);

    EXPECT_EQ(grid.cellBackColor(2, 2), static_cast<GridColor>(kBlueRgb));
    EXPECT_EQ(grid.cellBackColor(3, 2), static_cast<GridColor>(kRedRgb));
    EXPECT_EQ(grid.cellBackColor(5, 2), static_cast<GridColor>(kYellowRgb));
    EXPECT_EQ(grid.cellForeColor(4, 4), kRedText);
    EXPECT_EQ(grid.cellForeColor(4, 5), kRedText);
    EXPECT_EQ(grid.cellForeColor(2, 4), 0u);

    // The figures are written back for the outputs that do not compute them.
    EXPECT_FLOAT_EQ(race.state->averageLap[3], 41.6f / 7);
    EXPECT_EQ(race.state->crashCount[3], 1);
    EXPECT_EQ(race.state->crashPercent[3], 12);
    EXPECT_EQ(race.state->medianText[3], "5.90");
}

TEST_F(SummaryGridTest, RaceRowsWithoutABestLapOrLapsFromLapZero) {
    race.beginWithLap(0);
    race.state->bestLapMs[3] = kNoBestLap;
    race.state->lapCount[2] = 0;  // passes the test when races begin with lap 0
    race.state->lastPassMs[2] = 0;
    race.installation.laneDisabled[4] = 0;
    race.state->lapCount[4] = -1;  // not yet across the line
    FillSummaryGrid(grid, race.sources(), prompter);
    EXPECT_EQ(grid.textMatrix(2, 8), "");  // would read 999.999
    EXPECT_EQ(grid.textMatrix(2, 7), "0.7");
    expectRow(grid, 4,
              {"3", "Carol", "Green", "0", "0:00.000", "", "", "0.7", "", "0.00", "", "0", "0"});
    EXPECT_EQ(grid.textMatrix(5, 4), "Insufficent");
}

TEST_F(SummaryGridTest, AChampionshipShowsThePointsOfThePlace) {
    race.raceSettings.raceFormat = kChampionship;
    race.raceSettings.raceFormatName = "Championship";
    race.points.pointsForPlace = {0, 10, 8, 6, 5};
    FillSummaryGrid(grid, race.sources(), prompter);
    EXPECT_EQ(grid.textMatrix(1, 3), "Points");
    EXPECT_EQ(grid.textMatrix(2, 3), "10");
    EXPECT_EQ(grid.textMatrix(3, 3), "8");
    EXPECT_EQ(grid.textMatrix(4, 3), "");  // too few laps
    EXPECT_EQ(grid.textMatrix(5, 3), "");  // disabled
}

TEST_F(SummaryGridTest, NoStandingsYetGivesTheHeadersAndAMessage) {
    race.state->runningOrder = {};
    EXPECT_FALSE(FillSummaryGrid(grid, race.sources(), prompter));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Insufficient data to view Summary");
    EXPECT_EQ(prompter.messages()[0].title, "Summary");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
    expectRow(grid, 0, kRaceHeader0);
    expectRow(grid, 1, kRaceHeader1);
    expectRow(grid, 2, {"1", "", "", "", "", "", "", "", "", "", "", "", ""});
    expectRow(grid, 3, {"", "", "", "", "", "", "", "", "", "", "", "", ""});
    expectAllCentred(grid);
}

class PracticeSummaryTest : public ::testing::Test {
  protected:
    // Practice from lap 0: the window still asks for three laps.
    void SetUp() override {
        race.practice();
        race.beginWithLap(0);
        race.state->laneCount = 4;
        race.lane(1, "Alice", test::kRedIndex, kRedRgb);
        race.lane(2, "Bob", test::kBlueIndex, kBlueRgb);
        race.lane(3, "Carol", test::kGreenIndex, kGreenRgb);
        race.lane(4, "Dave", test::kYellowIndex, kYellowRgb);
        race.installation.laneDisabled[3] = 1;
        race.installation.laneDisabled[4] = 1;
        race.laps(1, 0, {1.0f, 5.0f, 5.5f});  // two laps
        race.laps(2, 0, {1.0f, 5.0f, 5.5f, 6.7f});
        race.laps(3, 0, {1.0f, 5.0f, 5.5f, 6.7f});
        race.laps(4, 0, {1.0f, 5.0f});
        race.state->lagFirstText[2] = "x1";
        race.state->lagBehindText[2] = "x2";
        race.state->crashPercent[2] = 77;  // practice rows show the stored percentage
        // Practice rows take the board's name-label colours.
        race.board.rows[1].name.backColor = 111;
        race.board.rows[2].name.backColor = 222;
        race.board.rows[3].name.backColor = 333;
    }

    SummaryRace race;
    test::ScriptedPrompter prompter;
    GridModel grid = makeSummaryGrid();
};

TEST_F(PracticeSummaryTest, LaneRowsCellByCell) {
    ASSERT_TRUE(FillSummaryGrid(grid, race.sources(), prompter));
    expectRow(grid, 0,
              {"", "", "Lane", "Total", "Total", "", "", "Best", "Best", "Avg", "", "", ""});
    expectRow(grid, 1,
              {"Lane ", "Name", "Color", "Laps", "Time", "", "", "MPH", "Lap", "Time", "Med",
               "Crash", "Crh %"});
    expectRow(grid, 2,
              {"1", "Alice", "Red", "", "Insufficent", "Data", "", "", "", "", "", "", ""});
    // Average (5.0 + 5.5 + 6.7) / 2; 6.7 is over 5.5 × 1.2, no extra second in practice.
    expectRow(grid, 3,
              {"2", "Bob", "Blue", "3", "0:18.200", "x1", "x2", "119.0", "5.500", "8.60", "5.50",
               "1", "77"});
    expectRow(grid, 4, {"3", "Disabled", "Green", "", "", "", "", "", "", "", "", "", ""});
    // The notice comes before the disabled test.
    expectRow(grid, 5,
              {"4", "Disabled", "Yellow", "", "Insufficent", "Data", "", "", "", "", "", "", ""});
    expectAllCentred(grid);
    EXPECT_EQ(grid.cellBackColor(2, 2), 111u);
    EXPECT_EQ(grid.cellBackColor(3, 2), 222u);
    EXPECT_EQ(grid.cellBackColor(4, 2), 333u);
    EXPECT_EQ(race.state->crashPercent[2], 77);
}

TEST_F(PracticeSummaryTest, ThirdLapBringsTheFiguresButTheRedStays) {
    FillSummaryGrid(grid, race.sources(), prompter);
    ASSERT_EQ(grid.cellForeColor(2, 4), kRedText);
    race.laps(1, 0, {1.0f, 5.0f, 5.5f, 5.25f});
    FillSummaryGrid(grid, race.sources(), prompter);
    EXPECT_EQ(grid.textMatrix(2, 3), "3");
    EXPECT_EQ(grid.textMatrix(2, 4), "0:16.750");
    EXPECT_EQ(grid.textMatrix(2, 8), "5.250");
    EXPECT_EQ(grid.cellForeColor(2, 4), kRedText);  // not reset by a later fill
    EXPECT_EQ(grid.cellForeColor(2, 5), kRedText);
}

}  // namespace
}  // namespace qel
