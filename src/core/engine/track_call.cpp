#include "core/engine/track_call.h"

namespace qel {

void TrackCall::PauseButton(double thisTime) {
    if (!(thisTime > state_.lastPauseTime + kPauseDebounce)) return;
    state_.lastPauseTime = thisTime;
    if (board_.startEnabled && pressStart_) pressStart_();
}

}  // namespace qel
