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
#include "core/engine/demo_generator.h"
#include "core/engine/lap_counting.h"
#include "core/engine/race_board.h"
#include "core/engine/race_finish.h"
#include "core/engine/race_resets.h"
#include "core/engine/race_screen.h"
#include "core/engine/race_tick.h"
#include "core/engine/timing_link.h"
#include "core/seams/uniform_random.h"
#include "replay.h"
#include "stream_port.h"

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

class StillClock : public qel::Clock {
  public:
    int64_t tickCountMs() const override { return 0; }
    double now() const override { return 46000.5; }
    void sleepMs(int) override {}
};

class LoopTimer : public qel::Timer {
  public:
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void setHandler(Handler) override {}

  private:
    int interval_ = kTickMs;
    bool enabled_ = false;
};

class SilentPrompter : public qel::Prompter {
  public:
    qel::MessageAnswer message(const std::string&, const std::string&, qel::MessageIcon,
                               qel::MessageButtons) override {
        return qel::MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
};

class SilentPlayer : public qel::SoundPlayer {
  public:
    void PlaySoundFile(const std::string&) override {}
};

class NoHandover : public qel::RaceEndHandover {
  public:
    void saveHeatToLog() override {}
    void scoreHeat() override {}
    void prepareNextHeatDisplay() override {}
    void startBetweenHeatDelay() override {}
    void reopenOpenViews() override {}
    void showRaceResults() override {}
    void autoPrint() override {}
    void enableFileMenu() override {}
};

struct TickRig {
    qel::RaceState state;
    qel::HeatTables heats;
    qel::RaceBoard board;
    qel::InstallationSettings installation;
    qel::replay::StreamPort port{"", state.elapsedMs};
    StillClock clock;
    LoopTimer raceTick;
    SilentPrompter prompter;
    SilentPlayer player;
    NoHandover handover;
    qel::SoundTable sounds;
    qel::UniformRandom random{7};
    qel::TimingLink link{port, clock, prompter, state, installation};
    qel::LapCounter counter{state, heats, board};
    qel::DemoGenerator demo{state, random};
    qel::RaceScreen screen{state, heats, board};
    qel::RaceFinish finish{
        {state, heats, board, screen, link, raceTick, clock, sounds, player, handover}};
    qel::RaceTick tick{state, heats, link, counter, demo, screen, finish};

    // An instant start of a 3000-lap demo race on a freshly started program.
    explicit TickRig(const std::string& bestHeader) {
        state.laneCount = kLanes;
        state.demoMode = 1;
        state.minLapTime = 0;
        state.coastTimeMs = 2000;
        state.raceFormat = qel::kLapRace;
        state.raceLimitKind = "Number of Laps";
        state.raceLaps = qel::kMaxLap;
        heats.currentHeat = 1;
        sounds.raceSoundEnabled.fill(true);
        board.bestHeader = bestHeader;
        for (int lane = 1; lane <= qel::kMaxLanes; ++lane) {
            state.laneRacerName[lane] = "Lane " + std::to_string(lane);
            state.laneColor[lane] = qel::kWhite;
            state.lastHitMs[lane] = qel::kNoHitYet;
            board.rows[lane].name.text = state.laneRacerName[lane] + " ";
        }
        qel::ClearLapTimes(state);
        qel::ResetSortedLapTimesArray(state);
        qel::StartReset(state, demo);
        qel::ResetRacerArrays(state, heats);
        finish.clock();
        board.flagPicture = qel::kFlagGreen;
        board.startCaption = "Pause";
        raceTick.setEnabled(true);
    }

    void runUntilEveryLaneHas(int laps) {
        while (fewestLaps(state) < laps && raceTick.enabled())
            tick.Timer1_Timer(kTickMs);
    }
};

// What the measured ticks change, put back now and then so the race stays near its lap count.
struct TickSnapshot {
    explicit TickSnapshot(const TickRig& rig)
        : state(rig.state), heats(rig.heats), board(rig.board), random(rig.random) {}
    void restore(TickRig& rig) const {
        rig.state = state;
        rig.heats = heats;
        rig.board = board;
        rig.random = random;
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
        rig->state.redrawCountdown = countdown;
        rig->tick.Timer1_Timer(kTickMs);
        benchmark::DoNotOptimize(rig->board.rows[1].lapNum.text.data());
    }
    if (!rig->raceTick.enabled() || fewestLaps(rig->state) < kLaneLaps) {
        state.SkipWithError("the race ended or fell short of the lap count");
        return;
    }
    state.counters["leader_laps"] = mostLaps(rig->state);
    state.counters["last_laps"] = fewestLaps(rig->state);
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
