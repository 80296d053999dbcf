#include "core/engine/formula1_lights.h"

#include <algorithm>

namespace qel {

Formula1Lights::Formula1Lights(TimerService& timers, Random& random, StartSequenceServices services,
                               StartSequenceHooks hooks)
    : StartLights(timers, services, std::move(hooks), kIntervalMs), random_(random) {}

void Formula1Lights::prepare() {
    random_.seedFromClock();
}

void Formula1Lights::runStep(int step) {
    switch (step) {
        case 2:
        case 3:
        case 4:
            setLamp(step - 2, Lamp::Red);
            beep();
            break;
        case 5: {
            setLamp(3, Lamp::Red);
            beep();
            const double draw = std::clamp(random_.next(), 0.0, 1.0);
            const int waitMs = static_cast<int>(draw * kWaitSpreadMs + kShortestWaitMs);
            stepTimer().setInterval(std::min(waitMs, kShortestWaitMs + kWaitSpreadMs - 1));
            break;
        }
        case kGreenStep:
            for (int lamp = 0; lamp < kLampCount; ++lamp)
                setLamp(lamp, Lamp::Green);
            playRaceSound(services().sounds, services().player, kSoundGo);
            startTiming();
            stepTimer().setInterval(kGreenShownMs);
            break;
        case kLastStep:
            finish(true);
            break;
        default:
            break;
    }
}

}  // namespace qel
