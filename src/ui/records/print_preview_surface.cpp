#include "ui/records/print_preview_surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "qt/print_painting.h"

namespace qel::ui {

namespace {

constexpr double kInchesPerMetre = 39.37007874;

QImage screenImage(int width, int height) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    const int dotsPerMetre =
        static_cast<int>(std::lround(PrintPreviewSurface::kDotsPerInch * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

}  // namespace

PrintPreviewSurface::PrintPreviewSurface(const PrintSurface& paper)
    : paper_(paper), reference_(screenImage(1, 1)) {
    setFont(PrintFont{});
}

PrintPage PrintPreviewSurface::pageFor(bool landscape) const {
    const PrintPage paper = paper_.pageFor(landscape);
    const double scale = paper.dotsPerInch > 0 ? kDotsPerInch / paper.dotsPerInch : 1.0;
    return {static_cast<int>(std::lround(paper.width * scale)),
            static_cast<int>(std::lround(paper.height * scale)), kDotsPerInch};
}

bool PrintPreviewSurface::begin(const PrintJob& job) {
    if (active_) {
        lastError_ = "A printout is already being shown.";
        return false;
    }
    page_ = pageFor(job.landscape);
    jobName_ = job.name;
    pages_.assign(1, Page{});
    active_ = true;
    lastError_.clear();
    return true;
}

void PrintPreviewSurface::setFont(const PrintFont& font) {
    font_ = printFontOf(font);
}

int PrintPreviewSurface::averageCharWidth() const {
    return std::max(QFontMetrics(font_, &reference_).averageCharWidth(), 1);
}

int PrintPreviewSurface::lineHeight() const {
    return std::max(QFontMetrics(font_, &reference_).lineSpacing(), 1);
}

int PrintPreviewSurface::textWidth(const std::string& text) const {
    return QFontMetrics(font_, &reference_).horizontalAdvance(toQt(text));
}

void PrintPreviewSurface::mark(Mark mark) {
    if (!active_) return;
    pages_.back().push_back(std::move(mark));
}

void PrintPreviewSurface::drawText(int x, int y, const std::string& text, int32_t rgb) {
    Mark m{Mark::Kind::Text, {x, y, 0, 0}, toQt(text), font_};
    m.rgb = rgb;
    mark(std::move(m));
}

void PrintPreviewSurface::drawTextInRect(const PrintRect& rect, const std::string& text,
                                         PrintAlign align, PrintVAlign valign, bool wordWrap,
                                         int32_t rgb) {
    Mark m{Mark::Kind::TextInRect, rect, toQt(text), font_};
    m.rgb = rgb;
    m.align = align;
    m.valign = valign;
    m.wordWrap = wordWrap;
    mark(std::move(m));
}

void PrintPreviewSurface::fillRect(const PrintRect& rect, int32_t rgb) {
    Mark m{Mark::Kind::Fill, rect, {}, font_};
    m.rgb = rgb;
    mark(std::move(m));
}

void PrintPreviewSurface::outlineRect(const PrintRect& rect, int32_t rgb, int lineWidth) {
    Mark m{Mark::Kind::Outline, rect, {}, font_};
    m.rgb = rgb;
    m.lineWidth = lineWidth;
    mark(std::move(m));
}

void PrintPreviewSurface::newPage() {
    if (active_) pages_.emplace_back();
}

bool PrintPreviewSurface::end() {
    if (!active_) {
        lastError_ = "No printout is being shown.";
        return false;
    }
    active_ = false;
    return true;
}

QImage PrintPreviewSurface::pageImage(int index, double zoom) const {
    const int width = static_cast<int>(std::lround(page_.width * zoom));
    const int height = static_cast<int>(std::lround(page_.height * zoom));
    QImage image = screenImage(width, height);
    image.fill(Qt::white);
    if (index < 0 || index >= pageCount()) return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(zoom, zoom);
    for (const Mark& m : pages_[index]) {
        painter.setFont(m.font);
        switch (m.kind) {
            case Mark::Kind::Text:
                painter.setPen(colourOf(m.rgb));
                painter.drawText(QPoint(m.rect.x, m.rect.y + QFontMetrics(m.font, &image).ascent()),
                                 m.text);
                break;
            case Mark::Kind::TextInRect:
                paintTextInRect(painter, m.rect, fromQt(m.text), m.align, m.valign, m.wordWrap,
                                m.rgb);
                break;
            case Mark::Kind::Fill:
                painter.fillRect(printRectOf(m.rect), colourOf(m.rgb));
                break;
            case Mark::Kind::Outline:
                paintOutline(painter, m.rect, m.rgb, m.lineWidth);
                break;
        }
    }
    return image;
}

}  // namespace qel::ui
