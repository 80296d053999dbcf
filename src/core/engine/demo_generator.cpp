#include "core/engine/demo_generator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/io/rounding.h"

namespace qel {

void DemoGenerator::drawLaneValues(int lane, double minLapTimeSeconds) {
    if (lane < 1 || lane > kMaxLanes) return;
    const double minimumMs = minLapTimeSeconds * 1000.0;
    state_.demoNextLapMs[lane] = static_cast<int32_t>(random_.next() * 600 + 100);
    state_.demoSpreadMs[lane] = static_cast<int32_t>(minimumMs / 10 + random_.next() * 250);
    state_.demoMeanMs[lane] = static_cast<int32_t>(minimumMs + random_.next() * 750 + 1000);
    state_.demoCrashPct[lane] = static_cast<int16_t>(random_.next() * 18 + 1);
}

void DemoGenerator::tick(int milliseconds, bool heatRotation, std::string_view activeSequence,
                         const std::function<void(int lane)>& countLap) {
    const int64_t clock = static_cast<int64_t>(state_.elapsedMs) + std::max(milliseconds, 0);
    state_.elapsedMs =
        static_cast<int32_t>(std::min<int64_t>(clock, std::numeric_limits<int32_t>::max()));
    const int lanes = std::clamp<int>(state_.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane) {
        if (heatRotation &&
            activeSequence.find(static_cast<char>('0' + lane)) == std::string_view::npos) {
            continue;
        }
        if (state_.demoNextLapMs[lane] >= state_.elapsedMs) continue;
        const double r1 = random_.next();
        int64_t next =
            static_cast<int64_t>(state_.demoSpreadMs[lane] * r1 + state_.demoMeanMs[lane]) +
            state_.elapsedMs;
        const double r2 = random_.next();
        if (state_.demoCrashPct[lane] > r2 * 100) {
            next = static_cast<int64_t>(
                roundHalfEven(static_cast<double>(next) + random_.next() * 3000 + 1000));
        }
        state_.demoNextLapMs[lane] =
            static_cast<int32_t>(std::min<int64_t>(next, std::numeric_limits<int32_t>::max()));
        state_.hitLane = static_cast<int16_t>(lane);
        countLap(lane);
    }
}

}  // namespace qel
