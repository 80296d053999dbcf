#include "core/grid/grid_model.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/grid/grid_alignment.h"
#include "core/grid/grid_color.h"
#include "core/grid/numeric_text.h"

namespace qel {
namespace {

constexpr GridColor kRed = rgbColor(255, 0, 0);
constexpr GridColor kYellow = rgbColor(255, 255, 192);

TEST(NumericText, ReadsFiguresTheWayTheGridsWriteThem) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const std::vector<Case> cases = {
        {"12", 12.0},          {" 12 ", 12.0},        {"-3.5", -3.5},
        {"+.5", 0.5},          {"5.", 5.0},           {"1e3", 1000.0},
        {"1.5E-2", 0.015},     {"007.250", 7.25},     {"", std::nullopt},
        {" ", std::nullopt},   {".", std::nullopt},   {"1.2.3", std::nullopt},
        {"1e", std::nullopt},  {"--1", std::nullopt}, {"0x10", std::nullopt},
        {"inf", std::nullopt}, {"nan", std::nullopt}, {"12a", std::nullopt},
        {"RT", std::nullopt},  {"1 2", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = numericValue(c.text);
        ASSERT_EQ(value.has_value(), c.value.has_value());
        if (value) {
            EXPECT_DOUBLE_EQ(*value, *c.value);
        }
    }
    // Out of a double's range is still a number, not a word.
    EXPECT_TRUE(std::isinf(*numericValue("1e999")));
    EXPECT_EQ(*numericValue("-1e-999"), 0.0);
}

TEST(GridAlignment, GeneralPutsFiguresRightAndWordsLeft) {
    using H = HorizontalPlace;
    using V = VerticalPlace;
    EXPECT_EQ(placeText(grid_align::kGeneral, "12.5"), (TextPlacement{H::Right, V::Center}));
    EXPECT_EQ(placeText(grid_align::kGeneral, "Joe Racer"), (TextPlacement{H::Left, V::Center}));
    EXPECT_EQ(placeText(grid_align::kCenterCenter, "x"), (TextPlacement{H::Center, V::Center}));
    EXPECT_EQ(placeText(grid_align::kRightBottom, "x"), (TextPlacement{H::Right, V::Bottom}));
    EXPECT_EQ(placeText(42, "x"), (TextPlacement{H::Left, V::Top}));
}

TEST(GridColor, DesktopColoursResolveToRgbAndRgbStaysAsIs) {
    EXPECT_EQ(resolveGridColor(systemColor(kSysColorWindow)), rgbColor(255, 255, 255));
    EXPECT_EQ(resolveGridColor(systemColor(kSysColorWindowText)), rgbColor(0, 0, 0));
    EXPECT_EQ(resolveGridColor(kYellow), kYellow);
    EXPECT_EQ(redOf(kYellow), 255);
    EXPECT_EQ(blueOf(kYellow), 192);
}

TEST(GridModel, CellFormattingSurvivesTextRefills) {
    GridModel grid(12, 5, 2, 1);
    grid.setCellBackColor(0, 1, kYellow);
    grid.setCellForeColor(3, 4, kRed);
    grid.setCellAlignment(3, 4, grid_align::kCenterCenter);
    grid.setCellFontBold(3, 4, true);
    for (int pass = 0; pass < 3; ++pass) {
        for (int r = 0; r < grid.rows(); ++r) {
            for (int c = 0; c < grid.cols(); ++c) {
                grid.setTextMatrix(r, c, std::to_string(pass * 100 + r * 10 + c));
            }
        }
    }
    EXPECT_EQ(grid.textMatrix(3, 4), "234");
    EXPECT_EQ(grid.cellBackColor(0, 1), kYellow);
    EXPECT_EQ(grid.cellForeColor(3, 4), kRed);
    EXPECT_EQ(grid.cellAlignment(3, 4), grid_align::kCenterCenter);
    EXPECT_TRUE(grid.cellFont(3, 4).bold);
    // Neighbours were never painted and stay plain.
    EXPECT_EQ(grid.cellBackColor(0, 2), 0u);
    EXPECT_EQ(grid.cellForeColor(3, 3), 0u);
    EXPECT_FALSE(grid.cellFont(3, 3).bold);
}

TEST(GridModel, CurrentCellFormsActOnTheCurrentCell) {
    GridModel grid(4, 4, 1, 1);
    grid.setRow(2);
    grid.setCol(3);
    grid.setText("Print Grid");
    grid.setCellBackColor(kYellow);
    grid.setCellAlignment(grid_align::kRightCenter);
    EXPECT_EQ(grid.textMatrix(2, 3), "Print Grid");
    EXPECT_EQ(grid.text(), "Print Grid");
    EXPECT_EQ(grid.cellBackColor(2, 3), kYellow);
    EXPECT_EQ(grid.cellBackColor(), kYellow);
    EXPECT_EQ(grid.effectiveAlignment(2, 3), grid_align::kRightCenter);
    // A cell without its own alignment follows its column.
    grid.setColAlignment(1, grid_align::kLeftCenter);
    EXPECT_EQ(grid.effectiveAlignment(2, 1), grid_align::kLeftCenter);
}

TEST(GridModel, CellFontFillsInFromTheGridFont) {
    GridModel grid(3, 3, 1, 0);
    grid.setFont({"Courier New", 10.0f});
    grid.setCellFontItalic(1, 1, true);
    grid.setCellFontSize(1, 1, 14.0f);
    grid.setCellFontName(2, 2, "Arial");
    grid.setCellFontSize(2, 2, -3.0f);  // no size at all: the grid's
    const GridFont a = grid.cellFont(1, 1);
    EXPECT_EQ(a.name, "Courier New");
    EXPECT_FLOAT_EQ(a.size, 14.0f);
    EXPECT_TRUE(a.italic);
    EXPECT_FALSE(a.bold);
    const GridFont b = grid.cellFont(2, 2);
    EXPECT_EQ(b.name, "Arial");
    EXPECT_FLOAT_EQ(b.size, 10.0f);
}

TEST(GridModel, ResizingKeepsCellsThatRemainAndDropsTheRest) {
    GridModel grid(4, 4, 1, 1);
    grid.setTextMatrix(1, 1, "keep");
    grid.setCellBackColor(1, 1, kRed);
    grid.setTextMatrix(3, 3, "corner");
    grid.setCellBackColor(3, 3, kRed);
    grid.setColWidth(1, 510);

    grid.setCols(9);
    grid.setRows(3002);
    EXPECT_EQ(grid.textMatrix(1, 1), "keep");
    EXPECT_EQ(grid.cellBackColor(1, 1), kRed);
    EXPECT_EQ(grid.textMatrix(3, 3), "corner");
    EXPECT_EQ(grid.colWidth(1), 510);
    EXPECT_EQ(grid.colWidth(8), GridModel::kDefaultColWidth);
    EXPECT_EQ(grid.rowHeight(3001), GridModel::kDefaultRowHeight);

    grid.setCols(3);
    grid.setRows(3);
    grid.setCols(4);
    grid.setRows(4);
    EXPECT_EQ(grid.textMatrix(1, 1), "keep");
    EXPECT_EQ(grid.textMatrix(3, 3), "");
    EXPECT_EQ(grid.cellBackColor(3, 3), 0u);
}

TEST(GridModel, OutsideCellsReadEmptyAndIgnoreWrites) {
    GridModel grid(3, 3, 1, 1);
    grid.setTextMatrix(3, 0, "x");
    grid.setTextMatrix(-1, 0, "x");
    grid.setCellBackColor(0, 7, kRed);
    grid.setColWidth(-2, 100);
    EXPECT_EQ(grid.textMatrix(3, 0), "");
    EXPECT_EQ(grid.textMatrix(0, -1), "");
    EXPECT_EQ(grid.cellBackColor(0, 7), 0u);
    grid.setRows(-5);  // damaged input: an empty grid, not a crash
    EXPECT_EQ(grid.rows(), 0);
    EXPECT_EQ(grid.fixedRows(), 0);
    EXPECT_EQ(grid.textMatrix(0, 0), "");
}

TEST(GridModel, FixedCountsStayWithinTheGrid) {
    GridModel grid(10, 13, 2, 0);
    EXPECT_EQ(grid.fixedRows(), 2);
    EXPECT_EQ(grid.fixedCols(), 0);
    grid.setFixedRows(20);
    EXPECT_EQ(grid.fixedRows(), 10);
    grid.setFixedRows(2);
    grid.setRows(1);
    EXPECT_EQ(grid.fixedRows(), 1);
    grid.setFixedCols(1);
    EXPECT_EQ(grid.fixedCols(), 1);
}

TEST(GridModel, TopRowStaysBetweenFixedRowsAndLastRow) {
    GridModel grid(32, 9, 2, 1);
    grid.setTopRow(22);
    EXPECT_EQ(grid.topRow(), 22);
    grid.setTopRow(0);
    EXPECT_EQ(grid.topRow(), 2);
    grid.setTopRow(500);
    EXPECT_EQ(grid.topRow(), 31);
    grid.setRows(12);
    EXPECT_EQ(grid.topRow(), 11);
}

TEST(GridModel, ManyDistinctColoursKeepEveryCellRight) {
    // Compacting the shared formats must not mix up which cell has which colour.
    GridModel grid(20, 20, 0, 0);
    for (int pass = 0; pass < 5; ++pass) {
        for (int r = 0; r < 20; ++r) {
            for (int c = 0; c < 20; ++c) {
                grid.setCellBackColor(r, c, static_cast<GridColor>(pass * 1000 + r * 20 + c + 1));
            }
        }
    }
    for (int r = 0; r < 20; ++r) {
        for (int c = 0; c < 20; ++c) {
            ASSERT_EQ(grid.cellBackColor(r, c), static_cast<GridColor>(4000 + r * 20 + c + 1));
        }
    }
}

class GridNotifications : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.setObserver([this](GridModel::Change change) {
            (change == GridModel::Change::Contents ? contents : window) += 1;
        });
    }
    GridModel grid{3002, 9, 2, 1};
    int contents = 0;
    int window = 0;
};

TEST_F(GridNotifications, RedrawOnReportsEachChange) {
    grid.setTextMatrix(2, 1, "4.125");
    grid.setCellBackColor(0, 1, kYellow);
    EXPECT_EQ(contents, 2);
    grid.setTextMatrix(2, 1, "4.125");  // same text: nothing to redraw
    grid.setCellBackColor(0, 1, kYellow);
    EXPECT_EQ(contents, 2);
}

TEST_F(GridNotifications, RedrawOffHoldsEverythingBackUntilOnThenReportsOnce) {
    grid.setRedraw(false);
    for (int r = 2; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c)
            grid.setTextMatrix(r, c, "1.234");
    }
    grid.setCellBackColor(0, 1, kYellow);
    grid.setTopRow(20);
    grid.setRows(40);
    EXPECT_EQ(contents, 0);
    grid.setRedraw(true);
    EXPECT_EQ(contents, 1);
    EXPECT_EQ(grid.topRow(), 20);

    // Off and on again with nothing changed meanwhile: nothing to repaint.
    grid.setRedraw(false);
    grid.setRedraw(true);
    EXPECT_EQ(contents, 1);
}

TEST_F(GridNotifications, WindowChangesApplyEvenWithRedrawOff) {
    grid.setRedraw(false);
    grid.setVisible(false);
    grid.setToolTipText("Use left click to add or right click to subtract");
    grid.setWidth(9450);
    EXPECT_EQ(window, 3);
    EXPECT_EQ(contents, 0);
    grid.setObserver({});
    grid.setVisible(true);  // no observer: nobody to tell, no crash
    EXPECT_EQ(window, 3);
}

// Column 0 holds the row's identity, column 1 the sort key; row 0 is the header.
struct SortCase {
    const char* name;
    std::vector<std::string> keys;
    std::vector<std::string> expected;
};

void PrintTo(const SortCase& c, std::ostream* out) {
    *out << c.name;
}

class GridSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(GridSort, RanksRowsLargestFirst) {
    const SortCase& c = GetParam();
    const int n = static_cast<int>(c.keys.size());
    GridModel grid(n + 1, 3, 1, 0);
    grid.setTextMatrix(0, 1, "Avg");
    for (int i = 0; i < n; ++i) {
        grid.setTextMatrix(i + 1, 0, std::to_string(i));
        grid.setTextMatrix(i + 1, 1, c.keys[i]);
        grid.setTextMatrix(i + 1, 2, "racer " + std::to_string(i));
    }
    grid.sortDescending(1, n, 1);

    EXPECT_EQ(grid.textMatrix(0, 1), "Avg");
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(grid.textMatrix(i + 1, 1), c.expected[i]) << "row " << i + 1;
        // The rest of the row came along.
        const std::string id = grid.textMatrix(i + 1, 0);
        EXPECT_EQ(c.keys.at(std::stoul(id)), grid.textMatrix(i + 1, 1));
        EXPECT_EQ(grid.textMatrix(i + 1, 2), "racer " + id);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridSort,
    ::testing::Values(
        SortCase{"TenAboveNine", {"9", "10", "1", "3"}, {"10", "9", "3", "1"}},
        SortCase{"NegativeAndDecimal",
                 {"-1.5", "2.25", "-10", "0", "2.5"},
                 {"2.5", "2.25", "0", "-1.5", "-10"}},
        SortCase{"BlanksAndExponents", {" 7", "1e1", "8.5 "}, {"1e1", "8.5 ", " 7"}},
        SortCase{"Text", {"Bob", "Carl", "Al"}, {"Carl", "Bob", "Al"}},
        SortCase{"WordsAgainstNumbersCompareAsText", {"5", "abc", "10"}, {"abc", "10", "5"}},
        SortCase{"EmptyCellsLast", {"", "3", "1"}, {"3", "1", ""}},
        SortCase{"AlreadyInOrder", {"3", "2", "1"}, {"3", "2", "1"}},
        SortCase{"SingleRow", {"4"}, {"4"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridSortRange, FormattingMovesWithTheRow) {
    GridModel grid(4, 2, 1, 0);
    grid.setTextMatrix(1, 1, "1");
    grid.setTextMatrix(2, 1, "2");
    grid.setTextMatrix(3, 1, "3");
    grid.setCellBackColor(1, 0, rgbColor(0, 255, 0));
    grid.setCellForeColor(1, 1, kRed);
    grid.sortDescending(1, 3, 1);
    EXPECT_EQ(grid.textMatrix(3, 1), "1");
    EXPECT_EQ(grid.cellBackColor(3, 0), rgbColor(0, 255, 0));
    EXPECT_EQ(grid.cellForeColor(3, 1), kRed);
    EXPECT_EQ(grid.cellBackColor(1, 0), 0u);
}

TEST(GridSortRange, OnlyTheRangeMovesAndBadRangesAreHarmless) {
    const auto column = [](const GridModel& g) {
        std::string s;
        for (int r = 0; r < g.rows(); ++r)
            s += g.textMatrix(r, 0) + ",";
        return s;
    };
    GridModel grid(6, 1, 1, 0);
    const std::vector<std::string> keys = {"H", "1", "2", "3", "4", "5"};
    for (int r = 0; r < 6; ++r)
        grid.setTextMatrix(r, 0, keys[r]);

    grid.sortDescending(2, 3, 0);
    EXPECT_EQ(column(grid), "H,1,3,2,4,5,");
    grid.sortDescending(4, 100, 0);  // past the last row: cut to the grid
    EXPECT_EQ(column(grid), "H,1,3,2,5,4,");
    grid.sortDescending(3, 1, 0);  // backwards
    grid.sortDescending(1, 5, 7);  // no such column
    grid.sortDescending(-3, -1, 0);
    EXPECT_EQ(column(grid), "H,1,3,2,5,4,");
}

TEST(GridSortRange, CircularMixOfNumbersAndWordsKeepsEveryRow) {
    GridModel grid(7, 1, 0, 0);
    const std::vector<std::string> keys = {"10", "9", "1a", "10", "9", "1a", "x"};
    for (int r = 0; r < 7; ++r)
        grid.setTextMatrix(r, 0, keys[r]);
    grid.sortDescending(0, 6, 0);
    std::vector<std::string> after;
    for (int r = 0; r < 7; ++r)
        after.push_back(grid.textMatrix(r, 0));
    std::sort(after.begin(), after.end());
    std::vector<std::string> before = keys;
    std::sort(before.begin(), before.end());
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace qel
