#pragma once
// What the two start-light sequences share: the lamps, the race pieces they
// act on, what the main window must do for them, and the moment the box
// starts timing at the green light.
#include <cstdint>
#include <functional>

#include "core/engine/race_setup.h"
#include "core/engine/timing_link.h"
#include "core/seams/timer_service.h"
#include "core/setup/options_file.h"
#include "core/sound/sound_table.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

enum class Lamp { Dark, Red, Yellow, Green };

// Colours as one number: red + 256 × green + 65536 × blue.
inline constexpr int32_t kRedLightColor = 255;
inline constexpr int32_t kYellowLightColor = 65535;
inline constexpr int32_t kGreenLightColor = 65280;
// An unlit lamp is a dim grey, so the driver can see where the next light comes.
inline constexpr int32_t kDarkLampColor = 4210752;

int32_t lampColor(Lamp lamp);

// The race as the start lights find it. The options are read as each step
// needs them, so they are the race director's choice of that moment.
struct StartSequenceServices {
    RaceState& race;
    RaceBoard& board;
    Timer& raceTick;  // Timer1
    TimingLink& link;
    const SoundTable& sounds;
    SoundPlayer& player;
    RaceSetup setup;
};

// What the main window does for a start sequence. Every hook may be empty.
struct StartSequenceHooks {
    std::function<void()> boardChanged;          // Start button, flag or banner changed
    std::function<void(int picture)> flagShown;  // the green flag comes out
    std::function<void()> reset;                 // ReSet after the start is abandoned
    std::function<void()> closed;                // the sequence window goes away
    std::function<void()> viewChanged;           // lights or count changed
};

// The sound of a light that is not yet the green one.
inline constexpr const char* kBeepFile = "beep.wav";

// The green light's timing actions: what the box sent while the lights ran is
// thrown away so no car is credited a lap before the start, then the green
// flag, the race tick, the box told to time (never in demo mode) and power on.
void StartTimingAtGreen(StartSequenceServices& services, const StartSequenceHooks& hooks);

}  // namespace qel
