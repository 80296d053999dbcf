#include "core/shell/splash.h"

#include <utility>

namespace qel {

Splash::Splash(TimerService& timers, std::function<void()> onEnd)
    : tmrDragSplash_(timers.createTimer()), onEnd_(std::move(onEnd)) {
    tmrDragSplash_->setInterval(kSplashMs);
    tmrDragSplash_->setHandler([this](int) { EndSplash(); });
    tmrDragSplash_->setEnabled(true);
}

void Splash::EndSplash() {
    // A key pressed in the same instant as the tick must not open the race
    // screen twice.
    if (ended_) return;
    ended_ = true;
    tmrDragSplash_->setEnabled(false);
    if (onEnd_) onEnd_();
}

}  // namespace qel
