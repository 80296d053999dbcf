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

namespace {

class SilentPrompter : public qel::Prompter {
  public:
    qel::MessageAnswer message(const std::string&, const std::string&, qel::MessageIcon,
                               qel::MessageButtons, qel::DefaultButton) override {
        return qel::MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
};

// An 8-lane lap race whose leader has done all 3000 laps, the others a few fewer.
struct LongRace {
    LongRace() {
        qel::RaceState& s = *state;
        s.laneCount = 8;
        raceSettings.raceFormat = qel::kLapRace;
        raceSettings.raceFormatName = "Lap Race";
        options = qel::defaultOptions();
        options.firstLapIndex = 1;  // races begin with lap 1
        for (int lane = 1; lane <= 8; ++lane) {
            const int laps = qel::kMaxLap - (lane - 1) * 3;
            s.lapCount[lane] = static_cast<int16_t>(laps);
            int32_t total = 0;
            int32_t best = qel::kNoBestLap;
            for (int lap = 1; lap <= laps; ++lap) {
                const int32_t ms = 4000 + (lap * 37 + lane * 101) % 900;
                s.lapTimes[lane][lap] = static_cast<float>(ms) / 1000.0f;
                s.sortedLapTimes[lane][lap] = s.lapTimes[lane][lap];
                total += ms;
                if (ms < best) best = ms;
            }
            s.lastPassMs[lane] = total;
            s.bestLapMs[lane] = best;
            s.speedMultiplier[lane] = 654.5455f;
            s.laneRacerName[lane] = "Racer " + std::to_string(lane);
            s.runningOrder[lane] = static_cast<int16_t>(lane);
            s.lanePosition[lane] = static_cast<int16_t>(lane);
            s.lagFirstText[lane] = lane == 1 ? "" : std::to_string((lane - 1) * 3) + "L";
            s.lagBehindText[lane] = lane == 1 ? "" : "3L";
        }
    }

    qel::RecordSources sources() {
        return {*state, qel::RaceSetup{raceSettings, options}, installation, board, points,
                records};
    }

    std::unique_ptr<qel::RaceState> state = std::make_unique<qel::RaceState>();
    qel::RaceFormatSettings raceSettings;
    qel::OptionsSettings options;
    qel::InstallationSettings installation;
    qel::RaceBoard board;
    qel::PointSystem points;
    qel::RecordsState records;
    SilentPrompter prompter;
};

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
