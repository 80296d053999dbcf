#include "core/engine/race_finish.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/race_end_fakes.h"
#include "support/scripted_prompter.h"

namespace qel {
namespace {

using test::RecordingHandover;
using test::RecordingPlayer;

// Four lanes under way; the test sets laps and times, then runs the check.
class RaceFinishTest : public ::testing::Test {
  protected:
    RaceFinishTest() {
        s.laneCount = 4;
        options.firstLapIndex = 1;  // races begin with lap 1
        options.minLapTimeIndex = minLapTimePositionOf(2).value();
        options.coastTimeIndex = coastTimePositionOf(2).value();
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            s.finishLap[lane] = kMaxLap;
            s.bestLapMs[lane] = kNoBestLap;
        }
        sounds.raceSoundEnabled.fill(true);
        port.open(1);
        tick->setEnabled(true);
    }

    void lapRace(int laps) {
        raceSettings.raceFormat = kLapRace;
        raceSettings.raceLimitKind = "Number of Laps";
        raceSettings.raceLaps = static_cast<int16_t>(laps);
    }
    // A heat format (anything but kTimedRace) runs in heats.
    void timedRace(float minutes, int format = kTimedRace) {
        raceSettings.raceFormat = static_cast<int16_t>(format);
        raceSettings.raceLimitKind = "Number of Minutes";
        raceSettings.raceMinutes = minutes;
    }
    // Laps of lanes 1..4 and the race clock; the board is redrawn as the tick would.
    void at(int32_t ms, std::array<int, 4> laps) {
        s.elapsedMs = ms;
        for (int lane = 1; lane <= 4; ++lane) {
            if (s.lapCount[lane] != laps[lane - 1]) s.lastPassMs[lane] = ms - lane;
            s.lapCount[lane] = static_cast<int16_t>(laps[lane - 1]);
        }
        screen.UpdateRaceScreen();
        finish.CheckFinish();
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
    InstallationSettings installation;
    TimingLink link{port, time, prompter, s, installation, raceSettings};
    std::unique_ptr<Timer> tick = time.createTimer();
    SoundTable sounds;
    RecordingPlayer player;
    RecordingHandover handover;
    RaceScreen screen{s, setup, heats, board};
    RaceFinish finish{
        {s, setup, heats, board, screen, link, *tick, time, sounds, player, handover}};
};

TEST_F(RaceFinishTest, TenLapRaceFlagsFinishLapsAndCoast) {
    lapRace(10);
    s.bestLapMs[1] = 5000;
    at(40000, {8, 8, 7, 0});
    EXPECT_FALSE(s.whiteFlagShown);
    at(45000, {9, 8, 8, 0});
    EXPECT_TRUE(s.whiteFlagShown);
    EXPECT_EQ(board.flagPicture, kFlagWhite);
    at(46000, {9, 9, 8, 0});  // once only
    at(50000, {10, 9, 8, 0});
    EXPECT_TRUE(s.leaderFinished);
    EXPECT_EQ(board.flagPicture, kFlagCheckered);
    EXPECT_EQ(s.finishLap[1], 10);
    EXPECT_EQ(s.finishLap[2], 10);
    EXPECT_EQ(s.finishLap[3], 9);
    EXPECT_EQ(s.coastDeadlineMs, 50000 + 8500);
    EXPECT_EQ(player.played, (std::vector<std::string>{"White Flag.wav", "Checkered Flag.wav"}));

    // Lane 3 never completes its last lap: the race closes when the coast runs out.
    at(56000, {10, 10, 8, 0});
    EXPECT_EQ(s.raceOverHandled, 0);
    at(58501, {10, 10, 8, 0});
    EXPECT_EQ(s.raceOverHandled, 1);
    EXPECT_FALSE(tick->enabled());
    EXPECT_EQ(port.written(), "P");
    EXPECT_EQ(board.banner, "Race Over");
    EXPECT_EQ(board.startState, StartState::Reset);
    at(60000, {10, 10, 9, 0});  // closes once
    EXPECT_EQ(std::count(player.played.begin(), player.played.end(), "Race Over.wav"), 1);
}

TEST_F(RaceFinishTest, LapHeatsCloseAtTheLeadersFinish) {
    lapRace(3);
    raceSettings.raceFormat = kRoundRobinLapHeats;
    heats.activeSequence = "1234";
    heats.currentHeat = 1;
    heats.heatCount = 4;
    raceSettings.autoDelay = 1;
    raceSettings.autoPrint = 1;
    at(9000, {3, 2, 2, 1});
    EXPECT_EQ(s.raceOverHandled, 1);
    EXPECT_EQ(board.banner, "Heat Over");
    EXPECT_EQ(board.startState, StartState::AutoDelay);
    EXPECT_EQ(handover.calls,
              (std::vector<std::string>{"startBetweenHeatDelay", "enableFileMenu", "scoreHeat",
                                        "saveHeatToLog", "reopenOpenViews", "autoPrint"}));
}

TEST_F(RaceFinishTest, TimedRaceWarnsThenStopsAndCoasts) {
    timedRace(2);
    s.bestLapMs[1] = 4000;
    at(109999, {20, 19, 19, 18});
    EXPECT_EQ(s.tenSecondWarned, 0);
    at(110000, {20, 19, 19, 18});
    EXPECT_EQ(s.tenSecondWarned, 1);
    finish.clock();
    EXPECT_EQ(board.clock, "00:10");
    at(120000, {21, 20, 19, 18});
    EXPECT_TRUE(s.leaderFinished);
    EXPECT_EQ(board.flagPicture, kFlagCheckered);
    EXPECT_EQ(s.coastDeadlineMs, 120000 + 7200);
    finish.clock();
    EXPECT_EQ(board.clock, "00:00");
    at(127201, {21, 20, 19, 18});
    EXPECT_EQ(s.raceOverHandled, 1);
    EXPECT_EQ(player.played, (std::vector<std::string>{"10 Seconds Left.wav", "Checkered Flag.wav",
                                                       "Race Over.wav"}));
}

TEST_F(RaceFinishTest, TimedRaceLeaderWithFewLapsGetsTheMinimumLapWindow) {
    timedRace(1);
    at(60000, {2, 1, 1, 0});
    EXPECT_EQ(s.coastDeadlineMs, 60000 + 3800);
}

TEST_F(RaceFinishTest, TimedHeatThatIsNotTheLastShowsRedAndCountsEveryCoastLap) {
    timedRace(1, kRotationRace);
    heats.activeSequence = "1234";
    heats.currentHeat = 1;
    heats.heatCount = 4;
    at(60000, {12, 11, 11, 10});
    EXPECT_EQ(board.flagPicture, kFlagRed);
    EXPECT_EQ(s.coastDeadlineMs, 62000);
    EXPECT_EQ(s.finishLap[1], kMaxLap);
    at(62001, {13, 12, 11, 10});
    EXPECT_EQ(s.raceOverHandled, 1);
    EXPECT_EQ(board.banner, "Heat Over");
    EXPECT_EQ(board.startState, StartState::Rotate);
    EXPECT_EQ(player.played,
              (std::vector<std::string>{"10 Seconds Left.wav", "Red Flag.wav", "Heat Over.wav"}));
}

TEST_F(RaceFinishTest, ClockCountsUpInPracticeAndNeverWrapsMinutes) {
    raceSettings.raceFormat = kPractice;
    s.elapsedMs = 75 * 60 * 1000 + 4999;
    finish.clock();
    EXPECT_EQ(board.clock, "75:04");
}

}  // namespace
}  // namespace qel
