#include "core/heats/results_slip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/heats/heat_results.h"
#include "core/heats/rotation.h"
#include "core/io/dates.h"
#include "core/io/errors.h"
#include "core/setup/options_file.h"
#include "support/race_end_fakes.h"
#include "support/recording_print_surface.h"

namespace qel {
namespace {

using test::RecordingPrintSurface;
using Items = std::vector<std::pair<int, std::string>>;  // character column, text

struct Line {
    int page = 0;
    Items items;
};

// The printed texts as lines: texts on the same page and height, with the
// character column each starts at in its own font.
std::vector<Line> printedLines(const RecordingPrintSurface& surface) {
    std::vector<Line> lines;
    int lastPage = -1;
    int lastY = -1;
    for (const auto& text : surface.texts()) {
        if (text.page != lastPage || text.y != lastY) lines.push_back({text.page, {}});
        lastPage = text.page;
        lastY = text.y;
        const int charWidth = static_cast<int>(text.font.pointSize);
        lines.back().items.emplace_back(text.x / charWidth + 1, text.text);
    }
    return lines;
}

// A grid as the results window shows it: racer r in row r, on four lanes.
GridModel slipGrid(int racers) {
    GridModel grid(racers + 1, 8, 1, 1);
    for (int r = 1; r <= racers; ++r) {
        const std::vector<std::string> cells{
            std::to_string(r), "Racer " + std::to_string(r), "10", "11", "0", "9", "30", "10"};
        for (int col = 0; col < 8; ++col)
            grid.setTextMatrix(r, col, cells[col]);
    }
    return grid;
}

class ResultsSlipTest : public ::testing::Test {
  protected:
    ResultsSlipTest() { installation.laneColorIndex = {0, 5, 1, 0, 7}; }

    ResultsSlipSource source(const GridModel& grid, int racers) const {
        return {grid, "Speedway", "Race Results    Final", 4, racers, installation};
    }

    InstallationSettings installation;
    // Tall paper: 45 racers and the header fit a page with room to spare.
    RecordingPrintSurface surface{1400, 2000};
    PrintLines lines{surface};
    double now = dateSerial(2026, 3, 5) + timeSerial(20, 15, 0);
};

const Items kHeading{{3, "Racers"}, {22, "Lane "}, {27, " 1 "}, {31, "Lane "},
                     {36, " 2 "},   {40, "Lane "}, {45, " 3 "}, {49, "Lane "},
                     {54, " 4 "},   {58, "Total"}, {67, "Avg"}};
const Items kColours{{22, "Red"}, {31, "Green"}, {40, "Blue"}, {49, "Yellow"}};

Items header(int page) {
    return {{22, "Mar. 05 2026, 20:15"}, {47, "Page"}, {51, " " + std::to_string(page) + " "}};
}

TEST_F(ResultsSlipTest, HeaderAndRacerRowsAtTheirColumns) {
    const GridModel grid = slipGrid(2);
    PrintResultsSlip(lines, source(grid, 2), now, true);
    const std::vector<Line> printed = printedLines(surface);
    ASSERT_EQ(printed.size(), 7u);
    EXPECT_EQ(printed[0].items, (Items{{13, "Speedway"}}));
    EXPECT_EQ(printed[1].items, (Items{{13, "Race Results    Final"}}));
    EXPECT_EQ(printed[2].items, header(1));
    EXPECT_EQ(printed[3].items, kHeading);
    EXPECT_EQ(printed[4].items, kColours);
    // The racer number stays off the slip.
    EXPECT_EQ(
        printed[5].items,
        (Items{
            {3, "Racer 1"}, {22, "10"}, {31, "11"}, {40, "0"}, {49, "9"}, {58, "30"}, {67, "10"}}));
    EXPECT_EQ(printed[6].items.front(), (std::pair<int, std::string>{3, "Racer 2"}));

    // Three empty lines at 12 points above the title, the title at 20.
    const auto& texts = surface.texts();
    EXPECT_EQ(texts[0].y, 3 * 24);
    EXPECT_EQ(texts[0].font.pointSize, 20);
    EXPECT_EQ(texts[1].y, 3 * 24 + 40);
    EXPECT_EQ(texts[2].font.pointSize, 12);
    // An empty line between the date and the headings.
    const int dateY = texts[2].y;
    const auto heading =
        std::find_if(texts.begin(), texts.end(), [](const auto& t) { return t.text == "Racers"; });
    EXPECT_EQ(heading->y, dateY + 2 * 24);
    EXPECT_EQ(surface.jobsEnded(), 1);
}

TEST_F(ResultsSlipTest, FiftyRacersPrint45ThenANewPageWithItsHeader) {
    const GridModel grid = slipGrid(50);
    PrintResultsSlip(lines, source(grid, 50), now, false);
    const std::vector<Line> printed = printedLines(surface);
    std::vector<std::string> page1Racers;
    std::vector<std::string> page2Racers;
    for (const Line& line : printed) {
        const std::string& first = line.items.front().second;
        if (first.starts_with("Racer "))
            (line.page == 1 ? page1Racers : page2Racers).push_back(first);
    }
    ASSERT_EQ(page1Racers.size(), 45u);
    EXPECT_EQ(page1Racers.back(), "Racer 45");
    ASSERT_EQ(page2Racers.size(), 5u);
    EXPECT_EQ(page2Racers.front(), "Racer 46");

    const auto page2 = std::find_if(printed.begin(), printed.end(),
                                    [](const Line& line) { return line.page == 2; });
    ASSERT_NE(page2, printed.end());
    EXPECT_EQ(page2[0].items, (Items{{13, "Speedway"}}));
    EXPECT_EQ(page2[2].items, header(2));
    EXPECT_EQ(page2[3].items, kHeading);
    EXPECT_EQ(page2[4].items, kColours);
    EXPECT_EQ(page2[5].items.front().second, "Racer 46");
    // More than 10 racers: the slip is a job of its own.
    EXPECT_EQ(surface.jobsEnded(), 1);
}

TEST_F(ResultsSlipTest, AFullTableRepeatsTheHeaderEvery45Racers) {
    const GridModel grid = slipGrid(kMaxRacers);
    PrintResultsSlip(lines, source(grid, kMaxRacers), now, true);
    std::vector<int> racersOnPage(6, 0);
    std::vector<std::string> firstOnPage(6);
    int headers = 0;
    for (const Line& line : printedLines(surface)) {
        const std::string& first = line.items.front().second;
        if (first == "Speedway") ++headers;
        if (!first.starts_with("Racer ")) continue;
        if (racersOnPage[line.page]++ == 0) firstOnPage[line.page] = first;
    }
    EXPECT_EQ(racersOnPage, (std::vector<int>{0, 45, 45, 45, 45, 20}));
    EXPECT_EQ(firstOnPage[5], "Racer 181");
    EXPECT_EQ(headers, 5);
}

TEST_F(ResultsSlipTest, TheJobEndsWhenAskedOrForMoreThanTenRacers) {
    struct Case {
        int racers;
        bool endDoc;
        bool ended;
    };
    for (const Case c : {Case{10, false, false}, Case{10, true, true}, Case{11, false, true}}) {
        RecordingPrintSurface bench{1400, 2000};
        PrintLines slipLines{bench};
        const GridModel grid = slipGrid(c.racers);
        PrintResultsSlip(slipLines, source(grid, c.racers), now, c.endDoc);
        EXPECT_EQ(bench.jobsEnded(), c.ended ? 1 : 0) << c.racers << " " << c.endDoc;
        EXPECT_EQ(bench.isActive(), !c.ended);
    }
}

TEST_F(ResultsSlipTest, OnlyTheRowsTheGridHoldsArePrinted) {
    const GridModel grid = slipGrid(3);
    PrintResultsSlip(lines, source(grid, 150), now, true);
    int racers = 0;
    for (const Line& line : printedLines(surface))
        racers += line.items.front().second.starts_with("Racer ") ? 1 : 0;
    EXPECT_EQ(racers, 3);
}

TEST_F(ResultsSlipTest, APrinterFailureIsTheCallersToReport) {
    surface.failBegin("The printer is out of paper.");
    const GridModel grid = slipGrid(2);
    try {
        PrintResultsSlip(lines, source(grid, 2), now, true);
        FAIL() << "no error";
    } catch (const QelError& e) {
        EXPECT_STREQ(e.what(), "The printer is out of paper.");
    }
}

TEST_F(ResultsSlipTest, TheSlipPrintsWhatTheWindowShows) {
    auto race = std::make_unique<RaceState>();
    race->laneCount = 2;
    race->trackName = "Club Oval";
    race->raceTitle = "Round Robin";
    HeatTables heats;
    heats.racerCount = 2;
    heats.heatRacers[1].name = "Ann";
    heats.heatRacers[2].name = "Ben";
    heats.heatRacers[1].startLane = 1;
    heats.heatRacers[2].startLane = 2;
    std::string sequence = "12";
    BuildRotation(heats, 2, sequence);
    heats.currentHeat = 1;
    heats.heatRacers[1].lapsInLane[1] = 8;
    heats.heatRacers[2].lapsInLane[2] = 9;
    heats.heatRacers[2].bestLap = {0, kNoBestLap, 5250};
    heats.heatRacers[1].bestLap = {0, 5400, kNoBestLap};
    race->raceOverHandled = -1;
    RaceFormatSettings format;
    format.raceFormat = kRoundRobin;
    const OptionsSettings options = defaultOptions();
    test::RecordingPlayer player;
    const AppFolder folder("/club");
    HeatResults results({*race, heats, RaceSetup{format, options}, installation, player, folder});
    results.FillResultsGrid();
    results.mnuBestLaps();

    PrintResultsSlip(lines, results, now, false);
    const std::vector<Line> printed = printedLines(surface);
    ASSERT_EQ(printed.size(), 7u);
    EXPECT_EQ(printed[0].items, (Items{{13, "Club Oval"}}));
    EXPECT_EQ(printed[1].items, (Items{{13, "Best Lap Times    Round Robin"}}));
    // Ben leads on average; the best laps stand in the lane columns.
    EXPECT_EQ(printed[5].items,
              (Items{{3, "Ben"}, {22, "0"}, {31, "5.250"}, {40, "9"}, {49, "9"}}));
    EXPECT_EQ(printed[6].items,
              (Items{{3, "Ann"}, {22, "5.400"}, {31, "0"}, {40, "8"}, {49, "8"}}));
    EXPECT_TRUE(surface.isActive());  // two racers: the job stays open
}

}  // namespace
}  // namespace qel
