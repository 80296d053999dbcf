// Selling time by lane as the race director reaches it: the Time item that
// follows the installation's "Sell Time by Lane", the Time window behind the
// access password, its close box, and Installation's Disable boxes.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/setup/installation_file.h"
#include "core/timesell/time_selling.h"
#include "operator_desk.h"

namespace qel {
namespace {

class TimeSellingPath : public test::OperatorDesk {
  protected:
    // As an earlier night's Installation OK left the track.
    void sellTimeByLane() {
        const AppFolder app(folder.path());
        InstallationSettings track;
        readInstallationFile(app, track);
        track.sellTimeEnabled = 1;
        writeInstallationFile(app, track);
    }
    bool timeItemShown() { return desk().window().mainMenu().action("mnuTime")->isVisible(); }
    QWidget& timeWindow() {
        auto* window = desk().window().findChild<QWidget*>("frmTime");
        EXPECT_NE(window, nullptr);
        return *window;
    }
    QString timeText(const char* label) {
        return test::control<QLabel>(timeWindow(), label)->text();
    }

    // The password typed into the login that "Sell Time" or the menu opens.
    void login(const QString& password, std::function<void()> then = {}) {
        desk().hands.expect("frmQelLogin", [this, password, then](QWidget& dialog) {
            if (then) then();
            test::control<QLineEdit>(dialog, "txtPassword")->setText(password);
            test::click(dialog, "cmdOK");
        });
    }
    // The Time window opened from the menu; what the hands do there, then OK.
    void onTimeWindow(std::function<void(QWidget&)> hands, bool ok = true) {
        desk().hands.expect("frmTime", [hands, ok](QWidget& window) {
            hands(window);
            if (ok) test::click(window, "cmdOk");
        });
        desk().chooseMenu("mnuTime");
        EXPECT_TRUE(desk().hands.done());
    }
    // "Sell Time", the password, then the lanes ticked and increased.
    void sell(QWidget& window, std::initializer_list<int> lanes, const char* increment) {
        login("pitlane");
        test::click(window, "cmdSellTime");
        for (int lane : lanes)
            test::click(window, ("chkSelect_" + std::to_string(lane)).c_str());
        test::choose(window, "cmbTimeIncrement", increment);
        test::click(window, "cmdIncrease");
    }
};

TEST_F(TimeSellingPath, TheTimeItemFollowsSellTimeByLane) {
    start();
    EXPECT_FALSE(timeItemShown());
    // With nothing to sell the countdown stops at its first tick.
    runUntil([] { return false; }, 1000);
    EXPECT_FALSE(desk().program.timeSelling().sellTimer().enabled());

    // Turned on in Installation; there is no box, so the demo it is.
    login("pitlane");
    desk().hands.expect("frmQelInstallation", [](QWidget& dialog) {
        test::click(dialog, "chkSellTime");
        test::click(dialog, "cmdOk");
    });
    answerMessage(Qt::Key_Escape);
    desk().chooseMenu("mnuInstallation");
    ASSERT_TRUE(runUntil([&] { return desk().hands.done(); }, 1000));
    EXPECT_TRUE(timeItemShown());

    // Time sold now counts down: the countdown came back with the setting.
    onTimeWindow([this](QWidget& window) { sell(window, {1}, "5 minutes"); });
    ASSERT_TRUE(runUntil([&] { return timeText("lblTimeRemaining_1") == "0:04:00"; }, 61'000));
}

TEST_F(TimeSellingPath, AWrongPasswordLeavesTheWindowInDisplayMode) {
    sellTimeByLane();
    start();
    ASSERT_TRUE(timeItemShown());
    onTimeWindow(
        [this](QWidget& window) {
            desk().hands.expect("frmQelLogin", [this](QWidget& dialog) {
                answerMessage(Qt::Key_Return);
                test::control<QLineEdit>(dialog, "txtPassword")->setText("PITLANE");
                test::click(dialog, "cmdOK");
                test::click(dialog, "cmdCancel");
            });
            test::click(window, "cmdSellTime");
            EXPECT_FALSE(test::control<QGroupBox>(window, "Frame1")->isVisible());
            EXPECT_TRUE(test::control<QWidget>(window, "cmdSellTime")->isVisible());
        },
        true);
    EXPECT_EQ(desk().hands.messagesSeen(),
              std::vector<std::string>{"Invalid Password, Password is case sensitive try again!"});
}

TEST_F(TimeSellingPath, TheCloseBoxOnlyHidesTheWindowAndTheClocksRunOn) {
    sellTimeByLane();
    start();
    onTimeWindow([this](QWidget& window) { sell(window, {1, 2}, "10 minutes"); });
    // Back in selling mode, then the close box instead of OK.
    onTimeWindow(
        [this](QWidget& window) {
            sell(window, {2}, "5 minutes");
            window.close();
        },
        false);
    QWidget& window = timeWindow();
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(runUntil([&] { return timeText("lblTimeRemaining_1") == "0:09:30"; }, 31'000));
    // What the close box left without OK is not in force.
    EXPECT_EQ(timeText("lblTimeRemaining_2"), "0:09:30");

    onTimeWindow([](QWidget& shown) {
        EXPECT_FALSE(test::control<QGroupBox>(shown, "Frame1")->isVisible());
        EXPECT_TRUE(test::control<QWidget>(shown, "cmdSellTime")->isVisible());
    });
}

TEST_F(TimeSellingPath, ALaneTakenBackIntoUseStartsFromNothingTheOthersKeepTheirTime) {
    sellTimeByLane();
    start();
    onTimeWindow([this](QWidget& window) { sell(window, {1, 2, 3}, "10 minutes"); });

    login("pitlane");
    desk().hands.expect("frmQelInstallation", [](QWidget& dialog) {
        test::click(dialog, "chkDisable_2");
        test::click(dialog, "chkDisable_2");
        test::click(dialog, "cmdCancel");
    });
    desk().chooseMenu("mnuInstallation");
    ASSERT_TRUE(runUntil([&] { return desk().hands.done(); }, 1000));

    ASSERT_TRUE(runUntil([&] { return timeText("lblTimeRemaining_1") == "0:09:00"; }, 61'000));
    EXPECT_EQ(timeText("lblTimeSold_1"), "00:10");
    EXPECT_EQ(timeText("lblTimeSold_2"), "00:00");
    EXPECT_EQ(timeText("lblTimeRemaining_2"), "0:00:00");
    EXPECT_EQ(timeText("lblTimeRemaining_3"), "0:09:00");
}

}  // namespace
}  // namespace qel
