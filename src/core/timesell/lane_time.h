#pragma once
// Sold running time per lane.
#include "core/state/race_state.h"

namespace qel {

// A lane taken back into use starts with no time sold: nothing left to run
// and no countdown running, so it counts no lap until time is sold to it.
void ResetLaneTime(RaceState& state, int lane);

}  // namespace qel
