// Races in the race director's main window, offscreen and in real time,
// against the box simulator on a pseudo-terminal through the program's own
// serial adapter: what the box sent is what the board counted, and what the
// box was told (timing, track power) came in the right order.
#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QPalette>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "box_simulator_process.h"
#include "core/engine/start_sequences.h"
#include "core/records/record_files.h"
#include "core/seams/uniform_random.h"
#include "main_window_program.h"
#include "platform/qt_timers.h"
#include "platform/sdl_sound_device.h"
#include "platform/serial_port.h"
#include "support/temp_folder.h"
#include "ui/board/frm_formula1.h"
#include "ui/records/frm_qel_view_laps.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

constexpr int kLanes = test::kSimulatorLanes;
constexpr int kReportMs = test::kSimulatorReportMs;
constexpr const char* kQuickLanes = "1=1200,2=1300,3=1400,4=1800";
// What the box hears while the program loads: power off (normally closed
// contacts), the lanes, the sensors, the D value, then CR and a pause.
const std::vector<std::string> kStartUpCommands = {"R", "A4", "C0", "D1", "CR", "P"};

// The box's whole log: the start-up commands, then these.
std::vector<std::string> afterStartUp(const std::vector<std::string>& more) {
    std::vector<std::string> all = kStartUpCommands;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

class MainWindowBoxRace : public ::testing::Test {
  protected:
    // The shipped folder set up for a real-mode race on the simulator: port 1
    // is its line, the track power runs through normally closed contacts, the
    // Formula 1 lights start at once, and the simulator's short laps pass the
    // minimum lap time.
    void launch(bool powerBeforeGreen = false) {
        ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
        test::copyShippedApplicationFolder(folder);
        test::pointPortOneAt(folder, box.link());
        const AppFolder app(folder.path());
        test::changeInstallationFile(
            app, [](InstallationSettings& i) { i.relayIndex = kRelayNormallyClosed; });
        test::changeOptionsFile(app, [&](OptionsSettings& o) {
            o.startDelayIndex = 0;
            o.minLapTimeIndex = 2;  // half a second
            o.coastTimeIndex = 2;   // one second
            o.powerBeforeGreen = powerBeforeGreen ? -1 : 0;
            o.powerWithGreen = powerBeforeGreen ? 0 : -1;
        });
        test::writeRaceFormatFile(app, 0);
        program = std::make_unique<test::MainWindowProgram>(folder.path(), port, clock, timers,
                                                            random, sound);
        program->start();
        ASSERT_FALSE(program->engine.setup().demoMode());
        ASSERT_TRUE(port.isOpen()) << port.lastError();
    }

    // Runs the event loop until done() holds, noting each flag the board shows.
    bool runUntil(const std::function<bool()>& done, int timeoutMs) {
        return QTest::qWaitFor(
            [&] {
                const int flag = program->engine.board().flagPicture;
                if (flagsShown.empty() || flagsShown.back() != flag) flagsShown.push_back(flag);
                return done();
            },
            timeoutMs);
    }

    std::vector<std::string> commandTexts() const {
        std::vector<std::string> out;
        for (const auto& c : box.commands())
            out.push_back(c.text);
        return out;
    }

    // The box's log once it has heard at least count commands and a moment
    // more has shown that nothing else follows.
    std::vector<std::string> commandsHeard(std::size_t count) {
        if (QTest::qWaitFor([&] { return box.commands().size() >= count; }, 5000))
            QTest::qWait(200);
        return commandTexts();
    }

    // A line on the simulator's console, once it has acted on it.
    void tellBox(const char* command, const char* logged) {
        box.console(command);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return box.diagnostics().find(logged) != std::string::npos; }, 5000));
    }

    QColor lampShown(QWidget* lights, int lamp) const {
        auto* shape = lights->findChild<QWidget*>(QString("Shape1_%1").arg(lamp));
        return shape ? shape->palette().color(QPalette::Window) : QColor();
    }

    ui::FrmQelFormula1* lightsWindow() const {
        return program->find<ui::FrmQelFormula1>("frmQelFormula1");
    }

    // The laps a lane has on the board, read from its row in practice.
    int lapNumberShown(int row) const { return program->cell("lblLapNum", row).toInt(); }

    // Lap times as stored, in whole milliseconds, from lap 0 on.
    std::vector<int64_t> storedLapMs(int lane) const {
        const RaceState& s = program->engine.state();
        std::vector<int64_t> out;
        for (int lap = 0; lap <= s.lapCount[lane]; ++lap)
            out.push_back(std::llround(s.lapTimes[lane][lap] * 1000.0));
        return out;
    }

    // The crossings of each lane the program has read by the time its race
    // clock reached upToMs: the box sends a lane's letter with the time report
    // that carries its clock past the crossing.
    std::map<int, std::vector<int64_t>> crossingsRead(int64_t upToMs) const {
        std::map<int, std::vector<int64_t>> byLane;
        for (const test::Crossing& c : box.crossings()) {
            if (c.boxMs <= upToMs) byLane[c.lane].push_back(c.boxMs);
        }
        return byLane;
    }

    // Races begin with lap 0: the first crossing after the start is lap 0,
    // each later one a lap, timed from the crossing before it (lap 0 from the
    // start). A letter is stamped when read, so each end of a lap may be late
    // by up to one report period.
    void expectLapTimesMatch(int lane, const std::vector<int64_t>& crossings) const {
        const std::vector<int64_t> stored = storedLapMs(lane);
        ASSERT_LE(stored.size(), crossings.size()) << "lane " << lane;
        for (std::size_t i = 0; i < stored.size(); ++i) {
            const int64_t sent = crossings[i] - (i == 0 ? 0 : crossings[i - 1]);
            EXPECT_NEAR(stored[i], sent, kReportMs) << "lane " << lane << " lap " << i;
        }
    }

    test::TempFolder folder;
    test::BoxSimulator box{folder.path(), 11, kQuickLanes};
    platform::SerialPort port{AppFolder(folder.path())};
    platform::QtClock clock;
    platform::QtTimerService timers;
    UniformRandom random{5};
    platform::SdlSoundDevice sound;
    std::unique_ptr<test::MainWindowProgram> program;
    std::vector<int> flagsShown;
};

TEST_F(MainWindowBoxRace, LapRaceCountsTheBoxCrossingsAndEndsWithThePowerOff) {
    constexpr int kLaps = 4;
    launch();
    program->chooseLapRace(kLaps);
    ASSERT_EQ(program->text("lblRaceFormat"), "4 Lap Race");

    program->pressStart();
    QPointer<ui::FrmQelFormula1> lights = lightsWindow();
    ASSERT_NE(lights, nullptr) << program->prompter.messageTexts().size() << " messages\n"
                               << box.diagnostics();
    EXPECT_TRUE(lights->isVisible());
    EXPECT_EQ(program->startCaption(), "Start");
    EXPECT_FALSE(program->startButton()->isEnabled());
    EXPECT_FALSE(program->fileMenuEnabled());

    // The first red comes two seconds into the lights; a right click then
    // brings the green at the next step rather than after the other reds.
    const QColor red(255, 0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lights && lampShown(lights, 0) == red; }, 5000));
    EXPECT_NE(lampShown(lights, 3), red);
    QTest::mouseClick(lights, Qt::RightButton);
    ASSERT_TRUE(runUntil([&] { return program->startCaption() == "Pause"; }, 5000));
    EXPECT_TRUE(lights.isNull() || !lights->isVisible());
    EXPECT_TRUE(program->startButton()->isEnabled());

    const auto over = [&] { return program->text("lblRaceOver") == "Race Over"; };
    ASSERT_TRUE(runUntil(over, 30000))
        << "leader's laps " << program->cell("lblLapNum", 1).toStdString() << "\n"
        << box.diagnostics();
    EXPECT_EQ(flagsShown, (std::vector<int>{kFlagIdle, kFlagGreen, kFlagWhite, kFlagCheckered}));
    EXPECT_TRUE(program->find("lblRaceOver")->isVisible());
    EXPECT_EQ(program->startCaption(), "Reset");
    EXPECT_TRUE(program->startButton()->isEnabled());
    EXPECT_TRUE(program->fileMenuEnabled());
    EXPECT_FALSE(program->engine.raceTick().enabled());
    EXPECT_EQ(program->cell("lblLapNum", 1), QString::number(kLaps));
    EXPECT_TRUE(program->text("lblTimingBoxStatus").isEmpty());
    EXPECT_TRUE(program->prompter.messages().empty());

    // Told to time at the green and powered, then at the end paused and
    // powered off; the probe before the lights began with a pause as well.
    EXPECT_EQ(commandsHeard(kStartUpCommands.size() + 6),
              afterStartUp({"P", "V", "S", "E", "P", "R"}));

    // Once the leader has taken the checkered flag each other lane has one
    // more lap to finish and no more; a lane counts every crossing read up to
    // there.
    const RaceState& s = program->engine.state();
    const auto read = crossingsRead(s.elapsedMs);
    const int leader = s.runningOrder[1];
    EXPECT_EQ(s.lapCount[leader], kLaps);
    EXPECT_EQ(s.finishLap[leader], kLaps);
    for (int lane = 1; lane <= kLanes; ++lane) {
        ASSERT_TRUE(read.count(lane)) << "lane " << lane;
        const int allowed =
            std::min<int>(s.finishLap[lane], kLaps) - program->engine.setup().firstLapOffset();
        const int counted = std::min<int>(static_cast<int>(read.at(lane).size()), allowed);
        EXPECT_EQ(s.lapCount[lane], program->engine.setup().firstLapOffset() + counted)
            << "lane " << lane;
        expectLapTimesMatch(lane, read.at(lane));
    }
    // The lanes finished one after another, not all on the same lap.
    EXPECT_LT(*std::min_element(s.lapCount.begin() + 1, s.lapCount.begin() + 1 + kLanes), kLaps);

    // The lap times saved from the lap-time window are the box's laps: a
    // column per position, lap 0 ("RT") first, each time within one report
    // period of the crossings the simulator logged.
    program->chooseMenu("mnuLapTimes");
    auto* lapWindow = program->find<ui::FrmQelViewLaps>("frmQelViewLaps");
    ASSERT_NE(lapWindow, nullptr);
    const std::string lapPath = (folder.path() / "box race.lap").string();
    program->fileDialog.choose(lapPath);
    lapWindow->findChild<QAction*>("mnuSaveToTextFile")->trigger();
    const GridFileContents saved = readLapFile(lapPath);
    EXPECT_EQ(saved.rows[2][0], "RT");
    for (int position = 1; position <= kLanes; ++position) {
        const int lane = s.runningOrder[position];
        const std::vector<int64_t>& crossings = read.at(lane);
        for (int row = 2; row < 2 + kLaps + 1; ++row) {
            const std::size_t i = static_cast<std::size_t>(row - 2);
            const std::string& cell = saved.rows[static_cast<std::size_t>(row)][position];
            if (i >= static_cast<std::size_t>(s.lapCount[lane] + 1)) {
                EXPECT_TRUE(cell.empty()) << "lane " << lane << " row " << row;
                continue;
            }
            const int64_t sent = crossings[i] - (i == 0 ? 0 : crossings[i - 1]);
            EXPECT_NEAR(std::stod(cell) * 1000.0, static_cast<double>(sent), kReportMs)
                << "lane " << lane << " lap " << i;
        }
    }
}

TEST_F(MainWindowBoxRace, SilentBoxAtStartStartsNothingUntilItIsBack) {
    launch();
    ASSERT_EQ(commandsHeard(kStartUpCommands.size()), kStartUpCommands);
    tellBox("unplug", "qelbox-sim: unplugged");

    // The probe waits for the box's version line, then gives up.
    program->pressStart();
    EXPECT_EQ(program->prompter.messageTexts(),
              std::vector<std::string>{"Kestrova Interface not found.\nVerify connections and "
                                       "Com port number in Installation Settings."});
    EXPECT_EQ(program->startCaption(), "Start");
    EXPECT_TRUE(program->startButton()->isEnabled());
    EXPECT_FALSE(program->engine.raceTick().enabled());
    EXPECT_EQ(program->engine.board().flagPicture, kFlagIdle);
    EXPECT_TRUE(program->fileMenuEnabled());
    EXPECT_FALSE(program->engine.state().lapsUnsaved);

    // With its cable back, the next press starts practice on the box.
    tellBox("plug", "qelbox-sim: plugged in");
    program->prompter.clear();
    program->pressStart();
    EXPECT_EQ(program->startCaption(), "Pause");
    EXPECT_TRUE(program->prompter.messages().empty());
    EXPECT_EQ(commandsHeard(kStartUpCommands.size() + 4), afterStartUp({"P", "V", "S", "E"}));
}

TEST_F(MainWindowBoxRace, LostBoxMidRacePausesTheRaceUntilTheBoxIsBack) {
    launch();
    program->pressStart();  // practice starts at once
    ASSERT_EQ(program->startCaption(), "Pause") << box.diagnostics();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int row = 1; row <= kLanes; ++row) {
                if (lapNumberShown(row) < 1) return false;
            }
            return true;
        },
        15000))
        << box.diagnostics();

    // A pulled cable: nothing more comes, and the board says so.
    tellBox("unplug", "qelbox-sim: unplugged");
    const int64_t lastReportMs = box.reportedMs();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return program->text("lblTimingBoxStatus") ==
                   "Timing box not answering: no time report for 3 seconds.";
        },
        6000))
        << program->text("lblTimingBoxStatus").toStdString();
    const RaceState& s = program->engine.state();
    EXPECT_EQ(s.elapsedMs, lastReportMs);
    const auto read = crossingsRead(lastReportMs);
    std::array<QString, kLanes + 1> shown;
    for (int lane = 1; lane <= kLanes; ++lane) {
        ASSERT_TRUE(read.count(lane)) << "lane " << lane;
        EXPECT_EQ(s.lapCount[lane],
                  static_cast<int>(read.at(lane).size()) + program->engine.setup().firstLapOffset())
            << "lane " << lane;
        expectLapTimesMatch(lane, read.at(lane));
        EXPECT_EQ(lapNumberShown(lane), s.lapCount[lane]) << "lane " << lane;
        shown[lane] = program->cell("lblLapTime", lane);
    }
    const auto lapsBefore = s.lapCount;

    // Then the line itself goes: the race stops where it stands, paused,
    // and the board says the program waits for the box.
    tellBox("hangup", "qelbox-sim: hung up");
    const std::string device = box.link().string();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return program->text("lblTimingBoxStatus").toStdString() ==
                   "Timing box lost on serial port 1 (" + device +
                       "): the race is paused until it is back. Laps counted so far are kept.";
        },
        5000))
        << program->text("lblTimingBoxStatus").toStdString();
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(program->engine.raceTick().enabled());
    EXPECT_EQ(program->startCaption(), "Continue");
    EXPECT_EQ(program->text("lblRaceOver"), "Paused");
    // Another port can be chosen meanwhile.
    EXPECT_TRUE(program->window().mainMenu().action("mnuInstallation")->isEnabled());
    for (int lane = 1; lane <= kLanes; ++lane) {
        EXPECT_EQ(s.lapCount[lane], lapsBefore[lane]) << "lane " << lane;
        EXPECT_EQ(program->cell("lblLapTime", lane), shown[lane]) << "lane " << lane;
    }

    // Plugged in again: the program finds it by itself, gives it its set-up
    // again, and the race goes on when the race director continues.
    const std::size_t heardBefore = box.commands().size();
    tellBox("reconnect", "qelbox-sim: reconnected");
    tellBox("plug", "qelbox-sim: plugged in");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return program->text("lblTimingBoxStatus") == "Timing box back"; }, 5000))
        << program->text("lblTimingBoxStatus").toStdString();
    EXPECT_TRUE(port.isOpen());
    const std::vector<std::string> heard = commandsHeard(heardBefore + kStartUpCommands.size());
    ASSERT_GE(heard.size(), heardBefore + kStartUpCommands.size());
    EXPECT_EQ(std::vector<std::string>(heard.begin() + static_cast<std::ptrdiff_t>(heardBefore),
                                       heard.begin() + static_cast<std::ptrdiff_t>(
                                                           heardBefore + kStartUpCommands.size())),
              kStartUpCommands);
    program->pressStart();
    EXPECT_EQ(program->startCaption(), "Pause");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int lane = 1; lane <= kLanes; ++lane) {
                if (s.lapCount[lane] <= lapsBefore[lane]) return false;
            }
            return true;
        },
        15000))
        << box.diagnostics();
    EXPECT_TRUE(program->text("lblTimingBoxStatus").isEmpty());
    EXPECT_TRUE(program->prompter.messages().empty());
}

struct EscapeCase {
    const char* name;
    bool powerBeforeGreen;
    std::vector<std::string> heard;  // from the probe on
};

class MainWindowBoxRaceEscape : public MainWindowBoxRace,
                                public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(MainWindowBoxRaceEscape, EscBeforeTheGreenStartsNoRace) {
    const EscapeCase& c = GetParam();
    launch(c.powerBeforeGreen);
    program->chooseLapRace(5);
    program->pressStart();
    QPointer<ui::FrmQelFormula1> lights = lightsWindow();
    ASSERT_NE(lights, nullptr) << box.diagnostics();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return lights && lampShown(lights, 0) == QColor(255, 0, 0); }, 5000));

    QTest::keyClick(lights, Qt::Key_Escape);
    QTest::qWait(0);
    EXPECT_TRUE(lights.isNull() || !lights->isVisible());
    EXPECT_EQ(program->startCaption(), "Start");
    EXPECT_TRUE(program->startButton()->isEnabled());
    EXPECT_TRUE(program->fileMenuEnabled());
    EXPECT_FALSE(program->engine.raceTick().enabled());
    EXPECT_EQ(program->engine.board().flagPicture, kFlagIdle);
    EXPECT_EQ(commandsHeard(kStartUpCommands.size() + c.heard.size()), afterStartUp(c.heard));
}

INSTANTIATE_TEST_SUITE_P(Power, MainWindowBoxRaceEscape,
                         ::testing::Values(EscapeCase{"WithGreen", false, {"P", "V"}},
                                           // Power that came on for the lights goes off again.
                                           EscapeCase{"BeforeGreen", true, {"P", "V", "E", "R"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qel
