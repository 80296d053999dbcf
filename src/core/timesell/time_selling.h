#pragma once
// Selling running time by lane: the Time window's lanes (time sold, ticks,
// time left), its selling controls, and the countdown that lets a lane count
// laps only while its time runs. The window only draws this and forwards its
// clicks; the countdown runs whether the window shows or not.
#include <functional>
#include <memory>
#include <string>

#include "core/engine/race_screen.h"
#include "core/engine/race_setup.h"
#include "core/io/data_folder.h"
#include "core/seams/clock.h"
#include "core/seams/prompter.h"
#include "core/seams/timer_service.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"
#include "core/state/sold_time_gate.h"
#include "core/timesell/lane_time.h"

namespace qel {

// The countdown's tick, tmrSellTime.
inline constexpr int kSellTimeTickMs = 500;

inline constexpr const char* kMostSoldTimeMessage =
    "A lane can be sold at most 23:59 at a time; the time stops there.";
inline constexpr const char* kTimeWindowTitle = "Time";

struct TimeSellingContext {
    RaceState& state;
    RaceBoard& board;
    RaceSetup setup;
    RaceScreen& screen;
    const AppFolder& folder;
    Prompter& prompter;
    Clock& clock;
    TimerService& timers;
};

class TimeSelling : public SoldTimeGate {
  public:
    explicit TimeSelling(TimeSellingContext context);
    ~TimeSelling() override;
    TimeSelling(const TimeSelling&) = delete;
    TimeSelling& operator=(const TimeSelling&) = delete;

    // Told after every tick of the countdown, so the board and an open Time
    // window show the time left.
    void setTickObserver(std::function<void()> observer) { tickObserver_ = std::move(observer); }
    // The countdown ticks again while selling is on: at start-up, after
    // Installation, and whenever clocks are started.
    void resume();
    const Timer& sellTimer() const { return *timer_; }

    // --- What the Time window shows ---
    int laneCount() const;
    // The time sold to a lane, "hh:mm", or " Disabled" for a disabled lane.
    std::string soldText(int lane) const;
    int soldMinutes(int lane) const;
    std::string remainingText(int lane) const;
    bool selected(int lane) const;
    // A lane's "Select Lane" tick can be used: selling mode, and the lane in use.
    bool selectEnabled(int lane) const;
    bool sellingMode() const { return sellingMode_; }
    // The increment list's position.
    int incrementIndex() const;
    int incrementMinutesChosen() const;

    // --- The race director's clicks ---
    void chkSelect_Click(int lane, bool on);
    // The choice is kept at once, and stored for the next title refresh and
    // the next run.
    void cmbTimeIncrement_Click(int index);
    void cmdIncrease_Click();
    void cmdDecrease_Click();
    void cmdReset_Click();
    void cmdSelectAll_Click();
    void cmdDeSelectAll_Click();
    // Starts the clocks of the lanes sold time; a running lane keeps its
    // start, so time added to it extends it. Then back to display mode.
    void cmdOk_Click();
    // Back to display mode: ticks cleared and locked, selling controls hidden.
    void HideSell();
    // The access password was given while the window shows.
    void unlockSelling();

    // A lane taken back into use in Installation starts with nothing sold.
    void ResetLaneTime(int lane);

    // Every 500 ms: the time left of each running lane, its end, the board's
    // "Time Left" between races, and the board redrawn.
    void tmrSellTime_Timer();

    // SoldTimeGate: a lap counts only while the lane's time runs; a lane
    // whose time is up ends here, though the tick has not come yet.
    bool laneTimeRunning(int lane) override;

  private:
    bool inUse(int lane) const;
    bool laneDisabled(int lane) const;
    bool ticked(int lane) const;
    // The time left of a running lane at nowTick; its end when none is left.
    void countDown(int lane, int64_t nowTick);
    void endLane(int lane);
    void showTimeLeftOnBoard();
    void redrawBoard();

    TimeSellingContext c_;
    std::unique_ptr<Timer> timer_;
    std::function<void()> tickObserver_;
    LaneTable<int> soldMinutes_{};  // lblTimeSold
    LaneTable<bool> selected_{};    // chkSelect
    LaneTable<LaneTime> laneTime_{};
    bool sellingMode_ = false;
};

}  // namespace qel
