#include "core/state/race_state.h"

namespace qel {

void ResetBestLaps(RaceState& state) {
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        state.bestLapMs[lane] = kNoBestLap;
}

void ClearLapTimes(RaceState& state) {
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        state.lapTimes[lane].fill(0);
}

void ResetSortedLapTimesArray(RaceState& state) {
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        state.sortedLapTimes[lane].fill(0);
}

}  // namespace qel
