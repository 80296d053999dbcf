#include "ui/widgets/flex_grid.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "core/grid/grid_color.h"
#include "core/grid/grid_model.h"
#include "ui/widgets/twips.h"

namespace qel::ui {
namespace {

class PaintCounter : public QObject {
  public:
    using QObject::QObject;
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QColor pixelAt(QWidget* widget, QPoint point) {
    return widget->grab().toImage().pixelColor(point);
}

// The lap-time grid as a race leaves it: two header rows, the lap column, eight lanes.
class FlexGridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = std::make_unique<FlexGrid>(model);
        grid->setObjectName("grdLaps");
        grid->resize(640, 400);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
        counter = new PaintCounter(grid.get());
        grid->viewport()->installEventFilter(counter);
        settle();
    }

    void settle() {
        QTest::qWait(30);
        counter->paints = 0;
    }

    void fillTimes(const char* text) {
        for (int r = 2; r < model.rows(); ++r) {
            for (int c = 1; c < model.cols(); ++c)
                model.setTextMatrix(r, c, text);
        }
    }

    GridModel model{3002, 9, 2, 1};
    std::unique_ptr<FlexGrid> grid;
    PaintCounter* counter = nullptr;
};

TEST_F(FlexGridTest, RepaintsWhenTheModelChangesOnlyWhileRedrawIsOn) {
    model.setTextMatrix(2, 1, "4.125");
    QTest::qWait(30);
    EXPECT_GT(counter->paints, 0);

    settle();
    model.setRedraw(false);
    fillTimes("3.875");
    model.setCellBackColor(2, 1, rgbColor(255, 0, 0));
    QTest::qWait(30);
    EXPECT_EQ(counter->paints, 0);

    model.setRedraw(true);
    QTest::qWait(30);
    EXPECT_GT(counter->paints, 0);
    const QRect cell = grid->cellRect(2, 1);
    EXPECT_EQ(pixelAt(grid->viewport(), cell.topLeft() + QPoint(1, 1)), QColor(255, 0, 0));
}

TEST_F(FlexGridTest, SizesFollowTheTwipsAtTheScreensResolution) {
    model.setColWidth(1, 1440);
    model.setRowHeight(2, 720);
    const QRect cell = grid->cellRect(2, 1);
    EXPECT_EQ(cell.width(), grid->logicalDpiX());
    EXPECT_EQ(cell.height(), grid->logicalDpiY() / 2);
    EXPECT_EQ(cell.left(), twipsToPixelsX(*grid, GridModel::kDefaultColWidth));
    EXPECT_EQ(cell.top(), 2 * twipsToPixelsY(*grid, GridModel::kDefaultRowHeight));
}

TEST_F(FlexGridTest, TopRowScrollsBothWaysAndHeadersStayPut) {
    const QColor headerBlue(0, 0, 255);
    model.setCellBackColor(0, 1, rgbColor(0, 0, 255));
    model.setTextMatrix(1, 0, "Lap");

    model.setTopRow(1500);
    EXPECT_EQ(grid->shownTopRow(), 1500);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 1498);
    const QRect header = grid->cellRect(0, 1);
    ASSERT_FALSE(header.isEmpty());
    EXPECT_EQ(pixelAt(grid->viewport(), header.topLeft() + QPoint(1, 1)), headerBlue);
    EXPECT_TRUE(grid->cellRect(2, 1).isEmpty());
    EXPECT_EQ(grid->cellRect(1500, 1).top(), grid->cellRect(1, 1).bottom() + 1);

    // The operator's scrolling moves the model's top row.
    grid->verticalScrollBar()->setValue(100);
    EXPECT_EQ(model.topRow(), 102);

    // A top row past the last full page shows the last page but keeps the race's choice.
    model.setRows(32);
    model.setTopRow(30);
    EXPECT_EQ(model.topRow(), 30);
    EXPECT_LT(grid->shownTopRow(), 30);
    EXPECT_FALSE(grid->cellRect(31, 1).isEmpty());
}

TEST_F(FlexGridTest, ClicksReportTheCellAndButton) {
    QSignalSpy clicks(grid.get(), &FlexGrid::cellClicked);
    model.setTopRow(100);

    struct Case {
        int row;
        int col;
        Qt::MouseButton button;
    };
    for (const Case c : {Case{101, 3, Qt::RightButton}, Case{0, 2, Qt::LeftButton},
                         Case{104, 0, Qt::LeftButton}}) {
        QTest::mouseClick(grid->viewport(), c.button, {}, grid->cellRect(c.row, c.col).center());
        ASSERT_FALSE(clicks.isEmpty());
        const QList<QVariant> args = clicks.takeFirst();
        EXPECT_EQ(args.at(0).toInt(), c.row);
        EXPECT_EQ(args.at(1).toInt(), c.col);
        EXPECT_EQ(args.at(2).value<Qt::MouseButton>(), c.button);
        EXPECT_EQ(grid->mouseRow(), c.row);
        EXPECT_EQ(grid->mouseCol(), c.col);
    }

    // Beyond the last column there is no cell to act on.
    model.setCols(2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(600, 100));
    EXPECT_TRUE(clicks.isEmpty());
    EXPECT_EQ(grid->mouseRow(), -1);
    EXPECT_EQ(grid->mouseCol(), -1);
}

TEST_F(FlexGridTest, WindowStateFollowsTheModelEvenWithRedrawOff) {
    model.setRedraw(false);
    model.setToolTipText("Use left click to add or right click to subtract");
    EXPECT_EQ(grid->toolTip(), "Use left click to add or right click to subtract");
    model.setVisible(false);
    EXPECT_FALSE(grid->isVisible());
    model.setVisible(true);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_EQ(grid->size(), QSize(640, 400));  // a tooltip is no reason to resize
    model.setWidth(9450);
    EXPECT_EQ(grid->sizeHint().width(), twipsToPixelsX(*grid, 9450));
    EXPECT_EQ(grid->width(), twipsToPixelsX(*grid, 9450));
    EXPECT_EQ(grid->height(), 400);
}

TEST(FlexGridLifetime, ModelOutlivingTheWidgetNotifiesNobody) {
    GridModel model(4, 4, 1, 1);
    { FlexGrid grid(model); }
    model.setTextMatrix(1, 1, "after");  // must not reach the destroyed widget
    EXPECT_EQ(model.textMatrix(1, 1), "after");
}

}  // namespace
}  // namespace qel::ui
