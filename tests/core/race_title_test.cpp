// The board's title, race description and menus for each race set-up, with
// the Options and header choices of a fresh installation.
#include "core/engine/race_title.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/engine/board_headers.h"
#include "core/setup/options_file.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

// The default Options: a Formula 1 start after 3 seconds, 2 seconds minimum lap.
constexpr const char* kFormula1Title =
    "Qe Timer - 3 seconds delay before Formula 1 start - 2 seconds minimum lap time";

class RaceTitleTest : public ::testing::Test {
  protected:
    RaceTitleTest() {
        fs::copy(fs::path(QEL_SOURCE_DIR) / "data" / "QelDat", folder.path() / "QelDat",
                 fs::copy_options::recursive);
        readOptionsFile(appFolder, options);
        state.laneCount = 4;
    }

    void set(int16_t format) { raceSettings.raceFormat = format; }
    void useStartMethod(StartMethod method) {
        options.instantStart = method == StartMethod::Instant ? -1 : 0;
        options.dragStart = method == StartMethod::DragRacing ? -1 : 0;
        options.formula1Start = method == StartMethod::Formula1 ? -1 : 0;
    }

    test::TempFolder folder;
    AppFolder appFolder{folder.path()};
    RaceState state;
    HeatTables heats;
    RaceBoard board;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    RaceSetup setup{raceSettings, options};
    int clockRefreshes = 0;
    RaceTitle title{appFolder, state, heats, board, setup, [this] { ++clockRefreshes; }};
};

TEST_F(RaceTitleTest, EachFormatHasItsTitleAndMenus) {
    struct Case {
        int16_t format;
        int16_t currentHeat;
        int16_t heatCount;
        const char* raceTitle;
        const char* windowTitle;
        bool heatMenus;     // race results and rotation sequence
        bool summaryHeats;  // the summary's heat view
    };
    raceSettings.raceLaps = 10;
    raceSettings.raceMinutes = 1;
    const Case cases[] = {
        {kPractice, 1, 0, "Practice", "Qe Timer - Practice", false, false},
        {kPracticeWithRotation, 1, 4, "Practice / Rotation", "Qe Timer - Practice with Rotation",
         true, false},
        {kLapRace, 1, 0, "10 Lap Race", kFormula1Title, false, false},
        {kTimedRace, 1, 0, "1 Minute Race", kFormula1Title, false, false},
        {kChampionship, 1, 3, "Championship #1/3", kFormula1Title, true, true},
        {kRoundRobin, 2, 5, "Round Robin #2/5", kFormula1Title, true, true},
        {kRotationRace, 3, 4, "Rotation #3/4", kFormula1Title, true, true},
        {kRoundRobinLapHeats, 4, 4, "Round Robin #4/4", kFormula1Title, true, true},
        {kRotationRaceLapHeats, 1, 8, "Rotation #1/8", kFormula1Title, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raceTitle);
        set(c.format);
        heats.currentHeat = c.currentHeat;
        heats.heatCount = c.heatCount;
        board.windowTitle.clear();
        title.UpdateRaceTitle();

        EXPECT_EQ(state.raceTitle, c.raceTitle);
        EXPECT_EQ(board.raceDescription, c.raceTitle);
        EXPECT_EQ(board.windowTitle, c.windowTitle);
        EXPECT_EQ(board.menu.raceResults, c.heatMenus);
        EXPECT_EQ(board.menu.rotationSequence, c.heatMenus);
        EXPECT_EQ(board.menu.summaryRaceResults, c.summaryHeats);
    }
    EXPECT_EQ(clockRefreshes, 9);
}

TEST_F(RaceTitleTest, RaceLengthIsWrittenAsTheListShowsIt) {
    set(kTimedRace);
    raceSettings.raceMinutes = 2.5f;
    title.UpdateRaceTitle();
    EXPECT_EQ(state.raceTitle, "2.5 Minute Race");

    set(kLapRace);
    raceSettings.raceLaps = 250;
    title.UpdateRaceTitle();
    EXPECT_EQ(state.raceTitle, "250 Lap Race");
}

TEST_F(RaceTitleTest, DemoModeSaysSoInTheDescription) {
    raceSettings.demoMode = 1;
    set(kLapRace);
    raceSettings.raceLaps = 10;
    title.UpdateRaceTitle();
    EXPECT_EQ(state.raceTitle, "Demo - 10 Lap Race");
    EXPECT_EQ(board.raceDescription, "Demo - 10 Lap Race");

    title.UpdateRaceTitle();  // once only, however often the title is rebuilt
    EXPECT_EQ(board.raceDescription, "Demo - 10 Lap Race");
}

TEST_F(RaceTitleTest, WindowTitleNamesTheStartAndTheMinimumLap) {
    set(kLapRace);
    useStartMethod(StartMethod::Instant);
    title.UpdateRaceTitle();
    EXPECT_EQ(board.windowTitle, "Qe Timer -  Instant Start - 2 seconds minimum lap time");

    useStartMethod(StartMethod::DragRacing);
    options.startDelayIndex = 5;
    options.minLapTimeIndex = 9;
    title.UpdateRaceTitle();
    EXPECT_EQ(board.windowTitle,
              "Qe Timer - 5 seconds delay before DragRacing Start - 2.25 seconds minimum lap time");
    // The race itself counts with the values the title names.
    EXPECT_EQ(setup.startDelay(), 5);
    EXPECT_FLOAT_EQ(setup.minLapTime(), 2.25f);
}

// An options file with more than one start marked races with the last one
// marked; the title must name that start, not another.
TEST_F(RaceTitleTest, WindowTitleNamesTheStartTheRaceWillUse) {
    set(kLapRace);
    options.instantStart = -1;
    options.formula1Start = -1;
    ASSERT_EQ(startMethodOf(options), StartMethod::Formula1);
    title.UpdateRaceTitle();
    EXPECT_EQ(board.windowTitle, kFormula1Title);
}

TEST_F(RaceTitleTest, HeadersComeBackFromTheStoredChoice) {
    struct Case {
        bool practice;
        const char* storedLag;
        const char* shownLag;
    };
    for (const Case& c :
         {Case{true, "Lag Behind", "Median"}, Case{true, "Lag First", "Median"},
          Case{true, "Best Lap", "Best Lap"}, Case{true, "Median", "Median"},
          Case{false, "Lag Behind", "Lag Behind"}, Case{false, "Lag First", "Lag First"}}) {
        SCOPED_TRACE(std::string(c.storedLag) + (c.practice ? " in practice" : " in a race"));
        writeRaceLagFile(appFolder, {c.storedLag, "MPH", 0});
        set(c.practice ? kPractice : kLapRace);
        board.lagHeader = "something else";
        title.UpdateRaceTitle();
        EXPECT_EQ(board.lagHeader, c.shownLag);
        EXPECT_EQ(board.bestHeader, "MPH");
        EXPECT_EQ(state.lagCaption, c.storedLag);
    }
}

TEST_F(RaceTitleTest, MissingHeaderFileKeepsTheHeadersShown) {
    fs::remove(folder.path() / "QelDat" / "RaceLag.dat");
    set(kLapRace);
    board.lagHeader = "Lag First";
    board.bestHeader = "Median";
    EXPECT_NO_THROW(title.UpdateRaceTitle());
    EXPECT_EQ(board.lagHeader, "Lag First");
    EXPECT_EQ(board.bestHeader, "Median");
}

}  // namespace
}  // namespace qel
