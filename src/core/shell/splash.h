#pragma once
// How long the splash stays: one second, or until the race director presses
// a key or clicks it, whichever comes first.
#include <functional>
#include <memory>

#include "core/seams/timer_service.h"

namespace qel {

inline constexpr int kSplashMs = 1000;

class Splash {
  public:
    // onEnd runs once, when the splash gives way to the race screen.
    Splash(TimerService& timers, std::function<void()> onEnd);

    // A key or a click: the race screen comes at once.
    void EndSplash();
    bool ended() const { return ended_; }

  private:
    std::unique_ptr<Timer> tmrDragSplash_;
    std::function<void()> onEnd_;
    bool ended_ = false;
};

}  // namespace qel
