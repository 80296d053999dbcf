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
    // Lit lamps that touched would show one bar of colour: on screen each lamp
    // lies inside the window, in line with the others, and at least one pixel
    // of dark window separates it from the next.
    void expectSeparateLamps(Qt::Orientation line) {
        QRect before;
        for (int i = 0; i < kLampCount; ++i) {
            auto* shape = window->findChild<QWidget*>(QString("Shape1_%1").arg(i));
            ASSERT_NE(shape, nullptr) << i;
            const QRect lamp = shape->geometry();
            EXPECT_FALSE(lamp.isEmpty()) << i;
            EXPECT_TRUE(window->rect().contains(lamp)) << i;
            if (i > 0) {
                if (line == Qt::Horizontal) {
                    EXPECT_GT(lamp.left(), before.right() + 1) << i;
                    EXPECT_EQ(lamp.top(), before.top()) << i;
                } else {
                    EXPECT_GT(lamp.top(), before.bottom() + 1) << i;
                    EXPECT_EQ(lamp.left(), before.left()) << i;
                }
            }
            before = lamp;
        }
    }

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
    // The gantry is four lamps side by side, with dark window between them.
    expectSeparateLamps(Qt::Horizontal);
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
    expectSeparateLamps(Qt::Vertical);
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
