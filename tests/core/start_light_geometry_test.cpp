#include "core/engine/start_light_geometry.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(StartLightGeometry, Formula1GantrySpansTheTopOfTheScreen) {
    // 1024 × 768 pixels at 15 twips each.
    const LightWindowGeometry g = formula1Geometry(15360, 11520);
    EXPECT_EQ(g.window, (TwipRect{500, 1000, 14360, 3590}));
    const TwipRect lamps[] = {
        {0, 0, 3590, 3590}, {3590, 0, 3590, 3590}, {7180, 0, 3590, 3590}, {10770, 0, 3590, 3590}};
    for (int i = 0; i < kLampCount; ++i)
        EXPECT_EQ(g.lamps[i], lamps[i]) << i;
}

TEST(StartLightGeometry, DragTreeStandsAgainstTheRightEdge) {
    const LightWindowGeometry g = dragTreeGeometry(15360, 11520);
    EXPECT_EQ(g.window, (TwipRect{12730, 500, 2630, 10520}));
    const TwipRect lamps[] = {
        {0, 0, 2630, 2630}, {0, 2630, 2630, 2630}, {0, 5260, 2630, 2630}, {0, 7890, 2630, 2630}};
    for (int i = 0; i < kLampCount; ++i)
        EXPECT_EQ(g.lamps[i], lamps[i]) << i;
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
