// The Start and Abort buttons over the whole race engine: a fresh copy of the
// default application folder, a timing box on the bench, virtual time and a
// race director whose answers the test scripts.
#include "core/engine/race_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/io/data_folder.h"
#include "core/seams/virtual_time.h"
#include "support/engine_bench.h"
#include "support/fake_timing_port.h"
#include "support/race_setup.h"
#include "support/recording_sound_device.h"
#include "support/recording_windows.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

using test::RecordingWindows;

// One write to the box and the virtual time it went out at.
struct TimedWrite {
    std::string bytes;
    int64_t atMs;
    bool operator==(const TimedWrite&) const = default;
};

// The program as it stands after start-up on a fresh installation (4 lanes,
// demo mode, practice), with an instant start chosen in the Options.
class RaceControlTest : public ::testing::Test, protected test::EngineBench {
  protected:
    RaceControlTest() {
        test::layOutApplicationFolder(folder);
        engine.attachWindows(&windows);
        engine.Form_Load({[this] { ++portListsOpened; }});
        useStartMethod(StartMethod::Instant);
        prompter.clear();
        port.clearWritten();
        device.clearCalls();
        windows.calls.clear();
    }

    void useStartMethod(StartMethod method) { test::useStartMethod(app->options, method); }

    void lapRace(int laps) { test::chooseLapRace(*app, laps); }

    // The box on the bench answers the version query.
    void boxAnswersProbe() {
        port.setOnWrite([this](std::string_view bytes) {
            timedWrites.push_back({std::string(bytes), time.tickCountMs()});
            if (bytes == "V") port.feed("QELBOX 2.1\r\n");
        });
    }
    void realMode() { app->raceSettings.demoMode = 0; }

    void press() { engine.control().cmdStart_Click(); }
    std::string caption() { return startCaptionOf(engine.board().startState); }

    void setLaneRacers(const std::string& line) {
        folder.write("QelDat/Racers.dat", line + "\r\n");
        engine.names().LoadNames();
    }

    // The wave files played, in order, by their bare names.
    std::vector<std::string> playedSounds() const { return device.playedFiles(); }

    void expectMenus(bool enabled) {
        const MenuStates& menu = engine.board().menu;
        EXPECT_EQ(menu.file, enabled);
        EXPECT_EQ(menu.raceFormat, enabled);
        EXPECT_EQ(menu.racers, enabled);
        EXPECT_EQ(menu.help, enabled);
        EXPECT_EQ(menu.installation, enabled);
    }

    RecordingWindows windows;
    std::vector<TimedWrite> timedWrites;
    int portListsOpened = 0;
};

// --- Start -------------------------------------------------------------------

TEST_F(RaceControlTest, DemoStartLocksTheMenusAndGoesGreenAtOnce) {
    ASSERT_TRUE(engine.setup().demoMode());
    press();

    EXPECT_TRUE(engine.state().lapsUnsaved);
    EXPECT_TRUE(engine.state().summaryUnsaved);
    expectMenus(false);
    EXPECT_EQ(playedSounds(), std::vector<std::string>{"Go.wav"});
    EXPECT_EQ(engine.board().flagPicture, kFlagGreen);
    EXPECT_EQ(caption(), "Pause");
    EXPECT_TRUE(engine.raceTick().enabled());
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.written(), "");
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_FALSE(engine.board().busy);
}

TEST_F(RaceControlTest, RealModeWithAPortThatWillNotOpenDoesNotStart) {
    realMode();
    port.close();
    port.failOpens("There is no serial port 1.");
    press();

    EXPECT_EQ(prompter.messageTexts(), std::vector<std::string>{"Com Port Not Found"});
    EXPECT_EQ(caption(), "Start");
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_FALSE(engine.state().lapsUnsaved);
    EXPECT_FALSE(engine.board().busy);
    expectMenus(true);
}

// A box plugged in after start-up: the Start button opens its port and gives
// it the set-up before asking for its version, so the race is timed.
TEST_F(RaceControlTest, RealModeOpensAClosedPortAndSetsTheBoxUpBeforeTheProbe) {
    realMode();
    port.close();
    boxAnswersProbe();
    const int commPort = engine.state().commPort;
    press();

    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_TRUE(port.isOpen());
    ASSERT_FALSE(port.openedPorts().empty());
    EXPECT_EQ(port.openedPorts().back(), commPort);
    // Power off (no relay here), lane count, sensor type, D1, paused; then
    // the probe and the start.
    EXPECT_EQ(port.written(), "A4\nC0\nD1\n\rPPVS");
    EXPECT_EQ(caption(), "Pause");
    EXPECT_TRUE(engine.raceTick().enabled());
    EXPECT_EQ(portListsOpened, 0);
}

TEST_F(RaceControlTest, RealModeBoxSilentOnTheProbeDoesNotStart) {
    realMode();
    const int64_t before = time.tickCountMs();
    press();

    EXPECT_GE(time.tickCountMs() - before, 3000);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Kestrova Interface not found.\nVerify connections and Com port number in "
              "Installation Settings.");
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"P", "V"}));
    EXPECT_EQ(caption(), "Start");
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_FALSE(engine.board().busy);
    expectMenus(true);
}

TEST_F(RaceControlTest, RealModeBoxAnsweringTheProbeStartsTheRace) {
    realMode();
    bool busyWhileProbing = false;
    port.setOnWrite([&](std::string_view bytes) {
        if (bytes != "V") return;
        busyWhileProbing = engine.board().busy;
        port.feed("QELBOX 2.1\r\n");
    });
    press();

    EXPECT_TRUE(prompter.messages().empty());
    // The board shows the hourglass before the program holds for the answer.
    EXPECT_EQ(windows.calls.front(), "boardChanged");
    EXPECT_TRUE(busyWhileProbing);
    EXPECT_FALSE(engine.board().busy);
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"P", "V", "S"}));
    EXPECT_EQ(caption(), "Pause");
    EXPECT_TRUE(engine.raceTick().enabled());
}

TEST_F(RaceControlTest, LaneStillShowingSelectNameStopsTheStart) {
    engine.board().rows[2].name.text = " Select Name";
    press();

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Please select name for Lane 2");
    EXPECT_EQ(prompter.messages()[0].title, "Select Name");
    EXPECT_EQ(caption(), "Start");
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_TRUE(playedSounds().empty());
    expectMenus(true);
}

// --- The same racer in two lanes -------------------------------------------

TEST_F(RaceControlTest, SameNamesAnsweredNoKeepsTheTrackIdle) {
    lapRace(10);
    setLaneRacers(
        R"("Anna Fenwright","Bruno Kettleby","Anna Fenwright","Bruno Kettleby","","","","")");
    prompter.answer(MessageAnswer::No);
    press();

    ASSERT_EQ(prompter.messages().size(), 1u);
    const test::ShownMessage& shown = prompter.messages()[0];
    EXPECT_EQ(shown.text,
              "Warning, names in Lanes 1 and 3 are the same\r\nDo you want to continue race?");
    EXPECT_EQ(shown.title, "Same Names");
    EXPECT_EQ(shown.icon, MessageIcon::Question);
    EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    EXPECT_EQ(shown.defaultButton, DefaultButton::Second);
    EXPECT_EQ(caption(), "Start");
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_TRUE(playedSounds().empty());
    expectMenus(true);
}

// Enter on the question presses its default button, No: a hurried Enter
// never starts a race with one racer entered twice.
TEST_F(RaceControlTest, SameNamesAnsweredByEnterKeepsTheTrackIdle) {
    lapRace(10);
    setLaneRacers(
        R"("Anna Fenwright","Bruno Kettleby","Anna Fenwright","Bruno Kettleby","","","","")");
    press();  // no answer scripted: the default button

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Same Names");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompter.messages()[0].defaultButton, DefaultButton::Second);
    EXPECT_EQ(caption(), "Start");
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_NE(engine.board().flagPicture, kFlagGreen);
    EXPECT_TRUE(playedSounds().empty());
    EXPECT_EQ(windows.calls, std::vector<std::string>{"stopRotateDelay"});
    expectMenus(true);
}

TEST_F(RaceControlTest, SameNamesAnsweredYesAsksForEveryPairThenStarts) {
    lapRace(10);
    setLaneRacers(
        R"("Anna Fenwright","Bruno Kettleby","Anna Fenwright","Bruno Kettleby","","","","")");
    prompter.answer(MessageAnswer::Yes);
    prompter.answer(MessageAnswer::Yes);
    press();

    EXPECT_EQ(
        prompter.messageTexts(),
        (std::vector<std::string>{
            "Warning, names in Lanes 1 and 3 are the same\r\nDo you want to continue race?",
            "Warning, names in Lanes 2 and 4 are the same\r\nDo you want to continue race?"}));
    EXPECT_EQ(caption(), "Pause");
    EXPECT_TRUE(engine.raceTick().enabled());
}

TEST_F(RaceControlTest, PracticeDoesNotCompareNames) {
    setLaneRacers(R"("Anna Fenwright","Anna Fenwright","Anna Fenwright","","","","","")");
    press();

    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(caption(), "Pause");
}

// Lanes nobody drives are no racer's name: choosing "Empty" for two of them
// must not ask whether the same racer drives both.
TEST_F(RaceControlTest, LanesChosenEmptyAreNotTheSameName) {
    lapRace(10);
    LaneNames& names = engine.names();
    for (int lane : {3, 4}) {
        names.lblName_Click(lane);
        const auto& entries = engine.board().nameLists[lane].entries();
        names.Select_Name_Click(lane, static_cast<int>(entries.size()) - 1);  // "Empty"
    }
    prompter.clear();
    press();

    EXPECT_TRUE(prompter.messages().empty()) << prompter.messages().front().text;
    EXPECT_EQ(caption(), "Pause");
}

// --- How the race starts -----------------------------------------------------

struct StartCase {
    const char* name;
    int16_t format;
    StartMethod method;
    int16_t startDelay;
    int16_t currentHeat;
    std::vector<std::string> windows;  // empty: the instant start
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

class StartMethodTest : public RaceControlTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartMethodTest, ChoosesCountdownAndLights) {
    const StartCase& c = GetParam();
    app->raceSettings.raceFormat = c.format;
    test::useStartMethod(app->options, c.method, c.startDelay);
    app->heats.currentHeat = c.currentHeat;
    app->heats.heatCount = 4;

    engine.control().StartMethod();

    EXPECT_EQ(windows.startWindows(), c.windows);
    const bool instant = c.windows.empty();
    EXPECT_EQ(caption(), instant ? "Pause" : "Start");
    EXPECT_EQ(engine.raceTick().enabled(), instant);
}

INSTANTIATE_TEST_SUITE_P(
    RaceControl, StartMethodTest,
    ::testing::Values(
        StartCase{"PracticeIgnoresTheLights", kPractice, StartMethod::Formula1, 3, 1, {}},
        StartCase{"InstantLapRace", kLapRace, StartMethod::Instant, 3, 1, {}},
        StartCase{
            "LapRaceFormula1", kLapRace, StartMethod::Formula1, 3, 1, {"countdown", "formula1"}},
        StartCase{"TimedRaceDragTree",
                  kTimedRace,
                  StartMethod::DragRacing,
                  1,
                  1,
                  {"countdown", "dragTree"}},
        StartCase{"NoDelayNoCountdown", kLapRace, StartMethod::Formula1, 0, 1, {"formula1"}},
        StartCase{"FirstHeatCountsDown",
                  kChampionship,
                  StartMethod::Formula1,
                  3,
                  1,
                  {"countdown", "formula1"}},
        StartCase{
            "LaterHeatGoesToTheLights", kChampionship, StartMethod::Formula1, 3, 2, {"formula1"}},
        StartCase{"LaterLapHeatDragTree",
                  kRoundRobinLapHeats,
                  StartMethod::DragRacing,
                  5,
                  3,
                  {"dragTree"}}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return info.param.name; });

TEST_F(RaceControlTest, LightsComeOnlyOnceTheCountdownHasClosed) {
    lapRace(10);
    useStartMethod(StartMethod::Formula1);
    app->options.startDelayIndex = 3;
    windows.countdownClosesAtOnce = false;
    press();

    EXPECT_EQ(windows.startWindows(), std::vector<std::string>{"countdown"});
    EXPECT_EQ(engine.setup().startDelay(), 3);
    expectMenus(false);
    ASSERT_TRUE(windows.openCountdown);
    windows.openCountdown();
    EXPECT_EQ(windows.startWindows(), (std::vector<std::string>{"countdown", "formula1"}));
}

// --- Pause, Continue, Abort --------------------------------------------------

TEST_F(RaceControlTest, DemoPauseShowsTheYellowFlagAndStopsTheClock) {
    press();
    time.advance(5000);
    device.clearCalls();
    press();

    const RaceBoard& b = engine.board();
    EXPECT_EQ(caption(), "Continue");
    EXPECT_EQ(b.banner, "Paused");
    EXPECT_EQ(b.bannerColor, 65535);
    EXPECT_TRUE(b.bannerVisible);
    EXPECT_EQ(b.flagPicture, kFlagYellow);
    EXPECT_EQ(playedSounds(), std::vector<std::string>{"Yellow Flag.wav"});
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_TRUE(b.abortEnabled);
    EXPECT_FALSE(b.busy);
    EXPECT_EQ(port.written(), "");

    const int32_t pausedAt = engine.state().elapsedMs;
    time.advance(5000);
    EXPECT_EQ(engine.state().elapsedMs, pausedAt);
}

TEST_F(RaceControlTest, RealPauseCutsThePowerAndStopsTheBoxAfterTheCoast) {
    realMode();
    app->installation.relayIndex = kRelayNormallyClosed;
    boxAnswersProbe();
    press();
    ASSERT_EQ(caption(), "Pause");
    timedWrites.clear();
    windows.calls.clear();
    const int64_t pausedAt = time.tickCountMs();
    const int32_t coast = engine.setup().coastTimeMs();
    ASSERT_EQ(coast, 2000);
    press();

    EXPECT_EQ(timedWrites, (std::vector<TimedWrite>{{"R", pausedAt}, {"P", pausedAt + coast}}));
    // The board showed the pause before the program held for the coast.
    EXPECT_EQ(windows.calls, std::vector<std::string>{"boardChanged"});
    EXPECT_EQ(caption(), "Continue");
    EXPECT_TRUE(engine.board().abortEnabled);
    // The box's last reports are read by the race tick, which keeps running.
    EXPECT_TRUE(engine.raceTick().enabled());
}

TEST_F(RaceControlTest, ContinueStartsAgainWhereTheRaceStood) {
    press();
    time.advance(9000);
    press();  // pause
    const RaceState& s = engine.state();
    const int32_t elapsed = s.elapsedMs;
    const auto laps = s.lapCount;
    ASSERT_GT(laps[1], engine.setup().firstLapOffset());
    device.clearCalls();
    press();  // continue

    EXPECT_EQ(caption(), "Pause");
    EXPECT_EQ(playedSounds(), std::vector<std::string>{"Go.wav"});
    EXPECT_EQ(engine.board().flagPicture, kFlagGreen);
    EXPECT_FALSE(engine.board().bannerVisible);
    EXPECT_FALSE(engine.board().abortEnabled);
    EXPECT_TRUE(engine.raceTick().enabled());
    EXPECT_EQ(s.elapsedMs, elapsed);
    EXPECT_EQ(s.lapCount, laps);
    expectMenus(false);
}

TEST_F(RaceControlTest, ContinueWithoutARaceLengthAsksForOne) {
    press();
    press();  // pause
    app->raceSettings.lapsListIndex = -1;
    app->raceSettings.timeListIndex = -1;
    windows.calls.clear();
    press();

    EXPECT_EQ(prompter.messageTexts(), std::vector<std::string>{"Please select Time or Laps "});
    EXPECT_EQ(windows.calls, std::vector<std::string>{"raceFormatForLength"});
    EXPECT_EQ(caption(), "Continue");
    EXPECT_FALSE(engine.raceTick().enabled());
}

TEST_F(RaceControlTest, AbortAnsweredNoChangesNothing) {
    press();
    time.advance(6000);
    press();  // pause
    const int32_t elapsed = engine.state().elapsedMs;
    prompter.answer(MessageAnswer::No);
    engine.control().cmdAbort_Click();

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Are you sure you want to abort?\r\nAll Data will be lost");
    EXPECT_EQ(prompter.messages()[0].title, "Abort");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(caption(), "Continue");
    EXPECT_EQ(engine.board().flagPicture, kFlagYellow);
    EXPECT_TRUE(engine.board().abortEnabled);
    EXPECT_TRUE(engine.state().lapsUnsaved);
    EXPECT_TRUE(engine.state().summaryUnsaved);
    EXPECT_EQ(engine.state().elapsedMs, elapsed);
}

TEST_F(RaceControlTest, AbortAnsweredYesReturnsTheTrackToStart) {
    realMode();
    boxAnswersProbe();
    press();
    press();  // pause
    prompter.answer(MessageAnswer::Yes);
    engine.control().cmdAbort_Click();

    EXPECT_EQ(caption(), "Start");
    EXPECT_EQ(engine.board().flagPicture, kFlagIdle);
    EXPECT_FALSE(engine.state().lapsUnsaved);
    EXPECT_FALSE(engine.state().summaryUnsaved);
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_FALSE(engine.board().abortEnabled);
    EXPECT_FALSE(engine.board().bannerVisible);
    EXPECT_EQ(engine.state().elapsedMs, 0);
    expectMenus(true);
}

// --- A whole race, and the Reset after it -----------------------------------

class RaceControlAfterRaceTest : public RaceControlTest {
  protected:
    RaceControlAfterRaceTest() {
        lapRace(10);
        press();
        for (int ms = 0; ms < 180000 && caption() == "Pause"; ms += 100)
            time.advance(100);
        prompter.clear();
    }
};

TEST_F(RaceControlAfterRaceTest, DemoLapRaceRunsToRaceOver) {
    const RaceState& s = engine.state();
    EXPECT_EQ(caption(), "Reset");
    EXPECT_EQ(engine.board().banner, "Race Over");
    EXPECT_TRUE(engine.board().bannerVisible);
    EXPECT_EQ(s.raceOverHandled, 1);
    EXPECT_EQ(s.lapCount[s.runningOrder[1]], 10);
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_TRUE(engine.board().menu.file);
    EXPECT_TRUE(s.lapsUnsaved);
    EXPECT_TRUE(s.summaryUnsaved);
    EXPECT_EQ(port.written(), "");
}

TEST_F(RaceControlAfterRaceTest, ResetAnsweredNoKeepsTheResult) {
    app->heats.heatRacers[1].totalLaps = 10;
    const auto laps = engine.state().lapCount;
    prompter.answer(MessageAnswer::No);
    press();

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Files not saved");
    EXPECT_EQ(caption(), "Reset");
    EXPECT_EQ(app->heats.heatRacers[1].totalLaps, 10);
    EXPECT_EQ(engine.state().lapCount, laps);
    EXPECT_TRUE(engine.state().lapsUnsaved);
    EXPECT_TRUE(engine.state().summaryUnsaved);
}

TEST_F(RaceControlAfterRaceTest, ResetAnsweredYesReadiesTheNextRace) {
    app->heats.heatRacers[1].totalLaps = 10;
    app->heats.currentHeat = 3;
    prompter.answer(MessageAnswer::Yes);
    press();

    EXPECT_EQ(caption(), "Start");
    expectMenus(true);
    EXPECT_EQ(app->heats.currentHeat, 1);
    EXPECT_EQ(app->heats.heatRacers[1].totalLaps, 0);
    EXPECT_EQ(engine.board().flagPicture, kFlagIdle);
    EXPECT_FALSE(engine.board().bannerVisible);
    EXPECT_FALSE(engine.state().lapsUnsaved);
    EXPECT_FALSE(engine.state().summaryUnsaved);
    EXPECT_EQ(engine.state().elapsedMs, 0);
    EXPECT_EQ(engine.board().rows[1].lapNum.text, "");
}

// --- The track call ----------------------------------------------------------

TEST_F(RaceControlTest, TrackCallsCloserThanTwoSecondsAreOnePress) {
    app->options.coastTimeIndex = coastTimePositionOf(0).value();  // the pause holds no time
    press();
    engine.control().PauseButton(time.now());
    EXPECT_EQ(caption(), "Continue");
    time.advance(1500);
    engine.control().PauseButton(time.now());
    EXPECT_EQ(caption(), "Continue");
    time.advance(1000);  // 2.5 s after the first call
    engine.control().PauseButton(time.now());
    EXPECT_EQ(caption(), "Pause");
}

// A marshal's second press, by the coast time and the gap after the first.
// The program is held during the pause's coast wait, so a press made then is
// read the moment the wait ends: it is the same press, bouncing or repeated,
// and must not continue the race the marshal just stopped.
struct TrackCallCase {
    const char* name;
    double coastSeconds;
    int64_t gapMs;
    const char* captionAfter;  // "Continue": still paused; "Pause": racing again
};

void PrintTo(const TrackCallCase& c, std::ostream* os) {
    *os << c.name;
}

class SecondTrackCallTest : public RaceControlTest,
                            public ::testing::WithParamInterface<TrackCallCase> {};

TEST_P(SecondTrackCallTest, IsASecondPressOnlyOnceTheWaitAndTheDebounceAreOver) {
    const TrackCallCase& c = GetParam();
    app->options.coastTimeIndex = coastTimePositionOf(c.coastSeconds).value();
    press();
    ASSERT_EQ(caption(), "Pause");
    time.advance(4000);

    const int64_t first = time.tickCountMs();
    engine.control().PauseButton(time.now());
    ASSERT_EQ(caption(), "Continue");
    EXPECT_EQ(time.tickCountMs() - first, static_cast<int64_t>(c.coastSeconds * 1000));
    // A press is read once the program is free again: at its own moment, or
    // as the wait ends if it came during it.
    const int64_t readAt = std::max(first + c.gapMs, time.tickCountMs());
    time.advance(readAt - time.tickCountMs());
    engine.control().PauseButton(time.now());

    EXPECT_EQ(caption(), c.captionAfter);
}

INSTANTIATE_TEST_SUITE_P(
    RaceControl, SecondTrackCallTest,
    ::testing::Values(
        // Read after the wait and the debounce: the marshal lets the race go on.
        TrackCallCase{"TwoSecondCoastTwoAndAHalfApart", 2, 2500, "Pause"},
        // Made during the wait, read as it ends: the same press.
        TrackCallCase{"ThreeSecondCoastTwoAndAHalfApart", 3, 2500, "Continue"},
        TrackCallCase{"ThreeSecondCoastThreeAndAHalfApart", 3, 3500, "Pause"},
        // Inside the two-second debounce, with or without a wait.
        TrackCallCase{"NoCoastOneAndAHalfApart", 0, 1500, "Continue"},
        TrackCallCase{"TwoSecondCoastOneAndAHalfApart", 2, 1500, "Continue"},
        TrackCallCase{"NoCoastTwoAndAHalfApart", 0, 2500, "Pause"}),
    [](const ::testing::TestParamInfo<TrackCallCase>& info) { return info.param.name; });

TEST_F(RaceControlTest, TrackCallFromTheBoxPausesTheRace) {
    realMode();
    boxAnswersProbe();
    press();
    port.clearWritten();
    port.feed("120\rW");
    time.advance(100);

    EXPECT_EQ(caption(), "Continue");
    EXPECT_EQ(port.written(), "P");
    EXPECT_EQ(engine.state().elapsedMs, 120);
}

// A bouncing or held button sends several calls at once; the ones read after
// the pause's coast hold are still the same press.
TEST_F(RaceControlTest, BouncingTrackCallDuringTheCoastIsOnePress) {
    realMode();
    boxAnswersProbe();
    press();
    app->options.coastTimeIndex = coastTimePositionOf(3).value();  // the longest on offer
    port.feed("WW");
    time.advance(100);

    EXPECT_EQ(caption(), "Continue");
    EXPECT_EQ(engine.board().flagPicture, kFlagYellow);
}

}  // namespace
}  // namespace qel
