// What the race director does on the board itself, and the pointer and tip
// that tell where a click does something.
#include "core/engine/board_clicks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/engine/board_headers.h"
#include "core/engine/board_pointers.h"
#include "core/seams/virtual_time.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

// Four lanes over the default data files; the board idle in practice.
class BoardClicksTest : public ::testing::Test {
  protected:
    BoardClicksTest() {
        fs::copy(fs::path(QEL_SOURCE_DIR) / "data" / "QelDat", folder.path() / "QelDat",
                 fs::copy_options::recursive);
        state.laneCount = 4;
        raceSettings.raceFormat = kPractice;
        options.firstLapIndex = 0;  // races begin with lap 0
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            state.bestLapMs[lane] = kNoBestLap;
            state.runningOrder[lane] = static_cast<int16_t>(lane);
            state.lapCount[lane] = -1;
        }
    }

    void race() { raceSettings.raceFormat = kLapRace; }
    HeaderChoice stored() const { return readRaceLagFile(appFolder); }

    test::TempFolder folder;
    AppFolder appFolder{folder.path()};
    RaceState state;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    RaceSetup setup{raceSettings, options};
    HeatTables heats;
    RaceBoard board;
    InstallationSettings installation;
    VirtualScheduler time;
    std::unique_ptr<Timer> raceTick = time.createTimer();
    test::ScriptedPrompter prompter;
    RaceScreen screen{state, setup, heats, board};
    LaneNames names{appFolder, state, setup, heats, board, installation, prompter};
    BoardClicks clicks{appFolder, state, setup, board, screen, *raceTick, names, prompter};
};

// --- Headers -----------------------------------------------------------------

TEST_F(BoardClicksTest, LagHeaderStepsAndIsStoredAtOnce) {
    race();
    board.lagHeader = "Lag Behind";
    board.bestHeader = "MPH";
    state.timeIncrementIndex = 2;
    for (const char* next : {"Lag First", "Median", "Lag Behind"}) {
        clicks.lblLag_Click();
        EXPECT_EQ(board.lagHeader, next);
        EXPECT_EQ(state.lagCaption, next);
        EXPECT_EQ(stored().lagCaption, next);
        EXPECT_EQ(stored().bestLapCaption, "MPH");
        EXPECT_EQ(stored().timeIncrementIndex, 2);
    }

    raceSettings.raceFormat = kPractice;
    board.lagHeader = "Median";
    clicks.lblLag_Click();
    EXPECT_EQ(stored().lagCaption, "Best Lap");
    clicks.lblLag_Click();
    EXPECT_EQ(stored().lagCaption, "Median");
}

TEST_F(BoardClicksTest, BestLapHeaderStepsAndIsStoredAtOnce) {
    race();
    board.lagHeader = "Lag First";
    for (const char* next : {"MPH", "Median", "Best Lap"}) {
        clicks.lblBestLap_Click();
        EXPECT_EQ(board.bestHeader, next);
        EXPECT_EQ(stored().bestLapCaption, next);
        EXPECT_EQ(stored().lagCaption, "Lag First");
    }
}

TEST_F(BoardClicksTest, HeaderClickRedrawsOnlyABoardThatIsRacing) {
    state.bestLapMs[1] = 4321;
    state.lapCount[1] = 3;
    board.lagHeader = "Median";
    clicks.lblLag_Click();  // to "Best Lap" on an idle board
    EXPECT_EQ(board.rows[1].lagTime.text, "");

    board.startState = StartState::Pause;
    clicks.lblLag_Click();  // "Median"
    clicks.lblLag_Click();  // "Best Lap"
    EXPECT_EQ(board.rows[1].lagTime.text, " 4.321");
}

TEST_F(BoardClicksTest, HeaderFileThatCannotBeWrittenIsShown) {
    fs::remove_all(folder.path() / "QelDat");
    folder.write("QelDat", "a file where the folder should be");
    board.lagHeader = "Lag Behind";
    race();
    clicks.lblLag_Click();

    EXPECT_EQ(board.lagHeader, "Lag First");
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(BoardClicksTest, LapHeaderTogglesOnlyForHeatsThatTotalLaps) {
    raceSettings.raceFormat = kRoundRobin;
    clicks.lblLapNumber_Click();
    EXPECT_EQ(board.lapHeader, "T-Laps");
    clicks.lblLapNumber_Click();
    EXPECT_EQ(board.lapHeader, "Lap");

    raceSettings.raceFormat = kChampionship;
    clicks.lblLapNumber_Click();
    EXPECT_EQ(board.lapHeader, "Lap");
}

TEST_F(BoardClicksTest, RaceFormatClickTogglesWithTheTrackName) {
    state.raceTitle = "10 Lap Race";
    state.trackName = "Club Raceway";
    board.raceDescription = state.raceTitle;
    clicks.lblRaceFormat_Click();
    EXPECT_EQ(board.raceDescription, "Club Raceway");
    clicks.lblRaceFormat_Click();
    EXPECT_EQ(board.raceDescription, "10 Lap Race");
}

// --- Clearing a best lap by hand ---------------------------------------------

TEST_F(BoardClicksTest, BestCellClearsTheLanesBestInPractice) {
    state.bestLapMs[2] = 4100;
    state.bestLapMs[3] = 4200;
    board.rows[2].best.text = " 4.100";
    clicks.lblBest_Click(2);

    EXPECT_EQ(state.bestLapMs[2], kNoBestLap);
    EXPECT_EQ(board.rows[2].best.text, "");
    EXPECT_EQ(state.bestLapMs[3], 4200);
}

TEST_F(BoardClicksTest, BestCellInARaceClearsOnlyWhileTheRaceRuns) {
    race();
    state.runningOrder[1] = 3;  // lane 3 leads
    state.bestLapMs[3] = 4200;
    board.rows[1].best.text = " 4.200";

    clicks.lblBest_Click(1);
    EXPECT_EQ(state.bestLapMs[3], 4200);
    EXPECT_EQ(board.rows[1].best.text, " 4.200");

    raceTick->setEnabled(true);
    for (const char* header : {"MPH", "Median"}) {
        board.bestHeader = header;
        clicks.lblBest_Click(1);
        EXPECT_EQ(state.bestLapMs[3], 4200) << header;
    }

    board.bestHeader = "Best Lap";
    clicks.lblBest_Click(1);
    EXPECT_EQ(state.bestLapMs[3], kNoBestLap);
    EXPECT_EQ(board.rows[1].best.text, "");
}

TEST_F(BoardClicksTest, GapCellClearsTheBestShownInItInPractice) {
    board.lagHeader = "Best Lap";
    state.bestLapMs[4] = 3900;
    board.rows[4].lagTime.text = " 3.900";
    clicks.lblLagTime_Click(4);

    EXPECT_EQ(state.bestLapMs[4], kNoBestLap);
    EXPECT_EQ(board.rows[4].lagTime.text, "");
}

// --- Font size ---------------------------------------------------------------

TEST_F(BoardClicksTest, FontSizeStaysWithinItsRange) {
    struct Case {
        int from;
        bool larger;
        int to;
    };
    for (const Case& c : {Case{28, false, 27}, Case{17, false, 16}, Case{16, false, 16},
                          Case{28, true, 29}, Case{58, true, 59}, Case{59, true, 59}}) {
        board.cellFontSize = c.from;
        if (c.larger) {
            clicks.IncreaseFontSize();
        } else {
            clicks.ReduceFontSize();
        }
        EXPECT_EQ(board.cellFontSize, c.to) << (c.larger ? "F9 at " : "F8 at ") << c.from;
    }
}

// --- Pointers and tips -------------------------------------------------------

TEST(BoardClicksPointers, HandAndTipWhereAClickActs) {
    RaceBoard board;
    const OptionsSettings options;

    struct Case {
        const char* name;
        BoardTarget target;
        int16_t format;
        bool sellsTime;
        BoardPointer pointer;
        std::optional<std::string> tip;
    };
    const std::vector<Case> cases{
        {"lag header in practice", BoardTarget::LagHeader, kPractice, false, BoardPointer::Hand,
         "Click to toggle between \"Best Lap\" & \"Median\""},
        {"lag header in a race", BoardTarget::LagHeader, kLapRace, false, BoardPointer::Hand,
         "Click to toggle between \"Lag Behind\", \"Lag First\" & \"Median\""},
        {"best header in practice", BoardTarget::BestHeader, kPractice, false, BoardPointer::Hand,
         "Click to toggle between \"Best Lap\", \"MPH\""},
        {"best header in a race", BoardTarget::BestHeader, kLapRace, false, BoardPointer::Hand,
         "Click to toggle between \"Best Lap\", \"MPH\" & \"Median\""},
        {"best header selling time", BoardTarget::BestHeader, kLapRace, true, BoardPointer::Hand,
         "Click to toggle between \"Best Lap\", \"MPH\", \"Median\" & \"Time Left\""},
        {"lap header in a lap race", BoardTarget::LapHeader, kLapRace, false, BoardPointer::Normal,
         std::nullopt},
        {"lap header in round robin", BoardTarget::LapHeader, kRoundRobin, false,
         BoardPointer::Hand, "Click to toggle between \"Lap\" & \"T-Laps\""},
        {"race format", BoardTarget::RaceFormat, kLapRace, false, BoardPointer::Hand,
         "Click to toggle between \"Race Format\" & \"Track Name\""},
        {"elsewhere", BoardTarget::Other, kLapRace, false, BoardPointer::Normal, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RaceState state;
        state.sellTimeEnabled = c.sellsTime ? 1 : 0;
        RaceFormatSettings raceSettings;
        raceSettings.raceFormat = c.format;
        const PointerChoice choice =
            pointerOver(c.target, 1, state, {raceSettings, options}, board, false);
        EXPECT_EQ(choice.pointer, c.pointer);
        EXPECT_EQ(choice.toolTip, c.tip);
    }
}

TEST(BoardClicksPointers, BestCellOffersAResetOnlyWhileTheRaceRuns) {
    RaceState state;
    const RaceFormatSettings raceSettings;
    const OptionsSettings options;
    const RaceSetup setup{raceSettings, options};
    RaceBoard board;
    board.rows[2].name.text = " Disabled";

    EXPECT_EQ(pointerOver(BoardTarget::BestCell, 1, state, setup, board, false).toolTip, "");
    const PointerChoice running = pointerOver(BoardTarget::BestCell, 1, state, setup, board, true);
    EXPECT_EQ(running.pointer, BoardPointer::Hand);
    EXPECT_EQ(running.toolTip, "Click to reset \"Best Lap\"");
    EXPECT_EQ(pointerOver(BoardTarget::BestCell, 2, state, setup, board, true).pointer,
              BoardPointer::Normal);
    board.bestHeader = "MPH";
    EXPECT_EQ(pointerOver(BoardTarget::BestCell, 1, state, setup, board, true).pointer,
              BoardPointer::Normal);
}

TEST(BoardClicksPointers, NameCellOffersTheRacerListOnlyOnAnIdleBoard) {
    RaceState state;
    state.laneDisabled[2] = 1;
    RaceFormatSettings raceSettings;
    raceSettings.raceFormat = kLapRace;
    const OptionsSettings options;
    const RaceSetup setup{raceSettings, options};
    RaceBoard board;

    const PointerChoice idle = pointerOver(BoardTarget::NameCell, 1, state, setup, board, false);
    EXPECT_EQ(idle.pointer, BoardPointer::Racer);
    EXPECT_EQ(idle.toolTip, "Click to select name, or go to Racers menu to add new names.");
    const PointerChoice disabled =
        pointerOver(BoardTarget::NameCell, 2, state, setup, board, false);
    EXPECT_EQ(disabled.pointer, BoardPointer::Normal);
    EXPECT_EQ(disabled.toolTip, "To enable, go to \"Settings\" menu");

    board.startState = StartState::Pause;
    const PointerChoice racing = pointerOver(BoardTarget::NameCell, 1, state, setup, board, true);
    EXPECT_EQ(racing.pointer, BoardPointer::Unchanged);
    EXPECT_EQ(racing.toolTip, std::nullopt);

    board.startState = StartState::Start;
    raceSettings.raceFormat = kRoundRobin;  // the heats fill the lanes
    const PointerChoice heats = pointerOver(BoardTarget::NameCell, 1, state, setup, board, false);
    EXPECT_EQ(heats.pointer, BoardPointer::Unchanged);
    EXPECT_EQ(heats.toolTip, "");
}

}  // namespace
}  // namespace qel
