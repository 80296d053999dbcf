#include "core/heats/next_heat_grid.h"

#include <algorithm>
#include <string>

#include "core/heats/rotation.h"
#include "core/records/print_grid.h"
#include "core/setup/installation_file.h"

namespace qel {
namespace {

constexpr int kLaneColumnTwips = 1000;
constexpr int kHeaderColumnTwips = 1000;
constexpr int kHeatRowTwips = 275;
constexpr int kHeaderRowsTwips = 550;
constexpr int kHeatRowHeightTwips = 250;
constexpr int kMarkedColumnTwips = 995;
// What a grid too high for the screen gives back: room for the window's
// frame, and a scroll bar's width across.
constexpr int kGridScreenMarginTwips = 2000;
constexpr int kScrollBarTwips = 300;
// The window around its grid.
constexpr int kWindowFrameHeightTwips = 500;
constexpr int kWindowFrameWidthTwips = 150;
constexpr int kWindowScreenMarginTwips = 1000;

int lanesOf(const RaceState& race) {
    return std::clamp<int>(race.laneCount, 0, kMaxLanes);
}

int heatsOf(const HeatTables& heats) {
    return std::clamp<int>(heats.heatCount, 0, kMaxHeats);
}

std::string racerText(const HeatTables& heats, int lane, int heat) {
    const int racer = heats.laneRacer[lane][heat];
    if (racer < 1 || racer > kMaxRacers) return kEmptyLaneCell;
    return heats.heatRacers[racer].name;
}

}  // namespace

TwipsSize FillNextHeatGrid(GridModel& grid, const NextHeatSources& sources, int screenHeight) {
    const HeatTables& heats = sources.heats;
    const int lanes = lanesOf(sources.race);
    const int heatCount = heatsOf(heats);
    {
        GridRedrawPause pause(grid);
        grid.setCols(lanes + 1);
        grid.setRows(heatCount + 2);
        for (int lane = 1; lane <= lanes; ++lane) {
            grid.setTextMatrix(0, lane, "Lane " + std::to_string(lane));
            grid.setCellBackColor(0, lane, static_cast<GridColor>(sources.race.laneColor[lane]));
            grid.setTextMatrix(1, lane, laneColourName(sources.installation, lane));
        }
        for (int heat = 1; heat <= heatCount; ++heat) {
            for (int lane = 1; lane <= lanes; ++lane)
                grid.setTextMatrix(heat + 1, lane, racerText(heats, lane, heat));
        }
        grid.setTextMatrix(0, 0, kPrintGridCell);
        grid.setCellForeColor(0, 0, kPrintCellRed);
        for (int heat = 1; heat <= heatCount; ++heat) {
            grid.setRowHeight(heat, kHeatRowHeightTwips);
            grid.setTextMatrix(heat + 1, 0, "Heat " + std::to_string(heat));
        }
    }

    int gridWidth = lanes * kLaneColumnTwips + kHeaderColumnTwips;
    int gridHeight = heatCount * kHeatRowTwips + kHeaderRowsTwips;
    if (gridHeight > screenHeight) {
        gridHeight = screenHeight - kGridScreenMarginTwips;
        gridWidth += kScrollBarTwips;
    }
    grid.setWidth(gridWidth);
    grid.setHeight(gridHeight);

    TwipsSize window{gridWidth + kWindowFrameWidthTwips, gridHeight + kWindowFrameHeightTwips};
    if (window.height > screenHeight) window.height = screenHeight - kWindowScreenMarginTwips;

    if (sources.race.leaderFinished) MarkHeatRow(grid, heats, lanes);
    return window;
}

void MarkHeatRow(GridModel& grid, const HeatTables& heats, int laneCount) {
    const int lanes = std::clamp(laneCount, 0, kMaxLanes);
    const int lastHeat = std::clamp<int>(heats.currentHeat, 0, std::max(0, grid.rows() - 2));
    GridRedrawPause pause(grid);
    for (int heat = 1; heat <= lastHeat; ++heat) {
        for (int col = 0; col <= lanes; ++col) {
            grid.setColWidth(col, kMarkedColumnTwips);
            grid.setCellBackColor(heat + 1, col, kRunHeatYellow);
        }
    }
}

TwipsSize nextHeatLoadSize(TwipsSize window, int screenHeight) {
    if (window.height >= screenHeight) {
        window.height = screenHeight - kWindowScreenMarginTwips;
        window.width += kWindowFrameWidthTwips;
    }
    return window;
}

NextHeatGrid::NextHeatGrid(NextHeatSources sources, TimerService& timers, Prompter& prompter,
                           PrintSurface& printer)
    : sources_(sources), prompter_(prompter), printer_(printer), tmrPrint_(timers.createTimer()) {
    tmrPrint_->setInterval(kPrintIntervalMs);
    tmrPrint_->setHandler([this](int) { tmrPrint_Timer(); });
}

NextHeatGrid::~NextHeatGrid() = default;

TwipsSize NextHeatGrid::load(int screenHeight) {
    HeatTables& heats = sources_.heats;
    BuildRotation(heats, heats.racerCount, heats.activeSequence);
    const TwipsSize window = FillNextHeatGrid(grid_, sources_, screenHeight);
    markHeatRows();
    return nextHeatLoadSize(window, screenHeight);
}

TwipsSize NextHeatGrid::refill(int screenHeight) {
    return FillNextHeatGrid(grid_, sources_, screenHeight);
}

void NextHeatGrid::markHeatRows() {
    MarkHeatRow(grid_, sources_.heats, lanesOf(sources_.race));
}

void NextHeatGrid::grdgrid_MouseDown(int row, int col, double screenDotsPerInch) {
    if (row != 0 || col != 0) return;
    // The printed sequence carries no print cell.
    grid_.setTextMatrix(0, 0, "");
    {
        PrintGrid printout(prompter_);
        printout.setDestinationPrinter(printer_, screenDotsPerInch);
        printout.setSource(grid_);
        printout.setJobName("Rotation Sequence");
        printout.Print();
    }
    showPrintCell(kPrintingCell, kPrintCellBlack);
    // The print cell comes back a while later; the timer is left running and
    // each later tick puts it back again.
    tmrPrint_->setEnabled(true);
}

void NextHeatGrid::tmrPrint_Timer() {
    showPrintCell(kPrintGridCell, kPrintCellRed);
}

void NextHeatGrid::showPrintCell(const char* text, GridColor color) {
    GridRedrawPause pause(grid_);
    grid_.setTextMatrix(0, 0, text);
    grid_.setCellForeColor(0, 0, color);
}

}  // namespace qel
