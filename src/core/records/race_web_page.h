#pragma once
// A race as one web page that opens anywhere on its own: the race title, the
// summary table and the table of every lap time, styles inside the page, no
// pictures or scripts to go missing. UTF-8.
#include <string>

#include "core/grid/grid_model.h"

namespace qel {

// The first rows of each grid (header rows included) become its table; the
// grids' header rows are the tables' headers, lane colours stay behind their
// cells.
std::string raceWebPage(const std::string& title, const GridModel& summary, int summaryRows,
                        const GridModel& laps, int lapRows);

// Text made safe to stand in a page: & < > " as their entities.
std::string htmlEscaped(const std::string& text);

}  // namespace qel
