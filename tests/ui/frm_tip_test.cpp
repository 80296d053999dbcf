#include "ui/shell/frm_tip.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/shell/tip_startup_setting.h"
#include "platform/qt_user_settings.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "support/temp_settings_store.h"

namespace qel::ui {
namespace {
using platform::QtUserSettings;

class FrmTipTest : public ::testing::Test {
  protected:
    template <typename Widget>
    Widget* find(const QString& name) {
        auto* widget = window.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString tipText() { return find<QLabel>("lblTipText")->text(); }

    test::TempSettingsStore store;
    test::TempFolder folder;
    AppFolder app{folder.path()};
    test::ScriptedRandom random{{0.0, 0.5}};
    QtUserSettings settings;
    FrmTip window{app, random, settings};
};

TEST_F(FrmTipTest, ShowsARandomTipWithItsControls) {
    folder.write("QelDat/TIPOFDAY.TXT", "First tip.\r\nSecond tip.\r\n");
    ASSERT_TRUE(window.load());
    EXPECT_EQ(window.objectName(), "frmTip");
    EXPECT_EQ(window.windowTitle(), "Tip of the Day");
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Did you know...");
    EXPECT_EQ(find<QPushButton>("cmdNextTip")->text(), "&Next Tip");
    EXPECT_EQ(find<QPushButton>("cmdOK")->text(), "OK");
    EXPECT_EQ(find<QCheckBox>("chkLoadTipsAtStartup")->text(), "&Show Tips at Startup");
    EXPECT_FALSE(find<QLabel>("Picture1")->pixmap().isNull());
    EXPECT_TRUE(find<QCheckBox>("chkLoadTipsAtStartup")->isChecked());
    EXPECT_EQ(tipText(), "First tip.");
}

TEST_F(FrmTipTest, NextTipShowsTheNextDraw) {
    folder.write("QelDat/TIPOFDAY.TXT", "First tip.\r\nSecond tip.\r\n");
    ASSERT_TRUE(window.load());
    QTest::mouseClick(find<QPushButton>("cmdNextTip"), Qt::LeftButton);
    EXPECT_EQ(tipText(), "Second tip.");
}

TEST_F(FrmTipTest, UntickingIsStoredForTheNextStartAndReachesTheOptions) {
    ASSERT_TRUE(window.load());
    QTest::mouseClick(find<QCheckBox>("chkLoadTipsAtStartup"), Qt::LeftButton);
    EXPECT_EQ(test::TempSettingsStore::stored("Options/Show Tips at Startup").toString(), "0");
    // The Options dialog's "Show Tip of the Day at Start-Up" tick shows this setting.
    EXPECT_FALSE(readShowTipsAtStartup(settings));

    FrmTip next(app, random, settings);
    EXPECT_FALSE(next.load());
}

TEST_F(FrmTipTest, TurnedOffItDoesNotLoad) {
    test::TempSettingsStore::store("Options/Show Tips at Startup", "0");
    EXPECT_FALSE(window.load());
    EXPECT_EQ(tipText(), "");
}

TEST_F(FrmTipTest, MissingTipsFileExplainsOnSeparateLines) {
    ASSERT_TRUE(window.load());
    EXPECT_EQ(tipText(),
              "That the TIPOFDAY.TXT file was not found? \n\n"
              "Create a text file named TIPOFDAY.TXT using NotePad with 1 tip per line. "
              "Then place it in the same directory as the application. ");
}

TEST_F(FrmTipTest, OkClosesIt) {
    ASSERT_TRUE(window.load());
    window.show();
    QTest::mouseClick(find<QPushButton>("cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qel::ui
