#pragma once
// The heat results on a test's bench: the race state, the heat tables, the
// set-up and the track the results window reads, a sound card that keeps
// what it was asked to play, and the results over them.
#include <memory>

#include "core/engine/race_setup.h"
#include "core/heats/heat_results.h"
#include "core/io/data_folder.h"
#include "support/race_end_fakes.h"

namespace qel::test {

struct HeatResultsBench {
    std::unique_ptr<RaceState> race = std::make_unique<RaceState>();
    HeatTables heats;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    InstallationSettings installation;
    RecordingPlayer player;
    AppFolder folder{"/club"};
    HeatResults results{
        {*race, heats, RaceSetup{raceSettings, options}, installation, player, folder}};
};

}  // namespace qel::test
