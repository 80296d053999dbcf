#pragma once
// Where the race screen opens: the whole width of the screen, the top left
// corner, and a strip left free at the bottom for the desktop's task bar.
#include "core/io/twips.h"

namespace qel {

// 500 twips: a third of an inch.
inline constexpr int kTaskBarAllowanceTwips = 500;

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowPlacement&) const = default;
};

// Screen size and the task bar's allowance in pixels, the allowance
// converted by the window at its screen's resolution. The height never drops
// below zero on a tiny screen.
WindowPlacement mainWindowPlacement(int screenWidth, int screenHeight, int allowancePixels);

}  // namespace qel
