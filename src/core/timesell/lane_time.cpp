#include "core/timesell/lane_time.h"

namespace qel {

void ResetLaneTime(RaceState& state, int lane) {
    if (lane < 1 || lane > kMaxLanes) return;
    state.laneTimeRemaining[lane] = 0;
    state.laneTimeRunning[lane] = 0;
}

}  // namespace qel
