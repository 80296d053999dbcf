// The race tick with 50 spectators watching the live board: an 8-lane demo race in the race
// director's real main window (set up as the board screenshot sets it up), its live board on
// loopback, and 50 WebSocket viewers reading in a thread of their own. Each repetition runs one
// race from the start to its final standings; every tick is timed as the program runs it (the
// timer fires, the board is rendered and published, the event loop paints and sends). The same
// race with the live board switched off is the measure to compare with.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMetaObject>
#include <QTcpServer>
#include <QThread>
#include <QUrl>
#include <QWebSocket>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "board_race.h"
#include "core/liveboard/live_board_json.h"
#include "core/liveboard/live_board_snapshot.h"

namespace {

constexpr int kTickMs = 100;
constexpr int kLanes = 8;
// About six minutes of racing: some 3600 ticks, 600 of them redraws.
constexpr int kLaps = 100;
constexpr int kMostTicks = 20'000;

// The viewers, each a WebSocket client of its own, living in the crowd's thread.
class Crowd {
  public:
    explicit Crowd(int viewers) : viewers_(viewers) {
        thread_.start();
        context_.moveToThread(&thread_);
    }
    ~Crowd() {
        inThread([this] {
            sockets_.clear();
            context_.moveToThread(QCoreApplication::instance()->thread());
        });
        thread_.quit();
        thread_.wait();
    }

    void open(quint16 port) {
        inThread([this, port] {
            for (int i = 0; i < viewers_; ++i) {
                auto socket = std::make_unique<QWebSocket>();
                QWebSocket* raw = socket.get();
                QObject::connect(raw, &QWebSocket::textMessageReceived, &context_,
                                 [this, i](const QString& message) {
                                     std::lock_guard lock(mutex_);
                                     last_[i] = message;
                                     ++received_[i];
                                 });
                QObject::connect(raw, &QWebSocket::connected, &context_, [this] { ++connected_; });
                raw->open(QUrl(QString("ws://127.0.0.1:%1/live").arg(port)));
                sockets_.push_back(std::move(socket));
            }
        });
    }

    int connected() const { return connected_; }
    // How many viewers' last message is this text.
    int seeing(const QString& expected) const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::count(last_.begin(), last_.end(), expected));
    }
    double meanReceived() const {
        std::lock_guard lock(mutex_);
        double sum = 0;
        for (int n : received_)
            sum += n;
        return viewers_ == 0 ? 0 : sum / viewers_;
    }

  private:
    template <typename Work>
    void inThread(Work work) {
        QMetaObject::invokeMethod(&context_, work, Qt::BlockingQueuedConnection);
    }

    int viewers_;
    QThread thread_;
    QObject context_;
    std::vector<std::unique_ptr<QWebSocket>> sockets_;
    std::atomic<int> connected_ = 0;
    mutable std::mutex mutex_;
    std::vector<QString> last_ = std::vector<QString>(viewers_);
    std::vector<int> received_ = std::vector<int>(viewers_);
};

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::AnyIPv4, 0);
    return probe.serverPort();
}

// Runs the event loop (the program's server with it) until done() or the wait runs out.
template <typename Done>
bool serveUntil(Done done, int maxMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

double quantile(std::vector<double> samples, double q) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

// One iteration is a whole race, start to final standings, with range(0) viewers watching;
// with none, the live board is off.
void BM_LiveBoardRaceTick8Lanes(benchmark::State& state) {
    const int viewers = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        qel::boardshot::BoardRaceSetup setup;
        setup.lanes = kLanes;
        setup.laps = kLaps;
        if (viewers > 0) setup.liveBoardPort = freePort();
        auto race = std::make_unique<qel::boardshot::BoardRace>(setup);
        qel::ui::FrmQelTimer& window = race->window();
        window.resize(1280, 800);
        window.show();
        QApplication::processEvents();
        auto crowd = std::make_unique<Crowd>(viewers);
        if (viewers > 0) crowd->open(static_cast<quint16>(setup.liveBoardPort));
        if (!serveUntil([&] { return crowd->connected() == viewers; }, 20'000) ||
            race->liveBoard().counts().viewers.viewers != viewers) {
            state.SkipWithError("the viewers did not all connect");
            return;
        }
        if (!race->pressStart() || !race->messages().empty()) {
            state.SkipWithError("the demo race did not start cleanly");
            return;
        }
        state.ResumeTiming();

        std::vector<double> redrawMicros;
        std::vector<double> allMicros;
        int ticks = 0;
        const qel::RaceBoard& board = race->engine().board();
        while (board.startState != qel::StartState::Reset && ticks < kMostTicks) {
            const auto start = std::chrono::steady_clock::now();
            race->advance(kTickMs);
            QApplication::processEvents();
            const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
            ++ticks;
            allMicros.push_back(seconds.count() * 1e6);
            if (race->engine().state().redrawCountdown == 0)
                redrawMicros.push_back(seconds.count() * 1e6);
        }

        state.PauseTiming();
        if (board.startState != qel::StartState::Reset) {
            state.SkipWithError("the race did not end");
            return;
        }
        // The final standings, as the program sent them last.
        qel::AppState& app = race->engine().app();
        const std::string finalJson = qel::liveBoardJson(
            qel::takeLiveBoardSnapshot({app.board, app.race, app.heats, race->engine().setup()}));
        const QString expected = QString::fromStdString(finalJson);
        serveUntil([&] { return crowd->seeing(expected) == viewers; }, 20'000);
        const qel::platform::LiveBoardServerCounts counts = race->liveBoard().counts();
        state.counters["viewers_final"] = crowd->seeing(expected);
        state.counters["messages_per_viewer"] = crowd->meanReceived();
        state.counters["dropped"] = static_cast<double>(counts.viewers.dropped);
        state.counters["ticks"] = ticks;
        state.counters["redraw_ticks"] = static_cast<double>(redrawMicros.size());
        state.counters["message_bytes"] = static_cast<double>(finalJson.size());
        state.counters["redraw_median_us"] = quantile(redrawMicros, 0.5);
        state.counters["redraw_p99_us"] = quantile(redrawMicros, 0.99);
        state.counters["redraw_max_us"] = quantile(redrawMicros, 1.0);
        state.counters["tick_p99_us"] = quantile(allMicros, 0.99);
        if (crowd->seeing(expected) != viewers)
            state.SkipWithError("not every viewer saw the final standings");
        crowd.reset();
        race.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LiveBoardRaceTick8Lanes)
    ->ArgName("viewers")
    ->Arg(0)
    ->Arg(50)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Measured without a display, as on the build machines.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
