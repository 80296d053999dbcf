#include "core/engine/timing_link.h"

#include <gtest/gtest.h>

#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/scripted_prompter.h"

namespace qel {
namespace {

class TimingLinkTest : public ::testing::Test {
  protected:
    TimingLinkTest() {
        state.laneCount = 4;
        port.open(1);
    }

    test::FakeTimingPort port;
    VirtualScheduler time;
    test::ScriptedPrompter prompter;
    RaceState state;
    InstallationSettings installation;
    RaceFormatSettings raceSettings;
    TimingLink link{port, time, prompter, state, installation, raceSettings};
};

TEST_F(TimingLinkTest, TrackPowerFollowsTheRelayType) {
    struct Case {
        int16_t relay;
        const char* on;
        const char* off;
    };
    const Case cases[] = {
        {kRelayNone, "", ""}, {kRelayNormallyClosed, "E", "R"}, {kRelayNormallyOpen, "R", "E"}};
    for (const auto& c : cases) {
        installation.relayIndex = c.relay;
        port.clearWritten();
        link.SetTrackPower(true);
        EXPECT_EQ(port.written(), c.on);
        port.clearWritten();
        link.SetTrackPower(false);
        EXPECT_EQ(port.written(), c.off);
    }
}

TEST_F(TimingLinkTest, DemoModeSendsNoRaceCommandsButStillSetsUpTheBox) {
    installation.relayIndex = kRelayNormallyOpen;
    installation.sensorTypeIndex = kSensorInfrared;
    raceSettings.demoMode = 1;
    link.SetTrackPower(true);
    link.SendBoxCommand("S");
    link.SendLaneCount();
    link.SendSensorType();
    link.SendDValue(1);
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"A", "4", "\n", "C", "1", "\n", "D1\n"}));
}

TEST_F(TimingLinkTest, NothingIsWrittenToAClosedPort) {
    port.close();
    installation.relayIndex = kRelayNormallyClosed;
    link.SendBoxCommand("S");
    link.SetTrackPower(true);
    link.SendLaneCount();
    link.SendDValue(1);
    EXPECT_TRUE(port.writes().empty());
}

TEST_F(TimingLinkTest, ProbeReturnsTheVersionLineWithoutItsLineEnd) {
    port.feed("stale");
    port.setOnWrite([&](std::string_view bytes) {
        if (bytes == "V") port.feed("QELBOX 2.1\r\n");
    });
    EXPECT_EQ(link.ProbeTimingInterface(), "QELBOX 2.1");
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"P", "V"}));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(TimingLinkTest, ASilentBoxIsReportedAfterThreeSeconds) {
    const int64_t before = time.tickCountMs();
    EXPECT_EQ(link.ProbeTimingInterface(), "");
    EXPECT_GE(time.tickCountMs() - before, kProbeTimeoutMs);
    EXPECT_LT(time.tickCountMs() - before, kProbeTimeoutMs + 100);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(
        prompter.messages()[0].text,
        "Kestrova Interface not found.\nVerify connections and Com port number in Installation "
        "Settings.");
}

TEST_F(TimingLinkTest, OpeningAPort) {
    EXPECT_FALSE(link.OpenTimingPort(17));
    EXPECT_FALSE(link.OpenTimingPort(0));
    EXPECT_EQ(prompter.messageTexts(),
              (std::vector<std::string>{"Invalid Port Number", "Invalid Port Number"}));
    EXPECT_TRUE(port.isOpen());  // an invalid number leaves the port as it was

    EXPECT_TRUE(link.OpenTimingPort(3));
    EXPECT_EQ(port.openedPorts().back(), 3);

    int demo = 0, choose = 0;
    link.setPortFailureHandlers({[&] { ++demo; }, [&] { ++choose; }});
    port.failOpens("no such device");
    prompter.clear();
    prompter.answer(MessageAnswer::No);
    prompter.answer(MessageAnswer::Yes);
    EXPECT_FALSE(link.OpenTimingPort(2));
    EXPECT_FALSE(link.OpenTimingPort(2));
    EXPECT_EQ(demo, 1);
    EXPECT_EQ(choose, 1);
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].title, "Com Port");
    EXPECT_EQ(
        prompter.messages()[0].text,
        "Com Port ERROR!\r\nTo Select a Different PORT click \"Yes\"\r\nTo use Demo mode, click "
        "\"No\"");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNo);
}

TEST_F(TimingLinkTest, WaitLetsAtLeastThatMuchTimePass) {
    const int64_t before = time.tickCountMs();
    link.Wait(500);
    EXPECT_GE(time.tickCountMs() - before, 500);
}

}  // namespace
}  // namespace qel
