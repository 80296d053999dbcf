#pragma once
// The grid control of the summary, lap-time, results and next-heat windows: draws a GridModel,
// keeps its header rows and columns in place while the rest scrolls, and reports clicks by cell.
#include <QAbstractScrollArea>
#include <QFont>
#include <QHash>
#include <QRect>
#include <QSize>
#include <QStaticText>
#include <utility>
#include <vector>

#include "core/grid/grid_model.h"

namespace qel::ui {

class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
  public:
    // The model must outlive the widget; the widget is its only observer while it lives.
    explicit FlexGrid(GridModel& model, QWidget* parent = nullptr);
    ~FlexGrid() override;

    GridModel& model() const { return model_; }

    // The cell under the mouse pointer at its last move or press, -1 when over no cell.
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }

    // Viewport coordinates. cellAt gives {-1, -1} where no cell is drawn; cellRect gives an
    // empty rectangle for a cell scrolled out of view.
    std::pair<int, int> cellAt(QPoint point) const;
    QRect cellRect(int row, int col) const;

    // The first scrollable row on screen; follows the model's top row as far as the rows allow.
    int shownTopRow() const;

    QSize sizeHint() const override;

  signals:
    void cellClicked(int row, int col, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    struct Span {
        int index;  // row or column of the model
        int start;  // pixels from the viewport's top or left edge
        int size;
    };
    struct Layout {
        std::vector<Span> rows;
        std::vector<Span> cols;
        int fixedRowCount = 0;  // the first entries of rows that are fixed rows
        int fixedColCount = 0;
    };

    // A look in use, with the texts already laid out in it: a grid refilled
    // after every board redraw shows mostly the same texts again, and laying
    // out each cell's text anew is most of the cost of a paint.
    struct CachedFont {
        GridFont key;
        QFont font;
        QHash<QString, QStaticText> texts;
        const QStaticText& textFor(const QString& text);
    };

    void onModelChanged(GridModel::Change change);
    void applyWindowState();
    void syncScrollBars();
    Layout layout() const;
    void paintBlock(QPainter& painter, const Layout& layout, bool fixedRows, bool fixedCols);
    CachedFont& fontFor(const GridFont& font);
    // One line of text placed in a cell's inner rectangle by the alignment flags.
    static void drawLine(QPainter& painter, const QRect& inner, int flags, const QStaticText& text);

    GridModel& model_;
    bool syncing_ = false;
    bool shownVisible_ = true;
    QSize appliedSize_{0, 0};  // twips last taken from the model
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    // The few looks a grid uses, converted once rather than for every cell painted.
    std::vector<CachedFont> fontCache_;
};

}  // namespace qel::ui
