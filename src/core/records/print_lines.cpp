#include "core/records/print_lines.h"

#include <algorithm>
#include <string>

#include "core/io/errors.h"

namespace qel {

void PrintLines::setFontSize(double points) {
    font_.pointSize = points;
    if (surface_.isActive()) surface_.setFont(font_);
}

void PrintLines::start() {
    if (surface_.isActive()) return;
    if (!surface_.begin(job_)) {
        const std::string why = surface_.lastError();
        throw QelError(why.empty() ? "The printer could not be started." : why);
    }
    surface_.setFont(font_);
    x_ = 0;
    y_ = 0;
    page_ = 1;
}

void PrintLines::tab(int column) {
    start();
    const int target = (std::max(column, 1) - 1) * surface_.averageCharWidth();
    if (x_ > target) endLine();
    x_ = target;
}

void PrintLines::text(std::string_view text) {
    start();
    if (text.empty()) return;
    // The page turns only when something is printed, so blank lines at the
    // foot of a page never leave an empty sheet behind.
    if (y_ > 0 && y_ + surface_.lineHeight() > surface_.pageHeight()) newPage();
    const std::string line(text);
    surface_.drawText(x_, y_, line);
    x_ += surface_.textWidth(line);
}

void PrintLines::endLine() {
    start();
    y_ += surface_.lineHeight();
    x_ = 0;
}

void PrintLines::newPage() {
    start();
    surface_.newPage();
    x_ = 0;
    y_ = 0;
    ++page_;
}

void PrintLines::endDoc() {
    if (!surface_.isActive()) return;
    x_ = 0;
    y_ = 0;
    page_ = 1;
    if (!surface_.end()) {
        const std::string why = surface_.lastError();
        throw QelError(why.empty() ? "The printer could not finish the job." : why);
    }
}

}  // namespace qel
