#include "core/engine/track_call.h"

#include <gtest/gtest.h>

#include "core/seams/virtual_time.h"

namespace qel {
namespace {

TEST(TrackCall, PressesCloserThanTwoSecondsAreOnePress) {
    RaceState state;
    RaceBoard board;
    VirtualScheduler time(46000.5);
    int presses = 0;
    TrackCall call(state, board, [&] { ++presses; });

    call.PauseButton(time.now());
    time.advance(1500);
    call.PauseButton(time.now());  // 1.5 s later: the same press
    EXPECT_EQ(presses, 1);
    time.advance(1000);
    call.PauseButton(time.now());  // 2.5 s after the first: a new press
    EXPECT_EQ(presses, 2);

    board.startEnabled = false;  // a start sequence is running
    time.advance(3000);
    call.PauseButton(time.now());
    EXPECT_EQ(presses, 2);
}

}  // namespace
}  // namespace qel
