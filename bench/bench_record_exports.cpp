// How long the race's exports take from a long race: the lap-time grid of an
// 8-lane race at 3000 laps (3002 × 9 cells) written as a worksheet, and the
// lap list of the same race printed to a PDF through the real print adapter.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "core/engine/race_setup.h"
#include "core/heats/point_system.h"
#include "core/heats/race_format_settings.h"
#include "core/io/dates.h"
#include "core/records/excel_file_v2.h"
#include "core/records/lap_grid.h"
#include "core/records/race_printouts.h"
#include "core/records/records_state.h"
#include "core/records/spreadsheet_export.h"
#include "core/seams/prompter.h"
#include "core/seams/virtual_time.h"
#include "core/setup/installation_settings.h"
#include "core/setup/options_file.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"
#include "platform/qt_print_surface.h"

#include "long_race.h"

namespace {

namespace fs = std::filesystem;

using qel::bench::LongRace;

fs::path scratch(const char* name) {
    return fs::temp_directory_path() / (std::string("qel-bench-") + name);
}

// The worksheet's records alone, in memory.
void BM_WorksheetRecordsLapGrid3002x9(benchmark::State& state) {
    LongRace race;
    qel::GridModel grid = qel::makeLapGrid();
    qel::FillLapGrid(grid, race.sources(), race.prompter);
    for (auto _ : state) {
        qel::ExcelFileV2 file;
        file.OpenFile("unused.xls");
        for (int r = 0; r < grid.rows(); ++r) {
            for (int c = 0; c < grid.cols(); ++c)
                file.EWriteString(r + 1, c + 1, grid.textMatrix(r, c));
        }
        benchmark::DoNotOptimize(file.bytes().size());
    }
}
BENCHMARK(BM_WorksheetRecordsLapGrid3002x9)->Unit(benchmark::kMillisecond);

// "Save to Excel" of the lap-time window after the chosen name: every cell
// checked for a number, written, and the file on the disk.
void BM_ExportLapGrid3002x9(benchmark::State& state) {
    LongRace race;
    qel::GridModel grid = qel::makeLapGrid();
    qel::FillLapGrid(grid, race.sources(), race.prompter);
    if (grid.rows() != qel::kLapGridRows || grid.cols() != 9)
        state.SkipWithError("the grid is not 3002 x 9");
    const fs::path path = scratch("laps.xls");
    for (auto _ : state)
        qel::writeGridSpreadsheet(grid, path);
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
    fs::remove(path);
}
BENCHMARK(BM_ExportLapGrid3002x9)->Unit(benchmark::kMillisecond);

// The lap-time window's Print of the same race, into a PDF.
void BM_PrintLapList3000LapsToPdf(benchmark::State& state) {
    LongRace race;
    qel::HeatTables heats;
    qel::VirtualScheduler time{qel::dateSerial(2026, 3, 5)};
    const fs::path path = scratch("laps.pdf");
    qel::platform::QtPrintSurface printer(qel::platform::PdfFile{path.string()});
    qel::RacePrintouts printouts(race.sources(), heats, {printer, race.prompter, time});
    for (auto _ : state) {
        if (!printouts.PrintLaps()) state.SkipWithError("the lap list was not printed");
    }
    state.counters["kB"] = static_cast<double>(fs::file_size(path)) / 1024.0;
    fs::remove(path);
}
BENCHMARK(BM_PrintLapList3000LapsToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
