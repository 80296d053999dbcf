#pragma once
// The summary view's grid: two header rows, then one row of figures per
// position (race) or lane (practice), filled cell by cell as the summary
// window shows it and the .sum file copies it.
#include "core/grid/grid_model.h"
#include "core/records/record_sources.h"
#include "core/seams/prompter.h"

namespace qel {

inline constexpr int kSummaryRows = 10;
inline constexpr int kSummaryCols = 13;

// The summary grid as the window is designed: 10 rows, 13 columns, 2 fixed rows.
GridModel makeSummaryGrid();

// Fills the header rows, then the lane rows. A race without standings yet
// gets its header rows and the message "Insufficient data to view Summary";
// false then. Rows past laneCount + 1, and the red text and backgrounds of
// earlier fills, are left as they are.
bool FillSummaryGrid(GridModel& grid, const RecordSources& sources, Prompter& prompter);

}  // namespace qel
