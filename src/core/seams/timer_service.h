#pragma once
// Periodic timers: the race tick, start lights, countdowns, between-heat delays.
#include <functional>
#include <memory>

namespace qel {

class Timer {
  public:
    // Called on each expiry with the milliseconds actually elapsed since the
    // previous expiry (or since the timer was enabled).
    using Handler = std::function<void(int elapsedMs)>;

    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void setHandler(Handler handler) = 0;
};

class TimerService {
  public:
    virtual ~TimerService() = default;
    // A new disabled timer; it stops firing when the returned object is destroyed.
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

}  // namespace qel
