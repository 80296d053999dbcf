#include "core/shell/splash.h"

#include <gtest/gtest.h>

#include "core/seams/virtual_time.h"
#include "core/shell/main_window_placement.h"

namespace qel {
namespace {

TEST(Splash, GivesWayAfterOneSecondWithoutInput) {
    VirtualScheduler time;
    int ends = 0;
    Splash splash(time, [&] { ++ends; });
    time.advance(999);
    EXPECT_FALSE(splash.ended());
    EXPECT_EQ(ends, 0);
    time.advance(1);
    EXPECT_TRUE(splash.ended());
    EXPECT_EQ(ends, 1);
    time.advance(10'000);
    EXPECT_EQ(ends, 1);
}

TEST(Splash, AKeyOrClickEndsItEarlyAndOnlyOnce) {
    VirtualScheduler time;
    int ends = 0;
    Splash splash(time, [&] { ++ends; });
    time.advance(300);
    splash.EndSplash();
    splash.EndSplash();
    time.advance(5'000);
    EXPECT_EQ(ends, 1);
}

TEST(Splash, EndsWithoutACallback) {
    VirtualScheduler time;
    Splash splash(time, nullptr);
    time.advance(1'000);
    EXPECT_TRUE(splash.ended());
}

TEST(MainWindowPlacement, FullWidthTopLeftLessTheTaskBarAllowance) {
    struct Case {
        int width;
        int height;
        int allowance;  // a third of an inch at the screen's resolution
        WindowPlacement placement;
    };
    const Case cases[] = {
        {1920, 1080, 33, {0, 0, 1920, 1047}},  // 96 dpi
        {1024, 768, 25, {0, 0, 1024, 743}},    // 72 dpi
        {2560, 1440, 50, {0, 0, 2560, 1390}},  // 144 dpi
        {800, 20, 33, {0, 0, 800, 0}},         // never negative
    };
    for (const Case& c : cases)
        EXPECT_EQ(mainWindowPlacement(c.width, c.height, c.allowance), c.placement)
            << c.width << "x" << c.height << " less " << c.allowance;
}

}  // namespace
}  // namespace qel
