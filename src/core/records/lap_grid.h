#pragma once
// The lap-time view's grid: one column per lane (practice) or per position
// (race), one row per lap, in lap order or each lane's laps sorted by time.
#include <string>

#include "core/grid/grid_model.h"
#include "core/records/record_sources.h"
#include "core/seams/prompter.h"

namespace qel {

inline constexpr int kLapGridRows = 3002;
// Never fewer rows than this, so a short race still fills the window.
inline constexpr int kLapGridMinRows = 12;

// The lap grid as the window is designed: 3002 rows, 4 columns, 2 fixed rows,
// 1 fixed column, "Courier New".
GridModel makeLapGrid();

struct LapGridFill {
    bool filled = false;  // false: no standings yet, the message was shown
    std::string caption;  // the window's caption after the fill
    int progressMaximum = 0;
    int progressValue = 0;
};

// Fills the grid, sets records.lapRowEnd and scrolls so the last laps are in
// view. Cells below lapRowEnd that an earlier fill wrote stay until the row
// count cuts them off.
LapGridFill FillLapGrid(GridModel& grid, const RecordSources& sources, Prompter& prompter);

}  // namespace qel
