#include "core/shell/main_window_placement.h"

#include <algorithm>
#include <cmath>

namespace qel {

WindowPlacement mainWindowPlacement(int screenWidth, int screenHeight, double dotsPerInch) {
    const int allowance =
        static_cast<int>(std::lround(kTaskBarAllowanceTwips * dotsPerInch / kTwipsPerInch));
    return {0, 0, std::max(screenWidth, 0), std::max(screenHeight - allowance, 0)};
}

}  // namespace qel
