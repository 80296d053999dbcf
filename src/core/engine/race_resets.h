#pragma once
// Putting the race state back to its starting values before a race or heat.
#include "core/engine/demo_generator.h"
#include "core/engine/race_setup.h"
#include "core/state/heat_tables.h"
#include "core/state/race_state.h"

namespace qel {

// Every lane back at the start line with a fresh demo pace, no best laps,
// no closing time, and the order defined before the first lap.
void StartReset(RaceState& state, const RaceSetup& setup, DemoGenerator& demo);

// Before the first heat of a race: the racers' laps, points, corrections and best laps cleared.
void ResetRacerArrays(RaceState& state, HeatTables& heats);

}  // namespace qel
