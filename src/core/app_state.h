#pragma once
// The one application state: everything the program knows for the whole run,
// in one place. The windows and the engine hold references into it; nothing
// else keeps mutable state of its own beyond a window's controls.
#include <memory>

#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/liveboard/live_board_settings.h"
#include "core/records/records_state.h"
#include "core/setup/auto_save_file.h"
#include "core/setup/installation_settings.h"
#include "core/setup/options_file.h"
#include "core/sound/sound_table.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

struct AppState {
    RaceState race;
    HeatTables heats;
    RaceBoard board;
    InstallationSettings installation;
    OptionsSettings options;
    RaceFormatSettings raceSettings;
    PointSystem points;
    SoundTable sounds;
    RecordsState records;
    AutoSaveSettings autoSave;
    LiveBoardSettings liveBoard;
};

// The race state alone holds two lap stores of 8 × 3001 laps; the whole is
// made on the heap once at start-up.
inline std::unique_ptr<AppState> makeAppState() {
    return std::make_unique<AppState>();
}

}  // namespace qel
