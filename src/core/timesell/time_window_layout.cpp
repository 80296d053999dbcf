#include "core/timesell/time_window_layout.h"

namespace qel {

TimeWindowLayout timeWindowLayout(int laneCount, bool sellingMode) {
    const int rows = kTimeLaneRowTwips * laneCount;
    return {rows + 420, rows + 760, rows + 550, rows + 1450,
            rows + 1795 + (sellingMode ? kSellingModeExtraTwips : 0)};
}

}  // namespace qel
