#include "core/heats/next_heat_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/heats/rotation.h"
#include "core/records/print_grid.h"
#include "core/seams/virtual_time.h"
#include "core/setup/installation_file.h"
#include "support/recording_print_surface.h"
#include "support/scripted_prompter.h"

namespace qel {
namespace {

constexpr int kScreenHeight = 11520;  // 768 pixels at 96 dots per inch

// A four-lane track coloured red, green, blue and yellow, with three racers
// placed in lanes 1 to 3 on the straight sequence.
class NextHeatGridTest : public ::testing::Test {
  protected:
    NextHeatGridTest() {
        race.laneCount = 4;
        const int colours[] = {0, 5, 1, 0, 7};  // positions in the colour list
        for (int lane = 1; lane <= 4; ++lane) {
            installation.laneColorIndex[lane] = static_cast<int16_t>(colours[lane]);
            race.laneColor[lane] = kLaneColours[colours[lane]].value();
        }
        const char* names[] = {"", "Ann", "Ben", "Cal"};
        heats.racerCount = 3;
        for (int r = 1; r <= 3; ++r) {
            heats.heatRacers[r].name = names[r];
            heats.heatRacers[r].startLane = static_cast<int16_t>(r);
        }
        heats.activeSequence = "1234";
        heats.currentHeat = 1;
    }

    bool rowYellow(const GridModel& grid, int row) const {
        for (int col = 0; col <= 4; ++col) {
            if (grid.cellBackColor(row, col) != kRunHeatYellow) return false;
        }
        return true;
    }

    RaceState race;
    HeatTables heats;
    InstallationSettings installation;
    VirtualScheduler time;
    test::ScriptedPrompter prompter;
    test::RecordingPrintSurface printer;
    NextHeatGrid next{{heats, race, installation}, time, prompter, printer};
};

TEST_F(NextHeatGridTest, ThreeRacersOnFourLanesLeaveOneLaneEmptyInEveryHeat) {
    const TwipsSize window = next.load(kScreenHeight);
    const GridModel& grid = next.grid();

    EXPECT_EQ(heats.heatCount, 4);
    ASSERT_EQ(grid.rows(), 6);
    ASSERT_EQ(grid.cols(), 5);
    EXPECT_EQ(grid.textMatrix(0, 0), "Print Grid");
    EXPECT_EQ(grid.cellForeColor(0, 0), rgbColor(255, 0, 0));
    const std::vector<std::string> colourNames{"", "Red", "Green", "Blue", "Yellow"};
    for (int lane = 1; lane <= 4; ++lane) {
        EXPECT_EQ(grid.textMatrix(0, lane), "Lane " + std::to_string(lane));
        EXPECT_EQ(grid.cellBackColor(0, lane), static_cast<GridColor>(race.laneColor[lane]));
        EXPECT_EQ(grid.textMatrix(1, lane), colourNames[lane]);
    }
    EXPECT_EQ(grid.textMatrix(1, 0), "");
    // Each racer one lane on per heat; the lane nobody drives reads "Empty".
    const std::vector<std::vector<std::string>> expected{
        {"Heat 1", "Ann", "Ben", "Cal", "Empty"},
        {"Heat 2", "Empty", "Ann", "Ben", "Cal"},
        {"Heat 3", "Cal", "Empty", "Ann", "Ben"},
        {"Heat 4", "Ben", "Cal", "Empty", "Ann"},
    };
    for (int heat = 1; heat <= 4; ++heat) {
        std::vector<std::string> row;
        for (int col = 0; col <= 4; ++col)
            row.push_back(grid.textMatrix(heat + 1, col));
        EXPECT_EQ(row, expected[heat - 1]) << "heat " << heat;
        EXPECT_EQ(std::count(row.begin(), row.end(), "Empty"), 1);
        EXPECT_EQ(grid.rowHeight(heat), 250);
    }
    EXPECT_EQ(grid.width(), 4 * 1000 + 1000);
    EXPECT_EQ(grid.height(), 4 * 275 + 550);
    EXPECT_EQ(window, (TwipsSize{5150, 2150}));
    EXPECT_EQ(std::string(kNextHeatCaption), "  Rotation Sequence");
}

TEST_F(NextHeatGridTest, FirstLoadDuringHeatThreeMarksHeatsOneToThree) {
    heats.currentHeat = 3;
    next.load(kScreenHeight);
    const GridModel& grid = next.grid();
    EXPECT_TRUE(rowYellow(grid, 2));
    EXPECT_TRUE(rowYellow(grid, 3));
    EXPECT_TRUE(rowYellow(grid, 4));
    EXPECT_EQ(grid.cellBackColor(5, 1), 0u);
    for (int col = 0; col <= 4; ++col)
        EXPECT_EQ(grid.colWidth(col), 995);
}

TEST_F(NextHeatGridTest, RunHeatsStayYellowThroughRefills) {
    heats.currentHeat = 2;
    next.load(kScreenHeight);
    // The race comes back to heat 1 and the grid is refilled: the rows run stay marked.
    heats.currentHeat = 1;
    next.refill(kScreenHeight);
    EXPECT_TRUE(rowYellow(next.grid(), 3));
    // With the heat's leader home, a refill marks the heat just run.
    heats.currentHeat = 3;
    race.leaderFinished = true;
    next.refill(kScreenHeight);
    EXPECT_TRUE(rowYellow(next.grid(), 4));
    EXPECT_FALSE(rowYellow(next.grid(), 5));
}

struct SizeCase {
    const char* name;
    int heatCount;
    int screenHeight;
    TwipsSize grid;
    TwipsSize filled;  // the window the fill asks for
    TwipsSize loaded;  // after the load's own rule
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.name;
}

class NextHeatSizeTest : public NextHeatGridTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(NextHeatSizeTest, GridAndWindowFitTheScreen) {
    const SizeCase& c = GetParam();
    heats.heatCount = static_cast<int16_t>(c.heatCount);
    const TwipsSize filled =
        FillNextHeatGrid(next.grid(), {heats, race, installation}, c.screenHeight);
    EXPECT_EQ((TwipsSize{next.grid().width(), next.grid().height()}), c.grid);
    EXPECT_EQ(filled, c.filled);
    EXPECT_EQ(nextHeatLoadSize(filled, c.screenHeight), c.loaded);
}

INSTANTIATE_TEST_SUITE_P(
    NextHeatGrid, NextHeatSizeTest,
    ::testing::Values(
        SizeCase{"FitsTheScreen", 4, 11520, {5000, 1650}, {5150, 2150}, {5150, 2150}},
        // 40 heats: 11550 twips of grid on a screen of 9000.
        SizeCase{"GridTooHigh", 40, 9000, {5300, 7000}, {5450, 7500}, {5450, 7500}},
        // The grid fits, its window does not.
        SizeCase{"WindowTooHigh", 4, 2000, {5000, 1650}, {5150, 1000}, {5150, 1000}},
        // The window exactly as high as the screen: cut at the load.
        SizeCase{"WindowAsHighAsTheScreen", 4, 2150, {5000, 1650}, {5150, 2150}, {5300, 1150}}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

TEST_F(NextHeatGridTest, PrintCellPrintsTheGridWithoutItself) {
    next.load(kScreenHeight);
    next.grdgrid_MouseDown(0, 0, 96);

    EXPECT_EQ(printer.jobsBegun(), 1);
    EXPECT_EQ(printer.jobsEnded(), 1);
    std::vector<std::string> printed;
    for (const auto& text : printer.texts())
        printed.push_back(text.text);
    EXPECT_NE(std::find(printed.begin(), printed.end(), "Heat 4"), printed.end());
    EXPECT_NE(std::find(printed.begin(), printed.end(), "Lane 1"), printed.end());
    EXPECT_EQ(std::find(printed.begin(), printed.end(), "Print Grid"), printed.end());
    EXPECT_EQ(std::find(printed.begin(), printed.end(), "Printing"), printed.end());

    const GridModel& grid = next.grid();
    EXPECT_EQ(grid.textMatrix(0, 0), "Printing");
    EXPECT_EQ(grid.cellForeColor(0, 0), rgbColor(0, 0, 0));
    EXPECT_TRUE(next.tmrPrint().enabled());
    EXPECT_EQ(next.tmrPrint().interval(), 6000);

    time.advance(5999);
    EXPECT_EQ(grid.textMatrix(0, 0), "Printing");
    time.advance(1);
    EXPECT_EQ(grid.textMatrix(0, 0), "Print Grid");
    EXPECT_EQ(grid.cellForeColor(0, 0), rgbColor(255, 0, 0));
    EXPECT_TRUE(next.tmrPrint().enabled());  // left running; its later ticks repeat it
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(NextHeatGridTest, OtherCellsPrintNothing) {
    next.load(kScreenHeight);
    next.grdgrid_MouseDown(2, 1, 96);
    next.grdgrid_MouseDown(0, 1, 96);
    EXPECT_EQ(printer.jobsBegun(), 0);
    EXPECT_EQ(next.grid().textMatrix(0, 0), "Print Grid");
    EXPECT_FALSE(next.tmrPrint().enabled());
}

TEST_F(NextHeatGridTest, APrinterThatFailsIsToldOnce) {
    next.load(kScreenHeight);
    printer.failBegin("out of paper");
    next.grdgrid_MouseDown(0, 0, 96);
    EXPECT_EQ(prompter.messageTexts(), std::vector<std::string>{kPrintProblem});
    time.advance(6000);
    EXPECT_EQ(next.grid().textMatrix(0, 0), "Print Grid");
}

}  // namespace
}  // namespace qel
