#include "ui/setup/frm_qel_diag.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <set>

#include "core/seams/virtual_time.h"
#include "setup_dialog_support.h"
#include "support/fake_timing_port.h"
#include "support/scripted_prompter.h"
#include "ui/setup/setup_controls.h"

namespace qel::ui {
namespace {

using test_support::child;
using test_support::nameOf;

// A bench where some serial ports are not there at all.
class BenchPort : public test::FakeTimingPort {
  public:
    std::set<int> missing;
    bool open(int portNumber) override {
        if (missing.count(portNumber)) return false;
        return FakeTimingPort::open(portNumber);
    }
};

class FrmQelDiagTest : public ::testing::Test {
  protected:
    FrmQelDiagTest() {
        state.laneCount = 4;
        state.commPort = 2;
        for (int lane = 1; lane <= 4; ++lane)
            state.laneColor[lane] = 255 * lane;
        installation.relayIndex = kRelayNormallyClosed;
        port.setOnWrite([this](std::string_view bytes) {
            if (bytes == "V") port.feed("QELBOX 2.1\r\n");
        });
    }

    FrmQelDiag& window() {
        if (!window_) {
            // The race screen has the box's own port open when the window is asked for.
            port.open(state.commPort);
            window_ = std::make_unique<FrmQelDiag>(link, time, state, installation,
                                                   [this] { ++helpShown; });
        }
        return *window_;
    }

    QString text(const QString& name) { return child<QLabel>(window(), name)->text(); }
    QString hits(int lane) { return text(nameOf("lblHit", lane)); }
    QRadioButton* option(const char* name) { return child<QRadioButton>(window(), name); }
    std::string powerCommands() {
        std::string power;
        for (const std::string& w : port.writes())
            if (w == "E" || w == "R") power += w;
        return power;
    }

    BenchPort port;
    VirtualScheduler time;
    test::ScriptedPrompter prompter;
    RaceState state;
    InstallationSettings installation;
    RaceFormatSettings raceSettings;
    TimingLink link{port, time, prompter, state, installation, raceSettings};
    int helpShown = 0;
    std::unique_ptr<FrmQelDiag> window_;
};

TEST_F(FrmQelDiagTest, CaptionsNamesAndToolTips) {
    EXPECT_EQ(window().objectName(), "frmQelDiag");
    EXPECT_EQ(window().windowTitle(), " Diagnostic Qel Timer,  QELBOX 2.1");
    EXPECT_EQ(child<QGroupBox>(window(), "fraSensorDiagnostic")->title(), "Sensor Diagnostic");
    EXPECT_EQ(child<QGroupBox>(window(), "fraTrackCallSwitchStatus")->title(),
              "Track Call Switch Status:");
    EXPECT_EQ(child<QGroupBox>(window(), "fraTrackPower")->title(), "Track Power");
    EXPECT_EQ(text("lblFlag"), "Lane");
    EXPECT_EQ(text("Label1"), "Hits");
    EXPECT_EQ(option("optOn")->text(), "On");
    EXPECT_EQ(option("optOff")->text(), "Off");
    const std::tuple<const char*, const char*, const char*> buttons[] = {
        {"cmdReset", "Reset", "Reset number of Hits to 0"},
        {"cmdOk", "&OK", "Return to main screen"},
        {"cmdHelp", "&Help", ""}};
    for (const auto& [name, caption, tip] : buttons) {
        EXPECT_EQ(child<QPushButton>(window(), name)->text(), caption) << name;
        EXPECT_EQ(child<QPushButton>(window(), name)->toolTip(), tip) << name;
    }
    child<QLabel>(window(), "imgKestrova");
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        EXPECT_EQ(child<QLabel>(window(), nameOf("lblHit", lane))->toolTip(),
                  "Will add at least 1 count when sensor is triggered");
        const bool inUse = lane <= 4;
        EXPECT_EQ(text(nameOf("lblLaneNumber", lane)), inUse ? QString::number(lane) : "");
        EXPECT_EQ(hits(lane), inUse ? "0" : "");
        const QColor colour = child<QLabel>(window(), nameOf("lblLaneNumber", lane))
                                  ->palette()
                                  .color(QPalette::Window);
        EXPECT_EQ(colour, inUse ? setup::colourOf(255 * lane) : QColor(Qt::white)) << lane;
    }
}

TEST_F(FrmQelDiagTest, HitsCountFromWhatTheBoxSends) {
    window();
    port.feed("B12345\rB");
    time.advance(300);
    port.feed("9B\rAW");
    time.advance(300);
    EXPECT_EQ(hits(1), "1");
    EXPECT_EQ(hits(2), "3");
    EXPECT_EQ(hits(3), "0");
    // Letters of lanes the track does not have are counted only by the box.
    port.feed("H");
    time.advance(300);
    EXPECT_EQ(hits(8), "1");
    child<QPushButton>(window(), "cmdReset")->click();
    EXPECT_EQ(hits(2), "0");
    EXPECT_EQ(hits(1), "0");
    EXPECT_EQ(hits(8), "1");
}

TEST_F(FrmQelDiagTest, EachTickAsksForSensorsAndATrackCallShowsOnForOneTick) {
    window();
    port.clearWritten();
    port.feed("W");
    time.advance(300);
    EXPECT_EQ(text("lblTrackCallSwitchStatus"), "OFF");
    time.advance(300);
    EXPECT_EQ(text("lblTrackCallSwitchStatus"), "ON");
    time.advance(300);
    EXPECT_EQ(text("lblTrackCallSwitchStatus"), "OFF");
    EXPECT_EQ(port.written(), "SSS");
}

TEST_F(FrmQelDiagTest, PortReportListsOnlyPortsThatOpen) {
    port.missing = {1, 3};
    window();
    EXPECT_EQ(child<QPlainTextEdit>(window(), "txtDiag")->toPlainText(),
              "Com Ports Found:\nCOM2   QELBOX 2.1\nCOM4   QELBOX 2.1\n");
    EXPECT_EQ(port.openedPorts().back(), 2);
    EXPECT_TRUE(port.isOpen());
}

TEST_F(FrmQelDiagTest, NoSerialPortsLeaveOnlyTheHeading) {
    port.missing = {1, 2, 3, 4};
    window();
    EXPECT_EQ(child<QPlainTextEdit>(window(), "txtDiag")->toPlainText(), "Com Ports Found:\n");
}

TEST_F(FrmQelDiagTest, PowerButtonsFollowTheRelay) {
    struct Case {
        int16_t relay;
        bool enabled;
        std::string atLoad;
        std::string offThenOn;
    };
    for (const Case& c :
         {Case{kRelayNone, false, "", ""}, Case{kRelayNormallyClosed, true, "EE", "RE"},
          Case{kRelayNormallyOpen, true, "RR", "ER"}}) {
        installation.relayIndex = c.relay;
        window_.reset();
        port.clearWritten();
        window();
        EXPECT_EQ(child<QGroupBox>(window(), "fraTrackPower")->isEnabled(), c.enabled) << c.relay;
        EXPECT_EQ(option("optOn")->isEnabled(), c.enabled);
        EXPECT_EQ(option("optOff")->isEnabled(), c.enabled);
        EXPECT_EQ(option("optOn")->isChecked(), c.enabled);
        EXPECT_FALSE(option("optOff")->isChecked());
        // Power on, then the On button switches it on once more.
        EXPECT_EQ(powerCommands(), c.atLoad) << c.relay;
        port.clearWritten();
        if (c.enabled) {
            option("optOff")->click();
            EXPECT_TRUE(option("optOff")->isChecked());
            EXPECT_FALSE(option("optOn")->isChecked());
            option("optOn")->click();
        }
        EXPECT_EQ(powerCommands(), c.offThenOn) << c.relay;
    }
}

TEST_F(FrmQelDiagTest, ClosingStopsTheBoxSwitchesPowerOffAndKeepsThePortOpen) {
    window();
    port.clearWritten();
    port.feed("AAA");
    child<QPushButton>(window(), "cmdHelp")->click();
    EXPECT_EQ(helpShown, 1);
    child<QPushButton>(window(), "cmdOk")->click();
    EXPECT_EQ(port.written(), "PR");
    EXPECT_EQ(port.charactersWaiting(), 0);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(window().result(), QDialog::Accepted);
    time.advance(900);
    EXPECT_EQ(port.written(), "PR");
    EXPECT_EQ(hits(1), "0");
}

TEST_F(FrmQelDiagTest, DemoModeLeavesTheVersionEmpty) {
    raceSettings.demoMode = 1;
    EXPECT_EQ(window().windowTitle(), " Diagnostic Qel Timer,  ");
}

}  // namespace
}  // namespace qel::ui
