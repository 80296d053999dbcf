#include "core/heats/heat_abort.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "core/engine/race_resets.h"
#include "core/heats/rotation.h"

namespace qel {

HeatAbort::HeatAbort(HeatAbortContext context) : c_(std::move(context)) {
    if (!c_.closeNextHeat)
        throw std::logic_error("HeatAbort: the hook closeNextHeat is not wired.");
}

int HeatAbort::lanes() const {
    return std::clamp<int>(c_.state.laneCount, 0, kMaxLanes);
}

void HeatAbort::restartHeat() {
    // The paused race tick stops with the heat, so nothing the box may still
    // send is counted on the board waiting for the restart.
    c_.raceTick.setEnabled(false);
    c_.board.flagPicture = c_.heats.currentHeat <= 1 ? kFlagIdle : kFlagRed;
    c_.control.ReSet();
    // The lane names come back from the file with the reset; from heat 2 on
    // the heat's own racers go back on their lanes.
    if (c_.heats.currentHeat >= 2) ShowHeatRacers(c_.heats, lanes(), c_.state, c_.board);
}

void HeatAbort::abortRace() {
    c_.raceTick.setEnabled(false);
    c_.heats.currentHeat = 1;
    c_.closeNextHeat();
    c_.board.flagPicture = kFlagIdle;
    // The race director chose to lose the race: nothing is left to save.
    c_.state.lapsUnsaved = false;
    c_.state.summaryUnsaved = false;
    c_.control.ReSet();
    StartReset(c_.state, c_.setup, c_.demo);
    c_.control.EnableMenu();
}

}  // namespace qel
