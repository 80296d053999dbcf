#include "core/engine/drag_tree.h"

namespace qel {

DragRacingTree::DragRacingTree(TimerService& timers, StartSequenceServices services,
                               StartSequenceHooks hooks)
    : StartLights(timers, services, std::move(hooks), kIntervalMs) {}

void DragRacingTree::runStep(int step) {
    switch (step) {
        case 3:
            if (services().setup.startMethod() == StartMethod::DragRacing) setLamp(0, Lamp::Yellow);
            beep();
            break;
        case 4:
        case 5:
            setLamp(step - 3, Lamp::Yellow);
            beep();
            break;
        case kGreenStep:
            services().link.SetTrackPower(true);
            setLamp(3, Lamp::Green);
            // The tree always sounds its green, with "Go" when the director wants it.
            if (services().sounds.raceSoundEnabled[kSoundGo])
                playRaceSound(services().sounds, services().player, kSoundGo);
            else
                beep();
            startTiming();
            break;
        case kLastStep:
            finish(false);
            break;
        default:
            break;
    }
}

}  // namespace qel
