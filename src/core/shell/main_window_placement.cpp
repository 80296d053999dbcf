#include "core/shell/main_window_placement.h"

#include <algorithm>

namespace qel {

WindowPlacement mainWindowPlacement(int screenWidth, int screenHeight, int allowancePixels) {
    return {0, 0, std::max(screenWidth, 0), std::max(screenHeight - allowancePixels, 0)};
}

}  // namespace qel
