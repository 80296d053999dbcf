#pragma once
// A race set up as the race director's dialogs would leave it, over a copy of
// the default application folder, for tests that run the whole engine.
#include "core/app_state.h"
#include "core/setup/options_file.h"
#include "support/temp_folder.h"

namespace qel::test {

// The default data files, the sound table with a placeholder for every wave
// the races play (the sound is not heard, the plays are recorded) and the
// pointer pictures.
void layOutApplicationFolder(const TempFolder& folder);

// The start the Options dialog would store; delaySeconds counts down first.
void useStartMethod(OptionsSettings& options, StartMethod method, int delaySeconds = 0);

// A lap race as the Race Format dialog's OK leaves the record, for tests of
// the engine below the windows.
void chooseLapRace(AppState& app, int laps);

}  // namespace qel::test
