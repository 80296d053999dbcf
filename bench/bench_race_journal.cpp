// What the race journal costs a race tick: one showing of the board with a lap counted in every
// lane of an 8-lane race, written as one transaction to the journal on this machine's disk.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/journal/race_journal.h"
#include "core/seams/virtual_time.h"
#include "core/setup/options_file.h"
#include "platform/sqlite_journal_store.h"

namespace {

namespace fs = std::filesystem;

double quantile(std::vector<double> samples, double q) {
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

void BM_JournalTickWithALapInEveryLane8Lanes(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "qeltimer-bench-journal";
    fs::remove_all(folder);
    auto race = std::make_unique<qel::RaceState>();
    qel::RaceState& s = *race;
    s.laneCount = 8;
    qel::RaceBoard board;
    qel::RaceFormatSettings raceSettings;
    raceSettings.raceFormat = qel::kLapRace;
    raceSettings.raceLaps = qel::kMaxLap;
    qel::OptionsSettings options = qel::defaultOptions();
    options.firstLapIndex = 1;
    qel::HeatTables heats;
    qel::InstallationSettings installation;
    qel::VirtualScheduler time(46000.5);
    qel::platform::SqliteJournalStore store(folder / "RaceJournal.sqlite");
    qel::RaceJournal journal(
        store, {s, board, qel::RaceSetup{raceSettings, options}, heats, installation, time});
    board.startState = qel::StartState::Pause;
    board.flagPicture = qel::kFlagGreen;
    journal.boardShown();

    std::vector<double> micros;
    for (auto _ : state) {
        // A lap in every lane since the last showing.
        for (int lane = 1; lane <= 8; ++lane) {
            if (s.lapCount[lane] >= qel::kMaxLap) s.lapCount[lane] = 0;
            ++s.lapCount[lane];
            const int32_t lapMs = 4000 + lane * 37;
            s.lastPassMs[lane] += lapMs;
            s.lapTimes[lane][s.lapCount[lane]] = static_cast<float>(lapMs) / 1000.0f;
        }
        const auto start = std::chrono::steady_clock::now();
        journal.boardShown();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(seconds.count());
        micros.push_back(seconds.count() * 1e6);
    }
    if (!board.recordsNotice.empty()) state.SkipWithError(board.recordsNotice.c_str());
    state.counters["median_us"] = quantile(micros, 0.5);
    state.counters["p99_us"] = quantile(micros, 0.99);
    fs::remove_all(folder);
}
BENCHMARK(BM_JournalTickWithALapInEveryLane8Lanes)
    ->Iterations(2000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
