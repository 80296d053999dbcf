#pragma once
// Turning a placement into the numbered racers of a heat race: lane racers
// first in lane order, then the sit-out racers in slot order.
#include <string>
#include <string_view>
#include <vector>

#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr int kMaxSitOuts = 90;

struct Placement {
    LaneTable<std::string> laneNames{};    // lane slots 1..8
    std::vector<std::string> sitOutNames;  // sit-out slots 1..90 from the front
};

// Gives every named lane 1..laneCount the next racer number (name trimmed,
// startLane = the lane) and shows it on the board; an empty lane's name is
// cleared. With a heat rotation, sit-out slots from slot 1 up to the first
// empty one follow as racers with sitOutNumber = the slot. Only name,
// startLane and sitOutNumber of a racer are written. Returns the number of
// racers defined.
//
// Sit-out racers are numbered right after the racers actually placed in
// lanes. When every lane of the sequence holds a racer, as placement demands,
// that is the sequence's lane count plus the slot; numbering from the lane
// count regardless would, with a lane left empty, overwrite a lane racer or
// leave a stale racer from an earlier race in the field.
int DefineRacers(const Placement& placement, int laneCount, bool heatRotation, HeatTables& tables,
                 RaceState& state, RaceBoard& board);

}  // namespace qel
