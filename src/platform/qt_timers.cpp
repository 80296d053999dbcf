#include "platform/qt_timers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <thread>

namespace qel::platform {

QtTimer::QtTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
}

void QtTimer::setInterval(int ms) {
    interval_ = std::max(ms, 0);
    apply();
}

void QtTimer::setEnabled(bool enabled) {
    if (enabled && !enabled_) sincePrevious_.start();
    enabled_ = enabled;
    apply();
}

// An interval of 0 means the timer never fires, as for a window timer; a
// QTimer would instead fire at every pass of the event loop.
void QtTimer::apply() {
    if (enabled_ && interval_ > 0) {
        // A changed interval restarts the count; an unchanged one keeps its rhythm.
        if (!timer_.isActive() || timer_.interval() != interval_) timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

void QtTimer::fire() {
    const int elapsed = static_cast<int>(sincePrevious_.restart());
    // The handler may destroy this timer (a window closing), so it runs from a
    // copy and nothing of this object is touched afterwards.
    const Handler handler = handler_;
    if (handler) handler(elapsed);
}

void QtClock::sleepMs(int ms) {
    if (ms <= 0) return;
    const QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::max<qint64>(deadline.remainingTime(), 1)));
    }
}

double QtClock::dayCount(const QDateTime& local) {
    static const QDate kDayZero(1899, 12, 30);
    const QDateTime shown = local.toLocalTime();
    return static_cast<double>(kDayZero.daysTo(shown.date())) +
           static_cast<double>(shown.time().msecsSinceStartOfDay()) / 86400000.0;
}

}  // namespace qel::platform
