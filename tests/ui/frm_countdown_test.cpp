#include "ui/board/frm_countdown.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/seams/virtual_time.h"

namespace qel::ui {
namespace {

class FrmCountdownTest : public ::testing::Test {
  protected:
    StartCountdownHooks hooks() {
        StartCountdownHooks h;
        h.closed = [this] { ++closed; };
        return h;
    }
    template <typename Widget>
    Widget* find(const QString& name) {
        auto* widget = window.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString count() { return find<QLabel>("lblCountDown")->text(); }

    VirtualScheduler time;
    RaceBoard board;
    int16_t startDelay = 0;
    int closed = 0;
    FrmQelCountdown window{time, board, startDelay, 3, hooks()};
};

TEST_F(FrmCountdownTest, ControlsCarryTheirNamesCaptionsAndTheCount) {
    EXPECT_EQ(window.objectName(), "frmQelCountdown");
    EXPECT_EQ(window.windowTitle(), "  Kestrova Qel Timer Delay");
    EXPECT_EQ(find<QPushButton>("cmdSkip")->text(), "Skip Delay");
    EXPECT_TRUE(find<QPushButton>("cmdSkip")->isDefault());
    EXPECT_EQ(find<QPushButton>("cmdPauseDelay")->text(), "Pause Delay");
    auto* label = find<QLabel>("lblCountDown");
    EXPECT_EQ(label->toolTip(), "To skip delay, click form or press \"Enter\" or \"Space bar\".");
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pointSize(), 250);
    EXPECT_FALSE(board.startEnabled);
    EXPECT_EQ(count(), "3");
    time.advance(1000);
    EXPECT_EQ(count(), "3");
    time.advance(3000);
    EXPECT_EQ(count(), "0");
    time.advance(1000);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(FrmCountdownTest, PauseButtonTogglesItsCaptionAndHoldsTheCount) {
    time.advance(1000);
    auto* pause = find<QPushButton>("cmdPauseDelay");
    pause->click();
    EXPECT_EQ(pause->text(), "Continue Delay");
    time.advance(5000);
    EXPECT_EQ(count(), "3");
    pause->click();
    EXPECT_EQ(pause->text(), "Pause Delay");
    time.advance(1000);
    EXPECT_EQ(count(), "2");
}

TEST_F(FrmCountdownTest, PausedBeforeTheFirstTickShowsTheSecondsLeft) {
    window.show();
    find<QPushButton>("cmdPauseDelay")->click();
    time.advance(10000);
    EXPECT_EQ(count(), "3");
    // What the drivers see: the digits are painted, not only held by the label.
    QLabel* label = find<QLabel>("lblCountDown");
    const QImage shown = label->grab().toImage();
    const QColor back = shown.pixelColor(0, 0);
    bool painted = false;
    for (int y = 0; y < shown.height() && !painted; y += 2)
        for (int x = 0; x < shown.width() && !painted; x += 2)
            painted = shown.pixelColor(x, y) != back;
    EXPECT_TRUE(painted);
}

TEST_F(FrmCountdownTest, SpaceOnSkipOrAClickOnTheCountSkipsTheDelay) {
    const struct { const char* how; } cases[] = {{"space"}, {"label"}, {"window"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        int skipped = 0;
        StartCountdownHooks h;
        h.closed = [&] { ++skipped; };
        FrmQelCountdown one{time, board, startDelay, 5, std::move(h)};
        const std::string how = c.how;
        if (how == "space")
            QTest::keyClick(one.findChild<QPushButton*>("cmdSkip"), Qt::Key_Space);
        else if (how == "label")
            QTest::mouseClick(one.findChild<QLabel*>("lblCountDown"), Qt::LeftButton);
        else
            QTest::mouseClick(&one, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(skipped, 1);
        EXPECT_TRUE(board.startEnabled);
        EXPECT_FALSE(one.model().isOpen());
    }
}

TEST_F(FrmCountdownTest, EscDoesNotEndTheDelay) {
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.model().isOpen());
    EXPECT_EQ(closed, 0);
}

}  // namespace
}  // namespace qel::ui
