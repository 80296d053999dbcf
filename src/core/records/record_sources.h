#pragma once
// What the record fills and reports read besides the race state: the set-up
// in force, the track's lane colours and disabled lanes, the board's name
// labels and the point system.
#include "core/engine/race_setup.h"
#include "core/heats/point_system.h"
#include "core/records/records_state.h"
#include "core/setup/installation_settings.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

struct RecordSources {
    RaceState& state;
    RaceSetup setup;
    const InstallationSettings& installation;
    // Read for the lanes' name labels; the records' own notices go on its status line.
    RaceBoard& board;
    const PointSystem& points;
    RecordsState& records;
};

// A lane's "Disable" box as Installation holds it.
inline bool laneDisabledIn(const RecordSources& sources, int lane) {
    return sources.installation.laneDisabled[lane] != 0;
}

}  // namespace qel
