#include "core/grid/grid_color.h"

#include <array>
#include <utility>

namespace qel {

GridColor resolveGridColor(GridColor color) {
    if (!isSystemColor(color)) return color & 0xFFFFFFu;
    static constexpr std::array<std::pair<int, GridColor>, 13> kPalette{{
        {1, rgbColor(0, 0, 0)},        // desktop
        {4, rgbColor(240, 240, 240)},  // menu
        {kSysColorWindow, rgbColor(255, 255, 255)},
        {6, rgbColor(100, 100, 100)},  // window frame
        {7, rgbColor(0, 0, 0)},        // menu text
        {kSysColorWindowText, rgbColor(0, 0, 0)},
        {kSysColorAppWorkspace, rgbColor(171, 171, 171)},
        {13, rgbColor(0, 120, 215)},    // selection
        {14, rgbColor(255, 255, 255)},  // selected text
        {kSysColorButtonFace, rgbColor(240, 240, 240)},
        {kSysColorButtonShadow, rgbColor(160, 160, 160)},
        {17, rgbColor(109, 109, 109)},  // disabled text
        {kSysColorButtonText, rgbColor(0, 0, 0)},
    }};
    const int index = static_cast<int>(color & ~kSystemColorFlag);
    for (const auto& [key, rgb] : kPalette) {
        if (key == index) return rgb;
    }
    return rgbColor(0, 0, 0);
}

}  // namespace qel
