#include "core/engine/start_light_geometry.h"

#include <algorithm>

namespace qel {

namespace {

// A margin of 1000 twips keeps the window clear of the screen's edges; a
// screen smaller than that gets an empty window rather than a negative one.
constexpr int kMargin = 1000;

int lessMargin(int length) {
    return std::max(length - kMargin, 0);
}

}  // namespace

LightWindowGeometry formula1Geometry(int screenWidth, int screenHeight) {
    (void)screenHeight;
    LightWindowGeometry g;
    g.window.width = lessMargin(screenWidth);
    g.window.height = g.window.width / 4;
    g.window.top = kMargin;
    g.window.left = (screenWidth - g.window.width) / 2;
    for (int i = 0; i < kLampCount; ++i)
        g.lamps[i] = {g.window.width / 4 * i, 0, g.window.height, g.window.height};
    return g;
}

LightWindowGeometry dragTreeGeometry(int screenWidth, int screenHeight) {
    LightWindowGeometry g;
    g.window.height = lessMargin(screenHeight);
    g.window.width = g.window.height / 4;
    g.window.top = (screenHeight - g.window.height) / 2;
    g.window.left = screenWidth - g.window.width;
    for (int i = 0; i < kLampCount; ++i)
        g.lamps[i] = {0, g.window.height / 4 * i, g.window.width, g.window.width};
    return g;
}

}  // namespace qel
