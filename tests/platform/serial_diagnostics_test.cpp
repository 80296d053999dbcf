// The diagnostics window's logic over the real serial adapter, against the box
// simulator: hits per lane, the track call, the power commands, the port report.
#include <gtest/gtest.h>

#include <QTest>
#include <ostream>
#include <string>
#include <vector>

#include "core/engine/diagnostics.h"
#include "core/engine/timing_link.h"
#include "e2e/box_simulator_process.h"
#include "platform/qt_timers.h"
#include "platform/serial_port.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

struct RelayCase {
    const char* name;
    int16_t relay;
    const char* powerOn;   // what the box is told at load and by the On button
    const char* powerOff;  // and when the window closes
};

void PrintTo(const RelayCase& c, std::ostream* out) {
    *out << c.name;
}

class SerialDiagnostics : public ::testing::TestWithParam<RelayCase> {};

TEST_P(SerialDiagnostics, CountsHitsShowsTheTrackCallAndSwitchesPower) {
    const RelayCase relay = GetParam();
    test::TempFolder folder;
    test::BoxSimulator box(folder.path(), 5);
    ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
    // Port 1 is the box; ports 2 to 4 lead nowhere, as on a desk without serial ports.
    folder.write("QelDat/QelPorts.dat",
                 "\"" + box.link().string() +
                     "\"\r\n\"/nonexistent/tty2\"\r\n\"/nonexistent/tty3\"\r\n"
                     "\"/nonexistent/tty4\"\r\n");

    RaceState state;
    state.laneCount = test::kSimulatorLanes;
    state.commPort = 1;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        state.laneColor[lane] = 255;
    InstallationSettings installation;
    installation.relayIndex = relay.relay;
    installation.commPort = 1;
    platform::SerialPort port{AppFolder(folder.path())};
    platform::QtClock clock;
    platform::QtTimerService timers;
    test::ScriptedPrompter prompter;
    const RaceFormatSettings raceSettings;  // the box in use, not the demo
    TimingLink link(port, clock, prompter, state, installation, raceSettings);
    ASSERT_TRUE(link.OpenTimingPort(1)) << port.lastError();

    SensorDiagnostics diagnostics(link, timers, state, installation);
    diagnostics.Load();
    EXPECT_EQ(diagnostics.caption(), " Diagnostic Qel Timer,  QELBOX SIM 1.0");
    EXPECT_EQ(diagnostics.portReport(), "Com Ports Found:\r\nCOM1   QELBOX SIM 1.0\r\n");
    EXPECT_EQ(diagnostics.trackPowerEnabled(), relay.relay != kRelayNone);
    ASSERT_TRUE(port.isOpen()) << "the box's own port is open again after the port test";

    // Cars go round as soon as the window's tick tells the box to time.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int lane = 1; lane <= test::kSimulatorLanes; ++lane) {
                if (diagnostics.hitText(lane) == "0") return false;
            }
            return true;
        },
        15000));

    box.console("W");
    EXPECT_TRUE(QTest::qWaitFor([&] { return diagnostics.trackCallStatus() == "ON"; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return diagnostics.trackCallStatus() == "OFF"; }, 5000));

    diagnostics.Close();
    QTest::qWait(300);  // the box logs what it was told as it reads it

    // Every hit the window counted is a crossing the box sent; a crossing still
    // on the line when the window closed is thrown away, not counted.
    std::vector<int> sent(kMaxLanes + 1, 0);
    for (const auto& crossing : box.crossings())
        ++sent[crossing.lane];
    for (int lane = 1; lane <= test::kSimulatorLanes; ++lane) {
        const int counted = std::stoi(diagnostics.hitText(lane));
        EXPECT_LE(counted, sent[lane]) << "lane " << lane;
        EXPECT_GE(counted, sent[lane] - 1) << "lane " << lane;
    }

    // Power on at load (the contacts decide the letter, "None" sends nothing);
    // closing stops the box and switches power off.
    std::vector<std::string> told;
    for (const auto& c : box.commands()) {
        if (c.text == "E" || c.text == "R" || c.text == "P") told.push_back(c.text);
    }
    ASSERT_GE(told.size(), 1u);
    if (*relay.powerOn) {
        EXPECT_EQ(told.front(), relay.powerOn);
        EXPECT_EQ(std::vector<std::string>(told.end() - 2, told.end()),
                  (std::vector<std::string>{"P", relay.powerOff}));
    } else {
        for (const auto& command : told)
            EXPECT_EQ(command, "P");
    }
    EXPECT_TRUE(prompter.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Relays, SerialDiagnostics,
                         ::testing::Values(RelayCase{"None", kRelayNone, "", ""},
                                           RelayCase{"NormallyClosed", kRelayNormallyClosed, "E",
                                                     "R"},
                                           RelayCase{"NormallyOpen", kRelayNormallyOpen, "R", "E"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qel
