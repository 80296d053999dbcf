#include "core/engine/race_screen.h"

#include <algorithm>

#include "core/engine/lap_counting.h"
#include "core/engine/standings.h"
#include "core/io/format.h"

namespace qel {

namespace {

constexpr const char* kDisabledName = " Disabled";

}  // namespace

bool RaceScreen::laneInSequence(int lane) const {
    return heats_.activeSequence.find(static_cast<char>('0' + lane)) != std::string::npos;
}

bool RaceScreen::lapTimeHidden(int lane, const BoardRow& row) const {
    return row.name.text == kDisabledName ||
           (state_.sellTimeEnabled == 1 && state_.laneTimeRunning[lane] == 0);
}

std::string RaceScreen::lapTimeText(int lane) const {
    const int32_t ms = state_.shownLapMs[lane];
    // A lap of a minute or more shows whole seconds.
    return formatNumber(ms / 1000.0, ms > 59999 ? "00" : "0.00");
}

std::string RaceScreen::bestLapText(int lane) const {
    if (state_.bestLapMs[lane] == kNoBestLap) return "";
    return " " + formatNumber(state_.bestLapMs[lane] / 1000.0, "0.000");
}

std::string RaceScreen::medianOf(int lane) {
    // One sort per redraw serves every lane.
    if (!sortedThisRedraw_) subSortLapTimes(state_);
    sortedThisRedraw_ = true;
    return state_.medianText[lane];
}

void RaceScreen::UpdateRaceScreen() {
    sortedThisRedraw_ = false;
    ComputePosition(state_);
    ComputeInterval(state_);
    const int lanes = std::clamp<int>(state_.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane) {
        state_.hitLane = static_cast<int16_t>(lane);
        BoardRow& row = board_.rows[state_.lanePosition[lane]];
        for (BoardCell* cell : {&row.name, &row.lapNum, &row.lapTime, &row.lagTime, &row.best}) {
            cell->backColor = state_.laneColor[lane];
        }

        const bool outOfSequence = setup_.heatRotation() && !laneInSequence(lane);
        if (state_.laneDisabled[lane] != 0) {
            row.name.text = kDisabledName;
        } else if (outOfSequence) {
            row.name.text.clear();
        } else {
            row.name.text = state_.laneRacerName[lane] + " ";
        }

        const bool notStarted = state_.lapCount[lane] == setup_.firstLapOffset();
        if (board_.lapHeader == "Lap") {
            row.lapNum.text = notStarted ? "" : std::to_string(state_.lapCount[lane]);
        } else if (board_.lapHeader == "T-Laps") {
            const HeatRacer* racer = heats_.racerInLane(lane);
            row.lapNum.text = notStarted || !racer ? "" : std::to_string(racer->totalLaps);
        }

        row.lapTime.text = lapTimeHidden(lane, row) || outOfSequence ? "" : lapTimeText(lane);

        const std::string& best = board_.bestHeader;
        if (best == "Best Lap") {
            row.best.text = bestLapText(lane);
        } else if (best == "MPH") {
            row.best.text = state_.lapCount[lane] > 1 ? mphText(state_, lane) : "";
        } else if (best == "Median") {
            row.best.text = state_.lapCount[lane] >= 2 ? medianOf(lane) : "";
        } else if (best == "Time Left") {
            row.best.text = formatDate(state_.laneTimeRemaining[lane], "h:mm:ss");
        }

        const std::string& lag = board_.lagHeader;
        if (lag == "Lag Behind") {
            row.lagTime.text = state_.lapCount[lane] <= 0 ? "" : state_.lagBehindText[lane];
        } else if (lag == "Lag First") {
            row.lagTime.text = state_.lapCount[lane] <= 1 ? "" : state_.lagFirstText[lane];
        } else if (lag == "Median") {
            row.lagTime.text = state_.lapCount[lane] <= 1 ? "" : medianOf(lane);
        }
    }
    if (state_.redrawCountdown == 0 && views_) {
        views_->refreshResults();
        views_->refreshLapTimes();
        views_->refreshSummary();
    }
}

void RaceScreen::UpdatePracticeScreen() {
    sortedThisRedraw_ = false;
    const int lanes = std::clamp<int>(state_.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane) {
        BoardRow& row = board_.rows[lane];
        if (lapTimeHidden(lane, row)) {
            row.lapTime.text.clear();
        } else if (state_.lapCount[lane] != setup_.firstLapOffset()) {
            row.lapNum.text = std::to_string(state_.lapCount[lane]);
            row.lapTime.text = lapTimeText(lane);
        }

        const std::string& lag = board_.lagHeader;
        if (lag == "Best Lap") {
            row.lagTime.text = bestLapText(lane);
        } else if (lag == "Median") {
            row.lagTime.text = state_.lapCount[lane] < 2 ? "" : medianOf(lane);
        }

        const std::string& best = board_.bestHeader;
        if (best == "Best Lap") {
            row.best.text = bestLapText(lane);
        } else if (best == "Time Left") {
            row.best.text = formatDate(state_.laneTimeRemaining[lane], "h:mm:ss");
        } else if (best == "MPH") {
            row.best.text = state_.lapCount[lane] <= 1 ? "" : mphText(state_, lane);
        }
    }
    if (state_.redrawCountdown == 0 && views_) {
        views_->refreshLapTimes();
        views_->refreshSummary();
    }
}

}  // namespace qel
