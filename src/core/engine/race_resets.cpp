#include "core/engine/race_resets.h"

#include <algorithm>

#include "core/engine/standings.h"

namespace qel {

void StartReset(RaceState& state, const RaceSetup& setup, DemoGenerator& demo) {
    const int lanes = std::clamp<int>(state.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane) {
        state.hitLane = static_cast<int16_t>(lane);
        state.lapCount[lane] = setup.firstLapOffset();
        state.lastPassMs[lane] = 0;
        state.shownLapMs[lane] = 0;
        state.lagBehindText[lane].clear();
        state.lagFirstText[lane].clear();
        state.finishLap[lane] = kMaxLap;
        demo.drawLaneValues(lane, setup.minLapTime());
    }
    state.coastDeadlineMs = kNoCoastDeadline;
    ResetBestLaps(state);
    state.raceOverHandled = 0;
    state.tenSecondWarned = 0;
    ComputePosition(state);
}

void ResetRacerArrays(RaceState& state, HeatTables& heats) {
    const int lanes = std::clamp<int>(state.laneCount, 0, kMaxLanes);
    for (int r = 1; r <= kMaxRacers; ++r) {
        auto& racer = heats.heatRacers[r];
        for (int lane = 1; lane <= lanes; ++lane) {
            racer.bestLap[lane] = kNoBestLap;
            racer.lapsInLane[lane] = 0;
            racer.pointsInLane[lane] = 0;
            racer.adjustInLane[lane] = 0;
        }
        racer.totalLaps = 0;
        racer.totalPoints = 0;
    }
}

}  // namespace qel
