#include "core/engine/race_tick.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/race_end_fakes.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"

namespace qel {
namespace {

// Counts board redraws through the result views the redraw tick refreshes.
class CountingViews : public ResultViews {
  public:
    void refreshResults() override { ++results; }
    void refreshLapTimes() override { ++lapTimes; }
    void refreshSummary() override {}
    int results = 0;
    int lapTimes = 0;
};

class RaceTickTest : public ::testing::Test {
  protected:
    RaceTickTest() {
        s.laneCount = 2;
        raceSettings.raceFormat = kLapRace;
        raceSettings.raceLimitKind = "Number of Laps";
        raceSettings.raceLaps = 50;
        options.firstLapIndex = 1;  // races begin with lap 1
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            s.finishLap[lane] = kMaxLap;
            s.lastHitMs[lane] = kNoHitYet;
            s.bestLapMs[lane] = kNoBestLap;
        }
        port.open(1);
        timer->setEnabled(true);
    }

    RaceState s;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    RaceSetup setup{raceSettings, options};
    HeatTables heats;
    RaceBoard board;
    test::FakeTimingPort port;
    VirtualScheduler time;
    test::ScriptedPrompter prompter;
    test::ScriptedRandom random;
    InstallationSettings installation;
    TimingLink link{port, time, prompter, s, installation, raceSettings};
    std::unique_ptr<Timer> timer = time.createTimer();
    SoundTable sounds;
    test::RecordingPlayer player;
    test::RecordingHandover handover;
    CountingViews views;
    LapCounter counter{s, heats, board, setup};
    DemoGenerator demo{s, random};
    RaceScreen screen{s, setup, heats, board, &views};
    RaceFinish finish{
        {s, setup, heats, board, screen, link, *timer, time, sounds, player, handover}};
    RaceTick tick{s, heats, setup, link, counter, demo, screen, finish};
};

TEST_F(RaceTickTest, TheBoardIsRedrawnEverySixthTick) {
    for (int i = 0; i < 12; ++i)
        tick.Timer1_Timer(100);
    EXPECT_EQ(views.results, 2);
    EXPECT_EQ(s.redrawCountdown, 0);
}

TEST_F(RaceTickTest, RealModeReadsTheBoxAndCountsItsLaps) {
    port.feed("250\rA300\rB");
    tick.Timer1_Timer(100);
    EXPECT_EQ(s.elapsedMs, 550);
    EXPECT_EQ(s.lapCount[1], 1);
    EXPECT_EQ(s.lapCount[2], 1);
    EXPECT_EQ(s.lastPassMs[2], 550);

    int calls = 0;
    tick.setTrackCallHandler([&] { ++calls; });
    port.feed("W");
    tick.Timer1_Timer(100);
    EXPECT_EQ(calls, 1);
}

TEST_F(RaceTickTest, DemoModeGeneratesLapsAndWritesNothing) {
    raceSettings.demoMode = 1;
    s.demoNextLapMs = {0, 150, 350};
    s.demoMeanMs = {0, 1000, 1000};
    port.feed("999\rA");  // whatever the box may send is not read in demo mode
    for (int i = 0; i < 4; ++i)
        tick.Timer1_Timer(100);
    EXPECT_EQ(s.elapsedMs, 400);
    EXPECT_EQ(s.lapCount[1], 1);
    EXPECT_EQ(s.lapCount[2], 1);
    EXPECT_EQ(s.lastPassMs[1], 200);
    EXPECT_TRUE(port.writes().empty());
    EXPECT_EQ(port.charactersWaiting(), 5);
}

}  // namespace
}  // namespace qel
