#pragma once
// The race engine on a test's bench: an application folder of its own, a
// timing box played by the test, virtual time, a scripted random generator,
// scripted message boxes and a sound card that keeps what it was asked to play.
#include <memory>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/io/data_folder.h"
#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/recording_sound_device.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel::test {

struct EngineBench {
    TempFolder folder;
    AppFolder appFolder{folder.path()};
    FakeTimingPort port;
    VirtualScheduler time{46000.5};
    ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6}};
    ScriptedPrompter prompter;
    RecordingSoundDevice device;
    std::unique_ptr<AppState> app = makeAppState();
    RaceEngine engine{*app, {appFolder, port, time, time, random, prompter, device}};
};

}  // namespace qel::test
