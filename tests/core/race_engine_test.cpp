// The race engine's start-up, closing and timing-box watch, on a copy of the
// default application folder (or none at all) with a timing box on the bench.
#include "core/engine/race_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/engine/board_headers.h"
#include "core/heats/race_format_settings.h"
#include "core/io/data_folder.h"
#include "core/io/text_file.h"
#include "core/seams/virtual_time.h"
#include "core/setup/installation_file.h"
#include "core/setup/options_file.h"
#include "core/setup/roster.h"
#include "core/sound/sound_table_file.h"
#include "support/fake_timing_port.h"
#include "support/race_setup.h"
#include "support/recording_sound_device.h"
#include "support/recording_windows.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

class RaceEngineTest : public ::testing::Test {
  protected:
    RaceEngineTest() { engine.attachWindows(&windows); }

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
    // The main window's load; "Yes" to the port question counts a port list.
    void startUp() {
        engine.Form_Load({[this] { ++portListsOpened; }});
    }
    void load() {
        startUp();
        prompter.clear();
    }
    // A race under way on the box, started by the Start button.
    void startRealRace() {
        app->raceSettings.demoMode = 0;
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
    test::RecordingWindows windows;
    int portListsOpened = 0;
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
    EXPECT_EQ(engine.setup().raceFormat(), kPractice);
    EXPECT_TRUE(engine.setup().practiceMode());
    EXPECT_EQ(s.laneCount, 4);
    EXPECT_EQ(b.startState, StartState::Start);
    EXPECT_EQ(b.raceDescription, "Demo - Practice");
    EXPECT_EQ(b.windowTitle, "Qe Timer - Practice");
    EXPECT_EQ(b.rows[1].name.text, "Anna Fenwright ");
    EXPECT_EQ(b.rows[4].name.text, "Dario Moss ");
    EXPECT_TRUE(b.rows[4].visible);
    EXPECT_FALSE(b.rows[5].visible);
    EXPECT_EQ(b.nameLists[1].entries().back(), "Empty");
    EXPECT_EQ(b.bestHeader, "Best Lap");
    EXPECT_EQ(app->heats.currentHeat, 1);
    EXPECT_FALSE(s.lapsUnsaved);
    EXPECT_FALSE(s.summaryUnsaved);
    // Demo mode opens the port without asking, and sends no race command.
    EXPECT_EQ(port.openedPorts(), std::vector<int>{1});
    EXPECT_EQ(port.written(), "A4\nC0\nD1\n");
}

// The program opens on practice down the straight sequence, whatever was
// raced last; the race lengths, demo mode and heat options saved with the
// race format stay, so the next Race Format dialog offers them again.
TEST_F(RaceEngineTest, StartUpOpensOnPracticeButKeepsTheSavedLengthsAndHeatOptions) {
    withDefaultData();
    RaceFormatSettings saved;
    applyRaceFormatDefaults(saved, 4);
    saved.raceFormat = kRoundRobinLapHeats;
    saved.raceFormatName = "Round Robin Lap Heats";
    saved.heatRotation = -1;
    saved.sequenceOption = 1;  // European
    saved.raceLimitKind = "Number of Laps";
    saved.lapsListIndex = 24;
    saved.raceLaps = 25;
    saved.timeListIndex = 7;
    saved.raceMinutes = 2;
    saved.demoMode = 0;
    saved.autoDelay = 1;
    saved.autoPrint = 1;
    saved.autoDisplayResults = 1;
    WriteRaceFormatFile(raceFormatFilePath(appFolder), saved);
    load();

    const RaceFormatSettings& r = app->raceSettings;
    EXPECT_EQ(r.raceFormat, kPractice);
    EXPECT_EQ(r.raceFormatName, "Practice");
    EXPECT_EQ(r.heatRotation, 0);
    EXPECT_EQ(r.sequenceOption, 0);
    EXPECT_TRUE(engine.setup().practiceMode());
    EXPECT_FALSE(engine.setup().heatRotation());
    EXPECT_EQ(r.raceLimitKind, "Number of Laps");
    EXPECT_EQ(r.lapsListIndex, 24);
    EXPECT_EQ(r.raceLaps, 25);
    EXPECT_EQ(r.timeListIndex, 7);
    EXPECT_EQ(r.raceMinutes, 2);
    EXPECT_EQ(r.demoMode, 0);
    EXPECT_EQ(r.autoDelay, 1);
    EXPECT_EQ(r.autoPrint, 1);
    EXPECT_EQ(r.autoDisplayResults, 1);
    // In practice the heat options never act.
    EXPECT_FALSE(engine.setup().autoDelay());
    EXPECT_FALSE(engine.setup().autoPrint());
}

TEST_F(RaceEngineTest, FirstStartCreatesTheRaceFormatFileInDemoMode) {
    withDefaultData();
    load();

    EXPECT_TRUE(fs::exists(raceFormatFilePath(appFolder)));
    EXPECT_TRUE(engine.setup().demoMode());
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
    startUp();

    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages()[0].title, "Com Port");
    EXPECT_TRUE(engine.setup().demoMode());
    EXPECT_EQ(app->raceSettings.demoMode, 1);
    EXPECT_EQ(portListsOpened, 0);
    EXPECT_TRUE(engine.formReady());
}

TEST_F(RaceEngineTest, PortThatWillNotOpenAnsweredYesOpensThePortList) {
    withDefaultData();
    withRaceFormatFile(0);
    port.failOpens("There is no serial port 1.");
    prompter.answer(MessageAnswer::Yes);
    startUp();

    EXPECT_EQ(portListsOpened, 1);
    EXPECT_FALSE(engine.setup().demoMode());
    EXPECT_TRUE(engine.formReady());
}

TEST_F(RaceEngineTest, LoadWithEveryDataFileMissingLeavesTheProgramUsable) {
    EXPECT_NO_THROW(startUp());

    EXPECT_TRUE(engine.formReady());
    EXPECT_EQ(engine.board().startState, StartState::Start);
    EXPECT_TRUE(engine.board().startEnabled);
    EXPECT_FALSE(engine.board().busy);
    EXPECT_EQ(engine.setup().raceFormat(), kPractice);
    // The program's own installation: four lanes.
    EXPECT_EQ(engine.state().laneCount, 4);
    // Without a racers file no lane has a name yet: the start says so.
    prompter.clear();
    EXPECT_NO_THROW(engine.control().cmdStart_Click());
    EXPECT_EQ(prompter.messageTexts(), std::vector<std::string>{"Please select name for Lane 1"});
    EXPECT_EQ(engine.board().startState, StartState::Start);

    // Racers added (as the Add Racer window does), and one chosen from each
    // lane's list: practice starts.
    for (const char* racer : {"Anna Fenwright", "Bruno Kettleby", "Clara Juniper", "Dario Moss"})
        appendRosterName(appFolder, racer);
    LaneNames& names = engine.names();
    names.LoadRacerLists();
    for (int lane = 1; lane <= 4; ++lane) {
        names.lblName_Click(lane);
        const auto& entries = engine.board().nameLists[lane].entries();
        ASSERT_FALSE(entries.empty()) << lane;
        names.Select_Name_Click(lane, static_cast<int>(entries.size()) - 1);
    }
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
    EXPECT_TRUE(engine.setup().demoMode());
}

TEST_F(RaceEngineTest, MissingLaneNamesAreReportedOnceAtStartUp) {
    withDefaultData();
    fs::remove(folder.path() / "QelDat" / "Racers.dat");
    startUp();

    int told = 0;
    for (const auto& message : prompter.messages())
        told += message.text.find("Racers.dat") != std::string::npos;
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(engine.formReady());
}

// A settings file lost or damaged (a crash mid-save, a bad disk) must not
// leave the track unusable: the program's own defaults, which are exactly the
// files it ships with, are in force, and the status line says which file.
struct SettingsFileCase {
    const char* name;
    const char* file;  // below the application folder; nullptr: all intact
    bool damaged;      // cut short, as by a crash mid-save; otherwise missing
    const char* notice;
};

void PrintTo(const SettingsFileCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsFileAtStartUpTest : public RaceEngineTest,
                                  public ::testing::WithParamInterface<SettingsFileCase> {};

TEST_P(SettingsFileAtStartUpTest, LeavesTheDefaultsInForceAndSaysSo) {
    const SettingsFileCase& c = GetParam();
    test::layOutApplicationFolder(folder);
    if (c.file) {
        const fs::path path = folder.path() / c.file;
        ASSERT_TRUE(fs::exists(path));
        if (c.damaged) {
            const std::string bytes = readBinaryFile(path);
            folder.write(c.file, bytes.substr(0, bytes.size() / 2));
        } else {
            fs::remove(path);
        }
    }
    // Values no default has, so a file neither read nor replaced would show.
    app->installation.laneCount = 6;
    app->options.minLapTimeIndex = 20;
    app->sounds.lapSoundFile[0] = "left over.wav";
    startUp();

    EXPECT_TRUE(engine.formReady());
    EXPECT_EQ(engine.board().settingsNotice, c.notice);
    EXPECT_EQ(engine.state().laneCount, 4);
    EXPECT_TRUE(engine.board().rows[4].visible);
    EXPECT_FALSE(engine.board().rows[5].visible);
    EXPECT_EQ(installationFileText(app->installation), installationFileText(defaultInstallation()));
    EXPECT_EQ(optionsFileText(app->options), optionsFileText(defaultOptions()));
    EXPECT_FLOAT_EQ(engine.setup().minLapTime(), 2.0f);
    EXPECT_EQ(soundTableText(app->sounds), soundTableText(defaultSoundTable()));
}

INSTANTIATE_TEST_SUITE_P(
    RaceEngine, SettingsFileAtStartUpTest,
    ::testing::Values(SettingsFileCase{"AllIntact", nullptr, false, ""},
                      SettingsFileCase{"OptionsDamaged", "QelDat/QelOptions.dat", true,
                                       "QelOptions.dat was damaged; the defaults are in use."},
                      SettingsFileCase{"OptionsMissing", "QelDat/QelOptions.dat", false,
                                       "QelOptions.dat was missing; the defaults are in use."},
                      SettingsFileCase{"InstallationDamaged", "QelDat/QelInstallation.dat", true,
                                       "QelInstallation.dat was damaged; the defaults are in use."},
                      SettingsFileCase{"InstallationMissing", "QelDat/QelInstallation.dat", false,
                                       "QelInstallation.dat was missing; the defaults are in use."},
                      SettingsFileCase{"SoundsDamaged", "QelSound/QelSounds.dat", true,
                                       "QelSounds.dat was damaged; the defaults are in use."},
                      SettingsFileCase{"SoundsMissing", "QelSound/QelSounds.dat", false,
                                       "QelSounds.dat was missing; the defaults are in use."}),
    [](const ::testing::TestParamInfo<SettingsFileCase>& info) { return info.param.name; });

TEST_F(RaceEngineTest, EverySettingsFileLostIsNamedOnTheStatusLine) {
    test::layOutApplicationFolder(folder);
    fs::remove(folder.path() / "QelDat/QelInstallation.dat");
    folder.write("QelDat/QelOptions.dat", "3,0,8\r\n");
    fs::remove(folder.path() / "QelSound/QelSounds.dat");
    startUp();

    EXPECT_EQ(engine.board().settingsNotice,
              "QelInstallation.dat was missing; the defaults are in use.  "
              "QelOptions.dat was damaged; the defaults are in use.  "
              "QelSounds.dat was missing; the defaults are in use.");
    EXPECT_EQ(engine.state().laneCount, 4);
}

// --- The set-up in force -----------------------------------------------------

// The Race Format dialog's OK writes only the race format record; the next
// title, lap and finish read it with nothing to copy or apply.
TEST_F(RaceEngineTest, ARaceFormatChosenAfterStartUpIsTheRaceThatRuns) {
    test::layOutApplicationFolder(folder);
    load();
    ASSERT_TRUE(engine.setup().demoMode());
    test::chooseLapRace(*app, 10);
    test::useStartMethod(app->options, StartMethod::Instant);

    engine.title().UpdateRaceTitle();
    EXPECT_EQ(engine.board().raceDescription, "Demo - 10 Lap Race");
    engine.control().cmdStart_Click();
    for (int ms = 0; ms < 180000 && engine.board().startState == StartState::Pause; ms += 100)
        time.advance(100);

    const RaceState& s = engine.state();
    EXPECT_EQ(engine.board().startState, StartState::Reset);
    EXPECT_EQ(engine.board().banner, "Race Over");
    EXPECT_EQ(engine.board().flagPicture, kFlagCheckered);
    EXPECT_EQ(s.lapCount[s.runningOrder[1]], 10);
    for (int lane = 1; lane <= s.laneCount; ++lane)
        EXPECT_LE(s.lapCount[lane], 10) << lane;
    const std::vector<std::string> played = device.playedFiles();
    EXPECT_EQ(std::count(played.begin(), played.end(), "Checkered Flag.wav"), 1);
}

// A new minimum lap time in Options counts from the very next crossing.
TEST_F(RaceEngineTest, AMinimumLapTimeChangedMidRaceCountsAtTheNextCrossing) {
    withDefaultData();
    load();
    ASSERT_FLOAT_EQ(engine.setup().minLapTime(), 2.0f);
    startRealRace();
    // The box reports the time gone since its last report, then the lane.
    const auto crossAt = [&](int32_t raceMs) {
        port.feed(std::to_string(raceMs - engine.state().elapsedMs) + "\rA");
        time.advance(100);
        return engine.state().lapCount[1];
    };
    EXPECT_EQ(crossAt(1000), 0);  // the first crossing starts lap 1
    EXPECT_EQ(crossAt(2500), 0);  // 1.5 s: under the 2 s minimum
    EXPECT_EQ(crossAt(4000), 1);  // 3 s

    app->options.minLapTimeIndex = minLapTimePositionOf(1).value();
    EXPECT_EQ(crossAt(5500), 2);  // 1.5 s: over the new 1 s minimum

    app->options.minLapTimeIndex = minLapTimePositionOf(2).value();
    EXPECT_EQ(crossAt(7000), 2);  // 1.5 s: under 2 s again
}

// --- Composition faults ------------------------------------------------------

// The program must not start, or race, with a part of the main window left
// out: the start-up needs the port choice, and a start that needs the
// countdown needs the windows.
TEST_F(RaceEngineTest, StartUpWithoutThePortChoiceIsRefused) {
    withDefaultData();
    EXPECT_THROW(engine.Form_Load({}), std::logic_error);
    EXPECT_FALSE(engine.formReady());
    EXPECT_EQ(engine.state().laneCount, 0) << "refused before any file is read";
    EXPECT_FALSE(port.isOpen());
}

TEST_F(RaceEngineTest, AStartThatNeedsAWindowBeforeTheyAreAttachedIsRefused) {
    withDefaultData();
    engine.attachWindows(nullptr);
    load();
    ASSERT_FALSE(engine.windowsAttached());
    test::chooseLapRace(*app, 10);
    test::useStartMethod(app->options, StartMethod::Formula1, 3);

    EXPECT_THROW(engine.control().cmdStart_Click(), std::logic_error);
    EXPECT_FALSE(engine.raceTick().enabled());

    engine.attachWindows(&windows);
    EXPECT_TRUE(engine.windowsAttached());
}

// --- Closing -----------------------------------------------------------------

// Practice keeps nothing worth saving: whatever is unsaved, the exit asks nothing.
TEST_F(RaceEngineTest, ExitFromPracticeAsksNothing) {
    withDefaultData();
    load();
    for (const int16_t format : {kPractice, kPracticeWithRotation}) {
        SCOPED_TRACE(format);
        app->raceSettings.raceFormat = format;
        engine.state().lapsUnsaved = engine.state().summaryUnsaved = true;
        prompter.clear();
        ASSERT_TRUE(port.open(engine.state().commPort));

        EXPECT_TRUE(engine.mnuExit_Click());
        EXPECT_TRUE(prompter.messages().empty());
        EXPECT_FALSE(port.isOpen());
    }
}

TEST_F(RaceEngineTest, ExitWithAnUnsavedRaceAsksFirst) {
    withDefaultData();
    load();
    RaceState& s = engine.state();
    app->raceSettings.raceFormat = kLapRace;
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

// A pulled adapter mid-race: the race stops where it stands, the program
// looks for the box once a second without holding the race tick, and gives
// it its set-up again when it is back; the race goes on at Continue.
TEST_F(RaceEngineTest, LostBoxPausesTheRaceAndIsFoundAgain) {
    withDefaultData();
    load();
    startRealRace();
    port.feed("100\r");
    time.advance(100);
    EXPECT_EQ(engine.board().statusText, "");

    port.failOpens("No such device.");
    port.unplug();
    time.advance(100);
    const std::string& status = engine.board().statusText;
    EXPECT_TRUE(status.starts_with("Timing box lost on serial port 1 (")) << status;
    EXPECT_TRUE(
        status.ends_with("the race is paused until it is back. Laps counted so far are "
                         "kept."))
        << status;
    EXPECT_EQ(engine.board().startState, StartState::Continue);
    EXPECT_EQ(engine.board().banner, "Paused");
    EXPECT_TRUE(engine.board().menu.installation);
    EXPECT_TRUE(engine.raceTick().enabled());
    const std::size_t opensBefore = port.openedPorts().size();
    time.advance(5000);
    EXPECT_TRUE(engine.board().statusText.starts_with("Timing box lost"));
    EXPECT_EQ(engine.state().elapsedMs, 100);

    // Plugged back: found at the next look, told its set-up again.
    port.clearWritten();
    port.failOpens("");
    time.advance(1000);
    EXPECT_EQ(engine.board().statusText, "Timing box back");
    EXPECT_EQ(port.openedPorts().size(), opensBefore + 1);
    EXPECT_NE(port.written().find("A4"), std::string::npos) << port.written();
    time.advance(2000);
    EXPECT_EQ(engine.board().statusText, "Timing box back");
    EXPECT_EQ(engine.board().startState, StartState::Continue);
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
