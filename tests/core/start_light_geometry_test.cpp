#include "core/engine/start_light_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace qel {
namespace {

TEST(StartLightGeometry, Formula1GantrySpansTheTopOfTheScreen) {
    // 1024 × 768 pixels at 15 twips each: four quarters of 3590, each lamp a
    // square of 2872 in the middle of its quarter.
    const LightWindowGeometry g = formula1Geometry(15360, 11520);
    EXPECT_EQ(g.window, (TwipRect{500, 1000, 14360, 3590}));
    const TwipRect lamps[] = {{359, 359, 2872, 2872},
                              {3949, 359, 2872, 2872},
                              {7539, 359, 2872, 2872},
                              {11129, 359, 2872, 2872}};
    for (int i = 0; i < kLampCount; ++i)
        EXPECT_EQ(g.lamps[i], lamps[i]) << i;
}

TEST(StartLightGeometry, DragTreeStandsAgainstTheRightEdge) {
    const LightWindowGeometry g = dragTreeGeometry(15360, 11520);
    EXPECT_EQ(g.window, (TwipRect{12730, 500, 2630, 10520}));
    const TwipRect lamps[] = {{263, 263, 2104, 2104},
                              {263, 2893, 2104, 2104},
                              {263, 5523, 2104, 2104},
                              {263, 8153, 2104, 2104}};
    for (int i = 0; i < kLampCount; ++i)
        EXPECT_EQ(g.lamps[i], lamps[i]) << i;
}

// Lit lamps that touched would read as one bar of colour: on every screen a
// start can be shown on, neighbouring lamps keep a dark gap of at least a
// tenth of a lamp between them, and every lamp stays inside its window.
TEST(StartLightGeometry, NeighbouringLampsNeverTouchOnAnyScreen) {
    struct Screen {
        int width;
        int height;
        int dotsPerInch;
    };
    const Screen screens[] = {
        {800, 600, 96},   {1024, 768, 96},   {1280, 800, 96},   {1366, 768, 96},
        {1920, 1080, 96}, {1920, 1200, 120}, {2560, 1440, 144}, {3840, 2160, 192},
        {1280, 1024, 72}, {1080, 1920, 96},  // a screen turned upright
    };
    struct Kind {
        const char* name;
        LightWindowGeometry (*geometry)(int, int);
        bool across;  // lamps side by side, or one above the other
    };
    const Kind kinds[] = {{"formula 1", &formula1Geometry, true},
                          {"drag tree", &dragTreeGeometry, false}};
    for (const Kind& kind : kinds) {
        for (const Screen& screen : screens) {
            const LightWindowGeometry g =
                kind.geometry(screen.width * kTwipsPerInch / screen.dotsPerInch,
                              screen.height * kTwipsPerInch / screen.dotsPerInch);
            const std::string where = std::string(kind.name) + " on " +
                                      std::to_string(screen.width) + "x" +
                                      std::to_string(screen.height);
            for (int i = 0; i < kLampCount; ++i) {
                const TwipRect& lamp = g.lamps[i];
                EXPECT_GT(lamp.width, 0) << where;
                EXPECT_EQ(lamp.width, lamp.height) << where;
                EXPECT_GE(lamp.left, 0) << where << " lamp " << i;
                EXPECT_GE(lamp.top, 0) << where << " lamp " << i;
                EXPECT_LE(lamp.left + lamp.width, g.window.width) << where << " lamp " << i;
                EXPECT_LE(lamp.top + lamp.height, g.window.height) << where << " lamp " << i;
                if (i == 0) continue;
                const TwipRect& before = g.lamps[i - 1];
                const int gap = kind.across ? lamp.left - (before.left + before.width)
                                            : lamp.top - (before.top + before.height);
                EXPECT_GE(gap, lamp.width / 10)
                    << where << " between lamps " << i - 1 << " and " << i;
                // In line along the gantry or the tree.
                EXPECT_EQ(kind.across ? lamp.top : lamp.left,
                          kind.across ? before.top : before.left)
                    << where;
            }
        }
    }
}

TEST(StartLightGeometry, AScreenSmallerThanTheMarginGivesAnEmptyWindow) {
    for (auto geometry : {&formula1Geometry, &dragTreeGeometry}) {
        const LightWindowGeometry g = geometry(600, 400);
        EXPECT_GE(g.window.width, 0);
        EXPECT_GE(g.window.height, 0);
        for (const TwipRect& lamp : g.lamps)
            EXPECT_GE(lamp.width, 0);
    }
}

}  // namespace
}  // namespace qel
