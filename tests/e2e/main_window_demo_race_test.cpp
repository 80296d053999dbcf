// Demo races in the race director's main window, offscreen, on virtual time:
// the shipped application folder, no timing box (port 1 leads nowhere), the
// Start button pressed with the mouse and the board read from its labels.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/seams/virtual_time.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "ui/board/frm_countdown.h"
#include "ui/board/frm_formula1.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

constexpr int kTickMs = 100;
constexpr int kLanes = 4;

class MainWindowDemoRace : public ::testing::Test {
  protected:
    MainWindowDemoRace() {
        test::copyShippedApplicationFolder(folder);
        // A desk without a box: the demo starts without asking for one.
        folder.write("QelDat/QelPorts.dat", "\"/nonexistent/qelbox\"\r\n");
        program.start();
    }

    // Moves virtual time on one race tick at a time, noting each flag the
    // board shows on the way; stops early once done() holds.
    void run(int64_t ms, const std::function<bool()>& done = {}) {
        for (int64_t passed = 0; passed < ms; passed += kTickMs) {
            time.advance(kTickMs);
            const int flag = program.engine.board().flagPicture;
            if (flagsShown.empty() || flagsShown.back() != flag) flagsShown.push_back(flag);
            if (done && done()) return;
        }
    }

    // The race sounds played, by file name, in order; the lap sounds that
    // go with every counted lap are left out.
    std::vector<std::string> raceSounds() const {
        static const std::set<std::string> lapSounds = {"goby1.wav", "Each Lap.wav",
                                                        "Overall Best.wav", "Personal Best.wav"};
        std::vector<std::string> played;
        for (const std::string& file : sound.playedFiles())
            if (!lapSounds.count(file)) played.push_back(file);
        return played;
    }

    int lapNumberShown(int row) { return program.cell("lblLapNum", row).toInt(); }

    test::TempFolder folder;
    platform::SerialPort port{AppFolder(folder.path())};
    VirtualScheduler time{46000.5};
    test::ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6, 0.35}};
    test::RecordingSoundDevice sound;
    test::MainWindowProgram program{folder.path(), port, time, time, random, sound};
    std::vector<int> flagsShown;
};

TEST_F(MainWindowDemoRace, PracticeCountsEveryLaneAndPausesAndContinues) {
    ASSERT_EQ(program.text("lblRaceFormat"), "Demo - Practice");
    ASSERT_EQ(program.startCaption(), "Start");
    program.pressStart();
    EXPECT_EQ(program.startCaption(), "Pause");
    EXPECT_FALSE(program.fileMenuEnabled());

    // A minute and one tick: the clock shows the time as the tick began.
    run(60'000 + kTickMs);
    EXPECT_EQ(program.text("lblClock"), "01:00");
    // Demo laps take 3 to 4 seconds with the shipped minimum lap time of 2,
    // a crash a few seconds more.
    for (int lane = 1; lane <= kLanes; ++lane) {
        const int counted = program.engine.state().lapCount[lane];
        EXPECT_GE(counted, 10) << "lane " << lane;
        EXPECT_LE(counted, 20) << "lane " << lane;
        // The board is redrawn every sixth tick, so it may show a lap less.
        EXPECT_GE(lapNumberShown(lane), counted - 1) << "lane " << lane;
        EXPECT_LE(lapNumberShown(lane), counted) << "lane " << lane;
        EXPECT_FALSE(program.cell("lblLapTime", lane).isEmpty()) << "lane " << lane;
        EXPECT_FALSE(program.cell("lblBest", lane).isEmpty()) << "lane " << lane;
    }
    EXPECT_TRUE(program.text("lblTimingBoxStatus").isEmpty());

    program.pressStart();
    EXPECT_EQ(program.startCaption(), "Continue");
    EXPECT_EQ(program.text("lblRaceOver"), "Paused");
    EXPECT_TRUE(program.find("lblRaceOver")->isVisible());
    EXPECT_EQ(program.engine.board().flagPicture, kFlagYellow);
    const int32_t elapsedAtPause = program.engine.state().elapsedMs;
    const auto lapsAtPause = program.engine.state().lapCount;
    const QString clockPaused = program.text("lblClock");
    run(10'000);
    EXPECT_EQ(program.engine.state().elapsedMs, elapsedAtPause);
    EXPECT_EQ(program.text("lblClock"), clockPaused);
    for (int lane = 1; lane <= kLanes; ++lane)
        EXPECT_EQ(program.engine.state().lapCount[lane], lapsAtPause[lane]) << lane;

    program.pressStart();
    EXPECT_EQ(program.startCaption(), "Pause");
    EXPECT_FALSE(program.find("lblRaceOver")->isVisible());
    EXPECT_EQ(program.engine.board().flagPicture, kFlagGreen);
    run(10'000);
    // The race clock takes up where it stopped; the paused time is not raced.
    EXPECT_EQ(program.engine.state().elapsedMs, elapsedAtPause + 10'000);
    for (int lane = 1; lane <= kLanes; ++lane)
        EXPECT_GT(program.engine.state().lapCount[lane], lapsAtPause[lane]) << lane;

    EXPECT_EQ(raceSounds(), (std::vector<std::string>{"Go.wav", "Yellow Flag.wav", "Go.wav"}));
    EXPECT_TRUE(program.prompter.messages().empty());
}

TEST_F(MainWindowDemoRace, TenLapRaceRunsTheLightsAndEndsUnderTheCheckeredFlag) {
    program.chooseLapRace(10);
    ASSERT_EQ(program.text("lblRaceFormat"), "Demo - 10 Lap Race");
    ASSERT_EQ(program.engine.board().flagPicture, kFlagIdle);

    // The shipped options: Formula 1 lights after a 3 second countdown.
    program.pressStart();
    QPointer<QWidget> countdown = program.find<ui::FrmQelCountdown>("frmQelCountdown");
    ASSERT_NE(countdown, nullptr);
    EXPECT_TRUE(countdown->isVisible());
    EXPECT_EQ(program.find<ui::FrmQelFormula1>("frmQelFormula1"), nullptr);
    EXPECT_FALSE(program.fileMenuEnabled());

    QPointer<ui::FrmQelFormula1> lights;
    run(10'000, [&] {
        if (!lights) lights = program.find<ui::FrmQelFormula1>("frmQelFormula1");
        return lights != nullptr;
    });
    ASSERT_NE(lights, nullptr);
    EXPECT_TRUE(countdown.isNull() || !countdown->isVisible());
    EXPECT_TRUE(lights->isVisible());
    EXPECT_FALSE(program.startButton()->isEnabled());

    const auto over = [&] { return program.text("lblRaceOver") == "Race Over"; };
    run(180'000, over);
    ASSERT_TRUE(over()) << "leader has " << program.cell("lblLapNum", 1).toStdString();

    // The lights closed after the green, then the white flag for the
    // leader's last lap and the checkered flag as the leader finished.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(lights.isNull());
    EXPECT_EQ(flagsShown, (std::vector<int>{kFlagIdle, kFlagGreen, kFlagWhite, kFlagCheckered}));
    EXPECT_TRUE(program.find("lblRaceOver")->isVisible());
    EXPECT_EQ(program.startCaption(), "Reset");
    EXPECT_TRUE(program.startButton()->isEnabled());
    EXPECT_TRUE(program.fileMenuEnabled());
    EXPECT_FALSE(program.engine.raceTick().enabled());

    // The leader heads the board on the full distance; every other lane
    // ended short of it or level with it.
    EXPECT_EQ(program.cell("lblLapNum", 1), "10");
    const RaceState& s = program.engine.state();
    EXPECT_EQ(s.lapCount[s.runningOrder[1]], 10);
    EXPECT_EQ(program.cell("lblName", 1).trimmed().toStdString(),
              s.laneRacerName[s.runningOrder[1]]);
    for (int row = 1; row <= kLanes; ++row) {
        const int lane = s.runningOrder[row];
        EXPECT_EQ(lapNumberShown(row), s.lapCount[lane]) << "row " << row;
        if (row > 1) {
            EXPECT_LE(lapNumberShown(row), lapNumberShown(row - 1)) << "row " << row;
        }
        EXPECT_GE(s.lapCount[lane], 8) << "lane " << lane;
    }

    EXPECT_EQ(raceSounds(),
              (std::vector<std::string>{"Get Ready.wav", "beep.wav", "beep.wav", "beep.wav",
                                        "beep.wav", "Go.wav", "White Flag.wav",
                                        "Checkered Flag.wav", "Race Over.wav"}));
    EXPECT_TRUE(program.prompter.messages().empty());
}

}  // namespace
}  // namespace qel
