#include "ui/shell/frm_qel_splash1.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <vector>

#include "core/seams/virtual_time.h"

namespace qel::ui {
namespace {

class FrmQelSplash1Test : public ::testing::Test {
  protected:
    FrmQelSplash1Test() {
        splash.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&splash));
    }

    VirtualScheduler time;
    std::vector<QRect> mainWindowShown;
    FrmQelSplash1 splash{time, [this](const QRect& rect) { mainWindowShown.push_back(rect); }};
};

TEST_F(FrmQelSplash1Test, ShowsTheLogoTheProductAndTheVersion) {
    EXPECT_EQ(splash.objectName(), "frmQelSplash1");
    ASSERT_NE(splash.findChild<QFrame*>("Frame1"), nullptr);
    auto* logo = splash.findChild<QLabel*>("imgKestrova");
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
    EXPECT_EQ(splash.findChild<QLabel*>("lblProductName")->text(), "Slot Car Racing Software");
    EXPECT_EQ(splash.findChild<QLabel*>("lblVersion")->text(), "Version 5.1.0");
}

TEST_F(FrmQelSplash1Test, AfterOneSecondTheRaceScreenFillsTheScreenWidth) {
    time.advance(999);
    EXPECT_TRUE(mainWindowShown.empty());
    EXPECT_TRUE(splash.isVisible());
    time.advance(1);
    ASSERT_EQ(mainWindowShown.size(), 1u);
    EXPECT_FALSE(splash.isVisible());

    const QScreen* screen = splash.screen();
    const QRect area = screen->geometry();
    const int strip = static_cast<int>(std::lround(500 * screen->logicalDotsPerInchY() / 1440));
    EXPECT_EQ(mainWindowShown[0], QRect(area.x(), area.y(), area.width(), area.height() - strip));
    time.advance(5000);
    EXPECT_EQ(mainWindowShown.size(), 1u);
}

TEST_F(FrmQelSplash1Test, AnyKeyEndsItAtOnce) {
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_EQ(mainWindowShown.size(), 1u);
    EXPECT_TRUE(splash.ended());
    time.advance(1000);
    EXPECT_EQ(mainWindowShown.size(), 1u);
}

TEST(FrmQelSplash1, AClickOnTheFrameLogoNameOrVersionEndsIt) {
    for (const char* name : {"Frame1", "imgKestrova", "lblProductName", "lblVersion"}) {
        VirtualScheduler time;
        int shown = 0;
        FrmQelSplash1 splash(time, [&](const QRect&) { ++shown; });
        splash.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
        auto* target = splash.findChild<QWidget*>(name);
        ASSERT_NE(target, nullptr) << name;
        QTest::mouseClick(target, Qt::LeftButton);
        EXPECT_EQ(shown, 1) << name;
        EXPECT_FALSE(splash.isVisible()) << name;
    }
}

}  // namespace
}  // namespace qel::ui
