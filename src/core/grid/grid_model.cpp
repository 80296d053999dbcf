#include "core/grid/grid_model.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/grid/numeric_text.h"

namespace qel {

namespace {

const std::string kNoText;
const CellFormat kDefaultFormat;

// Big enough for any track's lap list; keeps a damaged grid file from asking for gigabytes.
constexpr int kMaxRows = 1'000'000;
constexpr int kMaxCols = 1'000;
constexpr int kMaxTwips = 1'000'000;

}  // namespace

GridModel::GridModel(int rows, int cols, int fixedRows, int fixedCols) {
    formats_.push_back(kDefaultFormat);
    formatIndex_.emplace(kDefaultFormat, 0);
    reshape(rows, cols);
    fixedRows_ = std::clamp(fixedRows, 0, rows_);
    fixedCols_ = std::clamp(fixedCols, 0, cols_);
    clampCursor();
}

void GridModel::reshape(int rows, int cols) {
    rows = std::clamp(rows, 0, kMaxRows);
    cols = std::clamp(cols, 0, kMaxCols);
    if (rows == rows_ && cols == cols_) return;
    const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    if (cols == cols_) {
        texts_.resize(count);
        formatIds_.resize(count, 0);
    } else {
        std::vector<std::string> texts(count);
        std::vector<FormatId> formatIds(count, 0);
        const int keepRows = std::min(rows, rows_);
        const int keepCols = std::min(cols, cols_);
        for (int r = 0; r < keepRows; ++r) {
            for (int c = 0; c < keepCols; ++c) {
                const std::size_t to = static_cast<std::size_t>(r) * cols + c;
                texts[to] = std::move(texts_[index(r, c)]);
                formatIds[to] = formatIds_[index(r, c)];
            }
        }
        texts_ = std::move(texts);
        formatIds_ = std::move(formatIds);
    }
    rows_ = rows;
    cols_ = cols;
    rowHeights_.resize(rows, kDefaultRowHeight);
    colWidths_.resize(cols, kDefaultColWidth);
    colAlignments_.resize(cols, grid_align::kGeneral);
    fixedRows_ = std::min(fixedRows_, rows_);
    fixedCols_ = std::min(fixedCols_, cols_);
    clampCursor();
}

void GridModel::clampCursor() {
    row_ = std::clamp(row_, 0, std::max(rows_ - 1, 0));
    col_ = std::clamp(col_, 0, std::max(cols_ - 1, 0));
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(rows_ - 1, fixedRows_));
}

void GridModel::changed(Change change) {
    if (change == Change::Contents && !redraw_) {
        pendingRedraw_ = true;
        return;
    }
    if (observer_) observer_(change);
}

void GridModel::setRows(int rows) {
    if (rows == rows_) return;
    reshape(rows, cols_);
    changed();
}

void GridModel::setCols(int cols) {
    if (cols == cols_) return;
    reshape(rows_, cols);
    changed();
}

void GridModel::setFixedRows(int fixedRows) {
    fixedRows = std::clamp(fixedRows, 0, rows_);
    if (fixedRows == fixedRows_) return;
    fixedRows_ = fixedRows;
    clampCursor();
    changed();
}

void GridModel::setFixedCols(int fixedCols) {
    fixedCols = std::clamp(fixedCols, 0, cols_);
    if (fixedCols == fixedCols_) return;
    fixedCols_ = fixedCols;
    changed();
}

const std::string& GridModel::textMatrix(int row, int col) const {
    return contains(row, col) ? texts_[index(row, col)] : kNoText;
}

void GridModel::setTextMatrix(int row, int col, std::string_view text) {
    if (!contains(row, col)) return;
    std::string& cell = texts_[index(row, col)];
    if (cell == text) return;
    cell.assign(text);
    changed();
}

void GridModel::setRow(int row) {
    row_ = std::clamp(row, 0, std::max(rows_ - 1, 0));
}

void GridModel::setCol(int col) {
    col_ = std::clamp(col, 0, std::max(cols_ - 1, 0));
}

int GridModel::colWidth(int col) const {
    return col >= 0 && col < cols_ ? colWidths_[col] : kDefaultColWidth;
}

int GridModel::rowHeight(int row) const {
    return row >= 0 && row < rows_ ? rowHeights_[row] : kDefaultRowHeight;
}

void GridModel::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    setAndNotify(colWidths_[col], std::clamp(twips, 0, kMaxTwips));
}

void GridModel::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_) return;
    setAndNotify(rowHeights_[row], std::clamp(twips, 0, kMaxTwips));
}

int GridModel::colAlignment(int col) const {
    return col >= 0 && col < cols_ ? colAlignments_[col] : grid_align::kGeneral;
}

void GridModel::setColAlignment(int col, int alignment) {
    if (col < 0 || col >= cols_) return;
    setAndNotify(colAlignments_[col], alignment);
}

int GridModel::effectiveAlignment(int row, int col) const {
    const int own = cellAlignment(row, col);
    return own != 0 ? own : colAlignment(col);
}

const CellFormat& GridModel::cellFormat(int row, int col) const {
    return contains(row, col) ? formats_[formatIds_[index(row, col)]] : kDefaultFormat;
}

GridFont GridModel::cellFont(int row, int col) const {
    const CellFormat& format = cellFormat(row, col);
    GridFont font = font_;
    if (!format.fontName.empty()) font.name = format.fontName;
    if (format.fontSize > 0.0f) font.size = format.fontSize;
    font.bold = format.bold.value_or(font.bold);
    font.italic = format.italic.value_or(font.italic);
    font.underline = format.underline.value_or(font.underline);
    font.strikethrough = format.strikethrough.value_or(font.strikethrough);
    return font;
}

template <typename Edit>
void GridModel::editFormat(int row, int col, Edit edit) {
    if (!contains(row, col)) return;
    FormatId& id = formatIds_[index(row, col)];
    CellFormat format = formats_[id];
    edit(format);
    const FormatId newId = intern(format);
    if (newId == id) return;
    id = newId;
    changed();
    // A grid painted cell by cell in ever new colours must not grow its table without end.
    if (formats_.size() > std::max<std::size_t>(256, 2 * formatIds_.size())) compactFormats();
}

GridModel::FormatId GridModel::intern(const CellFormat& format) {
    const auto [it, added] =
        formatIndex_.try_emplace(format, static_cast<FormatId>(formats_.size()));
    if (added) formats_.push_back(format);
    return it->second;
}

void GridModel::compactFormats() {
    std::vector<CellFormat> formats{kDefaultFormat};
    std::map<CellFormat, FormatId> formatIndex{{kDefaultFormat, 0}};
    std::vector<FormatId> renumber(formats_.size(), 0);
    std::vector<bool> seen(formats_.size(), false);
    for (FormatId& id : formatIds_) {
        if (!seen[id]) {
            seen[id] = true;
            const auto [it, added] =
                formatIndex.try_emplace(formats_[id], static_cast<FormatId>(formats.size()));
            if (added) formats.push_back(formats_[id]);
            renumber[id] = it->second;
        }
        id = renumber[id];
    }
    formats_ = std::move(formats);
    formatIndex_ = std::move(formatIndex);
}

void GridModel::setCellAlignment(int row, int col, int alignment) {
    editFormat(row, col, [&](CellFormat& f) { f.alignment = alignment; });
}

void GridModel::setCellBackColor(int row, int col, GridColor color) {
    editFormat(row, col, [&](CellFormat& f) { f.backColor = color; });
}

void GridModel::setCellForeColor(int row, int col, GridColor color) {
    editFormat(row, col, [&](CellFormat& f) { f.foreColor = color; });
}

void GridModel::setCellFontName(int row, int col, std::string_view name) {
    editFormat(row, col, [&](CellFormat& f) { f.fontName.assign(name); });
}

void GridModel::setCellFontSize(int row, int col, float points) {
    // A size that is no size at all falls back to the grid's.
    if (!(points > 0.0f) || !std::isfinite(points)) points = 0.0f;
    editFormat(row, col, [&](CellFormat& f) { f.fontSize = points; });
}

void GridModel::setCellFontBold(int row, int col, bool on) {
    editFormat(row, col, [&](CellFormat& f) { f.bold = on; });
}

void GridModel::setCellFontItalic(int row, int col, bool on) {
    editFormat(row, col, [&](CellFormat& f) { f.italic = on; });
}

void GridModel::setCellFontUnderline(int row, int col, bool on) {
    editFormat(row, col, [&](CellFormat& f) { f.underline = on; });
}

void GridModel::setCellFontStrikeThrough(int row, int col, bool on) {
    editFormat(row, col, [&](CellFormat& f) { f.strikethrough = on; });
}

void GridModel::setFont(GridFont font) {
    if (!(font.size > 0.0f) || !std::isfinite(font.size)) font.size = font_.size;
    setAndNotify(font_, font);
}

void GridModel::setGridLineWidth(int pixels) {
    setAndNotify(gridLineWidth_, std::clamp(pixels, 0, 100));
}

void GridModel::setRedraw(bool on) {
    if (on == redraw_) return;
    redraw_ = on;
    if (on && std::exchange(pendingRedraw_, false)) changed();
}

void GridModel::setTopRow(int row) {
    setAndNotify(topRow_, std::clamp(row, fixedRows_, std::max(rows_ - 1, fixedRows_)));
}

void GridModel::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    changed(Change::Window);
}

void GridModel::setWidth(int twips) {
    twips = std::clamp(twips, 0, kMaxTwips);
    if (twips == width_) return;
    width_ = twips;
    changed(Change::Window);
}

void GridModel::setHeight(int twips) {
    twips = std::clamp(twips, 0, kMaxTwips);
    if (twips == height_) return;
    height_ = twips;
    changed(Change::Window);
}

void GridModel::setToolTipText(std::string_view text) {
    if (text == toolTipText_) return;
    toolTipText_.assign(text);
    changed(Change::Window);
}

void GridModel::sortDescending(int firstRow, int lastRow, int col) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, rows_ - 1);
    if (col < 0 || col >= cols_ || lastRow <= firstRow) return;

    struct Key {
        int row;
        std::optional<double> number;
        const std::string* text;
    };
    std::vector<Key> keys;
    keys.reserve(static_cast<std::size_t>(lastRow - firstRow + 1));
    for (int r = firstRow; r <= lastRow; ++r) {
        const std::string& text = texts_[index(r, col)];
        keys.push_back({r, numericValue(text), &text});
    }
    const auto before = [](const Key& a, const Key& b) {
        if (a.number && b.number) return *a.number > *b.number;
        return *a.text > *b.text;
    };
    // Mixing numbers and words can make the comparison circular ("10" > "9" > "1a" > "10"),
    // which library sorts may not survive; an insertion sort always ends with every row kept.
    for (std::size_t i = 1; i < keys.size(); ++i) {
        Key key = keys[i];
        std::size_t j = i;
        while (j > 0 && before(key, keys[j - 1])) {
            keys[j] = keys[j - 1];
            --j;
        }
        keys[j] = key;
    }

    bool moved = false;
    std::vector<std::string> texts(keys.size() * cols_);
    std::vector<FormatId> formatIds(keys.size() * cols_);
    for (std::size_t k = 0; k < keys.size(); ++k) {
        moved = moved || keys[k].row != firstRow + static_cast<int>(k);
        for (int c = 0; c < cols_; ++c) {
            texts[k * cols_ + c] = std::move(texts_[index(keys[k].row, c)]);
            formatIds[k * cols_ + c] = formatIds_[index(keys[k].row, c)];
        }
    }
    std::move(texts.begin(), texts.end(), texts_.begin() + index(firstRow, 0));
    std::copy(formatIds.begin(), formatIds.end(), formatIds_.begin() + index(firstRow, 0));
    if (moved) changed();
}

}  // namespace qel
