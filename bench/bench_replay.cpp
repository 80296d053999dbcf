// How fast the race engine runs a race without a window: a demo race that fills the lap
// store, a recorded box stream replayed as a lap race, and the cost of one race tick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include <unistd.h>

#include "boxsim/box_model.h"
#include "core/state/race_state.h"
#include "replay.h"
#include "replay_race.h"

namespace {

constexpr int kLanes = 8;
constexpr int kTickMs = 100;

// ---------------------------------------------------------------------------------------------
// A practice race on the demo generator that runs until the fastest lane fills the lap store.

qel::replay::ReplayOptions demoPractice() {
    qel::replay::ReplayOptions o;
    o.lanes = kLanes;
    o.format = qel::kPractice;
    o.minLap = 0;
    o.demo = true;
    o.seed = 1;
    return o;
}

// Practice never ends by itself, so the race is cut at the tick after the fastest lane's
// lap 3000; the seeded paces make that moment the same on every run.
int64_t raceMsToFillLapStore() {
    static const int64_t ms = [] {
        const qel::replay::ReplayResult probe = qel::replay::runReplay(demoPractice());
        int64_t first = probe.state->elapsedMs;
        for (int lane = 1; lane <= kLanes; ++lane) {
            if (probe.state->lapCount[lane] >= qel::kMaxLap)
                first = std::min<int64_t>(first, probe.state->lastPassMs[lane]);
        }
        return (first / kTickMs + 1) * kTickMs;
    }();
    return ms;
}

int mostLaps(const qel::RaceState& s) {
    int most = 0;
    for (int lane = 1; lane <= s.laneCount; ++lane)
        most = std::max<int>(most, s.lapCount[lane]);
    return most;
}

int fewestLaps(const qel::RaceState& s) {
    int fewest = qel::kMaxLap;
    for (int lane = 1; lane <= s.laneCount; ++lane)
        fewest = std::min<int>(fewest, s.lapCount[lane]);
    return fewest;
}

// Race time over wall time of one replay.
struct TimedReplay {
    qel::replay::ReplayResult result;
    double wallMs = 0;
};

TimedReplay timedReplay(const qel::replay::ReplayOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    TimedReplay run{qel::replay::runReplay(options)};
    run.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return run;
}

void BM_DemoPracticeTo3000Laps(benchmark::State& state) {
    qel::replay::ReplayOptions options = demoPractice();
    options.maxRaceMs = raceMsToFillLapStore();
    double raceMs = 0;
    double wallMs = 0;
    int laps = 0;
    for (auto _ : state) {
        const TimedReplay run = timedReplay(options);
        raceMs += run.result.state->elapsedMs;
        wallMs += run.wallMs;
        laps = mostLaps(*run.result.state);
        benchmark::DoNotOptimize(run.result.board.rows[1].lapNum.text.data());
    }
    if (laps < qel::kMaxLap) {
        state.SkipWithError("no lane reached lap 3000");
        return;
    }
    state.counters["race_x_realtime"] = raceMs / wallMs;
    state.counters["race_min"] = static_cast<double>(options.maxRaceMs) / 60000.0;
    state.counters["most_laps"] = laps;
}
BENCHMARK(BM_DemoPracticeTo3000Laps)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---------------------------------------------------------------------------------------------
// A stream as the box sends it: a report every 10 ms and lane letters after the report that
// carried the clock past each crossing, replayed as a 500-lap race of about half an hour.

constexpr int64_t kStreamMs = 40LL * 60 * 1000;
constexpr int kStreamRaceLaps = 500;

// The stream lives in a file for the length of the program, as a recording would.
class TempStreamFile {
  public:
    TempStreamFile() {
        qel::boxsim::BoxSettings settings;
        settings.lanes = kLanes;
        settings.reportMs = 10;
        for (int lane = 1; lane <= kLanes; ++lane)
            settings.laps.meanMs[lane] = 3500 + 90 * lane;
        settings.laps.seed = 42;
        qel::boxsim::BoxModel box(settings);
        box.receive("S");
        box.advance(kStreamMs);
        std::string bytes;
        for (const qel::boxsim::Emission& e : box.takeOutput())
            bytes += e.bytes;
        size_ = bytes.size();
        path_ = std::filesystem::temp_directory_path() /
                ("qel_bench_replay_" + std::to_string(getpid()) + ".bin");
        std::ofstream(path_, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempStreamFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempStreamFile(const TempStreamFile&) = delete;
    TempStreamFile& operator=(const TempStreamFile&) = delete;

    std::string path() const { return path_.string(); }
    std::size_t size() const { return size_; }

  private:
    std::filesystem::path path_;
    std::size_t size_ = 0;
};

void BM_RecordedStreamLapRace(benchmark::State& state) {
    static const TempStreamFile stream;
    qel::replay::ReplayOptions options;
    options.lanes = kLanes;
    options.format = qel::kLapRace;
    options.laps = kStreamRaceLaps;
    options.streamFile = stream.path();
    double raceMs = 0;
    double wallMs = 0;
    int32_t lastRaceMs = 0;
    bool finished = false;
    for (auto _ : state) {
        const TimedReplay run = timedReplay(options);
        lastRaceMs = run.result.state->elapsedMs;
        raceMs += lastRaceMs;
        wallMs += run.wallMs;
        finished = run.result.state->raceOverHandled != 0;
        benchmark::DoNotOptimize(run.result.board.rows[1].lapNum.text.data());
    }
    if (!finished || lastRaceMs < 30 * 60 * 1000) {
        state.SkipWithError("the replayed race did not run to its end after 30 minutes");
        return;
    }
    state.counters["race_x_realtime"] = raceMs / wallMs;
    state.counters["race_min"] = lastRaceMs / 60000.0;
    state.counters["stream_MB"] = static_cast<double>(stream.size()) / 1e6;
}
BENCHMARK(BM_RecordedStreamLapRace)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---------------------------------------------------------------------------------------------
// One race tick, the engine wired as a replay wires it, deep into an 8-lane demo lap race.

// An instant start of a 3000-lap 8-lane demo race on a freshly started program.
struct TickRig {
    explicit TickRig(const std::string& bestHeader) : race(options(), std::string(), events) {
        race.board().bestHeader = bestHeader;
        race.start();
    }

    static qel::replay::ReplayOptions options() {
        qel::replay::ReplayOptions o;
        o.lanes = kLanes;
        o.format = qel::kLapRace;
        o.laps = qel::kMaxLap;
        o.minLap = 0;
        o.demo = true;
        o.seed = 7;
        return o;
    }

    void runUntilEveryLaneHas(int laps) {
        while (fewestLaps(race.state()) < laps && race.step()) {
        }
    }

    qel::replay::ReplayRace::EventLog events;
    qel::replay::ReplayRace race;
};

// What the measured ticks change, put back now and then so the race stays near its lap count.
struct TickSnapshot {
    explicit TickSnapshot(TickRig& rig)
        : state(rig.race.state()),
          heats(rig.race.heats()),
          board(rig.race.board()),
          random(rig.race.random()) {}
    void restore(TickRig& rig) const {
        rig.race.state() = state;
        rig.race.heats() = heats;
        rig.race.board() = board;
        rig.race.random() = random;
        rig.events.clear();
    }
    qel::RaceState state;
    qel::HeatTables heats;
    qel::RaceBoard board;
    qel::UniformRandom random;
};

// The slowest lane's lap count; the leader then has about 2800, short of the finish at 3000.
constexpr int kLaneLaps = 1500;
// Half a minute of race, about 25 more laps for the leader, before the race is put back.
constexpr int kTicksBetweenRestores = 300;

void measureTicks(benchmark::State& state, const std::string& bestHeader, bool redraw) {
    auto rig = std::make_unique<TickRig>(bestHeader);
    rig->runUntilEveryLaneHas(kLaneLaps);
    const auto snapshot = std::make_unique<TickSnapshot>(*rig);
    // The countdown is decremented first, so 1 makes this tick a redraw tick and 3 does not.
    const int16_t countdown = redraw ? 1 : 3;
    int sinceRestore = 0;
    for (auto _ : state) {
        if (++sinceRestore > kTicksBetweenRestores) {
            state.PauseTiming();
            snapshot->restore(*rig);
            sinceRestore = 1;
            state.ResumeTiming();
        }
        rig->race.state().redrawCountdown = countdown;
        rig->race.tick().Timer1_Timer(kTickMs);
        benchmark::DoNotOptimize(rig->race.board().rows[1].lapNum.text.data());
    }
    if (rig->race.state().raceOverHandled != 0 || fewestLaps(rig->race.state()) < kLaneLaps) {
        state.SkipWithError("the race ended or fell short of the lap count");
        return;
    }
    state.counters["leader_laps"] = mostLaps(rig->race.state());
    state.counters["last_laps"] = fewestLaps(rig->race.state());
}

void BM_RaceTickRedraw(benchmark::State& state) {
    measureTicks(state, "Best Lap", true);
}
BENCHMARK(BM_RaceTickRedraw)->Unit(benchmark::kMicrosecond);

void BM_RaceTickNoRedraw(benchmark::State& state) {
    measureTicks(state, "Best Lap", false);
}
BENCHMARK(BM_RaceTickNoRedraw)->Unit(benchmark::kMicrosecond);

// The median column sorts every lane's laps on each redraw: the costliest board there is.
void BM_RaceTickRedrawMedian(benchmark::State& state) {
    measureTicks(state, "Median", true);
}
BENCHMARK(BM_RaceTickRedrawMedian)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
