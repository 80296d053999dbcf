#include "core/records/record_files.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/io/errors.h"
#include "core/io/print_convention.h"
#include "core/io/text_file.h"
#include "core/records/lap_grid.h"
#include "core/records/summary_grid.h"
#include "core/state/race_state.h"

namespace qel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kFewestLanes = 2;
// Two header rows, then a row for every lap the lap store holds, lap 0 included.
constexpr int kMaxLapFileRows = 2 + kMaxLap + 1;
// Far more than any cell the grids hold; with the row bounds it caps what is read.
constexpr std::size_t kMaxBytesPerCell = 256;
constexpr GridColor kInsufficientColor = 255;  // red
const std::string kNoText;

// The summary grid's columns in twips, as the saved race is shown.
constexpr std::array<int, kSummaryCols> kSummaryColWidths{500, 1000, 750, 500, 950, 700, 700,
                                                          700, 700,  700, 700, 600, 500};

// One cell per line. The last line's CR LF closes it and starts nothing.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view trimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// What is wrong with a file the race director chose to open, naming the file.
class FileProblem {
  public:
    FileProblem(std::string name, std::string noun)
        : name_(std::move(name)), noun_(std::move(noun)) {}
    const std::string& noun() const { return noun_; }
    [[noreturn]] void raise(const std::string& what) const {
        throw QelError(name_ + " is not a " + noun_ + ": " + what);
    }

  private:
    std::string name_;
    std::string noun_;
};

constexpr const char* kSummaryNoun = "summary file";
constexpr const char* kLapNoun = "lap file";

// The whole file, when it is no larger than such a file can be.
std::string readBounded(const std::filesystem::path& path, std::size_t cells,
                        const FileProblem& problem) {
    const std::size_t maxBytes = (cells + 2) * (kMaxBytesPerCell + kLineEnd.size());
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > maxBytes) {
        problem.raise("at " + std::to_string(size) + " bytes it is larger than any " +
                      problem.noun() + " can be.");
    }
    return readTextFile(path, maxBytes);
}

// The lane count of line 1, as a whole number of lanes a track can have.
int laneCountOf(const std::vector<std::string_view>& lines, const FileProblem& problem) {
    if (lines.empty()) problem.raise("the file is empty.");
    const std::string_view text = trimmedBlanks(lines[0]);
    int lanes = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), lanes);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        problem.raise("line 1 does not hold a lane count.");
    }
    if (lanes < kFewestLanes || lanes > kMaxLanes) {
        problem.raise("line 1 holds " + std::string(text) + " lanes; a track has " +
                      std::to_string(kFewestLanes) + " to " + std::to_string(kMaxLanes) + ".");
    }
    if (lines.size() < 2) problem.raise("the file ends before its title line.");
    return lanes;
}

// Rows of cellsPerRow cells from line 3 on, at most maxRows of them.
GridFileContents readRows(const std::vector<std::string_view>& lines, int laneCount,
                          std::size_t cellsPerRow, std::size_t maxRows,
                          const FileProblem& problem) {
    GridFileContents contents;
    contents.laneCount = laneCount;
    contents.titleLine = std::string(lines[1]);
    const std::size_t cells = lines.size() - 2;
    const std::size_t rows = std::min(cells / cellsPerRow, maxRows);
    if (rows < maxRows && cells % cellsPerRow != 0) {
        problem.raise("the file ends inside row " + std::to_string(rows) + " (" +
                      std::to_string(cells % cellsPerRow) + " of " + std::to_string(cellsPerRow) +
                      " cells).");
    }
    contents.rows.reserve(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        const auto first = lines.begin() + 2 + static_cast<std::ptrdiff_t>(row * cellsPerRow);
        contents.rows.emplace_back(first, first + static_cast<std::ptrdiff_t>(cellsPerRow));
    }
    return contents;
}

// The file's cell, or nothing where the file has none.
const std::string& fileCell(const GridFileContents& file, int row, int col) {
    if (row >= static_cast<int>(file.rows.size())) return kNoText;
    const auto& cells = file.rows[static_cast<std::size_t>(row)];
    return col < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(col)] : kNoText;
}

// Cells of a read file carry no colours: none of an earlier fill stays under them.
void putFileCell(GridModel& grid, int row, int col, const std::string& text, int alignment) {
    grid.setTextMatrix(row, col, text);
    grid.setCellAlignment(row, col, alignment);
    grid.setCellBackColor(row, col, 0);
    grid.setCellForeColor(row, col, 0);
}

}  // namespace

std::string gridFileText(const GridModel& grid, int laneCount, int columns,
                         const std::string& titleLine) {
    std::string text = printedInteger(laneCount);
    text += kLineEnd;
    text += titleLine;
    text += kLineEnd;
    for (int row = 0; row < grid.rows(); ++row) {
        for (int col = 0; col < columns; ++col) {
            text += grid.textMatrix(row, col);
            text += kLineEnd;
        }
    }
    return text;
}

GridFileContents parseSummaryFile(std::string_view text, const std::string& name) {
    const FileProblem problem(name, kSummaryNoun);
    const auto lines = splitLines(text);
    const int lanes = laneCountOf(lines, problem);
    // Rows past the lanes' are empty in the file and not read.
    const auto rows = static_cast<std::size_t>(lanes + 2);
    return readRows(lines, lanes, kSummaryCols, rows, problem);
}

GridFileContents parseLapFile(std::string_view text, const std::string& name) {
    const FileProblem problem(name, kLapNoun);
    const auto lines = splitLines(text);
    const int lanes = laneCountOf(lines, problem);
    const auto cellsPerRow = static_cast<std::size_t>(lanes + 1);
    if (lines.size() - 2 > kMaxLapFileRows * cellsPerRow) {
        problem.raise("it holds more than the " + std::to_string(kMaxLapFileRows) +
                      " rows of a lap grid.");
    }
    return readRows(lines, lanes, cellsPerRow, kMaxLapFileRows, problem);
}

GridFileContents readSummaryFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::size_t cells = static_cast<std::size_t>(kSummaryRows) * kSummaryCols;
    return parseSummaryFile(readBounded(path, cells, FileProblem(name, kSummaryNoun)), name);
}

GridFileContents readLapFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::size_t cells = static_cast<std::size_t>(kMaxLapFileRows) * (kMaxLanes + 1);
    return parseLapFile(readBounded(path, cells, FileProblem(name, kLapNoun)), name);
}

void showSummaryFile(GridModel& grid, const GridFileContents& file) {
    const GridRedrawPause pause(grid);
    for (int row = 0; row < grid.rows(); ++row) {
        for (int col = 0; col < kSummaryCols; ++col) {
            // The file's rows, and below them nothing left of the race shown before.
            const std::string& text = fileCell(file, row, col);
            putFileCell(grid, row, col, text, grid_align::kCenterCenter);
            if (text == "Data" || text == "Insufficent") {
                grid.setCellForeColor(row, col, kInsufficientColor);
            }
        }
    }
    for (int col = 0; col < kSummaryCols; ++col) {
        grid.setColWidth(col, kSummaryColWidths[col]);
    }
}

void showLapFile(GridModel& grid, const GridFileContents& file) {
    const GridRedrawPause pause(grid);
    const int rows = static_cast<int>(file.rows.size());
    const int cols = std::clamp(file.laneCount, 0, kMaxLanes) + 1;
    grid.setCols(cols);
    grid.setRows(std::max(rows, kLapGridMinRows));
    for (int row = 0; row < grid.rows(); ++row) {
        const int alignment = row < 2 ? grid_align::kLeftCenter : grid_align::kCenterCenter;
        for (int col = 0; col < cols; ++col) {
            // The file's rows, and below them nothing left of the race shown before.
            putFileCell(grid, row, col, fileCell(file, row, col), alignment);
        }
    }
}

}  // namespace qel
