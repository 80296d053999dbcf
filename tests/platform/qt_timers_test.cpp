#include "platform/qt_timers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <vector>

namespace qel::platform {
namespace {

// Runs the event loop until done() or the bounded wait runs out.
template <typename Done>
void runUntil(Done done, int maxMs = 3000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < maxMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
}

TEST(QtTimers, ATickReportsTheMillisecondsThatReallyPassed) {
    QtTimerService service;
    QtClock clock;
    auto tick = service.createTimer();
    std::vector<int> elapsed;
    std::vector<int64_t> at;
    tick->setInterval(30);
    tick->setHandler([&](int ms) {
        elapsed.push_back(ms);
        at.push_back(clock.tickCountMs());
    });
    const int64_t enabledAt = clock.tickCountMs();
    tick->setEnabled(true);
    EXPECT_TRUE(tick->enabled());
    runUntil([&] { return elapsed.size() >= 4; });
    tick->setEnabled(false);
    ASSERT_GE(elapsed.size(), 4u);
    // Each report matches the clock, whatever the machine's load did to the
    // rhythm: a late tick is followed by a shorter gap, as the timer keeps to
    // its schedule, so only the whole run is bound by the interval.
    int64_t previous = enabledAt;
    for (std::size_t i = 0; i < elapsed.size(); ++i) {
        EXPECT_NEAR(elapsed[i], at[i] - previous, 3) << "tick " << i;
        previous = at[i];
    }
    EXPECT_GE(at.back() - enabledAt, static_cast<int64_t>(30 * elapsed.size()) - 3);
}

TEST(QtTimers, IntervalZeroAndDisabledTimersNeverFire) {
    QtTimerService service;
    auto idle = service.createTimer();
    auto stopped = service.createTimer();
    int fired = 0;
    idle->setHandler([&](int) { ++fired; });
    stopped->setHandler([&](int) { ++fired; });
    idle->setEnabled(true);  // interval 0
    stopped->setInterval(5);
    runUntil([] { return false; }, 60);
    EXPECT_EQ(fired, 0);
}

TEST(QtTimers, AHandlerMayDestroyItsOwnTimer) {
    QtTimerService service;
    auto once = service.createTimer();
    int fired = 0;
    once->setInterval(5);
    once->setHandler([&](int) {
        ++fired;
        once.reset();
    });
    once->setEnabled(true);
    runUntil([&] { return fired > 0; });
    runUntil([] { return false; }, 30);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(once, nullptr);
}

TEST(QtClock, SleepHoldsTheProgramAndDueTimersFireOnceAfterwards) {
    QtTimerService service;
    QtClock clock;
    auto lights = service.createTimer();
    int fired = 0;
    lights->setInterval(20);
    lights->setHandler([&](int) { ++fired; });
    lights->setEnabled(true);

    const int64_t before = clock.tickCountMs();
    clock.sleepMs(120);
    const int64_t slept = clock.tickCountMs() - before;
    EXPECT_GE(slept, 120);
    EXPECT_LT(slept, 1000);
    EXPECT_EQ(fired, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);
}

TEST(QtClock, NowIsTheLocalDayCount) {
    const QDateTime noon(QDate(2024, 3, 5), QTime(12, 0));
    EXPECT_DOUBLE_EQ(QtClock::dayCount(noon), 45356.5);
    EXPECT_DOUBLE_EQ(QtClock::dayCount(QDateTime(QDate(1899, 12, 30), QTime(6, 0))), 0.25);
    // Given in another zone, the day count is still the local time of day.
    const QDateTime utc = noon.toUTC();
    EXPECT_DOUBLE_EQ(QtClock::dayCount(utc), 45356.5);

    QtClock clock;
    const double before = QtClock::dayCount(QDateTime::currentDateTime());
    const double now = clock.now();
    EXPECT_NEAR(now, before, 1.0 / 86400.0);
}

}  // namespace
}  // namespace qel::platform
