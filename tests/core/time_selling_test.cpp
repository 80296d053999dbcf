#include "core/timesell/time_selling.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/engine/board_headers.h"
#include "core/engine/lap_counting.h"
#include "core/io/dates.h"
#include "core/seams/virtual_time.h"
#include "core/timesell/sold_time_text.h"
#include "core/timesell/time_increments.h"
#include "core/timesell/time_window_layout.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;

// A day at the track, as a day count with its time of day.
double at(int hour, int minute, int second = 0) {
    return dateSerial(2024, 5, 17) + timeSerial(hour, minute, second);
}

// A four-lane track selling time, the board at rest in practice, the clock at
// 14:00:00; the countdown and the lap counter over the same virtual time.
class TimeSellingTest : public ::testing::Test {
  protected:
    explicit TimeSellingTest(double startDay = at(14, 0)) : time(startDay) {
        folder.write("QelDat/RaceLag.dat", "\"Median\",\"Best Lap\",0\r\n");
        state.laneCount = 4;
        state.sellTimeEnabled = 1;
        state.lagCaption = "Median";
        state.bestLapCaption = "Best Lap";
        raceSettings.raceFormat = kPractice;
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            state.lapCount[lane] = firstLapOffsetOf(options);
            state.finishLap[lane] = kMaxLap;
            state.lastHitMs[lane] = kNoHitYet;
            state.bestLapMs[lane] = kNoBestLap;
            state.lanePosition[lane] = static_cast<int16_t>(lane);
            state.runningOrder[lane] = static_cast<int16_t>(lane);
        }
        counter.attachSoldTime(&selling);
    }

    // Moves the clock on to ms after the start.
    void until(int64_t ms) { time.advance(ms - time.tickCountMs()); }

    // The race director's hands on the Time window, past the password.
    void tick(std::initializer_list<int> lanes) {
        selling.unlockSelling();
        selling.cmdDeSelectAll_Click();
        for (int lane : lanes)
            selling.chkSelect_Click(lane, true);
    }
    void choose(int minutes) {
        for (int index = 0; index < static_cast<int>(kTimeIncrementEntries.size()); ++index) {
            if (incrementMinutes(kTimeIncrementEntries[static_cast<std::size_t>(index)]) ==
                minutes) {
                selling.cmbTimeIncrement_Click(index);
                return;
            }
        }
        FAIL() << "no increment of " << minutes << " minutes";
    }
    // Sells minutes (one list entry) to the lanes and starts their clocks.
    void sell(std::initializer_list<int> lanes, int minutes) {
        tick(lanes);
        choose(minutes);
        selling.cmdIncrease_Click();
        selling.cmdOk_Click();
    }
    // Puts minutes on a lane's sold display, a minute at a time, without OK.
    void give(int lane, int minutes) {
        tick({lane});
        choose(1);
        for (int i = 0; i < minutes; ++i)
            selling.cmdIncrease_Click();
    }

    // A car over the lane's sensor now; true when it counted as a lap.
    bool lapCounts(int lane) {
        state.elapsedMs = static_cast<int32_t>(time.tickCountMs());
        const int16_t before = state.lapCount[lane];
        counter.CountLap(lane);
        return state.lapCount[lane] == before + 1;
    }
    bool running(int lane) const { return state.laneTimeRunning[lane] != 0; }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    VirtualScheduler time;
    RaceState state;
    RaceBoard board;
    HeatTables heats;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    RaceScreen screen{state, {raceSettings, options}, heats, board};
    test::ScriptedPrompter prompter;
    TimeSelling selling{{state, board, {raceSettings, options}, screen, app, prompter, time, time}};
    LapCounter counter{state, heats, board, {raceSettings, options}};
};

TEST_F(TimeSellingTest, TenMinutesSoldAtTwoCountDownAndStopTheLaneAtTenPast) {
    sell({1}, 10);
    EXPECT_EQ(selling.soldText(1), "00:10");
    EXPECT_EQ(selling.remainingText(1), "0:10:00");
    EXPECT_TRUE(lapCounts(1));
    // A lane with no time sold counts nothing.
    EXPECT_FALSE(lapCounts(2));

    until(5 * kMinute);
    EXPECT_EQ(selling.remainingText(1), "0:05:00");
    EXPECT_EQ(selling.soldText(1), "00:10");
    EXPECT_TRUE(lapCounts(1));

    until(10 * kMinute - kSecond);
    EXPECT_TRUE(running(1));
    EXPECT_EQ(selling.remainingText(1), "0:00:01");

    until(10 * kMinute);
    EXPECT_EQ(fromDayCount(time.now()).minute, 10);
    EXPECT_FALSE(running(1));
    EXPECT_EQ(selling.soldText(1), "00:00");
    EXPECT_EQ(selling.remainingText(1), "0:00:00");
    board.rows[1].lapNum.text = "3";
    EXPECT_FALSE(lapCounts(1));
    EXPECT_EQ(board.rows[1].lapNum.text, "");
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(TimeSellingTest, ALapAfterTheEndIsRefusedBeforeTheNextTick) {
    until(250);
    sell({1}, 1);
    // The tick at one minute found a quarter second left; the car crosses
    // the line before the next one.
    until(kMinute + 250);
    EXPECT_TRUE(running(1));
    EXPECT_FALSE(lapCounts(1));
    EXPECT_FALSE(running(1));
    EXPECT_EQ(selling.soldText(1), "00:00");
}

TEST_F(TimeSellingTest, TimeAddedToARunningLaneExtendsItWithoutARestart) {
    sell({1, 2}, 10);
    until(3 * kMinute);
    sell({1}, 5);
    EXPECT_EQ(selling.soldText(1), "00:15");
    EXPECT_EQ(selling.remainingText(1), "0:12:00");
    EXPECT_EQ(selling.remainingText(2), "0:07:00");

    until(10 * kMinute);
    EXPECT_FALSE(running(2));
    EXPECT_TRUE(running(1));
    until(15 * kMinute - 500);
    EXPECT_TRUE(running(1));
    until(15 * kMinute);
    EXPECT_FALSE(running(1));
}

TEST_F(TimeSellingTest, DecreaseNeverGoesBelowNothingAndStopsAtALaneWithNothingSold) {
    const struct {
        const char* what;
        std::array<int, 5> before;  // minutes on lanes 1..4
        bool lane2Disabled;
        int step;
        std::array<int, 5> after;
    } cases[] = {
        {"held at nothing", {0, 10, 0, 0, 0}, false, 15, {0, 0, 0, 0, 0}},
        {"the pass stops at lane 3", {0, 10, 5, 0, 20}, false, 5, {0, 5, 0, 0, 20}},
        {"nothing is taken past an empty first lane",
         {0, 0, 10, 10, 10},
         false,
         5,
         {0, 0, 10, 10, 10}},
        {"a disabled lane is passed over", {0, 10, 0, 10, 10}, true, 5, {0, 5, 0, 5, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int lane = 1; lane <= 4; ++lane) {
            state.laneDisabled[lane] = 0;
            selling.ResetLaneTime(lane);
            give(lane, c.before[static_cast<std::size_t>(lane)]);
        }
        state.laneDisabled[2] = c.lane2Disabled ? 1 : 0;
        tick({1, 2, 3, 4});
        choose(c.step);
        selling.cmdDecrease_Click();
        for (int lane = 1; lane <= 4; ++lane)
            EXPECT_EQ(selling.soldMinutes(lane), c.after[static_cast<std::size_t>(lane)])
                << "lane " << lane;
    }
    EXPECT_EQ(selling.soldText(2), " Disabled");
}

TEST_F(TimeSellingTest, IncreaseHoldsALaneAtOneMinuteShortOfADayAndSaysSoOnce) {
    tick({1, 2});
    choose(60);
    for (int hour = 0; hour < 23; ++hour)
        selling.cmdIncrease_Click();
    ASSERT_EQ(selling.soldText(1), "23:00");
    EXPECT_TRUE(prompter.messages().empty());

    tick({1, 2, 3});
    selling.cmdIncrease_Click();
    EXPECT_EQ(selling.soldText(1), "23:59");
    EXPECT_EQ(selling.soldText(2), "23:59");
    EXPECT_EQ(selling.soldText(3), "01:00");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, kMostSoldTimeMessage);
    EXPECT_EQ(prompter.messages()[0].title, "Time");

    selling.cmdOk_Click();
    EXPECT_EQ(selling.remainingText(1), "23:59:00");
    until(23 * 60 * kMinute);
    EXPECT_TRUE(running(1));
    EXPECT_EQ(selling.remainingText(1), "0:59:00");
}

TEST_F(TimeSellingTest, ResetEndsTheTickedRunningLanesAtOnce) {
    sell({1, 2}, 10);
    until(2 * kMinute);
    tick({1});
    selling.cmdReset_Click();
    EXPECT_FALSE(running(1));
    EXPECT_EQ(selling.soldText(1), "00:00");
    EXPECT_EQ(selling.remainingText(1), "0:00:00");
    EXPECT_FALSE(lapCounts(1));
    EXPECT_TRUE(running(2));
    EXPECT_TRUE(lapCounts(2));
}

TEST_F(TimeSellingTest, ALateTickStillEndsTheLane) {
    sell({1}, 1);
    until(kMinute - 500);
    // The program is held past the end (a blocking wait): the tick comes late.
    time.sleepMs(40'000);
    time.advance(0);
    EXPECT_FALSE(running(1));
    EXPECT_EQ(selling.soldText(1), "00:00");
    EXPECT_EQ(selling.remainingText(1), "0:00:00");
}

TEST_F(TimeSellingTest, WithNoTimeSoldTheCountdownStopsAtItsFirstTick) {
    state.sellTimeEnabled = 0;
    board.bestHeader = "MPH";
    ASSERT_TRUE(selling.sellTimer().enabled());
    until(kSellTimeTickMs);
    EXPECT_FALSE(selling.sellTimer().enabled());
    EXPECT_EQ(board.bestHeader, "MPH");

    // Turned on again in Installation: the countdown runs once more.
    state.sellTimeEnabled = 1;
    selling.resume();
    EXPECT_TRUE(selling.sellTimer().enabled());
    until(2 * kSellTimeTickMs);
    EXPECT_TRUE(selling.sellTimer().enabled());
}

TEST_F(TimeSellingTest, TheBoardShowsTimeLeftBetweenRaces) {
    const struct {
        const char* what;
        RaceFormat format;
        StartState start;
        int16_t raceOverHandled;
        bool timeLeft;
    } cases[] = {
        {"practice at rest", kPractice, StartState::Start, 0, true},
        {"practice at rest after a race", kPractice, StartState::Start, 1, true},
        {"a race not yet run", kLapRace, StartState::Start, 0, true},
        {"a finished race keeps its best laps", kLapRace, StartState::Start, 1, false},
        {"a practice under way", kPractice, StartState::Pause, 0, false},
        {"a race under way", kLapRace, StartState::Pause, 0, false},
    };
    sell({1}, 10);
    state.bestLapMs[2] = 3456;
    int64_t now = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        raceSettings.raceFormat = c.format;
        board.startState = c.start;
        state.raceOverHandled = c.raceOverHandled;
        board.bestHeader = "Best Lap";
        now += 30 * kSecond;
        until(now);
        EXPECT_EQ(board.bestHeader, c.timeLeft ? "Time Left" : "Best Lap");
        const std::string lane1 = board.rows[state.lanePosition[1]].best.text;
        const std::string lane2 = board.rows[state.lanePosition[2]].best.text;
        if (c.timeLeft) {
            EXPECT_EQ(lane1, selling.remainingText(1));
            EXPECT_EQ(lane2, "0:00:00");
        } else {
            EXPECT_EQ(lane2, " 3.456");
        }
    }
}

TEST_F(TimeSellingTest, SoldTimeIsMeasuredOnTheTickCountNotTheTimeOfDay) {
    // The PC's clock set back two hours, forward three, or a whole day back
    // while a lane runs changes nothing of its time.
    for (const double jumpHours : {-2.0, 3.0, -24.0}) {
        SCOPED_TRACE(jumpHours);
        const int64_t sold = time.tickCountMs();
        sell({1}, 10);
        time.advance(3 * kMinute);
        time.setStartDay(at(14, 0) + jumpHours / 24.0);
        time.advance(kSecond);
        EXPECT_EQ(selling.remainingText(1), "0:06:59");
        until(sold + 10 * kMinute - 500);
        EXPECT_TRUE(running(1));
        until(sold + 10 * kMinute);
        EXPECT_FALSE(running(1));
        time.setStartDay(at(14, 0));
    }
}

class TimeSellingAtMidnight : public TimeSellingTest {
  protected:
    TimeSellingAtMidnight() : TimeSellingTest(at(23, 55)) {}
};

TEST_F(TimeSellingAtMidnight, ALaneSoldAtFiveToMidnightRunsToFivePast) {
    sell({1}, 10);
    until(5 * kMinute + kSecond);
    EXPECT_EQ(fromDayCount(time.now()).hour, 0);
    EXPECT_TRUE(running(1));
    EXPECT_EQ(selling.remainingText(1), "0:04:59");
    until(10 * kMinute - 500);
    EXPECT_TRUE(lapCounts(1));
    until(10 * kMinute);
    const DateTimeParts fivePast = fromDayCount(time.now());
    EXPECT_EQ(fivePast.hour * 60 + fivePast.minute, 5);
    EXPECT_FALSE(running(1));
    EXPECT_FALSE(lapCounts(1));
}

TEST_F(TimeSellingTest, OkStartsTheLanesSoldTimeAndLeavesSellingMode) {
    state.laneDisabled[3] = 1;
    give(1, 5);
    tick({1, 2, 3});
    EXPECT_TRUE(selling.selected(1));
    EXPECT_TRUE(selling.selected(2));
    EXPECT_FALSE(selling.selected(3));
    EXPECT_FALSE(selling.selectEnabled(3));
    choose(15);
    selling.cmdOk_Click();
    EXPECT_TRUE(running(1));
    EXPECT_FALSE(running(2));
    EXPECT_FALSE(running(3));
    EXPECT_EQ(selling.remainingText(1), "0:05:00");
    EXPECT_FALSE(selling.sellingMode());
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        EXPECT_FALSE(selling.selected(lane)) << lane;
        EXPECT_FALSE(selling.selectEnabled(lane)) << lane;
    }
    EXPECT_EQ(state.timeIncrementIndex, 3);
}

TEST_F(TimeSellingTest, ARunningLaneBroughtDownToNothingEndsAtOk) {
    sell({1}, 10);
    until(kMinute);
    tick({1});
    choose(10);
    selling.cmdDecrease_Click();
    EXPECT_TRUE(running(1));
    selling.cmdOk_Click();
    EXPECT_FALSE(running(1));
    EXPECT_EQ(selling.remainingText(1), "0:00:00");
}

TEST_F(TimeSellingTest, SelectAllTicksTheLanesInUseThatAreNotDisabled) {
    state.laneDisabled[2] = 1;
    selling.unlockSelling();
    selling.cmdSelectAll_Click();
    const std::vector<bool> all = {false, true, false, true, true, false, false, false, false};
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        EXPECT_EQ(selling.selected(lane), all[static_cast<std::size_t>(lane)]) << lane;
    selling.cmdDeSelectAll_Click();
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        EXPECT_FALSE(selling.selected(lane)) << lane;
    // A disabled lane's tick, and every tick in display mode, does nothing.
    selling.chkSelect_Click(2, true);
    EXPECT_FALSE(selling.selected(2));
    selling.HideSell();
    selling.chkSelect_Click(1, true);
    EXPECT_FALSE(selling.selected(1));
}

TEST_F(TimeSellingTest, ALaneTakenBackIntoUseStartsWithNothingSold) {
    sell({1, 2}, 10);
    selling.ResetLaneTime(2);
    EXPECT_FALSE(running(2));
    EXPECT_EQ(selling.soldText(2), "00:00");
    EXPECT_EQ(selling.remainingText(2), "0:00:00");
    EXPECT_TRUE(running(1));
}

TEST_F(TimeSellingTest, TheChosenIncrementIsKeptForTheNextRun) {
    choose(15);
    EXPECT_EQ(state.timeIncrementIndex, 3);
    EXPECT_EQ(selling.incrementMinutesChosen(), 15);
    // The title refresh reads RaceLag.dat back: it holds the choice, with
    // the header choices as they were.
    const HeaderChoice stored = readRaceLagFile(app);
    EXPECT_EQ(stored.timeIncrementIndex, 3);
    EXPECT_EQ(stored.lagCaption, "Median");
    EXPECT_EQ(stored.bestLapCaption, "Best Lap");

    // A position the list does not hold (a damaged file) is the first entry.
    state.timeIncrementIndex = 42;
    EXPECT_EQ(selling.incrementIndex(), 0);
    EXPECT_EQ(selling.incrementMinutesChosen(), 1);
}

TEST(TimeIncrements, TheMinutesAreTheNumberBeforeTheWord) {
    const int minutes[] = {1, 5, 10, 15, 30, 60};
    for (std::size_t i = 0; i < kTimeIncrementEntries.size(); ++i)
        EXPECT_EQ(incrementMinutes(kTimeIncrementEntries[i]), minutes[i])
            << kTimeIncrementEntries[i];
    EXPECT_EQ(incrementMinutes(""), 0);
    EXPECT_EQ(incrementMinutes("many minutes"), 0);
}

TEST(SoldTimeText, HoursAndMinutesSoldAndTimeLeft) {
    EXPECT_EQ(soldTimeText(0), "00:00");
    EXPECT_EQ(soldTimeText(65), "01:05");
    EXPECT_EQ(soldTimeText(kMostSoldMinutes), "23:59");
    EXPECT_EQ(remainingTimeText(timeSerial(1, 5, 9)), "1:05:09");
    EXPECT_EQ(remainingTimeText(-timeSerial(0, 0, 3)), "0:00:00");
}

TEST(TimeWindowLayout, GrowsByALaneRowAndByTheSellingControls) {
    const struct {
        int lanes;
        bool selling;
        TimeWindowLayout expected;
    } cases[] = {
        {2, false, {1580, 1920, 1710, 2610, 2955}},
        {4, false, {2740, 3080, 2870, 3770, 4115}},
        {8, false, {5060, 5400, 5190, 6090, 6435}},
        {4, true, {2740, 3080, 2870, 3770, 5315}},
    };
    for (const auto& c : cases) {
        const TimeWindowLayout got = timeWindowLayout(c.lanes, c.selling);
        EXPECT_EQ(got.laneFrameHeight, c.expected.laneFrameHeight) << c.lanes;
        EXPECT_EQ(got.buttonTop, c.expected.buttonTop) << c.lanes;
        EXPECT_EQ(got.sellFrameTop, c.expected.sellFrameTop) << c.lanes;
        EXPECT_EQ(got.pictureTop, c.expected.pictureTop) << c.lanes;
        EXPECT_EQ(got.windowHeight, c.expected.windowHeight) << c.lanes << c.selling;
    }
}

}  // namespace
}  // namespace qel
