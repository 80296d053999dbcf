#pragma once
// One lane's sold running time, reckoned on the monotonic tick count: the
// time of day passing midnight, or the PC's clock being set while a lane
// runs, never gives a lane free time or takes paid time away.
#include <cstdint>

namespace qel {

inline constexpr int64_t kMsPerMinute = 60'000;

struct LaneTime {
    int64_t soldMs = 0;     // the whole time sold, laneTimeSold
    int64_t startTick = 0;  // when its countdown started, laneTimeStart

    // What is left at the tick count nowTick; zero or less once it has run out.
    int64_t remainingMs(int64_t nowTick) const { return soldMs - (nowTick - startTick); }
};

}  // namespace qel
