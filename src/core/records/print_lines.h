#pragma once
// Printed text the way the race reports are laid out: lines of strings and
// numbers placed at character columns (tab stops), a new page when the paper
// runs out. The job starts with the first output and goes to the printer at
// endDoc(); a printer that cannot start or finish the job throws QelError with
// its own description, so a print routine reports any failure in one place.
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "core/io/print_convention.h"
#include "core/seams/print_surface.h"

namespace qel {

class PrintLines {
  public:
    explicit PrintLines(PrintSurface& surface) : surface_(surface) {}

    // Takes effect when the next job starts; a running job keeps its paper.
    void setLandscape(bool landscape) { job_.landscape = landscape; }
    // The name the next job is known by; a running job keeps its own.
    void setJobName(std::string name) { job_.name = std::move(name); }
    void setFontSize(double points);

    // Moves to character column n (1 = left edge) of this line, or of the next
    // line when the line is already past it.
    void tab(int column);
    void text(std::string_view text);
    // A number stands between blanks: " 12 ", "-3 ", " .5 ".
    template <std::integral T>
    requires(!std::same_as<T, bool>) void number(T value) {
        text(printedInteger(static_cast<int64_t>(value)));
    }
    void number(float value) { text(printedSingle(value)); }
    // Closes the line; on a line with nothing on it, an empty line.
    void endLine();
    void newPage();
    // Sends the job. Nothing printed since the last one: nothing to send.
    void endDoc();

    // Where the next text goes, in the surface's pixels, and on which page.
    int x() const { return x_; }
    int y() const { return y_; }
    int page() const { return page_; }

  private:
    void start();

    PrintSurface& surface_;
    PrintFont font_;
    PrintJob job_;
    int x_ = 0;
    int y_ = 0;
    int page_ = 1;
};

}  // namespace qel
