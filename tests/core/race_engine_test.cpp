// The race engine's start-up, closing and timing-box watch, on a copy of the
// default application folder (or none at all) with a timing box on the bench.
#include "core/engine/race_engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine/board_headers.h"
#include "core/heats/race_format_settings.h"
#include "core/io/data_folder.h"
#include "core/seams/virtual_time.h"
#include "core/state/app_state.h"
#include "support/fake_timing_port.h"
#include "support/recording_sound_device.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

class RaceEngineTest : public ::testing::Test {
  protected:
    // The default data files; a test may change them before load().
    void withDefaultData() {
        fs::copy(fs::path(QEL_SOURCE_DIR) / "data" / "QelDat", folder.path() / "QelDat",
                 fs::copy_options::recursive);
        fs::create_directories(folder.path() / "QelSound");
    }
    void withRaceFormatFile(int16_t demoMode, int16_t raceFormat = kPractice) {
        RaceFormatSettings settings;
        applyRaceFormatDefaults(settings, 4);
        settings.demoMode = demoMode;
        settings.raceFormat = raceFormat;
        WriteRaceFormatFile(raceFormatFilePath(appFolder), settings);
    }
    void load(const StartUpHooks& hooks = {}) {
        engine.Form_Load(hooks);
        prompter.clear();
    }
    // A race under way on the box, started by the Start button.
    void startRealRace() {
        engine.state().demoMode = 0;
        port.setOnWrite([this](std::string_view bytes) {
            if (bytes == "V") port.feed("QELBOX 2.1\r\n");
        });
        engine.control().cmdStart_Click();
        ASSERT_EQ(engine.board().startState, StartState::Pause);
    }

    test::TempFolder folder;
    AppFolder appFolder{folder.path()};
    test::FakeTimingPort port;
    VirtualScheduler time{46000.5};
    test::ScriptedRandom random;
    test::ScriptedPrompter prompter;
    test::RecordingSoundDevice device;
    std::unique_ptr<AppState> app = makeAppState();
    RaceEngine engine{*app, {appFolder, port, time, time, random, prompter, device}};
};

// --- Start-up ----------------------------------------------------------------

TEST_F(RaceEngineTest, LoadSetsUpTheBoardFromTheDefaultFolder) {
    withDefaultData();
    withRaceFormatFile(1, kLapRace);
    load();

    const RaceState& s = engine.state();
    const RaceBoard& b = engine.board();
    EXPECT_TRUE(engine.formReady());
    // Whatever was raced last, the program opens on practice.
    EXPECT_EQ(s.raceFormat, kPractice);
    EXPECT_TRUE(s.practiceMode);
    EXPECT_EQ(s.laneCount, 4);
    EXPECT_EQ(b.startState, StartState::Start);
    EXPECT_EQ(b.raceDescription, "Demo - Practice");
    EXPECT_EQ(b.windowTitle, "Qe Timer - Practice");
    EXPECT_EQ(b.rows[1].name.text, "Anna Fenwright ");
    EXPECT_EQ(b.rows[4].name.text, "Dario Moss ");
    EXPECT_TRUE(b.rows[4].visible);
    EXPECT_FALSE(b.rows[5].visible);
    EXPECT_EQ(b.nameLists[1].entries.back(), "Empty");
    EXPECT_EQ(b.bestHeader, "Best Lap");
    EXPECT_EQ(app->heats.currentHeat, 1);
    EXPECT_FALSE(s.lapsUnsaved);
    EXPECT_FALSE(s.summaryUnsaved);
    // Demo mode opens the port without asking, and sends no race command.
    EXPECT_EQ(port.openedPorts(), std::vector<int>{1});
    EXPECT_EQ(port.written(), "A4\nC0\nD1\n");
}

TEST_F(RaceEngineTest, FirstStartCreatesTheRaceFormatFileInDemoMode) {
    withDefaultData();
    load();

    EXPECT_TRUE(fs::exists(raceFormatFilePath(appFolder)));
    EXPECT_EQ(engine.state().demoMode, 1);
    EXPECT_EQ(app->raceSettings.demoMode, 1);
}

TEST_F(RaceEngineTest, RealModeLoadReadiesTheBox) {
    withDefaultData();
    withRaceFormatFile(0);
    load();

    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(port.written(), "A4\nC0\nD1\n\rP");
}

TEST_F(RaceEngineTest, PortThatWillNotOpenAnsweredNoRacesInDemoMode) {
    withDefaultData();
    withRaceFormatFile(0);
    port.failOpens("There is no serial port 1.");
    prompter.answer(MessageAnswer::No);
    int portListsOpened = 0;
    engine.Form_Load({[&] { ++portListsOpened; }});

    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages()[0].title, "Com Port");
    EXPECT_EQ(engine.state().demoMode, 1);
    EXPECT_EQ(app->raceSettings.demoMode, 1);
    EXPECT_EQ(portListsOpened, 0);
    EXPECT_TRUE(engine.formReady());
}

TEST_F(RaceEngineTest, PortThatWillNotOpenAnsweredYesOpensThePortList) {
    withDefaultData();
    withRaceFormatFile(0);
    port.failOpens("There is no serial port 1.");
    prompter.answer(MessageAnswer::Yes);
    int portListsOpened = 0;
    engine.Form_Load({[&] { ++portListsOpened; }});

    EXPECT_EQ(portListsOpened, 1);
    EXPECT_EQ(engine.state().demoMode, 0);
    EXPECT_TRUE(engine.formReady());
}

TEST_F(RaceEngineTest, LoadWithEveryDataFileMissingLeavesTheProgramUsable) {
    EXPECT_NO_THROW(engine.Form_Load());

    EXPECT_TRUE(engine.formReady());
    EXPECT_EQ(engine.board().startState, StartState::Start);
    EXPECT_TRUE(engine.board().startEnabled);
    EXPECT_FALSE(engine.board().busy);
    EXPECT_EQ(engine.state().raceFormat, kPractice);
    EXPECT_NO_THROW(engine.control().cmdStart_Click());
    EXPECT_EQ(engine.board().startState, StartState::Pause);
}

TEST_F(RaceEngineTest, DamagedFileDoesNotStopTheStepsAfterIt) {
    withDefaultData();
    folder.write("QelDat/QelOptions.dat", "damaged\r\n");
    load();

    EXPECT_TRUE(engine.formReady());
    EXPECT_EQ(engine.board().rows[2].name.text, "Bruno Kettleby ");
    EXPECT_EQ(app->heats.pointsForPlace[1], 10);
    EXPECT_EQ(engine.state().demoMode, 1);
}

TEST_F(RaceEngineTest, MissingLaneNamesAreReportedOnceAtStartUp) {
    withDefaultData();
    fs::remove(folder.path() / "QelDat" / "Racers.dat");
    engine.Form_Load();

    int told = 0;
    for (const auto& message : prompter.messages())
        told += message.text.find("Racers.dat") != std::string::npos;
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(engine.formReady());
}

// --- Closing -----------------------------------------------------------------

TEST_F(RaceEngineTest, ExitFromPracticeAsksNothing) {
    withDefaultData();
    load();
    engine.state().lapsUnsaved = engine.state().summaryUnsaved = true;

    EXPECT_TRUE(engine.mnuExit_Click());
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_FALSE(port.isOpen());
}

TEST_F(RaceEngineTest, ExitWithAnUnsavedRaceAsksFirst) {
    withDefaultData();
    load();
    RaceState& s = engine.state();
    s.raceFormat = kLapRace;
    s.practiceMode = false;
    s.lapsUnsaved = s.summaryUnsaved = true;

    prompter.answer(MessageAnswer::No);
    EXPECT_FALSE(engine.mnuExit_Click());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Summary & Lap files have not been saved.\r\nDo you want to exit?");
    EXPECT_TRUE(port.isOpen());

    prompter.answer(MessageAnswer::Yes);
    EXPECT_TRUE(engine.mnuExit_Click());
    EXPECT_FALSE(port.isOpen());
}

TEST_F(RaceEngineTest, UnloadStoresTheHeadersShown) {
    withDefaultData();
    load();
    struct Case {
        const char* lag;
        const char* best;
        const char* storedLag;
        const char* storedBest;
    };
    for (const Case& c :
         {Case{"Median", "MPH", "Median", "MPH"}, Case{"", "", "Lag First", "Best Lap"}}) {
        SCOPED_TRACE(c.storedLag);
        engine.board().lagHeader = c.lag;
        engine.board().bestHeader = c.best;
        engine.Form_Unload();

        const HeaderChoice stored = readRaceLagFile(appFolder);
        EXPECT_EQ(stored.lagCaption, c.storedLag);
        EXPECT_EQ(stored.bestLapCaption, c.storedBest);
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(engine.raceTick().enabled());
    }
}

// --- The timing-box watch ----------------------------------------------------

TEST_F(RaceEngineTest, UnpluggedBoxShowsOnTheStatusLine) {
    withDefaultData();
    load();
    startRealRace();
    port.feed("100\r");
    time.advance(100);
    EXPECT_EQ(engine.board().statusText, "");

    port.unplug();
    time.advance(100);
    const std::string& status = engine.board().statusText;
    EXPECT_TRUE(status.starts_with("Timing box disconnected")) << status;
    EXPECT_NE(status.find("The timing box was unplugged"), std::string::npos) << status;
    EXPECT_TRUE(status.ends_with("Laps counted so far are kept.")) << status;
    time.advance(5000);
    EXPECT_TRUE(engine.board().statusText.starts_with("Timing box disconnected"));
    EXPECT_EQ(engine.state().elapsedMs, 100);
}

// The port's reason is a sentence of its own; the status line must still read
// as sentences, not "unplugged.. Laps".
TEST_F(RaceEngineTest, DisconnectReasonReadsAsWholeSentences) {
    withDefaultData();
    load();
    startRealRace();
    time.advance(100);
    port.unplug();
    time.advance(100);

    ASSERT_NE(engine.board().statusText, "");
    EXPECT_EQ(engine.board().statusText.find(".."), std::string::npos) << engine.board().statusText;
}

TEST_F(RaceEngineTest, SilentBoxShowsAfterThreeSecondsAndClearsWhenItReports) {
    withDefaultData();
    load();
    startRealRace();
    time.advance(2900);
    EXPECT_EQ(engine.board().statusText, "");
    time.advance(100);
    EXPECT_EQ(engine.board().statusText, "Timing box not answering: no time report for 3 seconds.");

    port.feed("3000\r");
    time.advance(100);
    EXPECT_EQ(engine.board().statusText, "");
}

// Minutes at the idle board are no silence of the box: the three seconds
// count from the green light.
TEST_F(RaceEngineTest, SilenceCountsFromTheRaceStart) {
    withDefaultData();
    load();
    time.advance(60000);
    startRealRace();
    time.advance(100);

    EXPECT_EQ(engine.board().statusText, "");
}

TEST_F(RaceEngineTest, DemoRaceShowsNoBoxTrouble) {
    withDefaultData();
    load();
    engine.control().cmdStart_Click();
    port.unplug();
    time.advance(5000);

    EXPECT_EQ(engine.board().statusText, "");
}

}  // namespace
}  // namespace qel
