#pragma once
// Colours of the grids as the windows and the grid printer exchange them: R + 256 G + 65536 B,
// or, with the high bit set, one of the desktop's own colours by its index.
#include <cstdint>

namespace qel {

using GridColor = std::uint32_t;

inline constexpr GridColor kSystemColorFlag = 0x80000000u;

// Desktop colour indices the grids use for their defaults.
inline constexpr int kSysColorAppWorkspace = 12;
inline constexpr int kSysColorWindow = 5;
inline constexpr int kSysColorWindowText = 8;
inline constexpr int kSysColorButtonFace = 15;
inline constexpr int kSysColorButtonShadow = 16;
inline constexpr int kSysColorButtonText = 18;

constexpr GridColor rgbColor(int red, int green, int blue) {
    return static_cast<GridColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr GridColor systemColor(int index) {
    return kSystemColorFlag | static_cast<GridColor>(index);
}
constexpr bool isSystemColor(GridColor color) {
    return (color & kSystemColorFlag) != 0;
}
constexpr int redOf(GridColor color) {
    return static_cast<int>(color & 0xFF);
}
constexpr int greenOf(GridColor color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int blueOf(GridColor color) {
    return static_cast<int>((color >> 16) & 0xFF);
}

// A desktop colour becomes the RGB of the classic light desktop palette, so the screen and the
// printed page agree; an RGB colour comes back unchanged. Unknown indices give black.
GridColor resolveGridColor(GridColor color);

}  // namespace qel
