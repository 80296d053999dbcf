#include "core/engine/start_countdown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/seams/virtual_time.h"

namespace qel {
namespace {

class StartCountdownTest : public ::testing::Test {
  protected:
    void at(int64_t ms) { time.advance(ms - time.tickCountMs()); }
    StartCountdownHooks countingCloses() {
        StartCountdownHooks hooks;
        hooks.closed = [this] { ++closedCount; };
        return hooks;
    }

    VirtualScheduler time;
    RaceBoard board;
    int16_t startDelay = 99;
    int closedCount = 0;
    StartCountdown countdown{time, board, startDelay, countingCloses()};
};

TEST_F(StartCountdownTest, ADelayOfNShowsNDownToZeroAndClosesAtNPlusTwoSeconds) {
    for (int16_t delay : {0, 1, 3, 10}) {
        SCOPED_TRACE(delay);
        StartCountdown one{time, board, startDelay, countingCloses()};
        closedCount = 0;
        const int64_t opened = time.tickCountMs();
        one.load(delay);
        EXPECT_FALSE(board.startEnabled);
        // The count it starts from shows from the moment it opens, and again
        // at the first tick.
        EXPECT_EQ(one.countText(), std::to_string(delay));
        at(opened + 999);
        EXPECT_EQ(one.countText(), std::to_string(delay));
        for (int shown = delay; shown >= 0; --shown) {
            at(opened + (delay - shown + 1) * 1000);
            EXPECT_EQ(one.countText(), std::to_string(shown));
        }
        at(opened + (delay + 2) * 1000 - 1);
        EXPECT_TRUE(one.isOpen());
        at(opened + (delay + 2) * 1000);
        EXPECT_FALSE(one.isOpen());
        EXPECT_EQ(one.countText(), "0");
        EXPECT_EQ(closedCount, 1);
        // The light window that follows frees the Start button, not the count.
        EXPECT_FALSE(board.startEnabled);
        EXPECT_FALSE(one.timer().enabled());
    }
}

TEST_F(StartCountdownTest, TheCountTakesTheOptionsDelayAndConsumesIt) {
    countdown.load(3);
    EXPECT_EQ(startDelay, 3);
    at(1000);
    EXPECT_EQ(startDelay, 2);
}

TEST_F(StartCountdownTest, PausedAtTwoForTenSecondsResumesAtOne) {
    countdown.load(3);
    at(2000);
    ASSERT_EQ(countdown.countText(), "2");
    at(2300);
    countdown.pauseDelayClicked();
    EXPECT_EQ(countdown.pauseCaption(), "Continue Delay");
    at(12300);
    EXPECT_EQ(countdown.countText(), "2");
    EXPECT_TRUE(countdown.isOpen());
    countdown.pauseDelayClicked();
    EXPECT_EQ(countdown.pauseCaption(), "Pause Delay");
    at(13299);
    EXPECT_EQ(countdown.countText(), "2");
    at(13300);
    EXPECT_EQ(countdown.countText(), "1");
}

TEST_F(StartCountdownTest, PausedBeforeTheFirstTickItHoldsTheCountItStartsFrom) {
    countdown.load(5);
    at(400);
    countdown.pauseDelayClicked();
    EXPECT_EQ(countdown.countText(), "5");
    at(20000);
    EXPECT_EQ(countdown.countText(), "5");
    EXPECT_EQ(startDelay, 5);
    // Going on, the first tick still shows 5 and the count runs down from there.
    countdown.pauseDelayClicked();
    at(21000);
    EXPECT_EQ(countdown.countText(), "5");
    at(22000);
    EXPECT_EQ(countdown.countText(), "4");
}

TEST_F(StartCountdownTest, SkipClosesAtOnceAndFreesTheStartButton) {
    const struct { bool paused; } cases[] = {{false}, {true}};
    for (const auto& c : cases) {
        StartCountdown one{time, board, startDelay, countingCloses()};
        closedCount = 0;
        one.load(5);
        time.advance(1500);
        if (c.paused) one.pauseDelayClicked();
        one.skip();
        EXPECT_FALSE(one.isOpen());
        EXPECT_TRUE(board.startEnabled);
        EXPECT_EQ(closedCount, 1);
        time.advance(10000);
        EXPECT_EQ(one.countText(), "5");
        // A second click after the window has gone does nothing more.
        one.skip();
        one.pauseDelayClicked();
        EXPECT_EQ(closedCount, 1);
    }
}

}  // namespace
}  // namespace qel
