#pragma once
// The figures of one summary row per lane: laps, total time, gaps, speed,
// best, average and median laps, crashes. The summary window, the printed
// summary and the summary text file each compute them at the moment they
// run; they share these rules and differ only where SummaryOutput says.
// averageLap, crashCount and crashPercent are written back into the race
// state, so a figure one output computed is what another shows when it does
// not compute it again.
#include <cstdint>
#include <string>

#include "core/state/race_state.h"

namespace qel {

enum class SummaryOutput { Window, Print, TextFile };

// "62:03.456": minutes (any number of digits), seconds "00", milliseconds "000".
std::string totalTimeText(int32_t ms);

// Whether the lane has laps enough for figures in this output; otherwise the
// output shows its "Insufficent" notice.
bool hasSufficientData(SummaryOutput output, bool practice, int lapCount, int firstLapOffset);

// Recomputes the lane's average lap when it has more than firstLapOffset + 3
// laps (the window and the print sum the times, the text file rounds its
// running total to whole seconds after each lap) and returns the value the
// output shows: the stored one when there were too few laps. The print
// stores it rounded to two decimals either way.
float updateAverageLap(RaceState& state, int lane, SummaryOutput output, int firstLapOffset);

// Counts the laps slower than the output's crash threshold and stores the count.
int16_t updateCrashCount(RaceState& state, int lane, SummaryOutput output, bool practice);

// Crashes per 100 counted laps, ties to even; 0 for a lane with no laps. Stored.
int16_t updateCrashPercent(RaceState& state, int lane);

// MPH from the lane's speed factor and best lap, "0.0".
std::string speedText(const RaceState& state, int lane);
// The best lap in seconds with the given number of decimals (2 or 3).
std::string bestLapSecondsText(const RaceState& state, int lane, int decimals);

}  // namespace qel
