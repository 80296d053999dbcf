#pragma once
// Where the light windows stand and how big their lamps are, in twips, from
// the size of the screen: the Formula 1 gantry spans the top of the screen,
// the drag tree stands upright against the right edge.
#include <array>

#include "core/io/twips.h"

namespace qel {

inline constexpr int kLampCount = 4;

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect&) const = default;
};

struct LightWindowGeometry {
    TwipRect window;
    std::array<TwipRect, kLampCount> lamps{};  // inside the window
    bool operator==(const LightWindowGeometry&) const = default;
};

LightWindowGeometry formula1Geometry(int screenWidth, int screenHeight);
LightWindowGeometry dragTreeGeometry(int screenWidth, int screenHeight);

}  // namespace qel
