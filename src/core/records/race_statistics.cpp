#include "core/records/race_statistics.h"

#include <algorithm>
#include <cstdint>

#include "core/io/format.h"
#include "core/io/number_text.h"
#include "core/io/rounding.h"

namespace qel {

namespace {

// The laps a lane's tables hold, whatever its counter says.
int storedLaps(const RaceState& state, int lane) {
    return std::clamp<int>(state.lapCount[lane], 0, kMaxLap);
}

// The window and the print add the lap times as they are.
double summedLaps(const RaceState& state, int lane, int firstLap, int lastLap) {
    double total = 0;
    for (int k = firstLap; k <= lastLap; ++k)
        total += state.lapTimes[lane][k];
    return total;
}

// The text file rounds its running total to whole seconds after every lap.
// The total once was a 16-bit number that overflowed past 32767 seconds and
// made a long race unsavable; a wide total keeps every race savable and gives
// a short race the figure it always had.
int64_t roundedRunningTotal(const RaceState& state, int lane, int firstLap, int lastLap) {
    int64_t total = 0;
    for (int k = firstLap; k <= lastLap; ++k) {
        total = static_cast<int64_t>(
            roundHalfEven(static_cast<double>(total) + state.lapTimes[lane][k]));
    }
    return total;
}

}  // namespace

std::string totalTimeText(int32_t ms) {
    const int32_t minutes = ms / 60000;
    const int32_t seconds = (ms / 1000) % 60;
    const int32_t millis = ms % 1000;
    return std::to_string(minutes) + ":" + formatNumber(seconds, "00") + "." +
           formatNumber(millis, "000");
}

bool hasSufficientData(SummaryOutput output, bool practice, int lapCount, int firstLapOffset) {
    switch (output) {
        case SummaryOutput::Window:
            // The window's practice rows want three laps whatever lap races begin with.
            return practice ? lapCount > 2 : lapCount >= firstLapOffset + 1;
        case SummaryOutput::Print:
            return lapCount >= firstLapOffset + (practice ? 2 : 1);
        case SummaryOutput::TextFile:
            return lapCount >= firstLapOffset + 2;
    }
    return false;
}

float updateAverageLap(RaceState& state, int lane, SummaryOutput output, int firstLapOffset) {
    const int lapCount = state.lapCount[lane];
    if (lapCount > firstLapOffset + 3) {
        // The first lap from the standing start is left out when races begin
        // with lap 1, yet the divisor is the lap count less one either way.
        const int firstLap = std::max(firstLapOffset + 2, 0);
        const int lastLap = storedLaps(state, lane);
        const double divisor = lapCount - 1;
        const double total =
            output == SummaryOutput::TextFile
                ? static_cast<double>(roundedRunningTotal(state, lane, firstLap, lastLap))
                : summedLaps(state, lane, firstLap, lastLap);
        state.averageLap[lane] = static_cast<float>(total / divisor);
    }
    if (output == SummaryOutput::Print) {
        // The printed figure is the stored one to two decimals, and stays so.
        const auto shown = parseNumberText(formatSingle(state.averageLap[lane], "0.00"));
        if (shown) state.averageLap[lane] = static_cast<float>(*shown);
    }
    return state.averageLap[lane];
}

int16_t updateCrashCount(RaceState& state, int lane, SummaryOutput output, bool practice) {
    // A lap a fifth slower than the best is a crash; the window and the print
    // allow a race lap one more second for a car put back by a marshal.
    double threshold = state.bestLapMs[lane] / 1000.0 * 1.2;
    if (!practice && output != SummaryOutput::TextFile) threshold += 1.0;
    int16_t count = 0;
    const int lastLap = storedLaps(state, lane);
    for (int k = 1; k <= lastLap; ++k) {
        if (state.lapTimes[lane][k] > threshold) ++count;
    }
    state.crashCount[lane] = count;
    return count;
}

int16_t updateCrashPercent(RaceState& state, int lane) {
    const int lapCount = state.lapCount[lane];
    // No laps, no percentage: 0 rather than a division by nothing.
    state.crashPercent[lane] =
        lapCount > 0 ? toInteger(state.crashCount[lane] * 100.0 / lapCount) : int16_t{0};
    return state.crashPercent[lane];
}

std::string speedText(const RaceState& state, int lane) {
    const int32_t bestMs = state.bestLapMs[lane];
    if (bestMs <= 0) return formatNumber(0, "0.0");
    return formatNumber(state.speedMultiplier[lane] / (bestMs / 1000.0), "0.0");
}

std::string bestLapSecondsText(const RaceState& state, int lane, int decimals) {
    return formatNumber(state.bestLapMs[lane] / 1000.0, decimals == 2 ? "0.00" : "0.000");
}

}  // namespace qel
