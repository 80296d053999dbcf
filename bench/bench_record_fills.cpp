// How long the record views take to fill from a long race: the lap-time grid of an 8-lane race
// at 3000 laps, and the summary grid of the same race.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/engine/race_setup.h"
#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/records/lap_grid.h"
#include "core/records/records_state.h"
#include "core/records/summary_grid.h"
#include "core/seams/prompter.h"
#include "core/setup/installation_settings.h"
#include "core/setup/options_file.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

#include "long_race.h"

namespace {

using qel::bench::LongRace;

void BM_FillLapGrid8Lanes3000Laps(benchmark::State& state) {
    LongRace race;
    qel::GridModel grid = qel::makeLapGrid();
    for (auto _ : state) {
        const qel::LapGridFill fill = qel::FillLapGrid(grid, race.sources(), race.prompter);
        benchmark::DoNotOptimize(fill.progressValue);
    }
    if (grid.textMatrix(qel::kMaxLap + 1, 1).empty())
        state.SkipWithError("the last lap is missing");
}
BENCHMARK(BM_FillLapGrid8Lanes3000Laps)->Unit(benchmark::kMillisecond);

void BM_FillSummaryGrid8Lanes3000Laps(benchmark::State& state) {
    LongRace race;
    qel::GridModel grid = qel::makeSummaryGrid();
    for (auto _ : state)
        benchmark::DoNotOptimize(qel::FillSummaryGrid(grid, race.sources(), race.prompter));
    if (grid.textMatrix(2, 3) != "3000") state.SkipWithError("the leader's laps are missing");
}
BENCHMARK(BM_FillSummaryGrid8Lanes3000Laps)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
