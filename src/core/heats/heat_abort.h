#pragma once
// The Abort button of a paused heat race: the race director either runs the
// heat again from its first lap or abandons the whole race and goes back to
// heat 1.
#include <functional>

#include "core/engine/demo_generator.h"
#include "core/engine/race_control.h"
#include "core/engine/race_setup.h"
#include "core/seams/timer_service.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

struct HeatAbortContext {
    RaceState& state;
    HeatTables& heats;
    RaceBoard& board;
    RaceSetup setup;
    RaceControl& control;
    Timer& raceTick;  // Timer1
    DemoGenerator& demo;
    // The next-heat window unloaded (harmless when it is not loaded).
    std::function<void()> closeNextHeat;
};

class HeatAbort {
  public:
    // Throws std::logic_error when closeNextHeat is not wired.
    explicit HeatAbort(HeatAbortContext context);

    // "&Restart Heat": the same heat is ready to start again, its racers on
    // their lanes; the laps and points of the next run replace this one's.
    void restartHeat();
    // "&Abort Race": back at heat 1 with nothing to save; the next start
    // clears the racers' heat records.
    void abortRace();

  private:
    int lanes() const;

    HeatAbortContext c_;
};

}  // namespace qel
