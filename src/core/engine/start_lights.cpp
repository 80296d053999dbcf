#include "core/engine/start_lights.h"

#include "core/heats/race_formats.h"

namespace qel {

StartLights::StartLights(TimerService& timers, StartSequenceServices services,
                         StartSequenceHooks hooks, int intervalMs)
    : services_(services),
      hooks_(std::move(hooks)),
      timer_(timers.createTimer()),
      intervalMs_(intervalMs) {
    timer_->setHandler([this](int) { tick(); });
}

StartLights::~StartLights() {
    *alive_ = false;
}

void StartLights::load() {
    if (open_) return;
    open_ = true;
    services_.board.startEnabled = false;
    prepare();
    if (powerBeforeGreen(services_.setup.options())) {
        services_.link.SetTrackPower(true);
        poweredEarly_ = true;
    }
    playRaceSound(services_.sounds, services_.player, kSoundGetReady);
    step_ = 1;
    timer_->setInterval(intervalMs_);
    timer_->setEnabled(true);
    notifyBoard();
    if (hooks_.viewChanged) hooks_.viewChanged();
}

void StartLights::rightMouseDown() {
    if (open_ && !green_) step_ = kGreenStep;
}

void StartLights::escapePressed() {
    if (!open_) return;
    if (green_) {
        finish(true);
        return;
    }
    timer_->setEnabled(false);
    if (poweredEarly_) services_.link.SetTrackPower(false);
    const auto reset = hooks_.reset;
    close();
    if (reset) reset();
}

void StartLights::tick() {
    if (!open_) return;
    const auto alive = alive_;
    const int step = step_++;
    runStep(step);
    if (*alive && open_ && hooks_.viewChanged) hooks_.viewChanged();
}

void StartLights::startTiming() {
    green_ = true;
    StartTimingAtGreen(services_, hooks_);
    notifyBoard();
}

void StartLights::finish(bool pauseOnlyFromIdle) {
    timer_->setEnabled(false);
    RaceBoard& board = services_.board;
    board.startEnabled = true;
    if (services_.setup.autoDelay()) {
        board.banner = "Auto Delay";
        board.bannerColor = kGreenLightColor;
        board.bannerVisible = true;
    }
    if (!pauseOnlyFromIdle || board.startState == StartState::Start ||
        board.startState == StartState::Continue)
        board.startState = StartState::Pause;
    close();
}

void StartLights::close() {
    open_ = false;
    notifyBoard();
    if (hooks_.closed) hooks_.closed();
}

void StartLights::notifyBoard() const {
    if (hooks_.boardChanged) hooks_.boardChanged();
}

}  // namespace qel
