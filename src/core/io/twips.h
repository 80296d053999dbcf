#pragma once
// Window sizes and places are reckoned in twips, 1440 to the inch: a
// screen of 96 dots per inch has 15 twips to the pixel.

namespace qel {

inline constexpr int kTwipsPerInch = 1440;

}  // namespace qel
