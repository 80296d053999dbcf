#pragma once
// The .sum and .lap files: the lane count, a title line, then every cell of
// the summary or lap grid row by row, one cell per line, Windows-1252 with
// CR LF. The reader takes one cell per line too, so a cell holding a comma
// ("Smith, J") reads back as written.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid/grid_model.h"

namespace qel {

// The whole file: the lane count as a printed number (" 4 "), titleLine, then
// rows 0..rows-1 × columns 0..columns-1 of the grid.
std::string gridFileText(const GridModel& grid, int laneCount, int columns,
                         const std::string& titleLine);

struct GridFileContents {
    int laneCount = 0;
    std::string titleLine;
    std::vector<std::vector<std::string>> rows;  // each row holds its columns' cells
};

// A .sum file: rows 0..laneCount+1 of 13 cells (fewer at the end of the file).
// A .lap file: rows of laneCount+1 cells up to the end of the file, at most
// the lap grid's 3002 rows. A damaged or foreign file throws QelError saying
// what is wrong ("Laps.lap is not a lap file: line 1 ..."); nothing larger
// than such a file can be is read.
GridFileContents readSummaryFile(const std::filesystem::path& path);
GridFileContents readLapFile(const std::filesystem::path& path);
// The same from a file's text already read (UTF-8); name is how messages name the file.
GridFileContents parseSummaryFile(std::string_view text, const std::string& name);
GridFileContents parseLapFile(std::string_view text, const std::string& name);

// Puts a read .sum file into the summary grid (centred, "Data" and
// "Insufficent" in red, the fixed column widths) and a .lap file into the lap
// grid (growing it as needed; header rows left-centre, the rest centred).
void showSummaryFile(GridModel& grid, const GridFileContents& file);
void showLapFile(GridModel& grid, const GridFileContents& file);

}  // namespace qel
