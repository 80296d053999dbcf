#include "core/heats/heat_results.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/heats/rotation.h"
#include "core/io/dates.h"
#include "core/setup/options_file.h"
#include "support/heat_results_bench.h"
#include "support/race_end_fakes.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

using Row = std::vector<std::string>;

constexpr int32_t kRed = 255;
constexpr int32_t kGreen = 65280;
constexpr int32_t kBlue = 16744576;
constexpr int32_t kYellow = 65535;

// Four lanes, straight "1234", six racers: A..D start in lanes 1..4, E and F
// in the sit-out slots 1 and 2. By heat: A 1 2 3 4 - -, B 2 3 4 - - 1,
// C 3 4 - - 1 2, D 4 - - 1 2 3, E - - 1 2 3 4, F - 1 2 3 4 -.
class HeatResultsTest : public ::testing::Test, protected test::HeatResultsBench {
  protected:
    HeatResultsTest() {
        options = defaultOptions();
        useFormat(kRoundRobin, "Round Robin");
        race->laneCount = 4;
        race->raceTitle = "Round Robin 4 Minutes";
        race->laneColor = {0, kRed, kGreen, kBlue, kYellow};
        const std::array<const char*, 7> names{"", "A", "B", "C", "D", "E", "F"};
        for (int racer = 1; racer <= 6; ++racer) {
            HeatRacer& r = heats.heatRacers[racer];
            r.name = names[racer];
            r.bestLap.fill(kNoBestLap);
            r.startLane = static_cast<int16_t>(racer <= 4 ? racer : 0);
            r.sitOutNumber = static_cast<int16_t>(racer <= 4 ? 0 : racer - 4);
        }
        heats.racerCount = 6;
        std::string sequence = "1234";
        BuildRotation(heats, 6, sequence);
        heats.pointsForPlace = {0, 10, 8, 6, 5, 0, 0, 0, 0};
    }

    void useFormat(int16_t format, const char* name) {
        raceSettings.raceFormat = format;
        raceSettings.raceFormatName = name;
    }

    // The heat ends with these laps per lane (index 1..4) and places.
    void runHeat(int heat, std::array<int16_t, 5> laps, LaneTable<int16_t> places = {}) {
        heats.currentHeat = static_cast<int16_t>(heat);
        for (int lane = 1; lane <= 4; ++lane) {
            const int racer = heats.laneRacer[lane][heat];
            if (racer == 0) continue;
            heats.heatRacers[racer].lapsInLane[lane] = laps[lane];
            race->lapCount[lane] = laps[lane];
        }
        race->lanePosition = places;
        race->raceOverHandled = -1;
    }

    // Heat 1: lanes 10, 12, 8, 11 laps; heat 2: 9, 11, 13, 7.
    void twoHeats() {
        runHeat(1, {0, 10, 12, 8, 11});
        runHeat(2, {0, 9, 11, 13, 7});
    }

    Row row(int r) const {
        Row cells;
        for (int col = 0; col < grid().cols(); ++col)
            cells.push_back(grid().textMatrix(r, col));
        return cells;
    }
    int rowOf(const std::string& racerNumber) const {
        for (int r = 1; r < grid().rows(); ++r) {
            if (grid().textMatrix(r, 0) == racerNumber) return r;
        }
        return -1;
    }
    const GridModel& grid() const { return results.grdRR(); }
};

TEST_F(HeatResultsTest, LayoutOfLapsAndOfPoints) {
    struct Case {
        int16_t format;
        const char* name;
        const char* totalHeader;
        const char* tip;
        ResultsMenus menus;
    };
    const Case cases[] = {
        {kRoundRobin, "Round Robin", " T- Laps", kAdjustLapsTip, {true, false, false}},
        {kChampionship, "Championship", "Points", kAdjustPointsTip, {false, true, false}},
    };
    for (const Case& c : cases) {
        useFormat(c.format, c.name);
        results.FillResultsGrid();
        SCOPED_TRACE(c.name);
        EXPECT_EQ(results.caption(), "Race Results    Round Robin 4 Minutes");
        EXPECT_EQ(grid().rows(), 7);
        EXPECT_EQ(grid().cols(), 8);
        EXPECT_EQ(grid().fixedRows(), 1);
        EXPECT_EQ(row(0), (Row{"ID", "Racers", "Lane  1", "Lane  2", "Lane  3", "Lane  4",
                               c.totalHeader, "Avg"}));
        EXPECT_EQ(grid().colWidth(0), 400);
        EXPECT_EQ(grid().colWidth(1), 1200);
        for (int col = 2; col < 8; ++col)
            EXPECT_EQ(grid().colWidth(col), 750);
        EXPECT_EQ(grid().width(), 750 * 4 + 3450);
        EXPECT_EQ(results.windowWidthTwips(), 750 * 4 + 3650);
        for (int col = 0; col < 8; ++col)
            EXPECT_EQ(grid().cellAlignment(0, col), grid_align::kCenterCenter);
        EXPECT_EQ(grid().cellBackColor(0, 2), GridColor(kRed));
        EXPECT_EQ(grid().cellBackColor(0, 5), GridColor(kYellow));
        EXPECT_EQ(results.toolTip(), c.tip);
        EXPECT_EQ(results.menus(), c.menus);
    }
}

TEST_F(HeatResultsTest, RowsRankedByAverageWithTheRacerWhoNeverRacedLast) {
    twoHeats();
    results.FillResultsGrid();
    // B 12.5, D 11, A 10.5, F 9, C 7.5; E sat out both heats.
    EXPECT_EQ(row(1), (Row{"2", "B", "0", "12", "13", "0", "25", "12.5"}));
    EXPECT_EQ(row(2), (Row{"4", "D", "0", "0", "0", "11", "11", "11"}));
    EXPECT_EQ(row(3), (Row{"1", "A", "10", "11", "0", "0", "21", "10.5"}));
    EXPECT_EQ(row(4), (Row{"6", "F", "9", "0", "0", "0", "9", "9"}));
    EXPECT_EQ(row(5), (Row{"3", "C", "0", "0", "8", "7", "15", "7.5"}));
    EXPECT_EQ(row(6), (Row{"5", "E", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(HeatResultsTest, AveragesCountHeatsRaced) {
    twoHeats();
    SumRacerLaps(heats);
    heats.heatRacers[1].totalPoints = 7;
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(1, 2), 10.5f);
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(5, 2), 0.0f);
    EXPECT_FLOAT_EQ(results.AverageHeatPoints(1, 2), 3.5f);
    EXPECT_FLOAT_EQ(results.AverageHeatPoints(5, 2), 0.0f);
    // Two decimals: B over three heats, 12 + 13 + 0 laps; C sat heat 3 out.
    runHeat(3, {0, 0, 0, 0, 0});
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(2, 3), 8.33f);
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(3, 3), 7.5f);
    // While heat 3 is still being raced only heats 1 and 2 count.
    race->raceOverHandled = 0;
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(1, 3), 10.5f);
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(1, 1), 10.0f);
}

TEST_F(HeatResultsTest, ARightClickOnAOneLapCellTakesTheLapAwayEverywhere) {
    runHeat(1, {0, 10, 12, 8, 11});
    runHeat(2, {0, 1, 11, 13, 7});  // F made one lap in lane 1
    results.FillResultsGrid();
    results.mnuAdjustLaps();
    EXPECT_EQ(results.toolTip(), kCorrectionTip);
    const int f = rowOf("6");
    ASSERT_EQ(row(f), (Row{"6", "F", "1", "0", "0", "0", "1", "1"}));
    for (int col = 2; col <= 5; ++col)
        EXPECT_EQ(grid().cellBackColor(f, col), kCorrectionYellow);

    EXPECT_EQ(results.cellPressed(f, 2, PressButton::Right), CellPress::LapCorrected);
    EXPECT_EQ(row(f), (Row{"6", "F", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(heats.heatRacers[6].lapsInLane[1], 0);
    EXPECT_EQ(heats.heatRacers[6].totalLaps, 0);
    EXPECT_EQ(heats.heatRacers[6].adjustInLane[1], -1);
    EXPECT_EQ(race->lapCount[1], 0);
    EXPECT_EQ(player.played, (std::vector<std::string>{"Remove Lap.wav"}));

    // B's lane 3 of heat 2 gains a lap: the board's lane 3 counter with it.
    const int b = rowOf("2");
    EXPECT_EQ(results.cellPressed(b, 4, PressButton::Left), CellPress::LapCorrected);
    EXPECT_EQ(row(b), (Row{"2", "B", "0", "12", "14", "0", "26", "13"}));
    EXPECT_EQ(race->lapCount[3], 14);
    EXPECT_EQ(player.played.back(), "Add Lap.wav");
}

TEST_F(HeatResultsTest, CorrectingAnEarlierHeatLeavesTheBoardsCounterAlone) {
    twoHeats();
    results.FillResultsGrid();
    results.mnuAdjustLaps();
    // A drove lane 1 in heat 1; in heat 2 lane 1 is F's, with 9 laps.
    const int a = rowOf("1");
    EXPECT_EQ(results.cellPressed(a, 2, PressButton::Left), CellPress::LapCorrected);
    EXPECT_EQ(heats.heatRacers[1].lapsInLane[1], 11);
    EXPECT_EQ(heats.heatRacers[1].totalLaps, 22);
    EXPECT_EQ(race->lapCount[1], 9);
}

TEST_F(HeatResultsTest, PressesThatCorrectNothing) {
    twoHeats();
    results.FillResultsGrid();
    const int b = rowOf("2");
    // Not yet in correction mode: white cells take no clicks.
    EXPECT_EQ(results.cellPressed(b, 3, PressButton::Left), CellPress::Ignored);
    results.mnuAdjustLaps();
    struct Case {
        int row;
        int col;
        PressButton button;
        const char* why;
    };
    const Case cases[] = {
        {b, 2, PressButton::Left, "a 0 cell, adding"},
        {b, 2, PressButton::Right, "a 0 cell, subtracting"},
        {0, 3, PressButton::Left, "the header row"},
        {b, 1, PressButton::Left, "the name column"},
        {b, 6, PressButton::Left, "the total column"},
        {b, 7, PressButton::Left, "the average column"},
        {7, 3, PressButton::Left, "below the last racer"},
        {-1, -1, PressButton::Left, "no cell at all"},
    };
    const HeatRacer before = heats.heatRacers[2];
    for (const Case& c : cases) {
        EXPECT_EQ(results.cellPressed(c.row, c.col, c.button), CellPress::Ignored) << c.why;
    }
    EXPECT_TRUE(player.played.empty());
    EXPECT_EQ(heats.heatRacers[2].lapsInLane, before.lapsInLane);
    EXPECT_EQ(row(rowOf("2")), (Row{"2", "B", "0", "12", "13", "0", "25", "12.5"}));
}

TEST_F(HeatResultsTest, ARowWhoseRacerNumberTheTablesDoNotHoldIsLeftAlone) {
    twoHeats();
    results.FillResultsGrid();
    results.mnuAdjustLaps();
    GridModel& grid = results.grdRR();
    for (const char* number : {"0", "7", "250", "-3", "2.5", "x", ""}) {
        grid.setTextMatrix(1, 0, number);
        EXPECT_EQ(results.cellPressed(1, 3, PressButton::Left), CellPress::Ignored) << number;
    }
    EXPECT_TRUE(player.played.empty());
}

TEST_F(HeatResultsTest, AChampionshipCorrectionSurvivesTheScoring) {
    useFormat(kChampionship, "Championship");
    runHeat(1, {0, 10, 12, 8, 11}, {0, 1, 2, 3, 4});
    results.FillResultsGrid();
    const int a = rowOf("1");
    ASSERT_EQ(row(a), (Row{"1", "A", "10", "0", "0", "0", "10", "10"}));
    results.mnuAdjustPoints();
    EXPECT_EQ(results.cellPressed(a, 2, PressButton::Left), CellPress::PointCorrected);
    EXPECT_EQ(row(a), (Row{"1", "A", "11", "0", "0", "0", "11", "11"}));
    EXPECT_EQ(heats.heatRacers[1].totalPoints, 11);
    EXPECT_EQ(race->lapCount[1], 10);  // points leave the laps alone

    // The same heat scored again, then heat 2 (A second in lane 2).
    results.FillResultsGrid();
    EXPECT_EQ(row(rowOf("1")), (Row{"1", "A", "11", "0", "0", "0", "11", "11"}));
    runHeat(2, {0, 9, 11, 13, 7}, {0, 3, 2, 1, 4});
    results.FillResultsGrid();
    EXPECT_EQ(heats.heatRacers[1].pointsInLane[1], 11);
    EXPECT_EQ(heats.heatRacers[1].totalPoints, 19);
    EXPECT_EQ(row(rowOf("1")), (Row{"1", "A", "11", "8", "0", "0", "19", "9.5"}));
}

TEST_F(HeatResultsTest, ALaneWithoutAPlaceScoresOnlyItsCorrections) {
    useFormat(kChampionship, "Championship");
    // Lane 3 never got a place, lane 4 a place no table has.
    runHeat(1, {0, 10, 12, 8, 11}, {0, 1, 2, 0, 9});
    heats.heatRacers[3].adjustInLane[3] = 2;
    results.FillResultsGrid();
    EXPECT_EQ(heats.heatRacers[3].pointsInLane[3], 2);
    EXPECT_EQ(heats.heatRacers[4].pointsInLane[4], 0);
}

TEST_F(HeatResultsTest, BestLapRacerInLane) {
    struct Case {
        std::array<int32_t, 4> bests;  // racers 1..4, lane 1
        int expected;
        const char* why;
    };
    const Case cases[] = {
        {{5400, 5200, 5300, kNoBestLap}, 2, "the quickest"},
        {{5200, 5300, 5200, 6000}, 1, "equal times: the lower number"},
        {{32000, 33000, kNoBestLap, 40000}, 0, "nothing under 32 s"},
        {{kNoBestLap, kNoBestLap, kNoBestLap, 31999}, 4, "just under 32 s"},
        {{kNoBestLap, kNoBestLap, kNoBestLap, kNoBestLap}, 0, "nobody has a lap"},
    };
    for (const Case& c : cases) {
        for (int racer = 1; racer <= 4; ++racer)
            heats.heatRacers[racer].bestLap[1] = c.bests[racer - 1];
        EXPECT_EQ(results.BestLapRacerInLane(1), c.expected) << c.why;
    }
    EXPECT_EQ(results.BestLapRacerInLane(0), 0);
    EXPECT_EQ(results.BestLapRacerInLane(9), 0);
}

TEST_F(HeatResultsTest, BestLapsAndBackToTheResults) {
    twoHeats();
    heats.heatRacers[1].bestLap[1] = 5432;   // A, lane 1
    heats.heatRacers[6].bestLap[1] = 5432;   // F ties in lane 1: A is greener
    heats.heatRacers[2].bestLap[2] = 6001;   // B alone in lane 2
    heats.heatRacers[2].bestLap[3] = 33000;  // lane 3: nothing under 32 s
    results.FillResultsGrid();
    results.mnuAdjustLaps();
    results.mnuBestLaps();
    EXPECT_EQ(results.caption(), "Best Lap Times    Round Robin 4 Minutes");
    EXPECT_TRUE(results.menus().raceResults);
    const int a = rowOf("1");
    const int b = rowOf("2");
    const int f = rowOf("6");
    EXPECT_EQ(row(a), (Row{"1", "A", "5.432", "11", "0", "0", "21", "10.5"}));
    EXPECT_EQ(row(b), (Row{"2", "B", "0", "6.001", "33.000", "0", "25", "12.5"}));
    EXPECT_EQ(grid().textMatrix(f, 2), "5.432");
    EXPECT_EQ(grid().cellAlignment(a, 2), grid_align::kCenterCenter);
    EXPECT_EQ(grid().cellBackColor(a, 2), kBestLapGreen);
    EXPECT_EQ(grid().cellBackColor(b, 3), kBestLapGreen);
    EXPECT_NE(grid().cellBackColor(f, 2), kBestLapGreen);
    EXPECT_NE(grid().cellBackColor(b, 4), kBestLapGreen);
    // Best laps are not corrected, even on a yellow cell.
    EXPECT_EQ(results.cellPressed(a, 3, PressButton::Left), CellPress::Ignored);

    results.mnuRaceResults();
    EXPECT_EQ(results.caption(), "Race Results    Round Robin 4 Minutes");
    for (int r = 1; r <= 6; ++r) {
        for (int col = 2; col <= 5; ++col)
            EXPECT_EQ(grid().cellBackColor(r, col), kLaneCellWhite) << r << "," << col;
    }
    // The menu stays on until the window opens anew.
    EXPECT_TRUE(results.menus().raceResults);
    results.load();
    EXPECT_FALSE(results.menus().raceResults);
}

TEST_F(HeatResultsTest, ARefillEndsTheCorrectionMode) {
    twoHeats();
    results.FillResultsGrid();
    results.mnuAdjustLaps();
    results.FillResultsGrid();
    EXPECT_EQ(results.toolTip(), kAdjustLapsTip);
    EXPECT_EQ(grid().cellBackColor(1, 3), kLaneCellWhite);
    EXPECT_EQ(results.cellPressed(1, 3, PressButton::Left), CellPress::Ignored);
}

TEST_F(HeatResultsTest, TablesOutOfTheirBoundsAreNeverReadPast) {
    twoHeats();
    heats.racerCount = 500;
    race->laneCount = 12;
    heats.currentHeat = 900;
    results.FillResultsGrid();
    EXPECT_EQ(grid().rows(), kMaxRacers + 1);
    EXPECT_EQ(grid().cols(), kMaxLanes + 4);
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(999, 2), 0.0f);
    EXPECT_FLOAT_EQ(results.AverageHeatPoints(-1, 2), 0.0f);
    // Heats past the table count as the 200 it holds: A raced four of them.
    EXPECT_FLOAT_EQ(results.AverageHeatLaps(1, 5000), 5.25f);

    // No racers and no lanes: the headers alone.
    heats.racerCount = -5;
    race->laneCount = 0;
    results.FillResultsGrid();
    EXPECT_EQ(row(0), (Row{"ID", "Racers", " T- Laps", "Avg"}));
    EXPECT_EQ(grid().rows(), 1);
    results.mnuAdjustLaps();
    results.mnuBestLaps();
    EXPECT_EQ(results.cellPressed(1, 2, PressButton::Left), CellPress::Ignored);
}

TEST_F(HeatResultsTest, TotalsStopAtTheirLimitOnALongSeries) {
    runHeat(1, {0, 30000, 0, 0, 0});
    runHeat(2, {0, 0, 30000, 0, 0});
    results.FillResultsGrid();
    const int a = rowOf("1");
    EXPECT_EQ(row(a), (Row{"1", "A", "30000", "30000", "0", "0", "32767", "30000"}));
    // A cell at its limit stays there.
    heats.heatRacers[1].lapsInLane[2] = 32767;
    results.FillResultsGrid();
    results.mnuAdjustLaps();
    EXPECT_EQ(results.cellPressed(rowOf("1"), 3, PressButton::Left), CellPress::LapCorrected);
    EXPECT_EQ(heats.heatRacers[1].lapsInLane[2], 32767);
    EXPECT_EQ(race->lapCount[2], kMaxLap);  // never past the lap store
}

TEST_F(HeatResultsTest, TheExportGoesToStatsResultsWithTheStamp) {
    test::TempFolder temp;
    AppFolder club(temp.path());
    HeatResults exported{
        {*race, heats, RaceSetup{raceSettings, options}, installation, player, club}};
    const double now = dateSerial(2026, 3, 5) + timeSerial(20, 15, 0);
    EXPECT_EQ(exported.exportPath(now),
              (temp.path() / "Stats" / "Results 2026 03 05, 20-15").string());

    exported.FillResultsGrid();
    test::ScriptedFileDialog dialog;
    test::ScriptedPrompter prompter;
    EXPECT_FALSE(exported.saveToExcel(dialog, prompter, now));
    ASSERT_EQ(dialog.shown().size(), 1u);
    EXPECT_EQ(dialog.shown()[0].request.fileName, exported.exportPath(now));

    const std::string file = (temp.path() / "results.xls").string();
    dialog.choose(file);
    EXPECT_TRUE(exported.saveToExcel(dialog, prompter, now));
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x09\x00\x04\x00\x02\x00\x0A\x00", 8));

    // A folder where the file should be: it cannot be written, and says so.
    dialog.choose(temp.path().string());
    EXPECT_FALSE(exported.saveToExcel(dialog, prompter, now));
    EXPECT_EQ(prompter.messages().size(), 1u);
}

}  // namespace
}  // namespace qel
