// What the race director chooses in Race Format and Options is the race the
// program runs: chosen through the menus, started with the Start button, run
// to its end on virtual time, and read off the board.
#include <gtest/gtest.h>

#include <QLabel>
#include <string>

#include "operator_desk.h"

namespace qel {
namespace {

struct StartCase {
    const char* name;
    int method;  // option button: 0 Instant, 1 Drag Racing, 2 Formula 1
    int delaySeconds;
    const char* windowTitle;
};

class LapRaceByStartMethod : public test::OperatorDesk,
                             public ::testing::WithParamInterface<StartCase> {};

TEST_P(LapRaceByStartMethod, TenLapsEndUnderTheCheckeredFlag) {
    const StartCase& c = GetParam();
    test::ProgramHarness& desk = start();
    ASSERT_EQ(desk.text("lblRaceFormat"), "Demo - Practice");

    useStartMethod(c.method, c.delaySeconds);
    desk.chooseRaceFormat("Lap Race", "10");
    ASSERT_TRUE(desk.hands.done());
    EXPECT_EQ(desk.text("lblRaceFormat"), "Demo - 10 Lap Race");
    EXPECT_EQ(desk.window().windowTitle().toStdString(), c.windowTitle);

    desk.pressStart();
    if (c.delaySeconds > 0) {
        ASSERT_NE(test::shownWindow("frmQelCountdown"), nullptr) << "the countdown comes first";
        EXPECT_EQ(desk.text("lblRaceFormat"), "Demo - 10 Lap Race");
    }
    if (c.method != 0) {
        ASSERT_TRUE(runUntil(
            [&] {
                return test::shownWindow(c.method == 1 ? "frmQelDragRacing" : "frmQelFormula1");
            },
            (c.delaySeconds + 2) * 1000))
            << "the lights of the start method";
    }
    ASSERT_TRUE(runUntil([&] { return desk.startCaption() == "Pause"; }, 30'000));
    ASSERT_TRUE(runUntil([&] { return raceOver(); }, 200'000))
        << "laps on the leader's row: " << desk.cell("lblLapNum", 1).toStdString();

    EXPECT_EQ(desk.engine.board().flagPicture, kFlagCheckered);
    EXPECT_TRUE(desk.find("lblRaceOver")->isVisible());
    EXPECT_EQ(desk.cell("lblLapNum", 1), "10");
    EXPECT_TRUE(desk.fileMenuEnabled());
    EXPECT_FALSE(desk.engine.raceTick().enabled());
}

INSTANTIATE_TEST_SUITE_P(
    StartMethods, LapRaceByStartMethod,
    ::testing::Values(
        StartCase{"Instant", 0, 0, "Qe Timer -  Instant Start - 2 seconds minimum lap time"},
        StartCase{"DragRacing", 1, 0,
                  "Qe Timer - 0 seconds delay before DragRacing Start - 2 seconds minimum lap "
                  "time"},
        StartCase{"Formula1", 2, 0,
                  "Qe Timer - 0 seconds delay before Formula 1 start - 2 seconds minimum lap "
                  "time"},
        StartCase{"Formula1AfterCountdown", 2, 3,
                  "Qe Timer - 3 seconds delay before Formula 1 start - 2 seconds minimum lap "
                  "time"}),
    [](const auto& info) { return std::string(info.param.name); });

using RaceFormatPath = test::OperatorDesk;

TEST_F(RaceFormatPath, TimedRaceCountsDownAndEndsWhenTheTimeIsUp) {
    test::ProgramHarness& desk = start();
    useStartMethod(0, 0);
    desk.chooseRaceFormat("Timed Race", "0.5");
    EXPECT_EQ(desk.text("lblRaceFormat"), "Demo - .5 Minute Race");
    EXPECT_EQ(desk.text("lblClock"), "00:30");

    desk.pressStart();
    ASSERT_EQ(desk.startCaption(), "Pause");
    ASSERT_TRUE(runUntil([&] { return desk.text("lblClock") == "00:10"; }, 25'000));
    ASSERT_TRUE(runUntil([&] { return raceOver(); }, 60'000));
    EXPECT_EQ(desk.engine.board().flagPicture, kFlagCheckered);
    EXPECT_EQ(desk.text("lblClock"), "00:00");
    EXPECT_GE(desk.engine.state().elapsedMs, 30'000);
}

// Cancel leaves the race in force exactly as it was, whatever was picked.
TEST_F(RaceFormatPath, CancelKeepsThePracticeInForce) {
    test::ProgramHarness& desk = start();
    desk.hands.expect("frmQelRaceFormat", [](QWidget& dialog) {
        test::choose(dialog, "cmbRaceFormat", "Round Robin");
        test::click(dialog, "cmdCancel");
    });
    desk.chooseMenu("mnuRace");
    EXPECT_EQ(desk.text("lblRaceFormat"), "Demo - Practice");
    desk.pressStart();
    EXPECT_EQ(desk.startCaption(), "Pause");
    runUntil([] { return false; }, 10'000);
    // Practice: no finish check, no flags beyond green.
    EXPECT_EQ(desk.engine.board().flagPicture, kFlagGreen);
}

// The format chosen last time is not in force at the next start: the program
// opens on practice, and the dialog opens on what is in force.
TEST_F(RaceFormatPath, TheDialogOpensOnTheRaceInForce) {
    test::ProgramHarness& desk = start();
    desk.chooseRaceFormat("Lap Race", "25");
    QString shownFormat;
    QString shownLaps;
    desk.hands.expect("frmQelRaceFormat", [&](QWidget& dialog) {
        shownFormat = test::control<QComboBox>(dialog, "cmbRaceFormat")->currentText();
        shownLaps = test::control<QComboBox>(dialog, "cmbLaps")->currentText();
        test::click(dialog, "cmdCancel");
    });
    desk.chooseMenu("mnuRace");
    EXPECT_EQ(shownFormat, "Lap Race");
    EXPECT_EQ(shownLaps, "25");
}

}  // namespace
}  // namespace qel
