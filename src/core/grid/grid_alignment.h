#pragma once
// Where a cell's text sits: the grids' alignment numbers, shared by the screen and the printer.
#include <string_view>

namespace qel {

namespace grid_align {
inline constexpr int kLeftTop = 0;
inline constexpr int kLeftCenter = 1;
inline constexpr int kLeftBottom = 2;
inline constexpr int kCenterTop = 3;
inline constexpr int kCenterCenter = 4;
inline constexpr int kCenterBottom = 5;
inline constexpr int kRightTop = 6;
inline constexpr int kRightCenter = 7;
inline constexpr int kRightBottom = 8;
// Figures and dates to the right, words to the left, all centred vertically.
inline constexpr int kGeneral = 9;
}  // namespace grid_align

enum class HorizontalPlace { Left, Center, Right };
enum class VerticalPlace { Top, Center, Bottom };

struct TextPlacement {
    HorizontalPlace horizontal = HorizontalPlace::Left;
    VerticalPlace vertical = VerticalPlace::Top;
    bool operator==(const TextPlacement&) const = default;
};

// Numbers outside 1..9 place the text at the top left.
TextPlacement placeText(int alignment, std::string_view text);

}  // namespace qel
