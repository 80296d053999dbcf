#include "core/seams/virtual_time.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qel {
namespace {

struct Expiry {
    std::string timer;
    int64_t at = 0;
    int elapsed = 0;
    bool operator==(const Expiry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Expiry& e) {
    return out << e.timer << "@" << e.at << "+" << e.elapsed;
}

class VirtualTimeTest : public ::testing::Test {
  protected:
    std::unique_ptr<Timer> makeTimer(const std::string& name, int interval, bool enabled = true) {
        auto timer = scheduler.createTimer();
        timer->setInterval(interval);
        timer->setHandler([this, name](int elapsed) {
            log.push_back({name, scheduler.tickCountMs(), elapsed});
        });
        timer->setEnabled(enabled);
        return timer;
    }

    VirtualScheduler scheduler;
    std::vector<Expiry> log;
};

TEST_F(VirtualTimeTest, FiresDueTimersInTimeOrderWithElapsedSincePreviousExpiry) {
    auto tick = makeTimer("tick", 100);
    auto light = makeTimer("light", 250);
    scheduler.advance(550);
    const std::vector<Expiry> expected = {
        {"tick", 100, 100}, {"tick", 200, 100}, {"light", 250, 250}, {"tick", 300, 100},
        {"tick", 400, 100}, {"tick", 500, 100}, {"light", 500, 250},
    };
    EXPECT_EQ(log, expected);  // equal times: the timer created first goes first
    EXPECT_EQ(scheduler.tickCountMs(), 550);
}

TEST_F(VirtualTimeTest, EnablingCountsFromThatMomentAndDisabledTimersStayQuiet) {
    auto tick = makeTimer("tick", 100, false);
    scheduler.advance(130);
    EXPECT_TRUE(log.empty());
    tick->setEnabled(true);
    tick->setEnabled(true);  // already running: the count is not restarted
    scheduler.advance(120);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], (Expiry{"tick", 230, 100}));
    tick->setEnabled(false);
    scheduler.advance(1000);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(VirtualTimeTest, SmallStepsAddUpToTheSameExpiries) {
    auto tick = makeTimer("tick", 100);
    for (int i = 0; i < 30; ++i)
        scheduler.advance(10);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2], (Expiry{"tick", 300, 100}));
}

TEST_F(VirtualTimeTest, HandlersMayDisableCreateAndDestroyTimers) {
    std::unique_ptr<Timer> other = makeTimer("other", 100);
    std::unique_ptr<Timer> created;
    std::unique_ptr<Timer> once = scheduler.createTimer();
    once->setInterval(50);
    once->setHandler([&](int) {
        log.push_back({"once", scheduler.tickCountMs(), 0});
        once->setEnabled(false);
        other.reset();  // destroyed before it could fire at 100
        created = makeTimer("created", 30);
    });
    once->setEnabled(true);

    std::unique_ptr<Timer> selfDestroying = scheduler.createTimer();
    selfDestroying->setInterval(70);
    selfDestroying->setHandler([&](int) {
        log.push_back({"gone", scheduler.tickCountMs(), 0});
        selfDestroying.reset();
    });
    selfDestroying->setEnabled(true);

    scheduler.advance(120);
    const std::vector<Expiry> expected = {
        {"once", 50, 0}, {"gone", 70, 0}, {"created", 80, 30}, {"created", 110, 30}};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(selfDestroying, nullptr);
}

TEST_F(VirtualTimeTest, SleepInsideAHandlerHoldsEveryTimerUntilItReturns) {
    auto lights = makeTimer("lights", 40);
    auto tick = scheduler.createTimer();
    bool coasting = true;
    tick->setInterval(100);
    tick->setHandler([&](int elapsed) {
        log.push_back({"tick", scheduler.tickCountMs(), elapsed});
        if (coasting) scheduler.sleepMs(250);  // a coast-down wait inside the race tick
        coasting = false;
    });
    tick->setEnabled(true);

    scheduler.advance(460);
    // Nothing fires during the wait; afterwards each late timer fires once
    // (not once per missed interval), then keeps time again.
    const std::vector<Expiry> expected = {
        {"lights", 40, 40}, {"lights", 80, 40},  {"tick", 100, 100},  {"lights", 350, 270},
        {"tick", 350, 250}, {"lights", 390, 40}, {"lights", 430, 40}, {"tick", 450, 100},
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(scheduler.tickCountMs(), 460);
}

TEST_F(VirtualTimeTest, SleepOutsideAHandlerLeavesDueTimersForLater) {
    auto tick = makeTimer("tick", 100);
    scheduler.sleepMs(250);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(scheduler.tickCountMs(), 250);
    scheduler.sleepMs(-5);
    EXPECT_EQ(scheduler.tickCountMs(), 250);
    scheduler.advance(0);
    EXPECT_EQ(log, (std::vector<Expiry>{{"tick", 250, 250}}));
}

TEST_F(VirtualTimeTest, NowIsTheStartDayPlusElapsedTime) {
    scheduler.setStartDay(45000.5);  // noon
    scheduler.advance(6 * 3600 * 1000);
    EXPECT_DOUBLE_EQ(scheduler.now(), 45000.75);
}

TEST(VirtualTimerLifetime, TimerOutlivingItsSchedulerIsHarmless) {
    std::unique_ptr<Timer> timer;
    {
        VirtualScheduler scheduler;
        timer = scheduler.createTimer();
        timer->setInterval(10);
        timer->setEnabled(true);
    }
    timer->setEnabled(false);
    EXPECT_FALSE(timer->enabled());
}

}  // namespace
}  // namespace qel
