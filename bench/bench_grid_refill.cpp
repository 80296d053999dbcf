// How long the lap-time window takes to refill and repaint its grid after a race-screen redraw:
// 3000 laps of eight lanes plus the lap column, written with redraw off, then shown at once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/grid/grid_alignment.h"
#include "core/grid/grid_color.h"
#include "core/grid/grid_model.h"
#include "ui/widgets/flex_grid.h"

namespace {

constexpr int kHeaderRows = 2;
constexpr int kLaps = 3000;
constexpr int kLanes = 8;
constexpr int kCols = kLanes + 1;

// Two full sets of lap texts, so every pass really changes every cell.
std::vector<std::string> lapTexts(int seed) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(kLaps) * kCols);
    char buffer[32];
    for (int lap = 0; lap < kLaps; ++lap) {
        texts.push_back(std::to_string(lap + 1));
        for (int lane = 1; lane <= kLanes; ++lane) {
            const int ms = 3000 + (lap * 37 + lane * 101 + seed * 13) % 4000;
            std::snprintf(buffer, sizeof buffer, "%d.%03d", ms / 1000, ms % 1000);
            texts.emplace_back(buffer);
        }
    }
    return texts;
}

void laneHeaders(qel::GridModel& model) {
    model.setColWidth(0, 510);
    model.setTextMatrix(1, 0, "Lap");
    for (int lane = 1; lane <= kLanes; ++lane) {
        model.setColWidth(lane, 900);
        model.setCellBackColor(0, lane, qel::rgbColor(40 * lane, 255 - 30 * lane, 128));
        model.setCellBackColor(1, lane, qel::rgbColor(40 * lane, 255 - 30 * lane, 128));
        model.setTextMatrix(0, lane, "Lane " + std::to_string(lane));
        model.setTextMatrix(1, lane, "Racer " + std::to_string(lane));
    }
}

void BM_GridRefill3002x9(benchmark::State& state) {
    qel::GridModel model(kHeaderRows + kLaps, kCols, kHeaderRows, 1);
    model.setFont({"Courier New", 8.25f});
    laneHeaders(model);
    for (int r = kHeaderRows; r < model.rows(); ++r) {
        for (int c = 0; c < kCols; ++c)
            model.setCellAlignment(r, c, qel::grid_align::kCenterCenter);
    }
    qel::ui::FlexGrid grid(model);
    grid.setObjectName("grdLaps");
    grid.resize(560, 600);
    grid.show();
    QApplication::processEvents();

    const std::vector<std::string> sets[2] = {lapTexts(0), lapTexts(1)};
    int pass = 0;
    for (auto _ : state) {
        const std::vector<std::string>& texts = sets[pass++ & 1];
        model.setRedraw(false);
        std::size_t i = 0;
        for (int r = kHeaderRows; r < model.rows(); ++r) {
            for (int c = 0; c < kCols; ++c)
                model.setTextMatrix(r, c, texts[i++]);
        }
        model.setRedraw(true);
        grid.viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * kLaps * kCols);
}
BENCHMARK(BM_GridRefill3002x9)->Unit(benchmark::kMillisecond);

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
