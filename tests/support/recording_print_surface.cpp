#include "support/recording_print_surface.h"

#include <cmath>

#include "core/io/text_codec.h"

namespace qel::test {

bool RecordingPrintSurface::begin(const PrintJob& job) {
    if (!beginFailure_.empty()) {
        lastError_ = beginFailure_;
        return false;
    }
    active_ = true;
    landscape_ = job.landscape;
    jobName_ = job.name;
    page_ = 1;
    ++jobsBegun_;
    return true;
}

int RecordingPrintSurface::averageCharWidth() const {
    return static_cast<int>(std::lround(font_.pointSize));
}

int RecordingPrintSurface::lineHeight() const {
    return 2 * averageCharWidth();
}

int RecordingPrintSurface::textWidth(const std::string& text) const {
    return static_cast<int>(utf8Length(text)) * averageCharWidth();
}

void RecordingPrintSurface::drawText(int x, int y, const std::string& text, int32_t rgb) {
    Text entry;
    entry.page = page_;
    entry.x = x;
    entry.y = y;
    entry.text = text;
    entry.font = font_;
    entry.rgb = rgb;
    texts_.push_back(std::move(entry));
}

void RecordingPrintSurface::drawTextInRect(const PrintRect& rect, const std::string& text,
                                           PrintAlign align, PrintVAlign valign, bool wordWrap,
                                           int32_t rgb) {
    drawText(rect.x, rect.y, text, rgb);
    Text& entry = texts_.back();
    entry.rect = rect;
    entry.align = align;
    entry.valign = valign;
    entry.wordWrap = wordWrap;
}

void RecordingPrintSurface::fillRect(const PrintRect& rect, int32_t rgb) {
    rects_.push_back({page_, rect, rgb, true, 0});
}

void RecordingPrintSurface::outlineRect(const PrintRect& rect, int32_t rgb, int lineWidth) {
    rects_.push_back({page_, rect, rgb, false, lineWidth});
}

void RecordingPrintSurface::newPage() {
    if (active_) ++page_;
}

bool RecordingPrintSurface::end() {
    if (!active_) {
        lastError_ = "No print job is open.";
        return false;
    }
    active_ = false;
    if (!endFailure_.empty()) {
        lastError_ = endFailure_;
        return false;
    }
    ++jobsEnded_;
    return true;
}

}  // namespace qel::test
