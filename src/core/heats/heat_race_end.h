#pragma once
// The heats' part in the end of a race or heat: the racers' lap totals and
// the points of the heat.
#include "core/state/heat_tables.h"
#include "core/state/race_end.h"
#include "core/state/race_state.h"

namespace qel {

class HeatRaceEnd : public RaceEndSubsystem {
  public:
    HeatRaceEnd(HeatTables& heats, const RaceState& race) : heats_(heats), race_(race) {}

    void scoreHeat() override;

  private:
    HeatTables& heats_;
    const RaceState& race_;
};

}  // namespace qel
