#pragma once
// The questions asked before a reset or an exit throws away a race whose
// summary or lap times were not saved.
#include "core/seams/prompter.h"
#include "core/state/race_state.h"

namespace qel {

// Before Reset: true to go on. A Yes clears the flags it was asked about.
bool ConfirmResetUnsaved(RaceState& state, Prompter& prompter);

// Before Exit: true to go on. Practice asks nothing.
bool ConfirmExitUnsaved(const RaceState& state, Prompter& prompter);

}  // namespace qel
