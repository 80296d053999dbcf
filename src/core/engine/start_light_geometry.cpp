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

// Lamps edge to edge would run together into one bar of colour once lit, so
// each lamp is a square in the middle of its quarter of the window with a
// fifth of it left dark around it: the drivers count four separate lights.
constexpr int kDarkFraction = 5;

TwipRect lampInQuarter(int left, int top, int width, int height) {
    const int room = std::min(width, height);
    const int size = room - room / kDarkFraction;
    return {left + (width - size) / 2, top + (height - size) / 2, size, size};
}

}  // namespace

LightWindowGeometry formula1Geometry(int screenWidth, int screenHeight) {
    (void)screenHeight;
    LightWindowGeometry g;
    g.window.width = lessMargin(screenWidth);
    g.window.height = g.window.width / 4;
    g.window.top = kMargin;
    g.window.left = (screenWidth - g.window.width) / 2;
    const int quarter = g.window.width / 4;
    for (int i = 0; i < kLampCount; ++i)
        g.lamps[i] = lampInQuarter(quarter * i, 0, quarter, g.window.height);
    return g;
}

LightWindowGeometry dragTreeGeometry(int screenWidth, int screenHeight) {
    LightWindowGeometry g;
    g.window.height = lessMargin(screenHeight);
    g.window.width = g.window.height / 4;
    g.window.top = (screenHeight - g.window.height) / 2;
    g.window.left = screenWidth - g.window.width;
    const int quarter = g.window.height / 4;
    for (int i = 0; i < kLampCount; ++i)
        g.lamps[i] = lampInQuarter(0, quarter * i, g.window.width, quarter);
    return g;
}

}  // namespace qel
