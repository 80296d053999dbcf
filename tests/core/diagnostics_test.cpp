// The Diagnostic window over a timing box on the bench: sensor hits, the
// track call, track power, the port report and what closing leaves behind.
#include "core/engine/diagnostics.h"

#include <gtest/gtest.h>

#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/scripted_prompter.h"

namespace qel {
namespace {

class DiagnosticsTest : public ::testing::Test {
  protected:
    DiagnosticsTest() {
        state.laneCount = 4;
        state.commPort = 2;
        for (int lane = 1; lane <= kMaxLanes; ++lane)
            state.laneColor[lane] = 255 * lane;
        installation.relayIndex = kRelayNormallyClosed;
        // A box that answers the version query on every port.
        port.setOnWrite([this](std::string_view bytes) {
            if (bytes == "V") port.feed("QEL 2.1\r\n");
        });
    }

    // What the tick receives on the next 300 ms.
    void tickWith(std::string_view fromBox) {
        port.feed(fromBox);
        time.advance(kDiagnosticsTickMs);
    }

    test::FakeTimingPort port;
    VirtualScheduler time;
    test::ScriptedPrompter prompter;
    RaceState state;
    InstallationSettings installation;
    RaceFormatSettings raceSettings;
    TimingLink link{port, time, prompter, state, installation, raceSettings};
    SensorDiagnostics diag{link, time, state, installation};
};

TEST_F(DiagnosticsTest, LoadingProbesEveryPortAndReopensTheBoxsOwn) {
    port.open(2);
    diag.Load();
    EXPECT_EQ(diag.caption(), " Diagnostic Qel Timer,  QEL 2.1");
    EXPECT_EQ(diag.portReport(),
              "Com Ports Found:\r\nCOM1   QEL 2.1\r\nCOM2   QEL 2.1\r\nCOM3   QEL 2.1\r\n"
              "COM4   QEL 2.1\r\n");
    EXPECT_EQ(port.openedPorts(), (std::vector<int>{2, 1, 2, 3, 4, 2}));
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(prompter.messages().empty());
    // Power on at the start and again from the "On" button.
    EXPECT_EQ(port.writes().front(), "E");
    EXPECT_TRUE(diag.trackPowerEnabled());
    EXPECT_EQ(diag.powerButton(), PowerButton::On);

    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        SCOPED_TRACE(lane);
        const bool inUse = lane <= 4;
        EXPECT_EQ(diag.laneNumberText(lane), inUse ? std::to_string(lane) : "");
        EXPECT_EQ(diag.hitText(lane), inUse ? "0" : "");
        EXPECT_EQ(diag.laneLabelColour(lane), inUse ? 255 * lane : 16777215);
    }
}

TEST_F(DiagnosticsTest, PortsThatDoNotOpenOrAnswerAreReportedAsTheySeemed) {
    port.setOnWrite(nullptr);   // silent box
    raceSettings.demoMode = 1;  // no version probe for the caption
    port.failOpens("no such port");
    prompter.answer(MessageAnswer::No);  // the box's own port: carry on in demo mode
    diag.Load();
    EXPECT_EQ(diag.caption(), " Diagnostic Qel Timer,  ");
    EXPECT_EQ(diag.portReport(), "Com Ports Found:\r\n");

    port.failOpens("");
    prompter.clear();
    diag.TestComPorts();
    EXPECT_EQ(diag.portReport(),
              "Com Ports Found:\r\nCOM1   \r\nCOM2   \r\nCOM3   \r\nCOM4   \r\n");
    EXPECT_EQ(prompter.messages().size(), 4u) << "the probe's not-found message per port";
    EXPECT_FALSE(port.isOpen());
}

TEST_F(DiagnosticsTest, TickCountsHitsPerLaneAndShowsTheTrackCall) {
    diag.Load();
    port.clearWritten();

    tickWith("B");
    tickWith("123\rB00042\rBx");
    EXPECT_EQ(diag.hitText(2), "3");
    EXPECT_EQ(diag.hitText(1), "0");
    tickWith("AG");
    EXPECT_EQ(diag.hitText(1), "1");
    EXPECT_EQ(diag.hitText(7), "1") << "a hidden lane's blank counter counts from 0";
    EXPECT_EQ(port.written(), "SSS");

    diag.Reset();
    EXPECT_EQ(diag.hitText(2), "0");
    EXPECT_EQ(diag.hitText(7), "1") << "Reset covers the lanes in use";

    // One "W" shows "ON" for the one tick after it arrives.
    std::vector<std::string> shown;
    for (const char* fromBox : {"W", "", "", "WW", "", "W"}) {
        tickWith(fromBox);
        shown.push_back(diag.trackCallStatus());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"OFF", "ON", "OFF", "OFF", "ON", "OFF"}));
    EXPECT_EQ(diag.callSwitchCounter(), 1);

    // Nothing is sent or read while the port is closed.
    port.close();
    port.clearWritten();
    time.advance(3 * kDiagnosticsTickMs);
    EXPECT_TRUE(port.written().empty());
}

TEST_F(DiagnosticsTest, PowerButtonsFollowTheRelayType) {
    diag.Load();
    port.clearWritten();
    diag.SelectPower(false);
    diag.SelectPower(true);
    EXPECT_EQ(port.written(), "RE");

    installation.relayIndex = kRelayNone;
    SensorDiagnostics noRelay{link, time, state, installation};
    port.clearWritten();
    noRelay.Load();
    EXPECT_FALSE(noRelay.trackPowerEnabled());
    noRelay.SelectPower(false);
    noRelay.Close();
    const auto written = port.written();
    EXPECT_EQ(written.find('E'), std::string::npos) << written;
    EXPECT_EQ(written.find('R'), std::string::npos) << written;
}

TEST_F(DiagnosticsTest, ClosingStopsTheBoxCutsPowerAndLeavesNothingOnTheLine) {
    diag.Load();
    port.clearWritten();
    port.feed("C12345\rA");
    diag.Close();
    EXPECT_EQ(port.written(), "PR");
    EXPECT_EQ(port.charactersWaiting(), 0);
    EXPECT_TRUE(port.isOpen()) << "the box's own port stays open for racing";
    EXPECT_EQ(diag.hitText(1), "0") << "what was left is discarded, not counted";
    port.clearWritten();
    time.advance(5 * kDiagnosticsTickMs);
    EXPECT_TRUE(port.written().empty()) << "the tick stopped";
}

}  // namespace
}  // namespace qel
