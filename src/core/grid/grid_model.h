#pragma once
// The contents of one on-screen table (summary, lap times, results, next heat): text cells with
// their formatting, the header rows and columns, and the layout the screen and the printer share.
// The race logic fills it; the grid widget only draws it.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid/grid_alignment.h"
#include "core/grid/grid_color.h"

namespace qel {

struct GridFont {
    std::string name;    // empty: the desktop's default face
    float size = 8.25f;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool operator==(const GridFont&) const = default;
};

// What one cell holds besides its text. Unset parts follow the column (alignment) or the grid.
struct CellFormat {
    GridColor backColor = 0;  // 0: the grid's (fixed-cell or normal) background
    GridColor foreColor = 0;  // 0: the grid's text colour
    int alignment = 0;        // 0: the column's alignment
    std::string fontName;     // empty: the grid's font
    float fontSize = 0.0f;    // 0: the grid's size
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<bool> strikethrough;
    auto operator<=>(const CellFormat&) const = default;
};

class GridModel {
  public:
    // Contents: anything drawn inside the grid; reported only while redraw is on.
    // Window: visibility, size and tooltip, which belong to the window itself and take effect
    // at once, redraw or not.
    enum class Change { Contents, Window };
    using Observer = std::function<void(Change)>;

    static constexpr int kDefaultColWidth = 960;  // twips
    static constexpr int kDefaultRowHeight = 240;

    GridModel(int rows = 2, int cols = 2, int fixedRows = 1, int fixedCols = 1);

    // One observer at a time; an empty function detaches it.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

    // Shape. Growing keeps every cell; shrinking drops the cells cut off. The fixed counts never
    // exceed the totals.
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    void setRows(int rows);
    void setCols(int cols);
    void setFixedRows(int fixedRows);
    void setFixedCols(int fixedCols);
    bool contains(int row, int col) const {
        return row >= 0 && row < rows_ && col >= 0 && col < cols_;
    }

    // Cells outside the grid read as empty with the default format; writes to them are ignored.
    const std::string& textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, std::string_view text);

    // The current cell, which the current-cell forms below act on.
    int row() const { return row_; }
    int col() const { return col_; }
    void setRow(int row);
    void setCol(int col);
    const std::string& text() const { return textMatrix(row_, col_); }
    void setText(std::string_view text) { setTextMatrix(row_, col_, text); }

    int colWidth(int col) const;
    int rowHeight(int row) const;
    void setColWidth(int col, int twips);
    void setRowHeight(int row, int twips);

    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);
    // The cell's own alignment, or the column's when the cell has none.
    int effectiveAlignment(int row, int col) const;

    const CellFormat& cellFormat(int row, int col) const;
    // The cell's font with the grid's font filling in what the cell leaves unset.
    GridFont cellFont(int row, int col) const;

    int cellAlignment(int row, int col) const { return cellFormat(row, col).alignment; }
    GridColor cellBackColor(int row, int col) const { return cellFormat(row, col).backColor; }
    GridColor cellForeColor(int row, int col) const { return cellFormat(row, col).foreColor; }
    void setCellAlignment(int row, int col, int alignment);
    void setCellBackColor(int row, int col, GridColor color);
    void setCellForeColor(int row, int col, GridColor color);
    void setCellFontName(int row, int col, std::string_view name);
    void setCellFontSize(int row, int col, float points);
    void setCellFontBold(int row, int col, bool on);
    void setCellFontItalic(int row, int col, bool on);
    void setCellFontUnderline(int row, int col, bool on);
    void setCellFontStrikeThrough(int row, int col, bool on);

    int cellAlignment() const { return cellAlignment(row_, col_); }
    GridColor cellBackColor() const { return cellBackColor(row_, col_); }
    GridColor cellForeColor() const { return cellForeColor(row_, col_); }
    void setCellAlignment(int alignment) { setCellAlignment(row_, col_, alignment); }
    void setCellBackColor(GridColor color) { setCellBackColor(row_, col_, color); }
    void setCellForeColor(GridColor color) { setCellForeColor(row_, col_, color); }
    void setCellFontName(std::string_view name) { setCellFontName(row_, col_, name); }
    void setCellFontSize(float points) { setCellFontSize(row_, col_, points); }
    void setCellFontBold(bool on) { setCellFontBold(row_, col_, on); }
    void setCellFontItalic(bool on) { setCellFontItalic(row_, col_, on); }
    void setCellFontUnderline(bool on) { setCellFontUnderline(row_, col_, on); }
    void setCellFontStrikeThrough(bool on) { setCellFontStrikeThrough(row_, col_, on); }

    // The grid's own look.
    const GridFont& font() const { return font_; }
    void setFont(GridFont font);
    GridColor backColor() const { return backColor_; }
    GridColor foreColor() const { return foreColor_; }
    GridColor backColorFixed() const { return backColorFixed_; }
    GridColor foreColorFixed() const { return foreColorFixed_; }
    GridColor backColorBkg() const { return backColorBkg_; }  // beyond the last cells
    GridColor gridColor() const { return gridColor_; }
    GridColor gridColorFixed() const { return gridColorFixed_; }
    int gridLineWidth() const { return gridLineWidth_; }  // pixels
    bool wordWrap() const { return wordWrap_; }
    void setBackColor(GridColor color) { setAndNotify(backColor_, color); }
    void setForeColor(GridColor color) { setAndNotify(foreColor_, color); }
    void setBackColorFixed(GridColor color) { setAndNotify(backColorFixed_, color); }
    void setForeColorFixed(GridColor color) { setAndNotify(foreColorFixed_, color); }
    void setBackColorBkg(GridColor color) { setAndNotify(backColorBkg_, color); }
    void setGridColor(GridColor color) { setAndNotify(gridColor_, color); }
    void setGridColorFixed(GridColor color) { setAndNotify(gridColorFixed_, color); }
    void setGridLineWidth(int pixels);
    void setWordWrap(bool on) { setAndNotify(wordWrap_, on); }

    // Long fills and printing switch redraw off; switching it on again tells the observer once
    // about everything that changed meanwhile.
    bool redraw() const { return redraw_; }
    void setRedraw(bool on);

    // The first scrollable row shown, kept between the fixed rows and the last row.
    int topRow() const { return topRow_; }
    void setTopRow(int row);

    bool visible() const { return visible_; }
    void setVisible(bool on);
    int width() const { return width_; }  // twips; 0: as the window lays it out
    int height() const { return height_; }
    void setWidth(int twips);
    void setHeight(int twips);
    const std::string& toolTipText() const { return toolTipText_; }
    void setToolTipText(std::string_view text);

    // Puts rows firstRow..lastRow (inclusive, cut to the grid) in descending order of column
    // col: numbers by value when both cells hold numbers, text by its characters otherwise.
    // Each row moves whole, formatting included. Rows with equal keys keep their order.
    void sortDescending(int firstRow, int lastRow, int col);

  private:
    using FormatId = std::uint32_t;

    std::size_t index(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(col);
    }
    template <typename Edit>
    void editFormat(int row, int col, Edit edit);
    FormatId intern(const CellFormat& format);
    void compactFormats();
    void reshape(int rows, int cols);
    void clampCursor();
    void changed(Change change = Change::Contents);
    template <typename T>
    void setAndNotify(T& field, const T& value) {
        if (field == value) return;
        field = value;
        changed();
    }

    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int row_ = 0;
    int col_ = 0;
    int topRow_ = 0;

    // Row-major; a refill only rewrites strings, which stay in place with their formats.
    std::vector<std::string> texts_;
    std::vector<FormatId> formatIds_;
    // Formats are shared: a lap grid has thousands of cells but a handful of looks.
    std::vector<CellFormat> formats_;
    std::map<CellFormat, FormatId> formatIndex_;

    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    std::vector<int> colAlignments_;

    GridFont font_;
    GridColor backColor_ = systemColor(kSysColorWindow);
    GridColor foreColor_ = systemColor(kSysColorWindowText);
    GridColor backColorFixed_ = systemColor(kSysColorButtonFace);
    GridColor foreColorFixed_ = systemColor(kSysColorButtonText);
    GridColor backColorBkg_ = systemColor(kSysColorAppWorkspace);
    GridColor gridColor_ = rgbColor(192, 192, 192);
    GridColor gridColorFixed_ = rgbColor(0, 0, 0);
    int gridLineWidth_ = 1;
    bool wordWrap_ = false;

    bool redraw_ = true;
    bool pendingRedraw_ = false;
    bool visible_ = true;
    int width_ = 0;
    int height_ = 0;
    std::string toolTipText_;

    Observer observer_;
};

// Redraw off for a long fill, and back as it was however the fill ends: the
// grid is drawn once, with everything in.
class GridRedrawPause {
  public:
    explicit GridRedrawPause(GridModel& grid) : grid_(grid), was_(grid.redraw()) {
        grid_.setRedraw(false);
    }
    ~GridRedrawPause() { grid_.setRedraw(was_); }
    GridRedrawPause(const GridRedrawPause&) = delete;
    GridRedrawPause& operator=(const GridRedrawPause&) = delete;

  private:
    GridModel& grid_;
    bool was_;
};

}  // namespace qel
