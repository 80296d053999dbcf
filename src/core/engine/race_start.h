#pragma once
// The steps every start of a race shares: the lap stores and counters back
// to the start line, then the green light of the instant start.
#include <functional>

#include "core/engine/demo_generator.h"
#include "core/engine/race_setup.h"
#include "core/engine/timing_link.h"
#include "core/seams/timer_service.h"
#include "core/sound/sound_table.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

// A race about to start on a program that has raced nothing yet: every lane
// named and at the line, the stores empty, the racers' heat totals cleared.
void PrepareFreshRace(RaceState& state, const RaceSetup& setup, HeatTables& heats, RaceBoard& board,
                      DemoGenerator& demo);

// The green light without a start sequence: "Go", the green flag, the race
// tick running, the box timing and the track powered.
// flagShown, when given, is told of the green flag as it comes out.
void InstantStart(RaceBoard& board, Timer& raceTick, TimingLink& link, SoundPlayer& player,
                  const std::function<void(int picture)>& flagShown = {});

}  // namespace qel
