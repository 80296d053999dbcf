#include "ui/widgets/flex_grid.h"

#include <QLayout>
#include <QLine>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

#include "core/grid/grid_alignment.h"
#include "core/grid/grid_color.h"
#include "qt/qt_text.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

namespace {

// Room between a cell's border and its text, so figures do not touch the lines.
constexpr int kTextInsetX = 3;
constexpr int kTextInsetY = 1;
constexpr std::size_t kMaxCachedFonts = 64;
// Far more than any grid shows at once; a long race's lap times cycle through.
constexpr int kMaxCachedTexts = 4096;

QColor toQColor(GridColor color) {
    // A desktop colour resolves to plain red, green and blue first.
    return colourOf(static_cast<int32_t>(resolveGridColor(color)));
}

int textFlags(int alignment, const std::string& text, bool wordWrap) {
    const TextPlacement place = placeText(alignment, text);
    int flags = wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    switch (place.horizontal) {
        case HorizontalPlace::Left:
            flags |= Qt::AlignLeft;
            break;
        case HorizontalPlace::Center:
            flags |= Qt::AlignHCenter;
            break;
        case HorizontalPlace::Right:
            flags |= Qt::AlignRight;
            break;
    }
    switch (place.vertical) {
        case VerticalPlace::Top:
            flags |= Qt::AlignTop;
            break;
        case VerticalPlace::Center:
            flags |= Qt::AlignVCenter;
            break;
        case VerticalPlace::Bottom:
            flags |= Qt::AlignBottom;
            break;
    }
    return flags;
}

}  // namespace

FlexGrid::FlexGrid(GridModel& model, QWidget* parent) : QAbstractScrollArea(parent), model_(model) {
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    model_.setObserver([this](GridModel::Change change) { onModelChanged(change); });
    applyWindowState();
    syncScrollBars();
}

FlexGrid::~FlexGrid() {
    model_.setObserver({});
}

QSize FlexGrid::sizeHint() const {
    const QSize base = QAbstractScrollArea::sizeHint();
    return {model_.width() > 0 ? twipsToPixelsX(*this, model_.width()) : base.width(),
            model_.height() > 0 ? twipsToPixelsY(*this, model_.height()) : base.height()};
}

void FlexGrid::onModelChanged(GridModel::Change change) {
    if (change == GridModel::Change::Window) {
        applyWindowState();
        return;
    }
    // A hidden grid catches up when it is shown again; refills while hidden cost nothing here.
    if (!isVisible()) return;
    syncScrollBars();
    viewport()->update();
}

void FlexGrid::applyWindowState() {
    setToolTip(toQt(model_.toolTipText()));
    const QSize wanted(model_.width(), model_.height());
    if (wanted != appliedSize_) {
        appliedSize_ = wanted;
        updateGeometry();
        // Without a layout to ask, the grid takes the size the window logic gave it.
        if (!parentWidget() || !parentWidget()->layout()) {
            resize(wanted.width() > 0 ? twipsToPixelsX(*this, wanted.width()) : width(),
                   wanted.height() > 0 ? twipsToPixelsY(*this, wanted.height()) : height());
        }
    }
    if (model_.visible() != shownVisible_) {
        shownVisible_ = model_.visible();
        setVisible(shownVisible_);
    }
}

void FlexGrid::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    syncScrollBars();
    viewport()->update();
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    syncScrollBars();
}

void FlexGrid::syncScrollBars() {
    const QScopedValueRollback<bool> guard(syncing_, true);
    const QSize area = viewport()->size();

    // The last page of rows fills the view: scrolling further would only show empty space.
    const auto lastFirst = [](int count, int room, auto&& sizeOf) {
        int first = count;
        int used = 0;
        while (first > 0 && used + sizeOf(first - 1) <= room)
            used += sizeOf(--first);
        return first == count ? std::max(count - 1, 0) : first;
    };

    // Once per pass: the rows of a long results list are measured one by one.
    const double dpiX = dotsPerInchX(*this);
    const double dpiY = dotsPerInchY(*this);
    const int fixedRows = model_.fixedRows();
    int fixedHeight = 0;
    for (int r = 0; r < fixedRows; ++r)
        fixedHeight += twipsToPixels(model_.rowHeight(r), dpiY);
    const int scrollRows = model_.rows() - fixedRows;
    const int maxRow = lastFirst(scrollRows, area.height() - fixedHeight, [&](int i) {
        return twipsToPixels(model_.rowHeight(fixedRows + i), dpiY);
    });
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, maxRow);
    vertical->setPageStep(std::max(1, scrollRows - maxRow));
    vertical->setValue(model_.topRow() - fixedRows);

    const int fixedCols = model_.fixedCols();
    int fixedWidth = 0;
    for (int c = 0; c < fixedCols; ++c)
        fixedWidth += twipsToPixels(model_.colWidth(c), dpiX);
    const int scrollCols = model_.cols() - fixedCols;
    const int maxCol = lastFirst(scrollCols, area.width() - fixedWidth, [&](int i) {
        return twipsToPixels(model_.colWidth(fixedCols + i), dpiX);
    });
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, maxCol);
    horizontal->setPageStep(std::max(1, scrollCols - maxCol));
}

int FlexGrid::shownTopRow() const {
    return model_.fixedRows() + verticalScrollBar()->value();
}

void FlexGrid::scrollContentsBy(int, int) {
    // Only the operator's own scrolling moves the model; following the model must not clamp
    // the top row the race logic chose to the rows this window happens to have room for.
    if (!syncing_) model_.setTopRow(shownTopRow());
    viewport()->update();
}

FlexGrid::Layout FlexGrid::layout() const {
    Layout result;
    const QSize area = viewport()->size();
    const auto place = [](std::vector<Span>& spans, int from, int to, int& at, int limit,
                          auto&& sizeOf) {
        for (int i = from; i < to && at < limit; ++i) {
            const int size = sizeOf(i);
            spans.push_back({i, at, size});
            at += size;
        }
    };
    const double dpiX = dotsPerInchX(*this);
    const double dpiY = dotsPerInchY(*this);
    const auto rowSize = [&](int r) { return twipsToPixels(model_.rowHeight(r), dpiY); };
    const auto colSize = [&](int c) { return twipsToPixels(model_.colWidth(c), dpiX); };

    int y = 0;
    place(result.rows, 0, model_.fixedRows(), y, area.height(), rowSize);
    result.fixedRowCount = static_cast<int>(result.rows.size());
    place(result.rows, shownTopRow(), model_.rows(), y, area.height(), rowSize);

    int x = 0;
    place(result.cols, 0, model_.fixedCols(), x, area.width(), colSize);
    result.fixedColCount = static_cast<int>(result.cols.size());
    place(result.cols, model_.fixedCols() + horizontalScrollBar()->value(), model_.cols(), x,
          area.width(), colSize);
    return result;
}

std::pair<int, int> FlexGrid::cellAt(QPoint point) const {
    const Layout spans = layout();
    const auto find = [](const std::vector<Span>& list, int at) {
        for (const Span& s : list) {
            if (at >= s.start && at < s.start + s.size) return s.index;
        }
        return -1;
    };
    const int row = find(spans.rows, point.y());
    const int col = find(spans.cols, point.x());
    if (row < 0 || col < 0) return {-1, -1};
    return {row, col};
}

QRect FlexGrid::cellRect(int row, int col) const {
    const Layout spans = layout();
    const auto find = [](const std::vector<Span>& list, int index) -> const Span* {
        for (const Span& s : list) {
            if (s.index == index) return &s;
        }
        return nullptr;
    };
    const Span* r = find(spans.rows, row);
    const Span* c = find(spans.cols, col);
    if (!r || !c) return {};
    return {c->start, r->start, c->size, r->size};
}

const QStaticText& FlexGrid::CachedFont::textFor(const QString& text) {
    auto found = texts.find(text);
    if (found != texts.end()) return *found;
    if (texts.size() >= kMaxCachedTexts) texts.clear();
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    return *texts.insert(text, laidOut);
}

FlexGrid::CachedFont& FlexGrid::fontFor(const GridFont& gridFont) {
    for (CachedFont& cached : fontCache_) {
        if (cached.key == gridFont) return cached;
    }
    if (fontCache_.size() >= kMaxCachedFonts) fontCache_.clear();
    QFont font = this->font();
    if (!gridFont.name.empty()) font.setFamily(toQt(gridFont.name));
    font.setPointSizeF(gridFont.size);
    font.setBold(gridFont.bold);
    font.setItalic(gridFont.italic);
    font.setUnderline(gridFont.underline);
    font.setStrikeOut(gridFont.strikethrough);
    fontCache_.push_back({gridFont, font, {}});
    return fontCache_.back();
}

void FlexGrid::paintBlock(QPainter& painter, const Layout& spans, bool fixedRows, bool fixedCols) {
    const auto rowsBegin = spans.rows.begin() + (fixedRows ? 0 : spans.fixedRowCount);
    const auto rowsEnd = fixedRows ? spans.rows.begin() + spans.fixedRowCount : spans.rows.end();
    const auto colsBegin = spans.cols.begin() + (fixedCols ? 0 : spans.fixedColCount);
    const auto colsEnd = fixedCols ? spans.cols.begin() + spans.fixedColCount : spans.cols.end();
    if (rowsBegin == rowsEnd || colsBegin == colsEnd) return;

    const bool header = fixedRows || fixedCols;
    const QColor back = toQColor(header ? model_.backColorFixed() : model_.backColor());
    const QColor fore = toQColor(header ? model_.foreColorFixed() : model_.foreColor());
    const bool wordWrap = model_.wordWrap();

    QColor pen = fore;
    painter.setPen(pen);
    CachedFont* current = nullptr;
    for (auto r = rowsBegin; r != rowsEnd; ++r) {
        for (auto c = colsBegin; c != colsEnd; ++c) {
            const QRect cell(c->start, r->start, c->size, r->size);
            const CellFormat& format = model_.cellFormat(r->index, c->index);
            painter.fillRect(cell, format.backColor != 0 ? toQColor(format.backColor) : back);

            const std::string& text = model_.textMatrix(r->index, c->index);
            if (text.empty()) continue;
            const QColor textColor = format.foreColor != 0 ? toQColor(format.foreColor) : fore;
            if (textColor != pen) {
                pen = textColor;
                painter.setPen(pen);
            }
            const GridFont font = model_.cellFont(r->index, c->index);
            if (!current || !(font == current->key)) {
                current = &fontFor(font);
                painter.setFont(current->font);
            }
            const int alignment = model_.effectiveAlignment(r->index, c->index);
            const QRect inner = cell.adjusted(kTextInsetX, kTextInsetY, -kTextInsetX, -kTextInsetY);
            const int flags = textFlags(alignment, text, wordWrap);
            if (wordWrap) {
                painter.drawText(inner, flags, toQt(text));
                continue;
            }
            drawLine(painter, inner, flags, current->textFor(toQt(text)));
        }
    }

    const int lineWidth = model_.gridLineWidth();
    if (lineWidth <= 0) return;
    // Each cell carries its right and bottom border, as the printed grid does.
    std::vector<QLine> lines;
    const int top = rowsBegin->start;
    const int bottom = (rowsEnd - 1)->start + (rowsEnd - 1)->size;
    const int left = colsBegin->start;
    const int right = (colsEnd - 1)->start + (colsEnd - 1)->size;
    const int half = lineWidth / 2;
    for (auto c = colsBegin; c != colsEnd; ++c) {
        const int x = c->start + c->size - 1 - half;
        lines.emplace_back(x, top, x, bottom - 1);
    }
    for (auto r = rowsBegin; r != rowsEnd; ++r) {
        const int y = r->start + r->size - 1 - half;
        lines.emplace_back(left, y, right - 1, y);
    }
    painter.setPen(QPen(toQColor(header ? model_.gridColorFixed() : model_.gridColor()), lineWidth,
                        Qt::SolidLine, Qt::FlatCap));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void FlexGrid::drawLine(QPainter& painter, const QRect& inner, int flags, const QStaticText& text) {
    const QSizeF size = text.size();
    qreal x = inner.left();
    if (flags & Qt::AlignHCenter) x += (inner.width() - size.width()) / 2;
    if (flags & Qt::AlignRight) x = inner.right() + 1 - size.width();
    qreal y = inner.top();
    if (flags & Qt::AlignVCenter) y += (inner.height() - size.height()) / 2;
    if (flags & Qt::AlignBottom) y = inner.bottom() + 1 - size.height();
    // A text wider or taller than its cell stays inside it, as drawn text does.
    const bool clip = size.width() > inner.width() || size.height() > inner.height();
    if (clip) {
        painter.save();
        painter.setClipRect(inner, Qt::IntersectClip);
    }
    painter.drawStaticText(QPointF(x, y), text);
    if (clip) painter.restore();
}

void FlexGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), toQColor(model_.backColorBkg()));
    const Layout spans = layout();
    // Headers last, so they sit over anything that scrolled beneath them.
    paintBlock(painter, spans, false, false);
    paintBlock(painter, spans, false, true);
    paintBlock(painter, spans, true, false);
    paintBlock(painter, spans, true, true);
}

void FlexGrid::changeEvent(QEvent* event) {
    // Cells without a face of their own use the window's font.
    if (event->type() == QEvent::FontChange) fontCache_.clear();
    QAbstractScrollArea::changeEvent(event);
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    const auto [row, col] = cellAt(event->position().toPoint());
    mouseRow_ = row;
    mouseCol_ = col;
    // Clicks on the grid are the grid's own; they do not fall through to the window behind.
    event->accept();
    if (row >= 0) emit cellClicked(row, col, event->button());
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    const auto [row, col] = cellAt(event->position().toPoint());
    mouseRow_ = row;
    mouseCol_ = col;
    QAbstractScrollArea::mouseMoveEvent(event);
}

}  // namespace qel::ui
