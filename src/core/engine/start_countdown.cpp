#include "core/engine/start_countdown.h"

namespace qel {

StartCountdown::StartCountdown(TimerService& timers, RaceBoard& board, int16_t& startDelay,
                               StartCountdownHooks hooks)
    : board_(board),
      startDelay_(startDelay),
      hooks_(std::move(hooks)),
      timer_(timers.createTimer()) {
    timer_->setInterval(kIntervalMs);
    timer_->setHandler([this](int) { tick(); });
}

StartCountdown::~StartCountdown() {
    *alive_ = false;
}

void StartCountdown::load(int16_t optionsDelay) {
    if (open_) return;
    open_ = true;
    board_.startEnabled = false;
    startDelay_ = optionsDelay;
    // The drivers see the seconds they have from the moment the window opens,
    // even when the race director pauses it before the first second is up.
    countText_ = optionsDelay >= 0 ? std::to_string(optionsDelay) : std::string();
    timer_->setEnabled(true);
    if (hooks_.boardChanged) hooks_.boardChanged();
}

void StartCountdown::tick() {
    if (!open_) return;
    const int shown = startDelay_;
    // Past zero the window closes; the count is not shown below it.
    if (shown < 0) {
        close();
        return;
    }
    countText_ = std::to_string(shown);
    startDelay_ = static_cast<int16_t>(shown - 1);
    if (hooks_.viewChanged) hooks_.viewChanged();
}

void StartCountdown::pauseDelayClicked() {
    if (!open_) return;
    const bool pausing = pauseCaption_ == kPauseDelayCaption;
    timer_->setEnabled(!pausing);
    pauseCaption_ = pausing ? kContinueDelayCaption : kPauseDelayCaption;
    if (hooks_.viewChanged) hooks_.viewChanged();
}

void StartCountdown::skip() {
    if (!open_) return;
    board_.startEnabled = true;
    close();
}

void StartCountdown::close() {
    timer_->setEnabled(false);
    open_ = false;
    const auto alive = alive_;
    if (hooks_.boardChanged) hooks_.boardChanged();
    if (*alive && hooks_.closed) hooks_.closed();
}

}  // namespace qel
