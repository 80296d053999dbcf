#include "core/engine/lap_counting.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/io/format.h"
#include "core/io/rounding.h"

namespace qel {

float lapSeconds(int32_t lapMs) {
    // Kept as the text of the time with three decimals read back, so a stored
    // lap is exactly the float nearest to its millisecond count / 1000.
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", lapMs / 1000.0);
    return std::strtof(text, nullptr);
}

bool LapCounter::soldTimeRunning(int lane) {
    return soldTime_ ? soldTime_->laneTimeRunning(lane) : state_.laneTimeRunning[lane] != 0;
}

void LapCounter::CountLap(int laneNum) {
    auto& s = state_;
    if (laneNum < 1 || laneNum > s.laneCount || laneNum > kMaxLanes) return;
    const int lane = laneNum;
    if (setup_.raceFormat() == kLapRace && s.lapCount[lane] == setup_.raceLaps()) return;
    if (s.lapCount[lane] == s.finishLap[lane]) return;
    // The lap store ends at lap 3000 whatever the finish lap says.
    if (s.lapCount[lane] >= kMaxLap) return;
    if (s.laneDisabled[lane] != 0 || (s.sellTimeEnabled == 1 && !soldTimeRunning(lane))) {
        board_.rows[lane].lapNum.text.clear();
        return;
    }

    const int32_t previousHit = s.lastHitMs[lane];
    s.lastHitMs[lane] = s.elapsedMs;
    if (static_cast<int64_t>(s.elapsedMs) - previousHit < kDebounceMs) return;

    const int32_t lapMs = s.elapsedMs - s.lastPassMs[lane];
    const auto minimumMs = static_cast<int32_t>(roundHalfEven(setup_.minLapTime() * 1000.0));
    if (lapMs <= minimumMs && s.lapCount[lane] != setup_.firstLapOffset()) return;

    s.lastPassMs[lane] = s.elapsedMs;
    s.lapCount[lane] = static_cast<int16_t>(s.lapCount[lane] + 1);
    const int lap = s.lapCount[lane];
    HeatRacer* racer = heats_.racerInLane(lane);
    if (racer) {
        racer->totalLaps = static_cast<int16_t>(racer->totalLaps + 1);
        racer->lapsInLane[lane] = s.lapCount[lane];
    }
    if (lap >= 0) {
        const float seconds = lapSeconds(lapMs);
        s.lapTimes[lane][lap] = seconds;
        s.sortedLapTimes[lane][lap] = seconds;
    }
    s.shownLapMs[lane] = lapMs;

    bool newBest = false;
    bool overall = false;
    if (lapMs != kNoBestLap && lap > 1 && lapMs < s.bestLapMs[lane]) {
        s.bestLapMs[lane] = lapMs;
        if (racer) racer->bestLap[lane] = lapMs;
        newBest = true;
        overall = IsOverallBest(lane);
    }
    if (listener_) listener_->lapCounted(lane, newBest, overall);
}

bool LapCounter::IsOverallBest(int lane) const {
    for (int other = 1; other <= state_.laneCount && other <= kMaxLanes; ++other) {
        if (other != lane && state_.bestLapMs[lane] >= state_.bestLapMs[other]) return false;
    }
    return true;
}

void subSortLapTimes(RaceState& state) {
    for (int lane = 1; lane <= state.laneCount && lane <= kMaxLanes; ++lane) {
        const int n = std::min<int>(state.lapCount[lane], kMaxLap);
        auto& laps = state.sortedLapTimes[lane];
        if (n > 1) {
            // Lap number 0 never takes part. The laps counted since the last redraw sit after
            // the part already sorted, so only they are put in place: a redraw deep into a long
            // race then costs one pass over the laps, not one pass per place a new lap moves.
            float* const first = laps.data() + 1;
            float* const last = first + n;
            for (float* lap = std::is_sorted_until(first, last); lap != last; ++lap)
                std::rotate(std::upper_bound(first, lap, *lap), lap, lap + 1);
        }
        const int middle = static_cast<int>(roundHalfEven(n / 2.0 + 1));
        if (n >= 1 && middle <= kMaxLap) {
            state.medianText[lane] = formatNumber(laps[middle], "0.00");
        }
    }
}

}  // namespace qel
