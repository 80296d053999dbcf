#pragma once
// Real time: precise QTimers that report the milliseconds actually elapsed,
// and the clock of the desktop.
#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include "core/seams/clock.h"
#include "core/seams/timer_service.h"

namespace qel::platform {

class QtTimer : public Timer {
  public:
    QtTimer();
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }
    void setHandler(Handler handler) override { handler_ = std::move(handler); }

  private:
    void apply();
    void fire();

    QTimer timer_;
    QElapsedTimer sincePrevious_;
    Handler handler_;
    int interval_ = 0;
    bool enabled_ = false;
};

class QtTimerService : public TimerService {
  public:
    std::unique_ptr<Timer> createTimer() override { return std::make_unique<QtTimer>(); }
};

class QtClock : public Clock {
  public:
    QtClock() { started_.start(); }
    int64_t tickCountMs() const override { return started_.elapsed(); }
    double now() const override { return dayCount(QDateTime::currentDateTime()); }
    // Holds the program for at least ms, sleeping rather than spinning. Nothing
    // runs meanwhile, so no race tick can start inside another one's wait; a
    // timer that fell due fires once afterwards. The serial driver keeps what
    // the box sends until the next read.
    void sleepMs(int ms) override;

    // Days since 30 Dec 1899 plus the fraction of the day, in local time.
    static double dayCount(const QDateTime& local);

  private:
    QElapsedTimer started_;
};

}  // namespace qel::platform
