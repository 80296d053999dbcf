#include "core/timesell/time_selling.h"

#include <algorithm>
#include <exception>

#include "core/engine/board_headers.h"
#include "core/io/dates.h"
#include "core/timesell/sold_time_text.h"
#include "core/timesell/time_increments.h"

namespace qel {

TimeSelling::TimeSelling(TimeSellingContext context)
    : c_(context), timer_(context.timers.createTimer()) {
    timer_->setInterval(kSellTimeTickMs);
    timer_->setHandler([this](int) { tmrSellTime_Timer(); });
    // Ticking from the start; the first tick stops it when no time is sold.
    timer_->setEnabled(true);
}

TimeSelling::~TimeSelling() = default;

void TimeSelling::resume() {
    if (c_.state.sellTimeEnabled == 1 && !timer_->enabled()) timer_->setEnabled(true);
}

int TimeSelling::laneCount() const {
    return std::clamp<int>(c_.state.laneCount, 0, kMaxLanes);
}

bool TimeSelling::inUse(int lane) const {
    return lane >= 1 && lane <= laneCount();
}

bool TimeSelling::laneDisabled(int lane) const {
    return c_.state.laneDisabled[lane] != 0;
}

bool TimeSelling::ticked(int lane) const {
    return inUse(lane) && !laneDisabled(lane) && selected_[lane];
}

std::string TimeSelling::soldText(int lane) const {
    if (lane < 1 || lane > kMaxLanes) return "";
    if (laneDisabled(lane)) return " Disabled";
    return soldTimeText(soldMinutes_[lane]);
}

int TimeSelling::soldMinutes(int lane) const {
    return lane >= 1 && lane <= kMaxLanes ? soldMinutes_[lane] : 0;
}

std::string TimeSelling::remainingText(int lane) const {
    if (lane < 1 || lane > kMaxLanes) return "";
    return remainingTimeText(c_.state.laneTimeRemaining[lane]);
}

bool TimeSelling::selected(int lane) const {
    return lane >= 1 && lane <= kMaxLanes && selected_[lane];
}

bool TimeSelling::selectEnabled(int lane) const {
    return sellingMode_ && inUse(lane) && !laneDisabled(lane);
}

int TimeSelling::incrementIndex() const {
    return listedIncrementIndex(c_.state.timeIncrementIndex);
}

int TimeSelling::incrementMinutesChosen() const {
    return incrementMinutes(kTimeIncrementEntries[static_cast<std::size_t>(incrementIndex())]);
}

void TimeSelling::chkSelect_Click(int lane, bool on) {
    if (selectEnabled(lane)) selected_[lane] = on;
}

void TimeSelling::cmbTimeIncrement_Click(int index) {
    if (index != listedIncrementIndex(index)) return;
    RaceState& s = c_.state;
    s.timeIncrementIndex = static_cast<int16_t>(index);
    // Every title refresh reads the choice back from RaceLag.dat: stored only
    // in memory, it would jump back at the next race start.
    try {
        writeRaceLagFile(c_.folder, {s.lagCaption, s.bestLapCaption, s.timeIncrementIndex});
    } catch (const std::exception& error) {
        c_.prompter.inform(error.what());
    }
}

void TimeSelling::cmdIncrease_Click() {
    const int step = incrementMinutesChosen();
    bool held = false;
    for (int lane = 1; lane <= laneCount(); ++lane) {
        if (!ticked(lane)) continue;
        int minutes = soldMinutes_[lane] + step;
        if (minutes > kMostSoldMinutes) {
            minutes = kMostSoldMinutes;
            held = true;
        }
        soldMinutes_[lane] = minutes;
    }
    if (held) c_.prompter.inform(kMostSoldTimeMessage, kTimeWindowTitle, MessageIcon::Information);
}

void TimeSelling::cmdDecrease_Click() {
    const int step = incrementMinutesChosen();
    for (int lane = 1; lane <= laneCount(); ++lane) {
        if (!ticked(lane)) continue;
        // A lane with nothing sold ends the pass: the lanes after it keep their time.
        if (soldMinutes_[lane] == 0) break;
        soldMinutes_[lane] = std::max(0, soldMinutes_[lane] - step);
    }
}

void TimeSelling::cmdReset_Click() {
    for (int lane = 1; lane <= laneCount(); ++lane) {
        if (ticked(lane)) ResetLaneTime(lane);
    }
}

void TimeSelling::cmdSelectAll_Click() {
    for (int lane = 1; lane <= laneCount(); ++lane) {
        if (!laneDisabled(lane)) selected_[lane] = true;
    }
}

void TimeSelling::cmdDeSelectAll_Click() {
    for (int lane = 1; lane <= laneCount(); ++lane) {
        if (!laneDisabled(lane)) selected_[lane] = false;
    }
}

void TimeSelling::cmdOk_Click() {
    RaceState& s = c_.state;
    const int64_t now = c_.clock.tickCountMs();
    for (int lane = 1; lane <= laneCount(); ++lane) {
        if (laneDisabled(lane)) continue;
        const bool running = s.laneTimeRunning[lane] != 0;
        if (soldMinutes_[lane] == 0 && !running) continue;
        // The sold display is the lane's whole time: brought down on a running
        // lane, it shortens it, and brought to nothing, it ends it.
        laneTime_[lane].soldMs = soldMinutes_[lane] * kMsPerMinute;
        if (!running) {
            laneTime_[lane].startTick = now;
            s.laneTimeRunning[lane] = -1;
        }
        countDown(lane, now);
    }
    HideSell();
    resume();
}

void TimeSelling::HideSell() {
    selected_ = {};
    c_.state.timeIncrementIndex = static_cast<int16_t>(incrementIndex());
    sellingMode_ = false;
}

void TimeSelling::unlockSelling() {
    sellingMode_ = true;
}

void TimeSelling::ResetLaneTime(int lane) {
    if (lane < 1 || lane > kMaxLanes) return;
    laneTime_[lane] = {};
    endLane(lane);
}

void TimeSelling::endLane(int lane) {
    soldMinutes_[lane] = 0;
    c_.state.laneTimeRunning[lane] = 0;
    c_.state.laneTimeRemaining[lane] = 0;
}

void TimeSelling::countDown(int lane, int64_t nowTick) {
    const int64_t left = laneTime_[lane].remainingMs(nowTick);
    if (left <= 0) {
        endLane(lane);
    } else {
        c_.state.laneTimeRemaining[lane] = static_cast<double>(left) / (kSecondsPerDay * 1000.0);
    }
}

void TimeSelling::tmrSellTime_Timer() {
    if (c_.state.sellTimeEnabled != 1) {
        timer_->setEnabled(false);
        return;
    }
    const int64_t now = c_.clock.tickCountMs();
    for (int lane = 1; lane <= laneCount(); ++lane) {
        if (c_.state.laneTimeRunning[lane] != 0) countDown(lane, now);
    }
    showTimeLeftOnBoard();
    redrawBoard();
    if (tickObserver_) tickObserver_();
}

void TimeSelling::showTimeLeftOnBoard() {
    RaceBoard& board = c_.board;
    if (!board.idle()) return;
    // After a race the best laps stay on the board until it is reset.
    if (!c_.setup.practiceMode() && c_.state.raceOverHandled != 0) return;
    board.bestHeader = "Time Left";
    for (int lane = 1; lane <= laneCount(); ++lane)
        board.rows[lane].best.text = remainingText(lane);
}

void TimeSelling::redrawBoard() {
    // The rows are the lanes in practice and the running order in a race,
    // as the race tick draws them.
    if (c_.setup.practiceMode()) {
        c_.screen.UpdatePracticeScreen();
    } else {
        c_.screen.UpdateRaceScreen();
    }
}

bool TimeSelling::laneTimeRunning(int lane) {
    if (lane < 1 || lane > kMaxLanes) return false;
    if (c_.state.laneTimeRunning[lane] != 0) countDown(lane, c_.clock.tickCountMs());
    return c_.state.laneTimeRunning[lane] != 0;
}

}  // namespace qel
