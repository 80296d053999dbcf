#pragma once
// The start-delay countdown before the lights: the seconds counted down in
// large digits so the drivers can take their places; the director can pause
// it or skip it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/seams/timer_service.h"
#include "core/state/race_board.h"

namespace qel {

inline constexpr const char* kPauseDelayCaption = "Pause Delay";
inline constexpr const char* kContinueDelayCaption = "Continue Delay";

struct StartCountdownHooks {
    std::function<void()> boardChanged;  // the Start button held or freed
    std::function<void()> viewChanged;   // the count or the pause caption changed
    std::function<void()> closed;        // the lights follow; the window goes away
};

class StartCountdown {
  public:
    static constexpr int kIntervalMs = 1000;

    // startDelay: the race's remaining count, which the countdown consumes.
    StartCountdown(TimerService& timers, RaceBoard& board, int16_t& startDelay,
                   StartCountdownHooks hooks);
    ~StartCountdown();
    StartCountdown(const StartCountdown&) = delete;
    StartCountdown& operator=(const StartCountdown&) = delete;

    // Form_Load, with the delay the race director set in Options.
    void load(int16_t optionsDelay);
    // cmdPauseDelay: pause, or go on from where the count stood.
    void pauseDelayClicked();
    // cmdSkip, or a click on the window or the count.
    void skip();

    const std::string& countText() const { return countText_; }
    const std::string& pauseCaption() const { return pauseCaption_; }
    bool isOpen() const { return open_; }
    const Timer& timer() const { return *timer_; }

  private:
    void tick();
    void close();

    RaceBoard& board_;
    int16_t& startDelay_;
    StartCountdownHooks hooks_;
    std::unique_ptr<Timer> timer_;
    std::string countText_;
    std::string pauseCaption_ = kPauseDelayCaption;
    bool open_ = false;
    // The main window may let go of the countdown from its closed hook.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace qel
