// The flow between heats over the whole race engine: a demo heat race on a
// fresh copy of the default application folder, on virtual time, with the
// between-heat delays pressing the real Start button.
#include "core/heats/between_heats.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/heats/heat_abort.h"
#include "core/heats/rotation.h"
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

const std::string kOneMinute = "Race Starts in 1 min.wav";
const std::string kTwentySeconds = "Race Starts in 20 sec.wav";
const std::string kFiveSeconds = "Race Starts in 5 sec.wav";

// The main window's part: a refused start stops the delay, as the program wires it.
class EngineWindows : public test::RecordingWindows {
  public:
    void stopRotateDelay() override {
        RecordingWindows::stopRotateDelay();
        if (between) between->stop();
    }
    BetweenHeats* between = nullptr;
};

// The count-down window and the dialogs the delays look at.
class CountDownDesk : public BetweenHeatsWindows {
  public:
    bool optionsDialogVisible() override { return optionsVisible; }
    void cancelOptionsDialog() override {
        optionsVisible = false;
        ++optionsCancelled;
    }
    bool modalWindowOpen() override { return modalOpen; }
    void showCountDown() override {
        if (throwOnShow) {
            throwOnShow = false;
            throw std::runtime_error("The count-down window could not be shown.");
        }
        if (!open) ++loads;
        open = true;
        shown.push_back(between->count());
    }
    void closeCountDown() override { open = false; }
    void boardChanged() override { ++boardShown; }

    const BetweenHeats* between = nullptr;
    bool optionsVisible = false;
    bool modalOpen = false;
    bool throwOnShow = false;
    bool open = false;
    int optionsCancelled = 0;
    int loads = 0;
    int boardShown = 0;
    std::vector<int> shown;
};

// Four lanes in demo mode after start-up, a championship of four racers on
// the straight sequence with Auto-Delay ticked, and the instant start.
class BetweenHeatsTest : public ::testing::Test, protected test::EngineBench {
  protected:
    BetweenHeatsTest() {
        test::layOutApplicationFolder(folder);
        engine.attachWindows(&windows);
        engine.Form_Load({[] {}});
        test::useStartMethod(app->options, StartMethod::Instant);
        windows.between = &between;
        desk.between = &between;
        heatRace(4, kChampionship);
        delays(5, 65);
        app->sounds.raceSoundEnabled.fill(true);
        prompter.clear();
        device.clearCalls();
        windows.calls.clear();
    }

    void heatRace(int racers, int16_t format) {
        RaceFormatSettings& settings = app->raceSettings;
        settings.raceFormat = format;
        settings.raceLimitKind = "Number of Laps";
        settings.raceLaps = 3;
        settings.lapsListIndex = 2;
        settings.autoDelay = 1;
        HeatTables& heats = app->heats;
        const char* names[] = {"", "Ann", "Ben", "Cal", "Dee", "Eve", "Fay"};
        heats.racerCount = static_cast<int16_t>(racers);
        for (int r = 1; r <= racers; ++r) {
            heats.heatRacers[r].name = names[r];
            heats.heatRacers[r].startLane = static_cast<int16_t>(r <= 4 ? r : 0);
            heats.heatRacers[r].sitOutNumber = static_cast<int16_t>(r <= 4 ? 0 : r - 4);
        }
        heats.activeSequence = "1234";
        BuildRotation(heats, racers, heats.activeSequence);
        heats.currentHeat = 1;
        ShowHeatRacers(heats, 4, engine.state(), engine.board());
    }
    void delays(int view, int rotate) {
        app->raceSettings.viewDelaySeconds = static_cast<int16_t>(view);
        app->raceSettings.rotateDelaySeconds = static_cast<int16_t>(rotate);
    }
    // A heat has just ended with more to follow, as the finish leaves it.
    void heatOver() {
        engine.board().startState = StartState::AutoDelay;
        between.startBetweenHeatDelay();
    }
    // From the heat's end through the view delay to the first rotate tick.
    void toCountDown() {
        heatOver();
        time.advance(5000);
    }
    void seconds(int count) { time.advance(count * 1000); }
    StartState state() const { return app->board.startState; }
    std::string laneName(int lane) const { return app->board.rows[lane].name.text; }

    EngineWindows windows;
    CountDownDesk desk;
    BetweenHeats between{{app->board, engine.setup(), engine.control(), app->sounds,
                          engine.soundPlayer(), prompter, time, desk}};
};

// --- The whole passage -------------------------------------------------------------

TEST_F(BetweenHeatsTest, HeatOverToTheNextStartOnTheClock) {
    // The heat's end hands over to the delays, as the program registers them.
    int64_t heatEndedMs = -1;
    struct EndTime : RaceEndSubsystem {
        std::function<void()> at;
        void startBetweenHeatDelay() override { at(); }
    } endTime;
    endTime.at = [&] { heatEndedMs = time.tickCountMs(); };
    engine.handover().add(endTime);
    engine.handover().add(between);

    engine.control().cmdStart_Click();
    for (int ms = 0; ms < 180000 && heatEndedMs < 0; ms += 100)
        time.advance(100);
    ASSERT_GE(heatEndedMs, 0) << "the demo heat never ended";
    EXPECT_EQ(state(), StartState::AutoDelay);
    EXPECT_EQ(app->board.banner, "Heat Over");
    device.clearCalls();

    time.advance(heatEndedMs + 4999 - time.tickCountMs());
    EXPECT_EQ(app->heats.currentHeat, 1);
    EXPECT_EQ(desk.loads, 0);
    time.advance(1);  // 5 s after the heat ended: the rotation
    EXPECT_EQ(app->heats.currentHeat, 2);
    EXPECT_EQ(state(), StartState::AutoDelay);
    EXPECT_EQ(app->board.banner, "Rotate Now");
    EXPECT_TRUE(app->board.bannerVisible);
    EXPECT_FALSE(between.tmrDelayView().enabled());
    EXPECT_TRUE(between.tmrDelayRotate().enabled());
    EXPECT_TRUE(desk.open);
    EXPECT_EQ(between.countText(), "65");
    // Heat 2's racers are on their lanes: everyone one lane on, Dee round to lane 1.
    EXPECT_EQ(laneName(2), "Ann ");
    EXPECT_EQ(laneName(1), "Dee ");

    const int64_t rotatedMs = time.tickCountMs();
    std::map<int, std::vector<std::string>> soundsAt;  // by the number shown
    while (state() == StartState::AutoDelay && time.tickCountMs() - rotatedMs < 70000) {
        time.advance(1000);
        const auto played = device.playedFiles();
        if (!played.empty()) soundsAt[desk.shown.back()] = played;
        device.clearCalls();
    }

    EXPECT_EQ(time.tickCountMs() - rotatedMs, 66000);
    EXPECT_EQ(state(), StartState::Pause);  // the instant start of heat 2
    EXPECT_FALSE(desk.open);
    EXPECT_FALSE(between.tmrDelayRotate().enabled());
    EXPECT_TRUE(engine.raceTick().enabled());
    EXPECT_EQ(app->heats.currentHeat, 2);
    std::vector<int> expected;
    for (int n = 65; n >= 0; --n)
        expected.push_back(n);
    expected.insert(expected.begin(), 65);  // the window's first look, at the rotation
    EXPECT_EQ(desk.shown, expected);
    EXPECT_EQ(
        soundsAt,
        (std::map<int, std::vector<std::string>>{
            {61, {kOneMinute}}, {21, {kTwentySeconds}}, {6, {kFiveSeconds}}, {0, {"Go.wav"}}}));
    // The delays counted their own seconds; the settings stay as set.
    EXPECT_EQ(app->raceSettings.viewDelaySeconds, 5);
    EXPECT_EQ(app->raceSettings.rotateDelaySeconds, 65);
    EXPECT_TRUE(prompter.messages().empty());
}

struct SoundCase {
    const char* name;
    int rotate;
    bool enabled;
    std::vector<std::string> played;
};

void PrintTo(const SoundCase& c, std::ostream* os) {
    *os << c.name;
}

class CountDownSoundTest : public BetweenHeatsTest,
                           public ::testing::WithParamInterface<SoundCase> {};

TEST_P(CountDownSoundTest, WarningsOnlyAtTheirSecondAndOnlyWhenSwitchedOn) {
    const SoundCase& c = GetParam();
    delays(5, c.rotate);
    for (RaceSound sound : {kSoundRaceStarts1Min, kSoundRaceStarts20Sec, kSoundRaceStarts5Sec})
        app->sounds.raceSoundEnabled[sound] = c.enabled;
    toCountDown();
    seconds(c.rotate + 1);

    EXPECT_EQ(state(), StartState::Pause);
    EXPECT_EQ(device.playedFiles(), c.played);
}

INSTANTIATE_TEST_SUITE_P(
    BetweenHeats, CountDownSoundTest,
    ::testing::Values(
        SoundCase{"AllThree", 65, true, {kOneMinute, kTwentySeconds, kFiveSeconds, "Go.wav"}},
        SoundCase{"SwitchedOff", 65, false, {"Go.wav"}},
        SoundCase{"TwentyNeverReachesTheFirstTwo", 20, true, {kFiveSeconds, "Go.wav"}},
        SoundCase{"FiveNeverWarns", 5, true, {"Go.wav"}}),
    [](const ::testing::TestParamInfo<SoundCase>& info) { return info.param.name; });

// --- The race director at the count-down ------------------------------------------

TEST_F(BetweenHeatsTest, PauseHoldsTheNumberAndContinueGoesOnFromIt) {
    toCountDown();
    seconds(10);
    ASSERT_EQ(desk.shown.back(), 56);
    between.cmdPause_Click();
    EXPECT_EQ(between.pauseCaption(), "&Continue");
    seconds(30);
    EXPECT_EQ(desk.shown.back(), 56);
    EXPECT_EQ(between.countText(), "56");
    EXPECT_EQ(state(), StartState::AutoDelay);

    between.cmdPause_Click();
    EXPECT_EQ(between.pauseCaption(), "&Pause");
    seconds(1);
    EXPECT_EQ(desk.shown.back(), 55);
}

class SkipTest : public BetweenHeatsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SkipTest, StartsTheHeatAtTheNextTick) {
    const bool paused = GetParam();
    toCountDown();
    seconds(3);
    if (paused) between.cmdPause_Click();
    seconds(2);
    between.cmdSkip_Click();
    EXPECT_EQ(state(), StartState::AutoDelay);
    seconds(1);
    EXPECT_EQ(desk.shown.back(), 0);
    EXPECT_EQ(state(), StartState::Pause);
    EXPECT_FALSE(desk.open);
    EXPECT_FALSE(between.tmrDelayRotate().enabled());
}

INSTANTIATE_TEST_SUITE_P(BetweenHeats, SkipTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "WhilePaused" : "WhileCounting";
                         });

TEST_F(BetweenHeatsTest, CountDownClosedByHandComesBackWithTheNextNumber) {
    toCountDown();
    seconds(2);
    ASSERT_EQ(desk.shown.back(), 64);
    desk.open = false;  // the close box
    seconds(1);
    EXPECT_TRUE(desk.open);
    EXPECT_EQ(desk.loads, 2);
    EXPECT_EQ(desk.shown.back(), 63);
}

TEST_F(BetweenHeatsTest, ViewDelayClosesTheOptionsDialogAsCancelDoes) {
    heatOver();
    seconds(1);
    desk.optionsVisible = true;
    seconds(1);
    EXPECT_FALSE(desk.optionsVisible);
    EXPECT_EQ(desk.optionsCancelled, 1);
    EXPECT_EQ(app->heats.currentHeat, 1);
}

TEST_F(BetweenHeatsTest, ModalWindowHoldsTheCountWithAMessage) {
    toCountDown();
    seconds(5);
    ASSERT_EQ(desk.shown.back(), 61);
    device.clearCalls();
    desk.modalOpen = true;
    seconds(3);
    ASSERT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(prompter.messages()[0].text, "Please close \"Option Menu\" to continue Race");
    EXPECT_EQ(prompter.messages()[0].title, "Auto-Delay");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(desk.shown.back(), 61);

    desk.modalOpen = false;
    seconds(1);
    EXPECT_EQ(desk.shown.back(), 60);
    EXPECT_EQ(prompter.messages().size(), 3u);
}

TEST_F(BetweenHeatsTest, ModalWindowAtZeroHoldsTheStart) {
    delays(5, 2);
    toCountDown();
    seconds(2);
    desk.modalOpen = true;
    seconds(2);
    EXPECT_EQ(state(), StartState::AutoDelay);
    desk.modalOpen = false;
    seconds(1);
    EXPECT_EQ(state(), StartState::Pause);
}

TEST_F(BetweenHeatsTest, AnErrorInATickIsToldAndTheNextTickRunsAsUsual) {
    toCountDown();
    seconds(1);
    desk.throwOnShow = true;
    seconds(1);
    EXPECT_EQ(prompter.messageTexts(),
              std::vector<std::string>{"The count-down window could not be shown."});
    seconds(1);
    EXPECT_EQ(desk.shown.back(), 64);
    EXPECT_EQ(state(), StartState::AutoDelay);
}

// --- A start the checks refuse ------------------------------------------------------

struct RefusalCase {
    const char* name;
    void (*spoil)(RaceBoard& board);
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedStartTest : public BetweenHeatsTest,
                         public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedStartTest, EndsTheCountDownAllTheSame) {
    const RefusalCase& c = GetParam();
    delays(5, 5);
    toCountDown();
    c.spoil(app->board);
    seconds(6);  // 5 .. 0: the start is tried at 0, and the race director says No

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, c.message);
    EXPECT_EQ(state(), StartState::Start);
    EXPECT_FALSE(between.tmrDelayRotate().enabled());
    EXPECT_FALSE(between.tmrDelayView().enabled());
    EXPECT_FALSE(desk.open);
    EXPECT_FALSE(engine.raceTick().enabled());

    seconds(10);  // the count-down is over: nothing more by itself
    EXPECT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(state(), StartState::Start);
}

INSTANTIATE_TEST_SUITE_P(
    BetweenHeats, RefusedStartTest,
    ::testing::Values(
        RefusalCase{"LaneWithoutAName", [](RaceBoard& b) { b.rows[3].name.text = " Select Name"; },
                    "Please select name for Lane 3"},
        RefusalCase{"SameNamesAnsweredNo",
                    [](RaceBoard& b) { b.rows[3].name.text = b.rows[2].name.text; },
                    "Warning, names in Lanes 2 and 3 are the same\r\nDo you want to continue "
                    "race?"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

// The heat the count-down starts goes to the lights at once, even in heat 1
// (Practice with Rotation comes round to heat 1 again after its last heat).
TEST_F(BetweenHeatsTest, TheCountDownsStartSkipsTheStartDelay) {
    heatRace(4, kPracticeWithRotation);
    app->raceSettings.raceLimitKind = "Number of Minutes";
    app->raceSettings.raceMinutes = 1;
    app->heats.currentHeat = app->heats.heatCount;
    test::useStartMethod(app->options, StartMethod::Formula1, 3);
    delays(5, 3);
    toCountDown();
    EXPECT_EQ(app->heats.currentHeat, 1);
    windows.calls.clear();
    seconds(4);

    EXPECT_EQ(windows.startWindows(), std::vector<std::string>{"formula1"});
    EXPECT_EQ(engine.setup().startDelay(), 3);  // the Options setting stays as set
}

// --- The abort window of a paused heat ----------------------------------------------

class HeatAbortTest : public BetweenHeatsTest {
  protected:
    HeatAbortTest() {
        app->raceSettings.demoMode = 0;
        port.setOnWrite([this](std::string_view bytes) {
            if (bytes == "V") port.feed("QELBOX 2.1\r\n");
        });
    }
    // Heat `heat` of the rotation under way, then paused by the race director.
    void pausedInHeat(int heat) {
        app->heats.currentHeat = static_cast<int16_t>(heat);
        ShowHeatRacers(app->heats, 4, engine.state(), engine.board());
        engine.control().cmdStart_Click();
        engine.control().cmdStart_Click();
        ASSERT_EQ(state(), StartState::Continue);
        ASSERT_TRUE(engine.raceTick().enabled());  // the box still reports
        app->board.rows[1].name.text = "someone else ";
    }

    int nextHeatClosed = 0;
    HeatAbort heatAbort{{app->race, app->heats, app->board, engine.setup(), engine.control(),
                         engine.raceTick(), engine.demo(), [this] { ++nextHeatClosed; }}};
};

TEST_F(HeatAbortTest, RestartHeatOneShowsTheIdleFlag) {
    pausedInHeat(1);
    heatAbort.restartHeat();
    EXPECT_EQ(app->board.flagPicture, kFlagIdle);
    EXPECT_EQ(state(), StartState::Start);
    EXPECT_EQ(app->heats.currentHeat, 1);
    EXPECT_FALSE(engine.raceTick().enabled());
}

TEST_F(HeatAbortTest, RestartHeatThreePutsItsRacersBackUnderTheRedFlag) {
    heatRace(6, kChampionship);
    pausedInHeat(3);
    heatAbort.restartHeat();
    EXPECT_EQ(app->board.flagPicture, kFlagRed);
    EXPECT_EQ(state(), StartState::Start);
    EXPECT_EQ(app->heats.currentHeat, 3);
    EXPECT_FALSE(engine.raceTick().enabled());
    // Heat 3 of "123400": Eve in lane 1, Fay in 2, Ann in 3, Ben in 4.
    EXPECT_EQ(laneName(1), "Eve ");
    EXPECT_EQ(laneName(2), "Fay ");
    EXPECT_EQ(laneName(3), "Ann ");
    EXPECT_EQ(laneName(4), "Ben ");
    EXPECT_EQ(nextHeatClosed, 0);
}

TEST_F(HeatAbortTest, AbortRaceInHeatFourOfSixGoesBackToHeatOne) {
    heatRace(6, kChampionship);
    ASSERT_EQ(app->heats.heatCount, 6);
    pausedInHeat(4);
    app->heats.heatRacers[1].totalLaps = 12;
    heatAbort.abortRace();

    EXPECT_EQ(app->heats.currentHeat, 1);
    EXPECT_EQ(nextHeatClosed, 1);
    EXPECT_EQ(app->board.flagPicture, kFlagIdle);
    EXPECT_EQ(state(), StartState::Start);
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_FALSE(app->race.lapsUnsaved);
    EXPECT_FALSE(app->race.summaryUnsaved);
    EXPECT_TRUE(app->board.menu.file);
    EXPECT_TRUE(app->board.menu.raceFormat);

    // The next start is heat 1, with the racers' heat records cleared.
    ShowHeatRacers(app->heats, 4, engine.state(), engine.board());
    engine.control().cmdStart_Click();
    EXPECT_EQ(state(), StartState::Pause);
    EXPECT_EQ(app->heats.currentHeat, 1);
    EXPECT_EQ(app->heats.heatRacers[1].totalLaps, 0);
}

// --- Select Racers in demo mode ------------------------------------------------------

TEST(DemoRaceFormatLabel, NamesTheHeatFormat) {
    const std::map<int, std::string> expected{{1, "Demo - "},
                                              {4, "Demo - Championship"},
                                              {5, "Demo - Round Robin"},
                                              {6, "Demo - Rotation Race"},
                                              {7, "Demo - Round Robin Laps"},
                                              {8, "Demo - Rotation Laps"},
                                              {42, "Demo - "}};
    for (const auto& [format, label] : expected)
        EXPECT_EQ(demoRaceFormatLabel(format), label) << format;
}

TEST(DemoRaceFormatLabel, OnlyInDemoModeWithHeats) {
    RaceFormatSettings race;
    OptionsSettings options;
    const RaceSetup setup{race, options};
    race.raceFormat = kRoundRobin;
    race.demoMode = 1;
    EXPECT_EQ(selectRacersDemoLabel(setup), "Demo - Round Robin");
    race.demoMode = 0;
    EXPECT_EQ(selectRacersDemoLabel(setup), std::nullopt);
    race.demoMode = 1;
    race.raceFormat = kLapRace;
    EXPECT_EQ(selectRacersDemoLabel(setup), std::nullopt);
}

}  // namespace
}  // namespace qel
