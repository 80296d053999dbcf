// The grid printer on the bench printer (1000 × 600 pixels, 100 per inch):
// pages across then down with the header rows and columns on every page, the
// counting pass, where each alignment puts a cell's text, and the drawing
// options.
#include "core/records/print_grid.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/recording_print_surface.h"
#include "support/scripted_prompter.h"

namespace qel {
namespace {

using test::RecordingPrintSurface;

// Twips that make the bench printer's pixels round: 1440 twips are an inch,
// 100 pixels.
constexpr int kTwips200px = 2880;
constexpr int kTwips50px = 720;

// 15 rows × 13 columns, one header row and column; every cell reads "r,c".
// A page holds 4 data columns of 200 pixels right of the 200-pixel header
// column, and 7 data rows of 50 pixels below the header row at 200 + 50:
// 3 pages across, 2 down.
GridModel sixPageGrid() {
    GridModel grid(15, 13, 1, 1);
    for (int c = 0; c < grid.cols(); ++c)
        grid.setColWidth(c, kTwips200px);
    for (int r = 0; r < grid.rows(); ++r) {
        grid.setRowHeight(r, kTwips50px);
        for (int c = 0; c < grid.cols(); ++c)
            grid.setTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
    }
    return grid;
}

class PrintGridTest : public ::testing::Test {
  protected:
    // The cells printed on each page.
    std::map<int, std::set<std::string>> cellsByPage() const {
        std::map<int, std::set<std::string>> pages;
        for (const auto& t : surface.texts())
            pages[t.page].insert(t.text);
        return pages;
    }

    static std::set<std::string> cells(int firstRow, int lastRow, int firstCol, int lastCol) {
        std::set<std::string> out{"0,0"};
        for (int c = firstCol; c <= lastCol; ++c)
            out.insert("0," + std::to_string(c));
        for (int r = firstRow; r <= lastRow; ++r) {
            out.insert(std::to_string(r) + ",0");
            for (int c = firstCol; c <= lastCol; ++c)
                out.insert(std::to_string(r) + "," + std::to_string(c));
        }
        return out;
    }

    RecordingPrintSurface surface{1000, 600};
    test::ScriptedPrompter prompter;
    PrintGrid printer{prompter};
    std::vector<int> newPages;
};

TEST_F(PrintGridTest, PagesRunAcrossThenDownWithTheHeadersOnEveryPage) {
    const GridModel grid = sixPageGrid();
    printer.setSource(grid);
    printer.setDestinationPrinter(surface, 100);
    printer.setNewPage([&](int page) { newPages.push_back(page); });
    EXPECT_EQ(printer.Print(), 6);

    const auto pages = cellsByPage();
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_EQ(pages.at(1), cells(1, 7, 1, 4));
    EXPECT_EQ(pages.at(2), cells(1, 7, 5, 8));
    EXPECT_EQ(pages.at(3), cells(1, 7, 9, 12));
    EXPECT_EQ(pages.at(4), cells(8, 14, 1, 4));
    EXPECT_EQ(pages.at(5), cells(8, 14, 5, 8));
    EXPECT_EQ(pages.at(6), cells(8, 14, 9, 12));
    EXPECT_EQ(newPages, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(surface.jobsBegun(), 1);
    EXPECT_EQ(surface.jobsEnded(), 1);
    EXPECT_TRUE(prompter.messages().empty());

    // The header row at the top (200), the first data row under it, the
    // data columns right of the header column; the text 3 pixels inside.
    std::map<std::string, PrintRect> page4;
    for (const auto& t : surface.texts()) {
        if (t.page == 4) page4[t.text] = t.rect;
    }
    EXPECT_EQ(page4["0,1"].y, 203);
    EXPECT_EQ(page4["8,1"].y, 253);
    EXPECT_EQ(page4["8,0"].x, 3);
    EXPECT_EQ(page4["8,1"].x, 203);
}

TEST_F(PrintGridTest, NumberOfPagesCountsAndDrawsNothing) {
    const GridModel grid = sixPageGrid();
    printer.setSource(grid);
    printer.setDestinationPrinter(surface, 100);
    printer.setNewPage([&](int page) { newPages.push_back(page); });
    EXPECT_EQ(printer.NumberOfPages(), 6);
    EXPECT_TRUE(surface.texts().empty());
    EXPECT_TRUE(surface.rects().empty());
    EXPECT_EQ(surface.jobsBegun(), 0);
    EXPECT_TRUE(newPages.empty());
}

TEST_F(PrintGridTest, NothingHappensWithoutASourceOrADestination) {
    const GridModel grid = sixPageGrid();
    EXPECT_EQ(printer.Print(), 0);
    printer.setSource(grid);
    EXPECT_EQ(printer.Print(), 0);
    printer.setDestinationPreview(surface);
    printer.clearDestination();
    EXPECT_EQ(printer.Print(), 0);
    EXPECT_EQ(surface.jobsBegun(), 0);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(PrintGridTest, AColumnWiderThanThePageGetsAPageOfItsOwn) {
    GridModel grid(3, 3, 1, 0);
    grid.setColWidth(0, 2 * 1440);
    grid.setColWidth(1, 20 * 1440);  // 2000 pixels on a 1000-pixel page
    grid.setColWidth(2, 2 * 1440);
    grid.setTextMatrix(1, 1, "wide");
    printer.setSource(grid);
    printer.setDestinationPreview(surface);
    EXPECT_EQ(printer.Print(), 3);
}

TEST_F(PrintGridTest, EachAlignmentPlacesTheTextInItsCell) {
    struct Case {
        int alignment;
        const char* text;
        PrintAlign align;
        PrintVAlign valign;
    };
    const std::vector<Case> cases{
        {1, "x", PrintAlign::Left, PrintVAlign::Middle},
        {2, "x", PrintAlign::Left, PrintVAlign::Bottom},
        {3, "x", PrintAlign::Center, PrintVAlign::Top},
        {4, "x", PrintAlign::Center, PrintVAlign::Middle},
        {5, "x", PrintAlign::Center, PrintVAlign::Bottom},
        {6, "x", PrintAlign::Right, PrintVAlign::Top},
        {7, "x", PrintAlign::Right, PrintVAlign::Middle},
        {8, "x", PrintAlign::Right, PrintVAlign::Bottom},
        {9, "12.5", PrintAlign::Right, PrintVAlign::Middle},
        {9, "Jo Smith", PrintAlign::Left, PrintVAlign::Middle},
        {9, "3/5/2026", PrintAlign::Right, PrintVAlign::Middle},
        {9, "20:15", PrintAlign::Right, PrintVAlign::Middle},
        {9, "1:15.042", PrintAlign::Left, PrintVAlign::Middle},
        {12, "x", PrintAlign::Left, PrintVAlign::Top},
    };
    GridModel grid(static_cast<int>(cases.size()), 2, 0, 0);
    for (int r = 0; r < grid.rows(); ++r) {
        grid.setTextMatrix(r, 0, cases[r].text);
        grid.setCellAlignment(r, 0, cases[r].alignment);
    }
    // A cell without an alignment of its own takes its column's.
    grid.setColAlignment(1, 7);
    grid.setTextMatrix(0, 1, "col");
    printer.setSource(grid);
    printer.setDestinationPrinter(surface, 100);
    printer.setMarginTop(1);
    ASSERT_EQ(printer.Print(), 1);

    ASSERT_EQ(surface.texts().size(), cases.size() + 1);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& printed = surface.texts()[i];
        EXPECT_EQ(printed.text, cases[i].text);
        EXPECT_EQ(printed.align, cases[i].align) << cases[i].alignment << " " << cases[i].text;
        EXPECT_EQ(printed.valign, cases[i].valign) << cases[i].alignment << " " << cases[i].text;
    }
    EXPECT_EQ(surface.texts().back().text, "col");
    EXPECT_EQ(surface.texts().back().align, PrintAlign::Right);
}

TEST_F(PrintGridTest, BackColoursBordersAndTextColoursAsAsked) {
    GridModel grid(2, 2, 1, 1);
    grid.setGridLineWidth(2);
    grid.setTextMatrix(1, 1, "Jo");
    grid.setCellBackColor(1, 1, rgbColor(255, 0, 0));
    grid.setCellForeColor(1, 1, rgbColor(0, 0, 255));
    printer.setSource(grid);
    // A printer of 200 dots per inch for a screen of 100: lines twice as thick.
    printer.setDestinationPrinter(surface, 50);

    printer.Print();
    EXPECT_TRUE(surface.rects().empty()) << "no back colour, no borders unless asked";
    ASSERT_EQ(surface.texts().size(), 1u);
    EXPECT_EQ(surface.texts()[0].rgb, 0) << "black text unless the cells' colours are asked";

    printer.setPrintBackColor(true);
    printer.Print();
    std::vector<RecordingPrintSurface::Rect> fills;
    for (const auto& r : surface.rects())
        if (r.filled) fills.push_back(r);
    ASSERT_EQ(fills.size(), 4u) << "a back colour without borders still shows";
    EXPECT_EQ(fills[0].rgb, static_cast<int32_t>(rgbColor(255, 0, 0)));
    // The header cells' desktop button colour, as the light desktop has it.
    EXPECT_EQ(fills[1].rgb, static_cast<int32_t>(rgbColor(240, 240, 240)));

    printer.setPrintGridLines(true);
    printer.setPrintForeColor(true);
    const std::size_t before = surface.rects().size();
    printer.Print();
    int outlines = 0;
    for (std::size_t i = before; i < surface.rects().size(); ++i) {
        const auto& r = surface.rects()[i];
        if (r.filled) continue;
        ++outlines;
        EXPECT_EQ(r.lineWidth, 4);
    }
    EXPECT_EQ(outlines, 4);
    EXPECT_EQ(surface.texts().back().rgb, static_cast<int32_t>(rgbColor(0, 0, 255)));
}

TEST_F(PrintGridTest, APrinterThatFailsIsReportedInOneMessage) {
    const GridModel grid = sixPageGrid();
    printer.setSource(grid);
    printer.setDestinationPrinter(surface, 100);
    surface.failBegin("out of paper");
    EXPECT_EQ(printer.Print(), 0);
    surface.failBegin("");
    surface.failEnd("jammed");
    EXPECT_EQ(printer.Print(), 0);
    EXPECT_EQ(prompter.messageTexts(), (std::vector<std::string>{kPrintProblem, kPrintProblem}));
}

}  // namespace
}  // namespace qel
