#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>

#include "support/start_lights_bench.h"
#include "ui/board/frm_drag_racing.h"
#include "ui/board/frm_formula1.h"

namespace qel::ui {
namespace {

class FrmStartLightsTest : public ::testing::Test, protected test::StartLightsBench {
  protected:
    ~FrmStartLightsTest() override { delete window.data(); }
    QColor lamp(int index) {
        auto* shape = window->findChild<QWidget*>(QString("Shape1_%1").arg(index));
        EXPECT_NE(shape, nullptr) << index;
        return shape ? shape->palette().color(QPalette::Window) : QColor();
    }
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<FrmStartLights> window;
};

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

TEST_F(FrmStartLightsTest, Formula1LampsLightAsTheSequenceSays) {
    window = new FrmQelFormula1(time, random, services(), hooks());
    EXPECT_EQ(window->objectName(), "frmQelFormula1");
    for (int i = 0; i < kLampCount; ++i)
        EXPECT_NE(lamp(i), kRed);
    time.advance(2000);
    EXPECT_EQ(lamp(0), kRed);
    EXPECT_NE(lamp(1), kRed);
    // The gantry is four lamps side by side, each as tall as the window.
    auto* first = window->findChild<QWidget*>("Shape1_0");
    auto* second = window->findChild<QWidget*>("Shape1_1");
    EXPECT_EQ(first->height(), window->height());
    EXPECT_GT(second->x(), first->x());
    EXPECT_EQ(second->y(), first->y());
}

TEST_F(FrmStartLightsTest, Formula1RightClickGivesGreenOnTheNextTick) {
    window = new FrmQelFormula1(time, random, services(), hooks());
    time.advance(3000);
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(5, 5));
    time.advance(1000);
    for (int i = 0; i < kLampCount; ++i)
        EXPECT_EQ(lamp(i), kGreen) << i;
    EXPECT_TRUE(raceTick->enabled());
    time.advance(500);
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(calls, (std::vector<std::string>{"flag 1", "closed"}));
}

TEST_F(FrmStartLightsTest, DragTreeStandsUprightAndTurnsGreenAtThreeSeconds) {
    options.dragStart = -1;
    window = new FrmQelDragRacing(time, services(), hooks());
    EXPECT_EQ(window->objectName(), "frmQelDragRacing");
    EXPECT_GT(window->height(), window->width());
    time.advance(2500);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lamp(i), kYellow) << i;
    EXPECT_NE(lamp(3), kGreen);
    time.advance(500);
    EXPECT_EQ(lamp(3), kGreen);
    auto* top = window->findChild<QWidget*>("Shape1_0");
    auto* bottom = window->findChild<QWidget*>("Shape1_3");
    EXPECT_GT(bottom->y(), top->y());
    EXPECT_EQ(bottom->x(), top->x());
}

TEST_F(FrmStartLightsTest, EscClosesTheWindowAndResetsTheRace) {
    const struct {
        bool formula1;
        bool byFrame;
    } cases[] = {{true, false}, {false, false}, {false, true}};
    for (const auto& c : cases) {
        calls.clear();
        if (c.formula1)
            window = new FrmQelFormula1(time, random, services(), hooks());
        else
            window = new FrmQelDragRacing(time, services(), hooks());
        window->show();
        time.advance(1200);
        if (c.byFrame)
            window->close();
        else
            QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_EQ(calls, (std::vector<std::string>{"closed", "reset"}));
        settle();
        EXPECT_TRUE(window.isNull());
        time.advance(10000);
        EXPECT_FALSE(raceTick->enabled());
        EXPECT_EQ(port.written(), "");
    }
}

}  // namespace
}  // namespace qel::ui
