// How long the heat tables take to rebuild and show for a large heat event: 98 racers on 8
// lanes (racers 1..8 start in lanes 1..8, racers 9..98 in sit-out slots 1..90, straight
// sequence "12345678", so 98 heats), with the laps, points and best laps of every heat in the
// racer table as after the last heat. Measured: the rotation rebuilt from the start places,
// the results grid filled and sorted by average, and the next-heat grid filled, together and
// each on its own.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/engine/race_setup.h"
#include "core/grid/grid_model.h"
#include "core/heats/heat_results.h"
#include "core/heats/next_heat_grid.h"
#include "core/heats/race_format_settings.h"
#include "core/heats/rotation.h"
#include "core/io/data_folder.h"
#include "core/setup/installation_file.h"
#include "core/setup/installation_settings.h"
#include "core/setup/options_file.h"
#include "core/sound/sound_table.h"
#include "core/state/heat_tables.h"
#include "core/state/race_state.h"

namespace {

constexpr int kLanes = 8;
constexpr int kRacers = 98;
// A screen of 1080 pixels at 15 twips a pixel.
constexpr int kScreenHeightTwips = 1080 * 15;
const std::string kSequence = "12345678";

// The results window plays a sound only for a correction by mouse, which is not measured.
class SilentPlayer : public qel::SoundPlayer {
  public:
    void PlaySoundFile(const std::string&) override {}
};

// A Round Robin of 98 heats whose last heat has just ended.
struct HeatEvent {
    HeatEvent() {
        options = qel::defaultOptions();
        raceSettings.raceFormat = qel::kRoundRobin;
        raceSettings.raceFormatName = "Round Robin";
        race->laneCount = kLanes;
        race->raceTitle = "Round Robin 3 Minutes";
        for (int lane = 1; lane <= kLanes; ++lane) {
            installation.laneColorIndex[lane] = static_cast<int16_t>(lane - 1);
            installation.laneColor[lane] = qel::kLaneColours[lane - 1].value();
            race->laneColor[lane] = installation.laneColor[lane];
            race->laneColorIndex[lane] = installation.laneColorIndex[lane];
        }
        heats.pointsForPlace = {0, 10, 8, 6, 5, 4, 3, 2, 1};
        for (int racer = 1; racer <= kRacers; ++racer) {
            qel::HeatRacer& r = heats.heatRacers[racer];
            r.name = "Racer " + std::to_string(racer);
            r.bestLap.fill(qel::kNoBestLap);
            r.startLane = static_cast<int16_t>(racer <= kLanes ? racer : 0);
            r.sitOutNumber = static_cast<int16_t>(racer <= kLanes ? 0 : racer - kLanes);
        }
        heats.racerCount = kRacers;
        heats.activeSequence = kSequence;
        qel::BuildRotation(heats, kRacers, heats.activeSequence);

        // Every racer has raced each lane once: laps, points of its place and a best lap
        // for the lanes heatLane gives it.
        for (int racer = 1; racer <= kRacers; ++racer) {
            qel::HeatRacer& r = heats.heatRacers[racer];
            for (int heat = 1; heat <= heats.heatCount; ++heat) {
                const int lane = heats.heatLane[racer][heat];
                if (lane == 0) continue;
                r.lapsInLane[lane] = static_cast<int16_t>(38 + (racer * 7 + lane * 3) % 11);
                r.pointsInLane[lane] = heats.pointsForPlace[1 + (racer + heat) % kLanes];
                r.bestLap[lane] = 3600 + (racer * 37 + lane * 113) % 900;
            }
        }
        heats.currentHeat = heats.heatCount;
        race->raceOverHandled = -1;
        race->leaderFinished = true;
    }

    qel::NextHeatSources nextHeatSources() { return {heats, *race, installation}; }

    std::unique_ptr<qel::RaceState> race = std::make_unique<qel::RaceState>();
    qel::HeatTables heats;
    qel::RaceFormatSettings raceSettings;
    qel::OptionsSettings options;
    qel::InstallationSettings installation;
    SilentPlayer player;
    qel::AppFolder folder{"/club"};
    qel::HeatResults results{
        {*race, heats, qel::RaceSetup{raceSettings, options}, installation, player, folder}};
    qel::GridModel nextHeatGrid;
};

void rebuildRotation(HeatEvent& event) {
    event.heats.activeSequence = kSequence;
    qel::BuildRotation(event.heats, event.heats.racerCount, event.heats.activeSequence);
}

// The checks after the timing: the tables and both grids hold the whole event.
void checkEvent(benchmark::State& state, const HeatEvent& event) {
    if (event.heats.heatCount != kRacers || event.heats.laneRacer[kLanes][kRacers] == 0)
        state.SkipWithError("the rotation does not cover 98 heats");
}

void checkResults(benchmark::State& state, const HeatEvent& event) {
    const qel::GridModel& grid = event.results.grdRR();
    if (grid.rows() != kRacers + 1 || grid.textMatrix(kRacers, 0).empty())
        state.SkipWithError("the results grid does not hold 98 racers");
    else if (std::stod(grid.textMatrix(1, kLanes + 3)) <
             std::stod(grid.textMatrix(kRacers, kLanes + 3)))
        state.SkipWithError("the results grid is not ranked by average");
}

void checkNextHeat(benchmark::State& state, const HeatEvent& event) {
    const qel::GridModel& grid = event.nextHeatGrid;
    if (grid.rows() != kRacers + 2 || grid.textMatrix(kRacers + 1, kLanes).empty())
        state.SkipWithError("the next-heat grid does not hold 98 heats");
}

void BM_HeatTables98Racers8Lanes(benchmark::State& state) {
    HeatEvent event;
    for (auto _ : state) {
        rebuildRotation(event);
        event.results.FillResultsGrid();
        benchmark::DoNotOptimize(
            qel::FillNextHeatGrid(event.nextHeatGrid, event.nextHeatSources(), kScreenHeightTwips));
    }
    checkEvent(state, event);
    checkResults(state, event);
    checkNextHeat(state, event);
}
BENCHMARK(BM_HeatTables98Racers8Lanes)->Unit(benchmark::kMicrosecond);

void BM_BuildRotation98Racers8Lanes(benchmark::State& state) {
    HeatEvent event;
    for (auto _ : state) {
        rebuildRotation(event);
        benchmark::DoNotOptimize(event.heats.laneRacer[kLanes][kRacers]);
    }
    checkEvent(state, event);
}
BENCHMARK(BM_BuildRotation98Racers8Lanes)->Unit(benchmark::kMicrosecond);

void BM_FillResultsGrid98Racers8Lanes(benchmark::State& state) {
    HeatEvent event;
    for (auto _ : state) {
        event.results.FillResultsGrid();
        benchmark::ClobberMemory();
    }
    checkResults(state, event);
}
BENCHMARK(BM_FillResultsGrid98Racers8Lanes)->Unit(benchmark::kMicrosecond);

void BM_FillNextHeatGrid98Heats8Lanes(benchmark::State& state) {
    HeatEvent event;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            qel::FillNextHeatGrid(event.nextHeatGrid, event.nextHeatSources(), kScreenHeightTwips));
    }
    checkNextHeat(state, event);
}
BENCHMARK(BM_FillNextHeatGrid98Heats8Lanes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
