#pragma once
// Time that moves only when told to: the clock and timers of tests and
// headless replays. Countdowns, start lights, between-heat delays and sold
// time run through in microseconds, in the same order as on the track.
#include <cstdint>
#include <memory>

#include "core/seams/clock.h"
#include "core/seams/timer_service.h"

namespace qel {

class VirtualScheduler : public Clock, public TimerService {
  public:
    // startDay: the time of day at tick 0, as a day count (days since 30 Dec 1899).
    explicit VirtualScheduler(double startDay = 0.0);
    ~VirtualScheduler() override;
    VirtualScheduler(const VirtualScheduler&) = delete;
    VirtualScheduler& operator=(const VirtualScheduler&) = delete;

    // Moves time forward by ms, firing every timer that falls due on the way,
    // in time order (equal times: the timer created first fires first). Each
    // handler sees the clock at its own expiry. Handlers may create, enable,
    // disable or destroy timers, and sleep, while they run. A timer that fell
    // due during a sleep fires once, late, with the whole gap as its elapsed time.
    void advance(int64_t ms);

    void setStartDay(double startDay);

    int64_t tickCountMs() const override;
    double now() const override;
    void sleepMs(int ms) override;

    std::unique_ptr<Timer> createTimer() override;

    struct State;

  private:
    // Shared with the timers, so a timer outliving its scheduler stays harmless.
    std::shared_ptr<State> state_;
};

}  // namespace qel
