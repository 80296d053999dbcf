#include "core/records/print_grid.h"

#include <cmath>
#include <exception>
#include <optional>
#include <vector>

#include "core/grid/grid_alignment.h"
#include "core/io/errors.h"

namespace qel {

// Everything a page is laid out by, in the destination's pixels.
struct PrintGrid::Geometry {
    int top = 0;
    int dataTop = 0;
    int dataLeft = 0;
    int rightLimit = 0;
    int bottomLimit = 0;
    int lineWidth = 0;
    int insetX = 0;
    int insetY = 0;
    std::vector<int> colWidths;
    std::vector<int> rowHeights;
};

namespace {

int toPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

PrintAlign horizontalOf(HorizontalPlace place) {
    switch (place) {
        case HorizontalPlace::Center:
            return PrintAlign::Center;
        case HorizontalPlace::Right:
            return PrintAlign::Right;
        case HorizontalPlace::Left:
            break;
    }
    return PrintAlign::Left;
}

PrintVAlign verticalOf(VerticalPlace place) {
    switch (place) {
        case VerticalPlace::Center:
            return PrintVAlign::Middle;
        case VerticalPlace::Bottom:
            return PrintVAlign::Bottom;
        case VerticalPlace::Top:
            break;
    }
    return PrintVAlign::Top;
}

int32_t rgbOf(GridColor color) {
    return static_cast<int32_t>(resolveGridColor(color));
}

}  // namespace

void PrintGrid::setDestinationPrinter(PrintSurface& printer, double screenDotsPerInch) {
    destination_ = &printer;
    toPrinter_ = true;
    const double printerDpi = printer.pageFor(orientation_ == kLandscape).dotsPerInch;
    xFactor_ = screenDotsPerInch > 0 ? printerDpi / screenDotsPerInch : 1.0;
    yFactor_ = xFactor_;
}

void PrintGrid::setDestinationPreview(PrintSurface& preview) {
    destination_ = &preview;
    toPrinter_ = false;
    xFactor_ = 1.0;
    yFactor_ = 1.0;
}

int PrintGrid::Print() {
    return run(false);
}

int PrintGrid::NumberOfPages() {
    return run(true);
}

int PrintGrid::run(bool countOnly) {
    if (!source_ || !destination_) return 0;
    countOnly_ = countOnly;
    pageCount_ = 0;
    const GridModel& grid = *source_;
    PrintSurface& out = *destination_;
    try {
        const bool landscape = orientation_ == kLandscape;
        const PrintPage page = out.pageFor(landscape);
        if (!countOnly) {
            if (!out.begin({landscape, jobName_})) {
                const std::string why = out.lastError();
                throw QelError(why.empty() ? "The printer could not be started." : why);
            }
        }

        Geometry g;
        g.colWidths.resize(static_cast<std::size_t>(grid.cols()));
        g.rowHeights.resize(static_cast<std::size_t>(grid.rows()));
        for (int c = 0; c < grid.cols(); ++c)
            g.colWidths[c] = toPixels(grid.colWidth(c), page.dotsPerInch);
        for (int r = 0; r < grid.rows(); ++r)
            g.rowHeights[r] = toPixels(grid.rowHeight(r), page.dotsPerInch);
        g.top = marginTop_ != 0 ? marginTop_ : kDefaultTop;
        g.dataTop = g.top;
        for (int r = 0; r < grid.fixedRows(); ++r)
            g.dataTop += g.rowHeights[r];
        g.dataLeft = marginLeft_;
        for (int c = 0; c < grid.fixedCols(); ++c)
            g.dataLeft += g.colWidths[c];
        g.lineWidth = static_cast<int>(std::lround(grid.gridLineWidth() * xFactor_));
        g.insetX = static_cast<int>(std::lround(3 * xFactor_));
        g.insetY = static_cast<int>(std::lround(3 * yFactor_));
        g.rightLimit = page.width - marginRight_;
        g.bottomLimit = page.height - marginBottom_;

        pageCount_ = 1;
        if (!countOnly && newPage_) newPage_(1);
        if (grid.rows() > 0 && grid.cols() > 0)
            printRange(g, {0, grid.rows() - 1}, {0, grid.cols() - 1}, false);

        if (!countOnly && !out.end()) {
            const std::string why = out.lastError();
            throw QelError(why.empty() ? "The printer could not finish the job." : why);
        }
    } catch (const std::exception&) {
        if (!countOnly && out.isActive()) out.end();
        prompter_.message(kPrintProblem, "", MessageIcon::None, MessageButtons::Ok);
        countOnly_ = false;
        return 0;
    }
    countOnly_ = false;
    return pageCount_;
}

void PrintGrid::startPage() {
    ++pageCount_;
    if (countOnly_) return;
    // The page is turned first, so whatever the page's handler adds lands on it.
    destination_->newPage();
    if (newPage_) newPage_(pageCount_);
}

void PrintGrid::printRange(const Geometry& g, Span rows, Span cols, bool continuation) {
    const GridModel& grid = *source_;
    // The columns and rows that fit this page. A column or row too large for
    // an empty page goes on a page of its own, cut at the edge, rather than
    // being pushed on to the next page for ever.
    std::optional<int> colBreak;
    int colEnd = cols.last + 1;
    int x = g.dataLeft;
    bool anyCol = false;
    for (int c = cols.first; c <= cols.last; ++c) {
        if (c < grid.fixedCols()) continue;
        const int w = g.colWidths[c];
        if (x + w > g.rightLimit && anyCol) {
            colBreak = c;
            colEnd = c;
            break;
        }
        anyCol = true;
        x += w;
    }

    std::optional<int> rowBreak;
    int rowEnd = rows.last + 1;
    if (anyCol) {
        int y = g.dataTop;
        bool anyRow = false;
        for (int r = rows.first; r <= rows.last; ++r) {
            if (r < grid.fixedRows()) continue;
            const int h = g.rowHeights[r];
            if (y + h > g.bottomLimit && anyRow) {
                if (!continuation) rowBreak = r;
                rowEnd = r;
                break;
            }
            anyRow = true;
            y += h;
        }
    }

    if (!countOnly_) {
        int cx = g.dataLeft;
        for (int c = cols.first; c < colEnd; ++c) {
            if (c < grid.fixedCols()) continue;
            int cy = g.dataTop;
            for (int r = rows.first; r < rowEnd; ++r) {
                if (r < grid.fixedRows()) continue;
                printCell(g, r, c, cx, cy, g.colWidths[c], g.rowHeights[r]);
                cy += g.rowHeights[r];
            }
            cx += g.colWidths[c];
        }
        printFixedCells(g, {rows.first, rowEnd - 1}, {cols.first, colEnd - 1});
    }

    // Across first: the same rows with the further columns, then down.
    if (colBreak) {
        startPage();
        printRange(g, rows, {*colBreak, cols.last}, true);
    }
    if (rowBreak) {
        startPage();
        printRange(g, {*rowBreak, rows.last}, cols, false);
    }
}

void PrintGrid::printFixedCells(const Geometry& g, Span rows, Span cols) {
    const GridModel& grid = *source_;
    int x = marginLeft_;
    for (int c = 0; c < grid.fixedCols(); ++c) {
        const int w = g.colWidths[c];
        int y = g.top;
        for (int r = 0; r < grid.fixedRows(); ++r) {
            printCell(g, r, c, x, y, w, g.rowHeights[r]);
            y += g.rowHeights[r];
        }
        for (int r = rows.first; r <= rows.last; ++r) {
            if (r < grid.fixedRows()) continue;
            printCell(g, r, c, x, y, w, g.rowHeights[r]);
            y += g.rowHeights[r];
        }
        x += w;
    }
    int y = g.top;
    for (int r = 0; r < grid.fixedRows(); ++r) {
        int cx = g.dataLeft;
        for (int c = cols.first; c <= cols.last; ++c) {
            if (c < grid.fixedCols()) continue;
            printCell(g, r, c, cx, y, g.colWidths[c], g.rowHeights[r]);
            cx += g.colWidths[c];
        }
        y += g.rowHeights[r];
    }
}

void PrintGrid::printCell(const Geometry& g, int row, int col, int x, int y, int w, int h) {
    const GridModel& grid = *source_;
    PrintSurface& out = *destination_;
    const bool fixed = row < grid.fixedRows() || col < grid.fixedCols();
    GridColor back = fixed ? grid.backColorFixed() : grid.backColor();
    const GridColor border = fixed ? grid.gridColorFixed() : grid.gridColor();
    if (grid.cellBackColor(row, col) != 0) back = grid.cellBackColor(row, col);

    const GridFont font = grid.cellFont(row, col);
    PrintFont printFont;
    if (!font.name.empty()) printFont.name = font.name;
    printFont.pointSize = font.size;
    printFont.bold = font.bold;
    printFont.italic = font.italic;
    printFont.underline = font.underline;
    printFont.strikeOut = font.strikethrough;
    out.setFont(printFont);

    const PrintRect cell{x, y, w + g.lineWidth, h + g.lineWidth};
    // The back colour is painted whether or not the borders are.
    if (printBackColor_) out.fillRect(cell, rgbOf(back));
    if (printGridLines_) out.outlineRect(cell, rgbOf(border), g.lineWidth);

    const std::string& text = grid.textMatrix(row, col);
    if (text.empty()) return;
    GridColor fore = 0;
    if (printForeColor_) {
        fore = grid.cellForeColor(row, col);
        if (fore == 0) fore = fixed ? grid.foreColorFixed() : grid.foreColor();
    }
    const TextPlacement place = placeText(grid.effectiveAlignment(row, col), text);
    const PrintRect inner{x + g.insetX, y + g.insetY, w - 2 * g.insetX, h - 2 * g.insetY};
    out.drawTextInRect(inner, text, horizontalOf(place.horizontal), verticalOf(place.vertical),
                       grid.wordWrap(), printForeColor_ ? rgbOf(fore) : 0);
}

}  // namespace qel
