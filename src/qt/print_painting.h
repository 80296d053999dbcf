#pragma once
// How a printout is painted with Qt, shared by the printer adapter and the
// on-screen print preview, so the race director sees on screen what the
// paper will show: fonts, text in cells, filled and outlined rectangles.
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>
#include <cmath>

#include "core/seams/print_surface.h"
#include "qt/qt_text.h"

namespace qel {

inline QFont printFontOf(const PrintFont& font) {
    QFont qfont(toQt(font.name));
    // A size read from a damaged settings file must not make a font Qt refuses.
    const double size = std::isfinite(font.pointSize) ? font.pointSize : 12.0;
    qfont.setPointSizeF(std::clamp(size, 1.0, 500.0));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    return qfont;
}

inline QRect printRectOf(const PrintRect& rect) {
    return QRect(rect.x, rect.y, std::max(rect.width, 0), std::max(rect.height, 0));
}

inline int printTextFlags(PrintAlign align, PrintVAlign valign, bool wordWrap) {
    int flags = wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    switch (align) {
        case PrintAlign::Left:
            flags |= Qt::AlignLeft;
            break;
        case PrintAlign::Center:
            flags |= Qt::AlignHCenter;
            break;
        case PrintAlign::Right:
            flags |= Qt::AlignRight;
            break;
    }
    switch (valign) {
        case PrintVAlign::Top:
            flags |= Qt::AlignTop;
            break;
        case PrintVAlign::Middle:
            flags |= Qt::AlignVCenter;
            break;
        case PrintVAlign::Bottom:
            flags |= Qt::AlignBottom;
            break;
    }
    return flags;
}

// A cell's text stays inside its cell, as on the race director's screen.
inline void paintTextInRect(QPainter& painter, const PrintRect& rect, const std::string& text,
                            PrintAlign align, PrintVAlign valign, bool wordWrap, int32_t rgb) {
    painter.save();
    painter.setClipRect(printRectOf(rect));
    painter.setPen(colourOf(rgb));
    painter.drawText(printRectOf(rect), printTextFlags(align, valign, wordWrap), toQt(text));
    painter.restore();
}

inline void paintOutline(QPainter& painter, const PrintRect& rect, int32_t rgb, int lineWidth) {
    QPen pen(colourOf(rgb));
    pen.setWidth(std::max(lineWidth, 1));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(printRectOf(rect));
    painter.restore();
}

}  // namespace qel
