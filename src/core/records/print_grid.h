#pragma once
// The grid printer: any grid (the next heat, the results) drawn cell by cell
// onto the printer or a print preview, broken into pages across and then
// down, the header rows and columns repeated on every page. Or only counted:
// NumberOfPages says how many pages a printout will take and draws nothing.
// Any failure shows the one message "There was a problem printing to your
// printer.".
#include <functional>

#include "core/grid/grid_model.h"
#include "core/seams/print_surface.h"
#include "core/seams/prompter.h"

namespace qel {

inline constexpr const char* kPrintProblem = "There was a problem printing to your printer.";

class PrintGrid {
  public:
    // Printer orientation numbers.
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;
    // Where the grid starts on a page unless a top margin is set, in the
    // destination's pixels.
    static constexpr int kDefaultTop = 200;

    explicit PrintGrid(Prompter& prompter) : prompter_(prompter) {}

    void setSource(const GridModel& grid) { source_ = &grid; }
    // The printer: grid lines and cell insets keep the thickness they have on
    // a screen of screenDotsPerInch, so they scale by the printer's pixels
    // per screen pixel.
    void setDestinationPrinter(PrintSurface& printer, double screenDotsPerInch);
    // A print preview: its pixels are the screen's, nothing scales.
    void setDestinationPreview(PrintSurface& preview);
    void clearDestination() { destination_ = nullptr; }

    void setPrinterOrientation(int orientation) { orientation_ = orientation; }
    int printerOrientation() const { return orientation_; }
    // Margins in the destination's pixels. The top margin, once set, is where
    // the grid starts; until then it starts kDefaultTop pixels down.
    void setMarginLeft(int pixels) { marginLeft_ = pixels; }
    void setMarginRight(int pixels) { marginRight_ = pixels; }
    void setMarginTop(int pixels) { marginTop_ = pixels; }
    void setMarginBottom(int pixels) { marginBottom_ = pixels; }
    int marginLeft() const { return marginLeft_; }
    int marginRight() const { return marginRight_; }
    int marginTop() const { return marginTop_; }
    int marginBottom() const { return marginBottom_; }
    void setPrintBackColor(bool on) { printBackColor_ = on; }
    void setPrintForeColor(bool on) { printForeColor_ = on; }
    void setPrintGridLines(bool on) { printGridLines_ = on; }
    bool printBackColor() const { return printBackColor_; }
    bool printForeColor() const { return printForeColor_; }
    bool printGridLines() const { return printGridLines_; }
    // The job's name (a printout kept as a file is named after it).
    void setJobName(std::string name) { jobName_ = std::move(name); }

    // Raised at the start of every page drawn (not while counting).
    void setNewPage(std::function<void(int pageNumber)> handler) { newPage_ = std::move(handler); }

    // PrintGrid: prints and returns the number of pages; 0 without a source
    // or a destination, or when printing failed (which was said).
    int Print();
    int NumberOfPages();

  private:
    struct Span {
        int first;
        int last;  // inclusive
    };
    struct Geometry;

    int run(bool countOnly);
    void printRange(const Geometry& g, Span rows, Span cols, bool continuation);
    void printFixedCells(const Geometry& g, Span rows, Span cols);
    void printCell(const Geometry& g, int row, int col, int x, int y, int w, int h);
    void startPage();

    Prompter& prompter_;
    const GridModel* source_ = nullptr;
    PrintSurface* destination_ = nullptr;
    bool toPrinter_ = false;
    double xFactor_ = 1.0;
    double yFactor_ = 1.0;
    int orientation_ = kPortrait;
    int marginLeft_ = 0;
    int marginRight_ = 0;
    int marginTop_ = 0;
    int marginBottom_ = 0;
    bool printBackColor_ = false;
    bool printForeColor_ = false;
    bool printGridLines_ = false;
    std::string jobName_;
    std::function<void(int)> newPage_;
    bool countOnly_ = false;
    int pageCount_ = 0;
};

}  // namespace qel
