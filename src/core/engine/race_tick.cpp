#include "core/engine/race_tick.h"

namespace qel {

void RaceTick::Timer1_Timer(int milliseconds) {
    // The board is redrawn every sixth tick: 5, 4, 3, 2, 1, 0, 5, ...
    state_.redrawCountdown = static_cast<int16_t>(state_.redrawCountdown - 1);
    if (state_.redrawCountdown < 0) state_.redrawCountdown = 5;

    finish_.clock();

    if (setup_.demoMode()) {
        demo_.tick(milliseconds, setup_.heatRotation(), heats_.activeSequence,
                   [this](int lane) { counter_.CountLap(lane); });
    } else {
        link_.drainInput([this](char c) { decoder_.receive(c); });
    }

    if (state_.redrawCountdown == 0) {
        if (setup_.practiceMode()) {
            screen_.UpdatePracticeScreen();
        } else {
            screen_.UpdateRaceScreen();
        }
    }
    if (setup_.raceFormat() != kPractice) finish_.CheckFinish();
}

}  // namespace qel
