#include "core/heats/between_heats.h"

#include <exception>

#include "core/heats/race_formats.h"

namespace qel {
namespace {

// The count-down's spoken warnings, at the second the count shows.
constexpr int kOneMinuteCall = 61;
constexpr int kTwentySecondsCall = 21;
constexpr int kFiveSecondsCall = 6;

// A tick is a tick only while it lasts, however it ends.
class TickGuard {
  public:
    explicit TickGuard(bool& inTick) : inTick_(inTick) { inTick_ = true; }
    ~TickGuard() { inTick_ = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

  private:
    bool& inTick_;
};

}  // namespace

BetweenHeats::BetweenHeats(BetweenHeatsContext context)
    : c_(context),
      tmrDelayView_(context.timers.createTimer()),
      tmrDelayRotate_(context.timers.createTimer()) {
    tmrDelayView_->setInterval(kIntervalMs);
    tmrDelayRotate_->setInterval(kIntervalMs);
    tmrDelayView_->setHandler([this](int) { guarded(&BetweenHeats::tmrDelayView_Timer); });
    tmrDelayRotate_->setHandler([this](int) { guarded(&BetweenHeats::tmrDelayRotate_Timer); });
}

BetweenHeats::~BetweenHeats() = default;

void BetweenHeats::startBetweenHeatDelay() {
    // A fresh count with every heat, from the delays set in force now.
    tmrDelayRotate_->setEnabled(false);
    pauseCaption_ = kCountDownPauseCaption;
    viewSeconds_ = c_.setup.raceSettings().viewDelaySeconds;
    tmrDelayView_->setEnabled(true);
}

void BetweenHeats::guarded(void (BetweenHeats::*tick)()) {
    if (inTick_) return;
    TickGuard guard(inTick_);
    try {
        (this->*tick)();
    } catch (const std::exception& error) {
        c_.prompter.inform(error.what());
    } catch (...) {
        c_.prompter.inform("Unknown error");
    }
}

void BetweenHeats::tmrDelayView_Timer() {
    if (c_.windows.optionsDialogVisible()) c_.windows.cancelOptionsDialog();
    viewSeconds_ -= 1;
    if (viewSeconds_ > 0) return;

    // The next heat is prepared and its racers placed, as a press of Rotate does.
    c_.board.startState = StartState::Rotate;
    c_.control.cmdStart_Click();
    c_.board.startState = StartState::AutoDelay;
    // The rotation read the delays again; the count-down starts from the one in force.
    rotateSeconds_ = c_.setup.raceSettings().rotateDelaySeconds;
    shownCount_ = rotateSeconds_;
    pauseCaption_ = kCountDownPauseCaption;
    tmrDelayRotate_->setEnabled(true);
    c_.board.banner = kRotateNowBanner;
    c_.board.bannerVisible = true;
    tmrDelayView_->setEnabled(false);
    c_.windows.boardChanged();
    c_.windows.showCountDown();
}

void BetweenHeats::tmrDelayRotate_Timer() {
    // Neither count nor start under a modal window: the race director is
    // busy with it, and the count goes on once it is closed.
    if (c_.windows.modalWindowOpen()) {
        c_.prompter.inform(kCloseOptionMenuText, kAutoDelayTitle);
        return;
    }
    const int seconds = rotateSeconds_;
    shownCount_ = seconds;
    c_.windows.showCountDown();
    if (seconds > 0) {
        if (seconds == kOneMinuteCall) playRaceSound(c_.sounds, c_.player, kSoundRaceStarts1Min);
        if (seconds == kTwentySecondsCall)
            playRaceSound(c_.sounds, c_.player, kSoundRaceStarts20Sec);
        if (seconds == kFiveSecondsCall) playRaceSound(c_.sounds, c_.player, kSoundRaceStarts5Sec);
    } else {
        // The count-down is over before the start is tried: a start the
        // checks refuse, or one that fails, leaves "Start" for the race
        // director and never comes round again by itself.
        tmrDelayRotate_->setEnabled(false);
        pauseCaption_ = kCountDownPauseCaption;
        c_.board.startState = StartState::Start;
        c_.windows.closeCountDown();
        c_.control.cmdStart_ClickWithoutStartDelay();
        c_.windows.boardChanged();
    }
    rotateSeconds_ = seconds - 1;
}

void BetweenHeats::cmdPause_Click() {
    if (pauseCaption_ == kCountDownPauseCaption) {
        pauseCaption_ = kCountDownContinueCaption;
        tmrDelayRotate_->setEnabled(false);
    } else {
        pauseCaption_ = kCountDownPauseCaption;
        tmrDelayRotate_->setEnabled(true);
    }
}

void BetweenHeats::cmdSkip_Click() {
    if (!tmrDelayRotate_->enabled()) tmrDelayRotate_->setEnabled(true);
    rotateSeconds_ = 0;
}

void BetweenHeats::stop() {
    tmrDelayView_->setEnabled(false);
    tmrDelayRotate_->setEnabled(false);
    pauseCaption_ = kCountDownPauseCaption;
    c_.windows.closeCountDown();
}

std::string demoRaceFormatLabel(int raceFormat) {
    const char* name = "";
    switch (raceFormat) {
        case kChampionship:
            name = "Championship";
            break;
        case kRoundRobin:
            name = "Round Robin";
            break;
        case kRotationRace:
            name = "Rotation Race";
            break;
        case kRoundRobinLapHeats:
            name = "Round Robin Laps";
            break;
        case kRotationRaceLapHeats:
            name = "Rotation Laps";
            break;
        default:
            break;
    }
    return std::string("Demo - ") + name;
}

std::optional<std::string> selectRacersDemoLabel(const RaceSetup& setup) {
    if (!setup.demoMode() || !setup.heatRotation()) return std::nullopt;
    return demoRaceFormatLabel(setup.raceFormat());
}

}  // namespace qel
