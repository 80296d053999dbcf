#pragma once
// The next-heat grid: who races in which lane in every heat of the
// rotation, the heats already run marked yellow, and a print cell that sends
// the grid to the printer so the sequence can be pinned up at the track.
#include <memory>
#include <string>

#include "core/grid/grid_color.h"
#include "core/grid/grid_model.h"
#include "core/seams/print_surface.h"
#include "core/seams/prompter.h"
#include "core/seams/timer_service.h"
#include "core/setup/installation_settings.h"
#include "core/state/heat_tables.h"
#include "core/state/race_state.h"

namespace qel {

inline constexpr const char* kNextHeatCaption = "  Rotation Sequence";
inline constexpr const char* kPrintGridCell = "Print Grid";
inline constexpr const char* kPrintingCell = "Printing";
inline constexpr const char* kEmptyLaneCell = "Empty";
inline constexpr GridColor kPrintCellRed = rgbColor(255, 0, 0);
inline constexpr GridColor kPrintCellBlack = rgbColor(0, 0, 0);
inline constexpr GridColor kRunHeatYellow = rgbColor(255, 255, 0);

// A size in twips.
struct TwipsSize {
    int width = 0;
    int height = 0;
    bool operator==(const TwipsSize&) const = default;
};

// What the grid shows: the heat tables, the lanes' colours and whether the
// heat's leader has finished, and the lanes' colour names.
struct NextHeatSources {
    HeatTables& heats;
    const RaceState& race;
    const InstallationSettings& installation;
};

// Refills the grid from the heat tables and sets the grid's own size; gives
// the window size the grid asks for on a screen screenHeight twips high.
// Cells painted by MarkHeatRow keep their yellow.
TwipsSize FillNextHeatGrid(GridModel& grid, const NextHeatSources& sources, int screenHeight);
// Paints the rows of heats 1..currentHeat yellow.
void MarkHeatRow(GridModel& grid, const HeatTables& heats, int laneCount);
// The window's size at its load: a window at least as high as the screen is
// cut to fit it.
TwipsSize nextHeatLoadSize(TwipsSize window, int screenHeight);

// The grid of one next-heat window while it is loaded, with its print cell.
class NextHeatGrid {
  public:
    static constexpr int kPrintIntervalMs = 6000;

    // printer: the system printer; a failure to print is told through prompter.
    NextHeatGrid(NextHeatSources sources, TimerService& timers, Prompter& prompter,
                 PrintSurface& printer);
    ~NextHeatGrid();
    NextHeatGrid(const NextHeatGrid&) = delete;
    NextHeatGrid& operator=(const NextHeatGrid&) = delete;

    GridModel& grid() { return grid_; }
    const GridModel& grid() const { return grid_; }

    // Form_Load: the rotation rebuilt from the racers' places, the grid
    // filled and the heats run so far marked; gives the window's size.
    TwipsSize load(int screenHeight);
    // The refill at each rotation; the window keeps the size it has.
    TwipsSize refill(int screenHeight);
    // The heats run so far marked (a timed heat whose time is up).
    void markHeatRows();

    // A mouse press on a cell: only the print cell (0, 0) prints.
    // screenDotsPerInch: the screen's resolution, so the printout's lines
    // keep their on-screen thickness.
    void grdgrid_MouseDown(int row, int col, double screenDotsPerInch);
    const Timer& tmrPrint() const { return *tmrPrint_; }

  private:
    void tmrPrint_Timer();
    void showPrintCell(const char* text, GridColor color);

    NextHeatSources sources_;
    Prompter& prompter_;
    PrintSurface& printer_;
    GridModel grid_;
    std::unique_ptr<Timer> tmrPrint_;
};

}  // namespace qel
