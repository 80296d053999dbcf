#pragma once
// The race clock on the board, the finish check every race tick runs, and
// the end of a race or heat with its hand-over to records, points, views,
// printing and the flow between heats.
#include <functional>

#include "core/engine/race_screen.h"
#include "core/engine/race_setup.h"
#include "core/engine/timing_link.h"
#include "core/seams/clock.h"
#include "core/seams/timer_service.h"
#include "core/sound/sound_table.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_end.h"
#include "core/state/race_state.h"

namespace qel {

struct FinishContext {
    RaceState& state;
    RaceSetup setup;
    HeatTables& heats;
    RaceBoard& board;
    RaceScreen& screen;
    TimingLink& link;
    Timer& raceTick;
    Clock& clock;
    const SoundTable& sounds;
    SoundPlayer& player;
    RaceEndHandover& handover;
    // Told of every flag shown, for the race's record of events.
    std::function<void(int picture)> flagShown = {};
};

class RaceFinish {
  public:
    explicit RaceFinish(FinishContext context) : c_(context) {}

    void clock();
    void CheckFinish();
    void RaceOrHeatOver();

  private:
    bool timedRace() const;
    bool lastHeat() const;
    void freezeFinishLaps();
    int finishedLanes() const;
    void CheckLapRace();
    void CheckTimedRace();
    void flag(int picture);

    FinishContext c_;
};

}  // namespace qel
