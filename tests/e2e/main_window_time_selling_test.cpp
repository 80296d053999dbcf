// A commercial night in demo mode, offscreen, on virtual time: "Sell Time by
// Lane" is on in the installation, the race director sells time through the
// Time window behind the access password, and the practice counts each lane
// only while its time runs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/seams/virtual_time.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

constexpr int kTickMs = 100;
constexpr int kLanes = 4;

template <typename Widget>
Widget* control(QWidget& window, const QString& name) {
    auto* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

void click(QWidget& window, const QString& name) {
    if (auto* button = control<QAbstractButton>(window, name)) button->click();
}

class MainWindowTimeSelling : public ::testing::Test {
  protected:
    MainWindowTimeSelling() {
        test::copyShippedApplicationFolder(folder);
        folder.write("QelDat/QelPorts.dat", "\"/nonexistent/qelbox\"\r\n");
        test::changeInstallationFile(AppFolder(folder.path()), [](InstallationSettings& track) {
            track.sellTimeEnabled = 1;
        });
        program.start();
    }
    ~MainWindowTimeSelling() override {
        for (const std::string& window : program.hands.unexpected())
            ADD_FAILURE() << "unexpected window: " << window;
    }

    void run(int64_t ms) {
        for (int64_t passed = 0; passed < ms; passed += kTickMs)
            time.advance(kTickMs);
    }
    QWidget* timeWindow() { return program.window().findChild<QWidget*>("frmTime"); }
    QString timeWindowText(const QString& name) {
        QWidget* window = timeWindow();
        if (!window) return "<no frmTime>";
        auto* label = window->findChild<QLabel*>(name);
        return label ? label->text() : "<no " + name + ">";
    }

    test::TempFolder folder;
    platform::SerialPort port{AppFolder(folder.path())};
    VirtualScheduler time{46000.5};
    test::ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6, 0.35}};
    test::RecordingSoundDevice sound;
    test::MainWindowProgram program{folder.path(), port, time, time, random, sound};
};

TEST_F(MainWindowTimeSelling, ALaneSoldAMinuteStopsCountingWhileTheOthersGoOn) {
    ASSERT_TRUE(program.window().mainMenu().action("mnuTime")->isVisible());
    ASSERT_EQ(program.text("lblRaceFormat"), "Demo - Practice");

    // Lane 1 gets a minute, the other lanes five, then OK starts the clocks.
    program.hands.expect("frmTime", [](QWidget& window) {
        click(window, "cmdSellTime");
        click(window, "chkSelect_1");
        auto* increments = control<QComboBox>(window, "cmbTimeIncrement");
        increments->setCurrentIndex(increments->findText("1 minute"));
        click(window, "cmdIncrease");
        for (const char* tick : {"chkSelect_1", "chkSelect_2", "chkSelect_3", "chkSelect_4"})
            click(window, tick);
        increments->setCurrentIndex(increments->findText("5 minutes"));
        click(window, "cmdIncrease");
        click(window, "cmdOk");
    });
    program.hands.expect("frmQelLogin", [](QWidget& login) {
        control<QLineEdit>(login, "txtPassword")->setText("pitlane");
        click(login, "cmdOK");
    });
    program.chooseMenu("mnuTime");
    ASSERT_TRUE(program.hands.done());
    ASSERT_NE(timeWindow(), nullptr);
    EXPECT_FALSE(timeWindow()->isVisible());
    EXPECT_EQ(timeWindowText("lblTimeSold_1"), "00:01");
    EXPECT_EQ(timeWindowText("lblTimeSold_2"), "00:05");

    // Between races the board's best column shows the time left.
    run(1000);
    EXPECT_EQ(program.text("lblBestLap"), "Time Left");
    EXPECT_EQ(program.cell("lblBest", 1), "0:00:59");
    EXPECT_EQ(program.cell("lblBest", 4), "0:04:59");

    program.pressStart();
    ASSERT_EQ(program.startCaption(), "Pause");
    // Lane 1's minute ends 59 seconds into the practice.
    run(60'000);
    const RaceState& s = program.engine.state();
    const auto lapsAtTheMinute = s.lapCount;
    EXPECT_GE(lapsAtTheMinute[1], 10);
    EXPECT_LE(s.lastPassMs[1], 59'000);
    EXPECT_GT(s.lastPassMs[1], 45'000);

    run(60'000);
    EXPECT_EQ(s.lapCount[1], lapsAtTheMinute[1]);
    for (int lane = 2; lane <= kLanes; ++lane) {
        EXPECT_GE(s.lapCount[lane], lapsAtTheMinute[lane] + 10) << "lane " << lane;
        EXPECT_GT(s.lastPassMs[lane], 110'000) << "lane " << lane;
    }
    // The board no longer shows lap times for the lane out of time.
    EXPECT_TRUE(program.cell("lblLapTime", 1).isEmpty());
    EXPECT_FALSE(program.cell("lblLapTime", 2).isEmpty());
    EXPECT_EQ(timeWindowText("lblTimeSold_1"), "00:00");
    EXPECT_EQ(timeWindowText("lblTimeRemaining_1"), "0:00:00");
    EXPECT_EQ(timeWindowText("lblTimeSold_2"), "00:05");
    EXPECT_EQ(timeWindowText("lblTimeRemaining_2"), "0:02:59");
    EXPECT_TRUE(program.prompter.messages().empty());
}

}  // namespace
}  // namespace qel
