#pragma once
// The race board's title, race description and menu states, rebuilt whenever
// the race set-up changes: the race director must see at a glance what kind
// of race the track is set for and how it will start.
#include <functional>
#include <optional>
#include <string>

#include "core/engine/race_setup.h"
#include "core/io/data_folder.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

// The race description of the set-up ("Demo - 10 Lap Race", "Rotation #2/6");
// nullopt for a format the program does not know, which keeps the one shown.
std::optional<std::string> raceTitleOf(const RaceSetup& setup, const HeatTables& heats);

class RaceTitle {
  public:
    // refreshClock: the race clock's display (the clock of the race finish).
    RaceTitle(const AppFolder& folder, RaceState& state, const HeatTables& heats, RaceBoard& board,
              RaceSetup setup, std::function<void()> refreshClock)
        : folder_(folder),
          state_(state),
          heats_(heats),
          board_(board),
          setup_(setup),
          refreshClock_(std::move(refreshClock)) {}

    void UpdateRaceTitle();

  private:
    void startMethodTitle();

    const AppFolder& folder_;
    RaceState& state_;
    const HeatTables& heats_;
    RaceBoard& board_;
    RaceSetup setup_;
    std::function<void()> refreshClock_;
};

}  // namespace qel
