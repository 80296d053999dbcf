#include "core/engine/start_sequences.h"

namespace qel {

int32_t lampColor(Lamp lamp) {
    switch (lamp) {
        case Lamp::Red:
            return kRedLightColor;
        case Lamp::Yellow:
            return kYellowLightColor;
        case Lamp::Green:
            return kGreenLightColor;
        case Lamp::Dark:
            break;
    }
    return kDarkLampColor;
}

void StartTimingAtGreen(StartSequenceServices& services, const StartSequenceHooks& hooks) {
    services.link.drainInput([](char) {});
    services.board.flagPicture = kFlagGreen;
    if (hooks.flagShown) hooks.flagShown(kFlagGreen);
    services.raceTick.setEnabled(true);
    services.link.SendBoxCommand("S");
    services.link.SetTrackPower(true);
}

}  // namespace qel
