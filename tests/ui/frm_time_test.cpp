#include "ui/timesell/frm_time.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <memory>

#include "core/seams/virtual_time.h"
#include "core/timesell/time_window_layout.h"
#include "qt/qt_text.h"
#include "setup_dialog_support.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "ui/setup/frm_qel_login.h"
#include "ui/widgets/twips.h"

namespace qel::ui {
namespace {

using test_support::child;
using test_support::nameOf;

constexpr int32_t kLaneColours[] = {0,        255,      65280,   16711680, 65535,
                                    16776960, 16711935, 8421504, 12632256};

// The Time window over a track of four lanes selling time, lane 3 disabled;
// "Sell Time" opens the real login, which unlocks the window as the
// program's composition wires it.
class FrmTimeTest : public ::testing::Test {
  protected:
    FrmTimeTest() {
        folder.write("QelDat/QelPsd.dat", "\"pitlane\"\r\n");
        folder.write("QelDat/RaceLag.dat", "\"Median\",\"Best Lap\",0\r\n");
        state.laneCount = 4;
        state.sellTimeEnabled = 1;
        state.laneDisabled[3] = 1;
        for (int lane = 1; lane <= kMaxLanes; ++lane)
            state.laneColor[lane] = kLaneColours[lane];
        hooks.sellTime = [this] {
            LoginHooks login;
            login.timeSellingShown = [this] { return window().isVisible(); };
            login.unlockSelling = [this] {
                selling.unlockSelling();
                window().refresh();
            };
            login.showInstallation = [this] { ++installationsShown; };
            login.showChangePassword = [] {};
            login_ = std::make_unique<FrmQelLogin>(app, prompter, std::move(login));
            login_->show();
        };
        hooks.showHelp = [this] { ++helpShown; };
        selling.setTickObserver([this] {
            if (window_) window_->refresh();
        });
    }

    FrmTime& window() {
        if (!window_) window_ = std::make_unique<FrmTime>(selling, state, hooks);
        return *window_;
    }
    template <typename Widget = QLabel>
    Widget* find(const QString& name) {
        return child<Widget>(window(), name);
    }
    QString text(const char* name, int lane) { return find<QLabel>(nameOf(name, lane))->text(); }
    void click(const char* name) { find<QPushButton>(name)->click(); }
    void enterPassword(const QString& typed) {
        ASSERT_NE(login_, nullptr);
        child<QLineEdit>(*login_, "txtPassword")->setText(typed);
        child<QPushButton>(*login_, "cmdOK")->click();
    }
    int heightFor(int twips) { return twipsToPixelsY(window(), twips); }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    VirtualScheduler time{45000.5};
    RaceState state;
    RaceBoard board;
    HeatTables heats;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    RaceScreen screen{state, {raceSettings, options}, heats, board};
    test::ScriptedPrompter prompter;
    TimeSelling selling{{state, board, {raceSettings, options}, screen, app, prompter, time, time}};
    TimeHooks hooks;
    int installationsShown = 0;
    int helpShown = 0;
    std::unique_ptr<FrmQelLogin> login_;
    std::unique_ptr<FrmTime> window_;
};

TEST_F(FrmTimeTest, ControlsByNameAndCaption) {
    EXPECT_EQ(window().objectName(), "frmTime");
    EXPECT_EQ(window().windowTitle(), "Time");
    EXPECT_EQ(find<QGroupBox>("fraLaneTime")->title(), "Time Sold per Lane  H:M");
    EXPECT_EQ(find<QGroupBox>("fraTrackLength")->title(), "Time Remaining H:M:S");
    const std::pair<const char*, const char*> buttons[] = {{"cmdIncrease", "Increase"},
                                                           {"cmdDecrease", "Decrease"},
                                                           {"cmdSelectAll", "Select All"},
                                                           {"cmdDeSelectAll", "DeSelect All"},
                                                           {"cmdReset", "&Reset"},
                                                           {"cmdSellTime", "Sell Time"},
                                                           {"cmdOk", "&OK"},
                                                           {"cmdHelp", "&Help"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(find<QPushButton>(name)->text(), caption) << name;
    EXPECT_EQ(find<QLabel>("lblTimeIncrement")->text(), "By:");
    auto* increments = find<QComboBox>("cmbTimeIncrement");
    ASSERT_EQ(increments->count(), 6);
    EXPECT_EQ(increments->itemText(0), "1 minute");
    EXPECT_EQ(increments->itemText(5), "60 minutes");
    EXPECT_EQ(increments->currentIndex(), 0);
    EXPECT_NE(find<QLabel>("Picture1"), nullptr);
    EXPECT_NE(find<QGroupBox>("Frame1"), nullptr);
    EXPECT_NE(find<QGroupBox>("Frame2"), nullptr);
    for (int lane = 1; lane <= 4; ++lane) {
        EXPECT_EQ(text("lblLaneNumber", lane), QString::number(lane));
        EXPECT_EQ(find<QCheckBox>(nameOf("chkSelect", lane))->text(), "Select Lane");
        EXPECT_EQ(text("lblTimeSold", lane), lane == 3 ? " Disabled" : "00:00");
        EXPECT_EQ(text("lblTimeRemaining", lane), "0:00:00");
        for (const char* display : {"lblTimeSold", "lblTimeRemaining"}) {
            auto* label = find<QLabel>(nameOf(display, lane));
            EXPECT_EQ(label->palette().color(QPalette::Window), colourOf(kLaneColours[lane]))
                << display << lane;
        }
    }
    click("cmdHelp");
    EXPECT_EQ(helpShown, 1);
}

TEST_F(FrmTimeTest, OnlyTheAccessPasswordUnlocksTheSellingControls) {
    window().show();
    const auto sellingShown = [this] {
        return find<QGroupBox>("Frame1")->isVisible() && find<QGroupBox>("Frame2")->isVisible();
    };
    EXPECT_FALSE(sellingShown());
    EXPECT_TRUE(find<QPushButton>("cmdSellTime")->isVisible());
    EXPECT_TRUE(find<QPushButton>("cmdOk")->isVisible());
    EXPECT_EQ(window().height(), heightFor(580 * 4 + 1795));
    for (int lane = 1; lane <= 4; ++lane)
        EXPECT_FALSE(find<QCheckBox>(nameOf("chkSelect", lane))->isEnabled()) << lane;

    click("cmdSellTime");
    enterPassword("PitLane");
    EXPECT_EQ(prompter.messageTexts(),
              std::vector<std::string>{"Invalid Password, Password is case sensitive try again!"});
    EXPECT_FALSE(sellingShown());

    enterPassword("pitlane");
    EXPECT_TRUE(sellingShown());
    EXPECT_FALSE(find<QPushButton>("cmdSellTime")->isVisible());
    EXPECT_EQ(window().height(), heightFor(580 * 4 + 1795 + 1200));
    for (int lane = 1; lane <= 4; ++lane)
        EXPECT_EQ(find<QCheckBox>(nameOf("chkSelect", lane))->isEnabled(), lane != 3) << lane;
    EXPECT_EQ(installationsShown, 0);
}

TEST_F(FrmTimeTest, SizeAndLanesFollowTheLaneCount) {
    for (const int lanes : {2, 5, 8}) {
        SCOPED_TRACE(lanes);
        state.laneCount = static_cast<int16_t>(lanes);
        selling.HideSell();
        window().refresh();
        const TimeWindowLayout layout = timeWindowLayout(lanes, false);
        EXPECT_EQ(window().height(), heightFor(layout.windowHeight));
        EXPECT_EQ(find<QGroupBox>("fraLaneTime")->height(), heightFor(layout.laneFrameHeight));
        EXPECT_EQ(find<QGroupBox>("fraTrackLength")->height(), heightFor(layout.laneFrameHeight));
        EXPECT_EQ(find<QPushButton>("cmdOk")->y(), heightFor(layout.buttonTop));
        EXPECT_EQ(find<QPushButton>("cmdSellTime")->y(), heightFor(layout.buttonTop));
        EXPECT_EQ(find<QGroupBox>("Frame1")->y(), heightFor(layout.sellFrameTop));
        EXPECT_EQ(find<QLabel>("Picture1")->y(), heightFor(layout.pictureTop));
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            for (const char* control :
                 {"lblLaneNumber", "chkSelect", "lblTimeSold", "lblTimeRemaining"}) {
                EXPECT_EQ(find<QWidget>(nameOf(control, lane))->isHidden(), lane > lanes)
                    << control << lane;
            }
        }
        selling.unlockSelling();
        window().refresh();
        EXPECT_EQ(window().height(), heightFor(timeWindowLayout(lanes, true).windowHeight));
    }
}

TEST_F(FrmTimeTest, SellingThroughTheButtonsStartsTheClocksOnOk) {
    window().show();
    selling.unlockSelling();
    window().refresh();
    find<QCheckBox>("chkSelect_1")->click();
    find<QCheckBox>("chkSelect_2")->click();
    find<QComboBox>("cmbTimeIncrement")->setCurrentIndex(1);
    EXPECT_EQ(state.timeIncrementIndex, 1);
    click("cmdIncrease");
    click("cmdIncrease");
    EXPECT_EQ(text("lblTimeSold", 1), "00:10");
    click("cmdDecrease");
    EXPECT_EQ(text("lblTimeSold", 1), "00:05");
    EXPECT_EQ(text("lblTimeSold", 2), "00:05");
    EXPECT_EQ(text("lblTimeSold", 4), "00:00");

    click("cmdOk");
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(selling.sellingMode());
    EXPECT_FALSE(find<QCheckBox>("chkSelect_1")->isChecked());
    EXPECT_EQ(text("lblTimeRemaining", 1), "0:05:00");
    time.advance(60'000);
    EXPECT_EQ(text("lblTimeRemaining", 1), "0:04:00");
    EXPECT_EQ(text("lblTimeRemaining", 4), "0:00:00");

    // Select All, then Reset, ends every lane in use but the disabled one.
    window().show();
    selling.unlockSelling();
    window().refresh();
    click("cmdSelectAll");
    for (int lane = 1; lane <= 4; ++lane)
        EXPECT_EQ(find<QCheckBox>(nameOf("chkSelect", lane))->isChecked(), lane != 3) << lane;
    click("cmdReset");
    EXPECT_EQ(text("lblTimeSold", 1), "00:00");
    EXPECT_EQ(text("lblTimeRemaining", 2), "0:00:00");
    EXPECT_EQ(state.laneTimeRunning[1], 0);
    click("cmdDeSelectAll");
    EXPECT_FALSE(find<QCheckBox>("chkSelect_1")->isChecked());
}

TEST_F(FrmTimeTest, TheCloseBoxOnlyHidesTheWindowAndTheClocksRunOn) {
    QPointer<FrmTime> shown = &window();
    window().show();
    selling.unlockSelling();
    window().refresh();
    find<QCheckBox>("chkSelect_1")->click();
    click("cmdIncrease");
    click("cmdOk");
    window().show();
    selling.unlockSelling();
    window().refresh();
    find<QCheckBox>("chkSelect_2")->click();

    window().close();
    EXPECT_FALSE(shown.isNull());
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(selling.sellingMode());
    EXPECT_FALSE(find<QCheckBox>("chkSelect_2")->isChecked());
    EXPECT_TRUE(selling.sellTimer().enabled());
    time.advance(30'000);
    EXPECT_EQ(text("lblTimeRemaining", 1), "0:00:30");
}

}  // namespace
}  // namespace qel::ui
