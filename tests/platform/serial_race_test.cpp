// A race run by the engine over the real serial adapter against the box
// simulator on a pseudo-terminal, checked against the simulator's own record
// of what it sent and what it was told.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/engine/demo_generator.h"
#include "core/engine/lap_counting.h"
#include "core/engine/race_finish.h"
#include "core/engine/race_screen.h"
#include "core/engine/race_start.h"
#include "core/engine/race_tick.h"
#include "core/engine/timing_link.h"
#include "core/seams/uniform_random.h"
#include "core/setup/installation_settings.h"
#include "core/sound/sound_table.h"
#include "core/state/heat_tables.h"
#include "core/state/race_state.h"
#include "e2e/box_simulator_process.h"
#include "platform/qt_timers.h"
#include "platform/serial_port.h"
#include "support/race_end_fakes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

constexpr int kLanes = test::kSimulatorLanes;
constexpr int kReportMs = test::kSimulatorReportMs;
using test::BoxCommandEntry;
using test::BoxSimulator;
using test::Crossing;
using test::pointPortOneAt;
constexpr int kTickMs = 100;

// The program's race engine wired to the real serial adapter and real timers.
struct Race {
    Race(const fs::path& appFolder, int laps) : port(AppFolder(appFolder)) {
        installation.relayIndex = kRelayNormallyClosed;
        state.laneCount = kLanes;
        raceSettings.demoMode = 0;
        raceSettings.raceFormat = kLapRace;
        raceSettings.raceLimitKind = "Number of Laps";
        raceSettings.raceLaps = static_cast<int16_t>(laps);
        options.minLapTimeIndex = *minLapTimePositionOf(1);
        options.firstLapIndex = 1;
        options.coastTimeIndex = *coastTimePositionOf(2);
        heats.currentHeat = 1;
        sounds.raceSoundEnabled.fill(true);
        for (int lane = 1; lane <= kMaxLanes; ++lane) {
            state.laneRacerName[lane] = "Lane " + std::to_string(lane);
            state.laneColor[lane] = kWhite;
        }
        raceTick->setInterval(kTickMs);
        raceTick->setHandler([this](int elapsedMs) {
            ++ticks;
            tick.Timer1_Timer(elapsedMs);
        });
    }

    // What the program does when it loads the race set-up with the box in use.
    void connectBox() {
        ASSERT_TRUE(link.OpenTimingPort(1)) << port.lastError();
        link.SendLaneCount();
        link.SendSensorType();
        link.SendDValue(1);
        link.SendBoxCommand("\rP");
    }

    // Start with the instant start method: the probe, the resets, then go.
    std::string start() {
        const std::string version = link.ProbeTimingInterface();
        PrepareFreshRace(state, setup, heats, board, demo);
        finish.clock();
        InstantStart(board, *raceTick, link, player);
        return version;
    }

    bool over() const { return board.bannerVisible && board.banner == "Race Over"; }

    // The stored lap times of a lane, in whole milliseconds.
    std::vector<int64_t> storedLapMs(int lane) const {
        std::vector<int64_t> out;
        for (int lap = 1; lap <= state.lapCount[lane]; ++lap)
            out.push_back(std::llround(state.lapTimes[lane][lap] * 1000.0));
        return out;
    }

    RaceState state;
    HeatTables heats;
    RaceBoard board;
    InstallationSettings installation;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    RaceSetup setup{raceSettings, options};
    platform::SerialPort port;
    platform::QtClock clock;
    platform::QtTimerService timers;
    std::unique_ptr<Timer> raceTick = timers.createTimer();
    test::ScriptedPrompter prompter;
    test::RecordingPlayer player;
    test::RecordingHandover handover;
    SoundTable sounds;
    UniformRandom random{1};
    TimingLink link{port, clock, prompter, state, installation, raceSettings};
    LapCounter counter{state, heats, board, setup};
    DemoGenerator demo{state, random};
    RaceScreen screen{state, setup, heats, board};
    // The race clock at the moment the checkered flag came out.
    int32_t checkeredAtMs = -1;
    RaceFinish finish{{state, setup, heats, board, screen, link, *raceTick, clock, sounds, player,
                       handover, [this](int picture) {
                           if (picture == kFlagCheckered) checkeredAtMs = state.elapsedMs;
                       }}};
    RaceTick tick{state, heats, setup, link, counter, demo, screen, finish};
    int ticks = 0;
};

std::map<int, std::vector<int64_t>> crossingsByLane(const std::vector<Crossing>& crossings,
                                                    int64_t upToMs) {
    std::map<int, std::vector<int64_t>> byLane;
    for (const Crossing& c : crossings) {
        if (c.boxMs <= upToMs) byLane[c.lane].push_back(c.boxMs);
    }
    return byLane;
}

// A lap the program stores is the time between two crossings as it read them.
// It stamps a lane letter with its clock when the letter arrives, right after
// the time report that carried the box past the crossing, so each end of a lap
// may be late by up to one report period.
void expectLapTimesMatch(const Race& race, int lane, const std::vector<int64_t>& crossings) {
    const std::vector<int64_t> stored = race.storedLapMs(lane);
    ASSERT_LE(stored.size(), crossings.size()) << "lane " << lane;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const int64_t sent = crossings[i] - (i == 0 ? 0 : crossings[i - 1]);
        EXPECT_NEAR(stored[i], sent, kReportMs) << "lane " << lane << " lap " << i + 1;
    }
}

std::vector<std::string> texts(const std::vector<BoxCommandEntry>& commands) {
    std::vector<std::string> out;
    for (const auto& c : commands)
        out.push_back(c.text);
    return out;
}

TEST(SerialRace, LapRaceCountsWhatTheBoxSentAndStopsTheTrack) {
    test::TempFolder folder;
    // A quick lane 1 wins while lane 4 falls a lap behind, so the finish has
    // lanes ending short of the distance and crossings it must not count.
    BoxSimulator box(folder.path(), 3, "1=1200,2=1400,3=1500,4=1800");
    ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
    pointPortOneAt(folder, box.link());

    constexpr int kLaps = 5;
    auto race = std::make_unique<Race>(folder.path(), kLaps);
    race->connectBox();
    ASSERT_EQ(race->start(), "QELBOX SIM 1.0") << box.diagnostics();
    ASSERT_TRUE(QTest::qWaitFor([&] { return race->over(); }, 30000))
        << "laps " << race->state.lapCount[1] << " " << race->state.lapCount[2] << " "
        << race->state.lapCount[3] << " " << race->state.lapCount[4] << "\n"
        << box.diagnostics();

    EXPECT_FALSE(race->raceTick->enabled());
    EXPECT_EQ(race->board.startState, StartState::Reset);
    EXPECT_EQ(std::count(race->handover.calls.begin(), race->handover.calls.end(), "scoreHeat"), 1);
    EXPECT_TRUE(race->prompter.messages().empty());

    // The box hears the closing pause and the power cut a moment later.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto log = box.commands();
            return !log.empty() && log.back().text == "R";
        },
        5000))
        << box.diagnostics();
    const std::vector<BoxCommandEntry> commands = box.commands();
    const std::vector<std::string> expected = {"A4", "C0", "D1", "CR", "P", "P",
                                               "V",  "S",  "E",  "P",  "R"};
    ASSERT_EQ(texts(commands), expected);
    const int64_t pausedAtMs = commands[commands.size() - 2].boxMs;
    // Every report the program added up came from the box before it paused.
    EXPECT_LE(race->state.elapsedMs, pausedAtMs);
    ASSERT_GE(race->checkeredAtMs, 0);

    // Once the leader has taken the checkered flag, every other lane gets one
    // more lap to finish and the leader none: a lane's count is the crossings
    // it made up to the flag plus one, as far as it got before the box paused,
    // and never beyond the race distance.
    const auto sent = crossingsByLane(box.crossings(), pausedAtMs);
    const auto beforeFlag = crossingsByLane(box.crossings(), race->checkeredAtMs);
    const int leader = race->state.runningOrder[1];
    EXPECT_EQ(race->state.lapCount[leader], kLaps);
    std::size_t sentTotal = 0;
    int countedTotal = 0;
    bool lapDown = false;
    for (int lane = 1; lane <= kLanes; ++lane) {
        const auto sentIt = sent.find(lane);
        ASSERT_NE(sentIt, sent.end()) << "lane " << lane;
        const auto flagIt = beforeFlag.find(lane);
        const std::size_t uptoFlag = flagIt == beforeFlag.end() ? 0 : flagIt->second.size();
        const std::size_t expectedLaps =
            std::min({sentIt->second.size(), uptoFlag + 1, static_cast<std::size_t>(kLaps)});
        EXPECT_EQ(static_cast<std::size_t>(race->state.lapCount[lane]), expectedLaps)
            << "lane " << lane;
        expectLapTimesMatch(*race, lane, sentIt->second);
        sentTotal += sentIt->second.size();
        countedTotal += race->state.lapCount[lane];
        lapDown = lapDown || race->state.lapCount[lane] < kLaps;
    }
    // The race above really put those rules to work.
    EXPECT_TRUE(lapDown);
    EXPECT_GT(sentTotal, static_cast<std::size_t>(countedTotal));
}

TEST(SerialRace, UnpluggedBoxLeavesTheCountedLapsAndTheRaceRunning) {
    test::TempFolder folder;
    BoxSimulator box(folder.path(), 77);
    ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
    pointPortOneAt(folder, box.link());

    auto race = std::make_unique<Race>(folder.path(), 50);
    race->connectBox();
    ASSERT_EQ(race->start(), "QELBOX SIM 1.0");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int lane = 1; lane <= kLanes; ++lane) {
                if (race->state.lapCount[lane] < 2) return false;
            }
            return true;
        },
        15000))
        << box.diagnostics();

    // A pulled cable: the box goes on timing, but nothing more reaches the
    // program, which must still have taken in everything sent before.
    box.console("unplug");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return box.diagnostics().find("qelbox-sim: unplugged") != std::string::npos; },
        5000));
    const int64_t lastReportMs = box.reportedMs();
    ASSERT_TRUE(QTest::qWaitFor([&] { return race->state.elapsedMs == lastReportMs; }, 5000))
        << race->state.elapsedMs << " of " << lastReportMs << " digits '" << race->state.rxDigits
        << "' waiting " << race->port.charactersWaiting() << "\n"
        << box.diagnostics();
    const auto sent = crossingsByLane(box.crossings(), lastReportMs);
    std::array<std::vector<int64_t>, kLanes + 1> countedBefore;
    for (int lane = 1; lane <= kLanes; ++lane) {
        ASSERT_TRUE(sent.count(lane)) << "lane " << lane;
        EXPECT_EQ(static_cast<std::size_t>(race->state.lapCount[lane]), sent.at(lane).size())
            << "lane " << lane;
        expectLapTimesMatch(*race, lane, sent.at(lane));
        countedBefore[lane] = race->storedLapMs(lane);
    }
    EXPECT_TRUE(race->port.isOpen());

    // Then the line itself goes away.
    box.console("hangup");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !race->port.isOpen(); }, 5000)) << box.diagnostics();
    const std::string error = race->port.lastError();
    EXPECT_NE(error.find("unplugged"), std::string::npos) << error;
    EXPECT_NE(error.find("serial port 1"), std::string::npos) << error;

    // The race tick goes on without the box, and an abort or a pause still
    // works without it.
    const int ticksAtHangup = race->ticks;
    ASSERT_TRUE(QTest::qWaitFor([&] { return race->ticks >= ticksAtHangup + 5; }, 5000));
    race->link.SendBoxCommand("P");
    race->link.SetTrackPower(false);
    EXPECT_TRUE(race->raceTick->enabled());
    EXPECT_FALSE(race->over());
    EXPECT_EQ(race->state.elapsedMs, lastReportMs);
    for (int lane = 1; lane <= kLanes; ++lane)
        EXPECT_EQ(race->storedLapMs(lane), countedBefore[lane]) << "lane " << lane;
    EXPECT_TRUE(race->prompter.messages().empty());
}

}  // namespace
}  // namespace qel
