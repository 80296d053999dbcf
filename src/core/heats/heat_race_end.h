#pragma once
// The heats' part in the end of a race or heat: the racers' lap totals and
// the points of the heat. Until the flow between heats runs the delays
// itself, a heat that ends under "Auto Delay" is handed to the race director,
// who rotates to the next heat with the Start button.
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_end.h"
#include "core/state/race_state.h"

namespace qel {

class HeatRaceEnd : public RaceEndSubsystem {
  public:
    HeatRaceEnd(HeatTables& heats, const RaceState& race, RaceBoard& board)
        : heats_(heats), race_(race), board_(board) {}

    void scoreHeat() override;
    void startBetweenHeatDelay() override;

  private:
    HeatTables& heats_;
    const RaceState& race_;
    RaceBoard& board_;
};

}  // namespace qel
