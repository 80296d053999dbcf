#pragma once
// The running order, the gaps to the car ahead and to the leader, and speeds.
#include <string>

#include "core/state/race_state.h"

namespace qel {

// More laps first; at equal laps the car that got there first; at a full tie
// the lower lane number. Leaves runningOrder and lanePosition inverse.
void ComputePosition(RaceState& state);

// Gap texts from the running order; call after ComputePosition. A gap is
// refreshed only once the car behind has crossed after the car it is compared with.
void ComputeInterval(RaceState& state);

// " 436.4": the lane's speed in scale miles per hour for its last lap, after a blank.
std::string mphText(const RaceState& state, int lane);

}  // namespace qel
