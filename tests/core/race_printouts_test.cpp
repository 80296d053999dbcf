// The printed summary and lap list on the bench printer (a character is as
// wide as the font's size): the tab columns, the numbers with their blanks,
// landscape for the summary, which printouts end their job, the automatic
// print with the results slip, and the one message for every failure.
#include "core/records/race_printouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/io/dates.h"
#include "core/records/print_grid.h"
#include "core/seams/virtual_time.h"
#include "support/recording_print_surface.h"
#include "support/scripted_prompter.h"
#include "support/summary_race.h"

namespace qel {
namespace {

using test::RecordingPrintSurface;

class RacePrintoutsTest : public ::testing::Test {
  protected:
    RacePrintoutsTest() {
        race.installation.trackName = "Maple Hollow Raceway";
        race.state->laneCount = 4;
        race.state->raceTitle = "10 Lap Race";
        race.state->raceStamp = "Mar-05, 20-15";
        race.lane(1, "Jo Smith", test::kRedIndex, 255);
        race.lane(2, "Al Brown", test::kBlueIndex, 16711680);
        race.lane(3, "Sam Lee", test::kGreenIndex, 65280);
        race.lane(4, "Kim Park", test::kYellowIndex, 65535);
        race.laps(1, 1, {5.2f, 5.4f, 5.6f, 5.2f, 5.4f});
        race.laps(2, 1, {5.5f, 5.5f, 5.5f, 5.5f});
        race.laps(3, 1, {6.0f, 6.1f, 6.2f});
        race.laps(4, 1, {});
        for (int place = 1; place <= 4; ++place)
            race.state->runningOrder[place] = static_cast<int16_t>(place);
        race.state->lagFirstText[2] = "1 Lap";
        race.state->medianText[1] = "5.40";
    }

    // "line/column text" of every text printed, in the font's own character
    // cells (lines counted from the top of the page).
    std::vector<std::string> placed() const {
        std::vector<std::string> out;
        for (const auto& t : surface.texts()) {
            const int width = static_cast<int>(t.font.pointSize);
            out.push_back(std::to_string(t.y / (2 * width)) + "/" +
                          std::to_string(t.x / width + 1) + " " + t.text);
        }
        return out;
    }
    bool printedAt(const std::string& lineColumnText) const {
        const auto all = placed();
        return std::find(all.begin(), all.end(), lineColumnText) != all.end();
    }

    test::SummaryRace race;
    HeatTables heats;
    RecordingPrintSurface surface{2000, 1200};
    test::ScriptedPrompter prompter;
    VirtualScheduler time{dateSerial(2026, 3, 5) + timeSerial(20, 16, 0)};
    RacePrintouts printouts{race.sources(), heats, {surface, prompter, time}};
};

TEST_F(RacePrintoutsTest, TheSummaryInLandscapeWithItsColumns) {
    ASSERT_TRUE(printouts.PrintSummary(true));
    EXPECT_TRUE(surface.lastJobLandscape());
    EXPECT_EQ(surface.lastJobName(), "Summary Mar-05, 20-15");
    EXPECT_EQ(surface.jobsEnded(), 1);
    // Three empty lines, then the title lines at 20 points (lines of 40 pixels).
    EXPECT_EQ(surface.texts()[0].text, "Maple Hollow Raceway");
    EXPECT_EQ(surface.texts()[0].font.pointSize, 20);
    EXPECT_EQ(surface.texts()[0].y, 3 * 24);
    EXPECT_EQ(surface.texts()[0].x, 9 * 20);
    EXPECT_EQ(surface.texts()[1].text, "Summary,  10 Lap Race");
    EXPECT_EQ(surface.texts()[2].text, "Mar-05, 20:16");
    EXPECT_EQ(surface.texts()[2].x, 16 * 12);

    const std::vector<std::string> all = placed();
    // Header lines under the date and an empty line.
    EXPECT_TRUE(printedAt("8/6 Pos")) << testing::PrintToString(all);
    EXPECT_TRUE(printedAt("8/84 Avg"));
    EXPECT_TRUE(printedAt("9/8 Name"));
    EXPECT_TRUE(printedAt("9/107 %"));
    // Position 3 starts at column 6 with its digit, a blank and the racer.
    EXPECT_TRUE(printedAt("12/6 3 Sam Lee"));
    EXPECT_TRUE(printedAt("12/23 Green"));
    // A number stands between blanks; the crash count is plain text.
    EXPECT_TRUE(printedAt("10/31  5 "));
    EXPECT_TRUE(printedAt("10/39 0:26.800"));
    EXPECT_TRUE(printedAt("10/77 5.200"));
    EXPECT_TRUE(printedAt("10/84  5.4 "));
    EXPECT_TRUE(printedAt("10/92 5.40"));
    EXPECT_TRUE(printedAt("10/99 0"));
    EXPECT_TRUE(printedAt("10/107  0 "));
    EXPECT_TRUE(printedAt("11/53 1 Lap"));
    // Kim has no lap: the notice in the laps column.
    EXPECT_TRUE(printedAt("13/31  Insufficent data to display summary"));
    EXPECT_FLOAT_EQ(race.state->averageLap[1], 5.4f) << "stored back, to two decimals";
}

TEST_F(RacePrintoutsTest, ADisabledLaneShowsOnlyItsPlaceAndColour) {
    race.installation.laneDisabled[2] = 1;
    ASSERT_TRUE(printouts.PrintSummary(true));
    EXPECT_TRUE(printedAt("11/6 2 Disabled"));
    EXPECT_TRUE(printedAt("11/23 Blue"));
    for (const std::string& text : placed())
        EXPECT_NE(text.rfind("11/31", 0), 0u) << text;
}

TEST_F(RacePrintoutsTest, TheAutomaticSummaryEndsItsOwnJobOnlyForMoreThanTenRacers) {
    struct Case {
        int racers;
        int endedAfterSummary;
    };
    for (const Case c : {Case{10, 0}, Case{11, 1}}) {
        RecordingPrintSurface paper{2000, 1200};
        HeatTables heat;
        heat.racerCount = static_cast<int16_t>(c.racers);
        RacePrintouts auto_{race.sources(), heat, {paper, prompter, time}};
        std::vector<bool> slips;
        auto_.setResultsSlip([&](PrintLines& lines, bool endDoc) {
            slips.push_back(endDoc);
            lines.tab(1);
            lines.text("Results");
            if (endDoc) lines.endDoc();
        });
        auto_.AutoPrintSummary(false);
        EXPECT_EQ(paper.jobsEnded(), c.endedAfterSummary) << c.racers << " racers";
        auto_.AutoPrintResults(true);
        EXPECT_EQ(slips, std::vector<bool>{true});
        // Ten racers: the summary and the slip share one job; eleven: two.
        EXPECT_EQ(paper.jobsBegun(), 1 + c.endedAfterSummary) << c.racers << " racers";
        EXPECT_EQ(paper.jobsEnded(), paper.jobsBegun());
        EXPECT_EQ(paper.texts().back().page, 1);
    }
}

TEST_F(RacePrintoutsTest, WithoutAResultsSlipTheAutomaticSummaryStillGoesOut) {
    heats.racerCount = 4;
    printouts.autoPrint();
    EXPECT_EQ(surface.jobsBegun(), 1);
    EXPECT_EQ(surface.jobsEnded(), 1);
    EXPECT_FALSE(surface.isActive());
}

TEST_F(RacePrintoutsTest, TheLapListHasAColumnPerPlaceAndALinePerLap) {
    race.state->runningOrder = {0, 2, 1, 3, 4};
    race.installation.laneDisabled[4] = 1;
    ASSERT_TRUE(printouts.PrintLaps());
    EXPECT_FALSE(surface.lastJobLandscape());
    EXPECT_EQ(surface.lastJobName(), "Laps Mar-05, 20-15");
    EXPECT_EQ(surface.jobsEnded(), 1);
    EXPECT_EQ(surface.texts()[0].text, "Maple Hollow Raceway");
    EXPECT_EQ(surface.texts()[0].x, 8 * 20);
    EXPECT_TRUE(printedAt("7/12 First")) << testing::PrintToString(placed());
    EXPECT_TRUE(printedAt("7/45 Fourth"));
    EXPECT_TRUE(printedAt("8/12 Blue"));
    EXPECT_TRUE(printedAt("9/12 Al Brown"));
    EXPECT_TRUE(printedAt("9/45  Disabled"));
    EXPECT_EQ(race.state->laneRacerName[4], "Kim Park") << "the lane keeps its racer";
    // The lap lines run while any listed lane has a lap: five (Jo's).
    EXPECT_TRUE(printedAt("10/7  1 "));
    EXPECT_TRUE(printedAt("10/12 5.500"));
    EXPECT_TRUE(printedAt("10/23 5.200"));
    EXPECT_TRUE(printedAt("14/7  5 "));
    EXPECT_TRUE(printedAt("14/12 0.000"));
    EXPECT_FALSE(printedAt("15/7  6 "));
}

TEST_F(RacePrintoutsTest, ALapListBeforeTheFirstLapStillPrintsOneLine) {
    ClearLapTimes(*race.state);
    race.beginWithLap(0);
    ASSERT_TRUE(printouts.PrintLaps());
    EXPECT_TRUE(printedAt("10/7  0 "));
    EXPECT_TRUE(printedAt("10/12 0.000"));
    EXPECT_FALSE(printedAt("11/7  1 "));
}

TEST_F(RacePrintoutsTest, EveryFailureShowsTheOneMessage) {
    surface.failBegin("no paper");
    EXPECT_FALSE(printouts.PrintSummary(true));
    EXPECT_FALSE(printouts.PrintLaps());
    surface.failBegin("");
    surface.failEnd("jammed");
    EXPECT_FALSE(printouts.PrintLaps());
    EXPECT_EQ(prompter.messageTexts(),
              (std::vector<std::string>{kPrintProblem, kPrintProblem, kPrintProblem}));
    EXPECT_FALSE(surface.isActive());
}

TEST_F(RacePrintoutsTest, APrintoutKeptAsAFileSaysWhereItWent) {
    surface.setPrintsToFile(true);
    ASSERT_TRUE(printouts.PrintLaps());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "There is no printer, so the printout was saved as /stats/Laps Mar-05, 20-15.pdf.");
    // After a heat nobody answers a box: the board's status line tells.
    heats.racerCount = 4;
    printouts.autoPrint();
    EXPECT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(race.board.recordsNotice,
              "No printer: the printout is in /stats/Summary Mar-05, 20-15.pdf");
}

}  // namespace
}  // namespace qel
