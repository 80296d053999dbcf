// How long the race director's main window takes over a race tick that redraws the board: the
// engine's tick, the board redraw, the window's render and the paint of what changed, in the
// real window, with 8 lanes racing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "board_race.h"

namespace {

constexpr int kTickMs = 100;
// The board is redrawn on every sixth tick.
constexpr int kTicksPerRedraw = 6;
// One repetition is 500 redraw ticks, 5 minutes of race; ten take the leader to about 900
// laps, far from the finish.
constexpr int kRedrawTicksPerRepetition = 500;

// Counts the paints of the board's labels, so a tick that only sets texts and never paints
// them cannot pass for a fast one.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
    int paints = 0;
};

// One race for the whole run, started once; every repetition carries it further.
std::unique_ptr<qel::boardshot::BoardRace> gRace;
std::unique_ptr<PaintCounter> gPaints;

// A tick as the program runs it: the timer fires, the window renders the board, and the event
// loop lays out and paints what changed.
void tick() {
    gRace->advance(kTickMs);
    QApplication::processEvents();
}

// An 8-lane 3000-lap demo race with an instant start, in the main window shown at 1280 × 800.
qel::boardshot::BoardRace* startedRace() {
    if (gRace) return gRace.get();
    qel::boardshot::BoardRaceSetup setup;
    setup.lanes = 8;
    setup.laps = qel::kMaxLap;
    gRace = std::make_unique<qel::boardshot::BoardRace>(setup);
    qel::ui::FrmQelTimer& window = gRace->window();
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    gPaints = std::make_unique<PaintCounter>();
    for (QLabel* label : window.findChildren<QLabel*>())
        label->installEventFilter(gPaints.get());
    if (!gRace->pressStart() || !gRace->messages().empty()) {
        gRace.reset();
        return nullptr;
    }
    // On to the first redraw, so each measured tick below is a redraw tick.
    do {
        tick();
    } while (gRace->engine().state().redrawCountdown != 0);
    return gRace.get();
}

double quantile(std::vector<double> samples, double q) {
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

int mostLaps(const qel::RaceState& s) {
    int most = 0;
    for (int lane = 1; lane <= s.laneCount; ++lane)
        most = std::max<int>(most, s.lapCount[lane]);
    return most;
}

// One iteration is one redraw tick; the five ticks before it run, and paint, untimed.
void BM_MainWindowRedrawTick8Lanes(benchmark::State& state) {
    qel::boardshot::BoardRace* race = startedRace();
    if (!race) {
        state.SkipWithError("the demo race did not start cleanly");
        return;
    }
    std::vector<double> micros;
    micros.reserve(kRedrawTicksPerRepetition);
    const int paintsBefore = gPaints->paints;
    for (auto _ : state) {
        for (int i = 1; i < kTicksPerRedraw; ++i)
            tick();
        const auto start = std::chrono::steady_clock::now();
        tick();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(seconds.count());
        micros.push_back(seconds.count() * 1e6);
        if (race->engine().state().redrawCountdown != 0) {
            state.SkipWithError("a measured tick did not redraw the board");
            return;
        }
    }
    const qel::RaceState& s = race->engine().state();
    if (s.raceOverHandled != 0 || !race->messages().empty()) {
        state.SkipWithError("the race ended or the program asked the race director something");
        return;
    }
    if (gPaints->paints == paintsBefore) {
        state.SkipWithError("the board was never painted");
        return;
    }
    state.counters["median_us"] = quantile(micros, 0.5);
    state.counters["p99_us"] = quantile(micros, 0.99);
    // Label paints per iteration: the measured tick and the five before it.
    state.counters["paints"] = static_cast<double>(gPaints->paints - paintsBefore) / micros.size();
    state.counters["leader_laps"] = mostLaps(s);
}
BENCHMARK(BM_MainWindowRedrawTick8Lanes)
    ->Iterations(kRedrawTicksPerRepetition)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The same tick with the summary and lap-time windows open beside the board, as the race
// director opened them from the menu: each redraw refills both.
void BM_MainWindowRedrawTickWithRecordViews8Lanes(benchmark::State& state) {
    qel::boardshot::BoardRace* race = startedRace();
    if (!race) {
        state.SkipWithError("the demo race did not start cleanly");
        return;
    }
    qel::ui::FrmQelTimer& window = race->window();
    for (const char* item : {"mnuSummary", "mnuLapTimes"})
        window.mainMenu().action(item)->trigger();
    QApplication::processEvents();
    BM_MainWindowRedrawTick8Lanes(state);
}
BENCHMARK(BM_MainWindowRedrawTickWithRecordViews8Lanes)
    ->Iterations(kRedrawTicksPerRepetition)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Measured without a display, as on the build machines.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window goes while the application still stands.
    gRace.reset();
    gPaints.reset();
    return 0;
}
