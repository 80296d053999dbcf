#include "core/engine/standings.h"

#include <algorithm>
#include <cstdlib>

#include "core/io/format.h"

namespace qel {

namespace {

int lanesInUse(const RaceState& state) {
    return std::clamp<int>(state.laneCount, 0, kMaxLanes);
}

bool behind(const RaceState& s, int a, int b) {
    return s.lapCount[a] < s.lapCount[b] ||
           (s.lapCount[a] == s.lapCount[b] && s.lastPassMs[a] > s.lastPassMs[b]);
}

// The gap of car a to car b, at equal laps in seconds, otherwise in laps.
std::string gapText(const RaceState& s, int a, int b) {
    if (s.lapCount[a] == s.lapCount[b]) {
        const auto ms = std::llabs(static_cast<long long>(s.lastPassMs[a]) - s.lastPassMs[b]);
        return formatNumber(ms / 1000.0, "0.00");
    }
    return formatNumber(std::abs(s.lapCount[a] - s.lapCount[b]), "#Lap");
}

}  // namespace

void ComputePosition(RaceState& state) {
    const int lanes = lanesInUse(state);
    auto& order = state.runningOrder;
    for (int p = 1; p <= lanes; ++p)
        order[p] = static_cast<int16_t>(p);
    // A bubble sort never swaps equal cars, which is what keeps the lower lane ahead at a tie.
    for (int limit = lanes; limit >= 2; --limit) {
        bool swapped = false;
        for (int p = 2; p <= limit; ++p) {
            if (behind(state, order[p - 1], order[p])) {
                std::swap(order[p - 1], order[p]);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
    for (int p = 1; p <= lanes; ++p)
        state.lanePosition[order[p]] = static_cast<int16_t>(p);
}

void ComputeInterval(RaceState& state) {
    const int lanes = lanesInUse(state);
    if (lanes < 1) return;
    const int leader = state.runningOrder[1];
    state.lagBehindText[leader] = "0.00";
    state.lagFirstText[leader] = "0.00";
    for (int p = 2; p <= lanes; ++p) {
        const int a = state.runningOrder[p];
        const int ahead = state.runningOrder[p - 1];
        if (state.lastPassMs[a] >= state.lastPassMs[ahead]) {
            state.lagBehindText[a] = gapText(state, a, ahead);
        }
        if (state.lastPassMs[a] > state.lastPassMs[leader]) {
            state.lagFirstText[a] = gapText(state, a, leader);
        }
    }
}

std::string mphText(const RaceState& state, int lane) {
    if (lane < 1 || lane > kMaxLanes || state.shownLapMs[lane] <= 0) return "";
    const double mph = state.speedMultiplier[lane] / (state.shownLapMs[lane] / 1000.0);
    return " " + formatNumber(mph, "0.0");
}

}  // namespace qel
