#include "core/heats/heat_race_end.h"

#include "core/heats/rotation.h"

namespace qel {

void HeatRaceEnd::scoreHeat() {
    SumRacerLaps(heats_);
    ScoreHeatPoints(heats_, race_.lanePosition);
}

}  // namespace qel
