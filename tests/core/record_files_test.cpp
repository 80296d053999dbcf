#include "core/records/record_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/io/text_file.h"
#include "core/records/lap_grid.h"
#include "core/records/summary_grid.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

std::vector<std::vector<std::string>> cellsOf(const GridModel& grid, int rows, int cols) {
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col)
            cells[row].push_back(grid.textMatrix(row, col));
    }
    return cells;
}

std::size_t lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}

class RecordFilesTest : public ::testing::Test {
  protected:
    // A lap grid as a four-lane race leaves it, with the cells a plain
    // comma-split reader would break: a racer "Smith, J", blanks around a name.
    GridModel raceLapGrid() const {
        GridModel grid = makeLapGrid();
        grid.setCols(5);
        grid.setRows(kLapGridMinRows);
        const std::vector<std::vector<std::string>> cells{
            {"", "Red", "Blue", "Green", "Yellow"},
            {"Lap", "Smith, J", "Zoë", " Ann ", "Disabled"},
            {"RT", "1.500", "1.750", "2.000", ""},
            {"1", "4.200", "4.300", "", ""},
        };
        for (int row = 0; row < static_cast<int>(cells.size()); ++row) {
            for (int col = 0; col < 5; ++col)
                grid.setTextMatrix(row, col, cells[row][col]);
        }
        return grid;
    }

    fs::path saved(const std::string& name, const std::string& text) const {
        const fs::path path = temp.path() / name;
        writeTextFileAtomic(path, text);
        return path;
    }

    test::TempFolder temp;
};

TEST_F(RecordFilesTest, ALapFileReadsBackCellForCell) {
    const GridModel grid = raceLapGrid();
    const std::string text = gridFileText(grid, 4, 5, "Club night");
    EXPECT_EQ(text.substr(0, 17), " 4 \r\nClub night\r\n");
    EXPECT_EQ(lineCount(text), 2u + kLapGridMinRows * 5);
    EXPECT_TRUE(text.ends_with("\r\n"));

    const GridFileContents file = readLapFile(saved("Laps 1.lap", text));
    EXPECT_EQ(file.laneCount, 4);
    EXPECT_EQ(file.titleLine, "Club night");
    EXPECT_EQ(file.rows, cellsOf(grid, kLapGridMinRows, 5));

    // Shown in a grid that held a longer, coloured race: only the file remains.
    GridModel shown = makeLapGrid();
    shown.setCols(9);
    for (int row = 0; row < 40; ++row) {
        for (int col = 0; col < 9; ++col) {
            shown.setTextMatrix(row, col, "old");
            shown.setCellBackColor(row, col, rgbColor(255, 0, 0));
        }
    }
    showLapFile(shown, file);
    EXPECT_EQ(shown.cols(), 5);
    EXPECT_EQ(shown.rows(), kLapGridMinRows);
    EXPECT_EQ(cellsOf(shown, kLapGridMinRows, 5), file.rows);
    EXPECT_EQ(shown.cellAlignment(1, 1), grid_align::kLeftCenter);
    EXPECT_EQ(shown.cellAlignment(2, 1), grid_align::kCenterCenter);
    EXPECT_EQ(shown.cellBackColor(0, 1), 0u);
}

TEST_F(RecordFilesTest, ALapFileGrowsTheGridToEveryLapTheStoreHolds) {
    GridModel grid = makeLapGrid();
    grid.setCols(3);
    grid.setRows(kMaxLap + 3);  // two header rows, laps 0..3000
    grid.setTextMatrix(kMaxLap + 2, 0, "3000");
    const std::string text = gridFileText(grid, 2, 3, "");

    GridModel shown = makeLapGrid();
    showLapFile(shown, readLapFile(saved("Long.lap", text)));
    EXPECT_EQ(shown.rows(), kMaxLap + 3);
    EXPECT_EQ(shown.textMatrix(kMaxLap + 2, 0), "3000");
}

TEST_F(RecordFilesTest, ASummaryFileHoldsTenRowsAndReadsTheLanesRows) {
    GridModel grid(kSummaryRows, kSummaryCols, 2, 0);
    grid.setTextMatrix(1, 0, "Pos ");
    grid.setTextMatrix(2, 1, "Smith, J");
    grid.setTextMatrix(5, 4, "Insufficent");
    grid.setTextMatrix(5, 5, "Data");
    const std::string text = gridFileText(grid, 4, kSummaryCols, "");
    EXPECT_EQ(lineCount(text), 132u);

    const GridFileContents file = readSummaryFile(saved("Summary 1.sum", text));
    EXPECT_EQ(file.laneCount, 4);
    EXPECT_EQ(file.rows, cellsOf(grid, 6, kSummaryCols));  // rows past the lanes' are not read

    GridModel shown(kSummaryRows, kSummaryCols, 2, 0);
    shown.setTextMatrix(8, 1, "an earlier race");
    shown.setCellForeColor(2, 1, 255);
    showSummaryFile(shown, file);
    EXPECT_EQ(cellsOf(shown, kSummaryRows, kSummaryCols),
              cellsOf(grid, kSummaryRows, kSummaryCols));
    EXPECT_EQ(shown.cellForeColor(5, 4), 255u);
    EXPECT_EQ(shown.cellForeColor(5, 5), 255u);
    EXPECT_EQ(shown.cellForeColor(2, 1), 0u);
    EXPECT_EQ(shown.cellAlignment(0, 0), grid_align::kCenterCenter);
    const std::vector<int> widths{500, 1000, 750, 500, 950, 700, 700, 700, 700, 700, 700, 600, 500};
    for (int col = 0; col < kSummaryCols; ++col)
        EXPECT_EQ(shown.colWidth(col), widths[col]) << col;
}

TEST_F(RecordFilesTest, DamagedOrForeignFilesSayWhatIsWrong) {
    const auto cells = [](int count) {
        std::string lines;
        for (int cell = 0; cell < count; ++cell)
            lines += "x\r\n";
        return lines;
    };
    struct Case {
        std::string name;
        std::string bytes;
        std::string message;
    };
    const std::vector<Case> cases{
        {"Laps 1.lap", "four\r\n\r\n",
         "Laps 1.lap is not a lap file: line 1 does not hold a lane count."},
        {"Laps 1.lap", "", "Laps 1.lap is not a lap file: the file is empty."},
        {"Laps 1.lap", " 9 \r\n\r\n",
         "Laps 1.lap is not a lap file: line 1 holds 9 lanes; a track has 2 to 8."},
        {"Laps 1.lap", " 2 \r\n",
         "Laps 1.lap is not a lap file: the file ends before its title line."},
        {"Laps 1.lap", " 2 \r\n\r\n\r\nRed\r\nBlue\r\nLap\r\n",
         "Laps 1.lap is not a lap file: the file ends inside row 1 (1 of 3 cells)."},
        {"Laps 1.lap", std::string(8'000'000, 'x'),
         "Laps 1.lap is not a lap file: at 8000000 bytes it is larger than any lap file can be."},
        {"Laps 1.lap", " 2 \r\n\r\n" + cells((kMaxLap + 4) * 3),
         "Laps 1.lap is not a lap file: it holds more than the 3003 rows of a lap grid."},
        {"Summary.sum", " 2 \r\n\r\n" + cells(kSummaryCols + 1),
         "Summary.sum is not a summary file: the file ends inside row 1 (1 of 13 cells)."},
        {"Summary.sum", std::string(40'000, 'x'),
         "Summary.sum is not a summary file: at 40000 bytes it is larger than any summary file "
         "can be."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const fs::path path = temp.write(c.name, c.bytes);
        const bool lap = c.name.ends_with(".lap");
        EXPECT_EQ(test::errorOf([&] { lap ? readLapFile(path) : readSummaryFile(path); }),
                  c.message);
    }
}

}  // namespace
}  // namespace qel
