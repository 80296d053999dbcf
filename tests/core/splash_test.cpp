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

TEST(MainWindowPlacement, FullWidthTopLeftLessAThirdOfAnInch) {
    struct Case {
        int width;
        int height;
        double dpi;
        WindowPlacement placement;
    };
    const Case cases[] = {
        {1920, 1080, 96.0, {0, 0, 1920, 1047}},   // 33.3 px
        {1024, 768, 72.0, {0, 0, 1024, 743}},     // 25 px
        {2560, 1440, 144.0, {0, 0, 2560, 1390}},  // 50 px
        {800, 20, 96.0, {0, 0, 800, 0}},          // never negative
    };
    for (const Case& c : cases)
        EXPECT_EQ(mainWindowPlacement(c.width, c.height, c.dpi), c.placement)
            << c.width << "x" << c.height << " at " << c.dpi;
}

}  // namespace
}  // namespace qel
