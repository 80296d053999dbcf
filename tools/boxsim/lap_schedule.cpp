#include "boxsim/lap_schedule.h"

#include <algorithm>

namespace qel::boxsim {

LapSchedule::LapSchedule(const LapSettings& settings) : settings_(settings) {
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        // seed_seq and mt19937_64 behave the same everywhere, so a seed replays the
        // same race with any standard library.
        std::seed_seq seq{static_cast<std::uint32_t>(settings.seed),
                          static_cast<std::uint32_t>(settings.seed >> 32),
                          static_cast<std::uint32_t>(lane)};
        generators_[lane].seed(seq);
    }
}

void LapSchedule::startLane(int lane, std::int64_t boxMs) {
    if (lane < 1 || lane > kMaxLanes) return;
    next_[lane] = boxMs + uniform(lane, kFirstCrossingMinMs, kFirstCrossingMaxMs);
}

void LapSchedule::stopLane(int lane) {
    if (lane < 1 || lane > kMaxLanes) return;
    next_[lane].reset();
}

bool LapSchedule::running(int lane) const {
    return lane >= 1 && lane <= kMaxLanes && next_[lane].has_value();
}

std::optional<Crossing> LapSchedule::popDue(std::int64_t boxMs) {
    int due = 0;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (next_[lane] && *next_[lane] <= boxMs && (due == 0 || *next_[lane] < *next_[due])) {
            due = lane;
        }
    }
    if (due == 0) return std::nullopt;
    const Crossing crossing{due, *next_[due]};
    next_[due] = crossing.boxMs + drawLapMs(due);
    return crossing;
}

int LapSchedule::spreadOf(int lane) const {
    return settings_.laneSpreadMs[lane].value_or(settings_.spreadMs);
}

int LapSchedule::drawLapMs(int lane) {
    const int spread = spreadOf(lane);
    int lap = settings_.meanMs[lane] + uniform(lane, -spread, spread);
    if (uniform(lane, 0, 99) < settings_.crashPct) lap += uniform(lane, kCrashMinMs, kCrashMaxMs);
    // A car cannot cross the line twice in the same millisecond.
    return std::max(lap, 1);
}

int LapSchedule::uniform(int lane, int lo, int hi) {
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
    return static_cast<int>(lo + static_cast<std::int64_t>(generators_[lane]() % span));
}

}  // namespace qel::boxsim
