// A club night of heats as the race director runs it: the field placed once
// in the placement dialog, Start pressed once, and the program carrying every
// heat through its delays, rotation and count-down to the final results; a
// championship whose points the race director corrects in the results window.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QTest>

#include <filesystem>
#include <string>

#include "core/grid/grid_color.h"
#include "core/io/text_file.h"
#include "core/state/heat_tables.h"
#include "operator_desk.h"
#include "support/heat_log_blocks.h"
#include "ui/widgets/flex_grid.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

class HeatEventPath : public test::OperatorDesk {
  protected:
    // The results window on screen, opened from the main menu.
    ui::FlexGrid& openResults() {
        desk().chooseMenu("mnuRaceResults");
        QWidget* results = test::shownWindow("frmQelResults");
        EXPECT_NE(results, nullptr);
        auto* grid = results->findChild<ui::FlexGrid*>("grdRR");
        EXPECT_NE(grid, nullptr);
        return *grid;
    }
    // A menu item of a window other than the main one.
    static void chooseItem(QWidget& window, const char* item) {
        auto* action = window.findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
};

TEST_F(HeatEventPath, ARoundRobinOfSixRacersRunsEveryHeatByItself) {
    test::ProgramHarness& desk = start();
    // Instant starts; Auto-Delay on with five seconds to view and five to count down.
    setOptions([](QWidget& dialog) {
        test::click(dialog, "optStartMethod_0");
        test::choose(dialog, "cmbDelay", "0");
    });

    // The board's four racers keep their lanes; two more come from the roster
    // and are placed at random into the two sit-out slots the heats need.
    desk.hands.expect("frmQelRaceFormat", [](QWidget& dialog) {
        test::choose(dialog, "cmbRaceFormat", "Round Robin");
        test::choose(dialog, "cmbTime", "0.25");
        test::click(dialog, "cmdSelectRacers");
    });
    // A first heat race at this track: no previous racers to restore.
    answerMessage(Qt::Key_Return);
    desk.hands.expect("frmSelectRacers", [](QWidget& dialog) {
        auto* roster = test::control<QListWidget>(dialog, "lstRacers");
        for (const char* name : {"Elsa Varnhold", "Felix Ottaway"})
            roster->findItems(name, Qt::MatchExactly).front()->setSelected(true);
        test::click(dialog, "cmdAdd");
        test::click(dialog, "cmdRandom");
        test::click(dialog, "CommandOK");
    });
    desk.chooseMenu("mnuRace");
    ASSERT_TRUE(desk.hands.done());
    const HeatTables& heats = desk.program.app().heats;
    ASSERT_EQ(heats.racerCount, 6);
    ASSERT_EQ(heats.heatCount, 6);
    EXPECT_EQ(readTextFile(folder.path() / "QelDat" / "RoundRobinChamp.dat"),
              "\"Anna Fenwright\"\r\n\"Bruno Kettleby\"\r\n\"Clara Juniper\"\r\n\"Dario "
              "Moss\"\r\n\"Elsa Varnhold\"\r\n\"Felix Ottaway\"\r\n");

    setOptions([](QWidget& dialog) {
        test::click(dialog, "chkAutoDelay");
        test::choose(dialog, "cmbDelayView", "5");
        test::choose(dialog, "cmbDelayRotate", "5");
        test::click(dialog, "chkAutoDisplayResults");
    });
    desk.pressStart();
    // Heat 1 over: its results for the view delay, then the rotation and the
    // count-down window in their place.
    ASSERT_TRUE(runUntil([&] { return test::shownWindow("frmQelResults"); }, 60'000));
    EXPECT_EQ(desk.text("lblRaceOver"), "Heat Over");
    EXPECT_EQ(heats.currentHeat, 1);
    ASSERT_TRUE(runUntil([&] { return test::shownWindow("frmRotationCountDown"); }, 10'000));
    EXPECT_EQ(test::shownWindow("frmQelResults"), nullptr);
    EXPECT_EQ(heats.currentHeat, 2);
    EXPECT_EQ(desk.text("lblRaceOver"), "Rotate Now");
    EXPECT_EQ(desk.startCaption(), "Auto Delay");
    // Every further heat runs, counts down and starts by itself.
    ASSERT_TRUE(runUntil([&] { return raceOver(); }, 400'000));
    EXPECT_EQ(test::heatLogBlocks(folder.path()), 6);
    EXPECT_EQ(test::shownWindow("frmRotationCountDown"), nullptr);

    // Every racer raced four heats, one in each lane; the results rank by
    // the average over the heats raced.
    ui::FlexGrid& grid = openResults();
    const GridModel& rows = grid.model();
    ASSERT_EQ(rows.rows(), 7);
    double previous = 1e9;
    for (int row = 1; row <= 6; ++row) {
        const int racer = std::stoi(rows.textMatrix(row, 0));
        const HeatRacer& r = heats.heatRacers[racer];
        int sum = 0;
        for (int lane = 1; lane <= 4; ++lane) {
            EXPECT_GT(r.lapsInLane[lane], 0) << r.name << " lane " << lane;
            EXPECT_EQ(rows.textMatrix(row, lane + 1), std::to_string(r.lapsInLane[lane]));
            sum += r.lapsInLane[lane];
        }
        EXPECT_EQ(r.totalLaps, sum) << r.name;
        EXPECT_EQ(rows.textMatrix(row, 6), std::to_string(sum));
        const double average = std::stod(rows.textMatrix(row, 7));
        EXPECT_NEAR(average, sum / 4.0, 0.01) << r.name;
        EXPECT_LE(average, previous);
        previous = average;
    }
}

TEST_F(HeatEventPath, AChampionshipPointCorrectionHoldsThroughTheNextHeat) {
    test::ProgramHarness& desk = start();
    useStartMethod(0, 0);
    desk.chooseRaceFormat("Championship", "0.25");
    desk.pressStart();
    ASSERT_TRUE(runUntil([&] { return desk.startCaption() == "Rotate"; }, 60'000));

    ui::FlexGrid& grid = openResults();
    QWidget* results = test::shownWindow("frmQelResults");
    ASSERT_NE(results, nullptr);
    chooseItem(*results, "mnuAdjustPoints");
    // A lane cell of the racer ranked first that holds points.
    const GridModel& rows = grid.model();
    int col = 2;
    while (col <= 5 && rows.textMatrix(1, col) == "0")
        ++col;
    ASSERT_LE(col, 5);
    const int racer = std::stoi(rows.textMatrix(1, 0));
    const int lane = col - 1;
    const HeatTables& heats = desk.program.app().heats;
    const int points = heats.heatRacers[racer].pointsInLane[lane];
    const int total = heats.heatRacers[racer].totalPoints;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect(1, col).center());
    EXPECT_EQ(heats.heatRacers[racer].pointsInLane[lane], points + 1);
    EXPECT_EQ(heats.heatRacers[racer].totalPoints, total + 1);
    EXPECT_EQ(sound.playedFiles().back(), "Add Lap.wav");

    // The slip on the printer, and the grid as a worksheet under Stats.
    chooseItem(*results, "mnuPrint");
    EXPECT_EQ(desk.printer.jobsEnded(), 1);
    bool racerPrinted = false;
    for (const auto& text : desk.printer.texts())
        racerPrinted = racerPrinted || text.text == heats.heatRacers[racer].name;
    EXPECT_TRUE(racerPrinted);
    const fs::path sheet = folder.path() / "Stats" / "championship.xls";
    desk.fileDialog.choose(sheet.string());
    chooseItem(*results, "mnuSaveToExcel");
    ASSERT_EQ(desk.fileDialog.shown().size(), 1u);
    EXPECT_EQ(desk.fileDialog.shown()[0].request.fileName.rfind(
                  (folder.path() / "Stats" / "Results ").string(), 0),
              0u);
    EXPECT_TRUE(fs::is_regular_file(sheet));
    results->close();

    // Heat 2: the correction is part of the heat-1 points still.
    desk.pressStart();  // Rotate
    EXPECT_EQ(heats.currentHeat, 2);
    desk.pressStart();  // Start
    ASSERT_TRUE(runUntil([&] { return desk.text("lblRaceOver") == "Heat Over"; }, 60'000));
    EXPECT_EQ(heats.heatRacers[racer].pointsInLane[lane], points + 1);
}

// The rotation of every heat in its window, and the Abort button of a paused
// heat: the heat run again from its start, or the whole race back to heat 1.
TEST_F(HeatEventPath, AnAbortedHeatRunsAgainOrTheRaceGoesBackToHeatOne) {
    test::ProgramHarness& desk = start();
    useStartMethod(0, 0);
    desk.chooseRaceFormat("Round Robin", "0.25");
    const HeatTables& heats = desk.program.app().heats;
    ASSERT_EQ(heats.heatCount, 4);
    // The placement from the menu stands beside the board, which says the
    // demo runs heats; Cancel leaves the field as it was.
    answerMessage(Qt::Key_Return);  // no previous heat race at this track
    desk.chooseMenu("mnuSelectRacers");
    QWidget* placement = test::shownWindow("frmSelectRacers");
    ASSERT_NE(placement, nullptr);
    EXPECT_FALSE(placement->isModal());
    EXPECT_EQ(desk.text("lblRaceFormat"), "Demo - Round Robin");
    test::click(*placement, "cmdCancel");
    QApplication::processEvents();
    EXPECT_EQ(test::shownWindow("frmSelectRacers"), nullptr);
    desk.pressStart();
    ASSERT_TRUE(runUntil([&] { return desk.startCaption() == "Rotate"; }, 60'000));
    desk.pressStart();
    ASSERT_EQ(heats.currentHeat, 2);
    ASSERT_EQ(desk.startCaption(), "Start");

    // The rotation: a row per heat, the heat already run in yellow.
    desk.chooseMenu("mnuHeatSequence");
    QWidget* sequence = test::shownWindow("frmNextHeat");
    ASSERT_NE(sequence, nullptr);
    const GridModel& rotation = sequence->findChild<ui::FlexGrid*>("grdgrid")->model();
    ASSERT_EQ(rotation.rows(), 6);
    EXPECT_EQ(rotation.textMatrix(0, 0), "Print Grid");
    EXPECT_EQ(rotation.textMatrix(3, 0), "Heat 2");
    EXPECT_EQ(rotation.textMatrix(3, 1), heats.heatRacers[heats.laneRacer[1][2]].name);
    EXPECT_EQ(rotation.cellBackColor(2, 1), rgbColor(255, 255, 0));
    EXPECT_NE(rotation.cellBackColor(3, 1), rgbColor(255, 255, 0));
    // Its print cell sends the rotation to the printer, to pin up at the track.
    auto* grid = sequence->findChild<ui::FlexGrid*>("grdgrid");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(0, 0).center());
    EXPECT_EQ(desk.printer.jobsEnded(), 1);
    EXPECT_EQ(rotation.textMatrix(0, 0), "Printing");
    runUntil([] { return false; }, 6'000);
    EXPECT_EQ(rotation.textMatrix(0, 0), "Print Grid");

    // Four seconds of the heat, then Pause.
    const auto pauseHeat = [&] {
        desk.pressStart();
        runUntil([] { return false; }, 4'000);
        ASSERT_EQ(desk.startCaption(), "Pause");
        desk.pressStart();
        ASSERT_EQ(desk.startCaption(), "Continue");
    };
    // Restart Heat: heat 2 again from its start, its racers on their lanes.
    pauseHeat();
    desk.hands.expect("frmAbort", [](QWidget& dialog) { test::click(dialog, "cmdStartHeat"); });
    QTest::mouseClick(desk.window().findChild<QPushButton*>("cmdAbort"), Qt::LeftButton);
    ASSERT_TRUE(desk.hands.done());
    EXPECT_EQ(desk.startCaption(), "Start");
    EXPECT_EQ(heats.currentHeat, 2);
    EXPECT_EQ(desk.program.app().board.flagPicture, kFlagRed);
    for (int lane = 1; lane <= 4; ++lane)
        EXPECT_EQ(desk.cell("lblName", lane).toStdString(),
                  heats.heatRacers[heats.laneRacer[lane][2]].name + " ")
            << lane;

    // Abort Race: back to heat 1, the rotation's window closed.
    pauseHeat();
    desk.hands.expect("frmAbort", [](QWidget& dialog) { test::click(dialog, "cmdAbortRace"); });
    QTest::mouseClick(desk.window().findChild<QPushButton*>("cmdAbort"), Qt::LeftButton);
    ASSERT_TRUE(desk.hands.done());
    EXPECT_EQ(desk.startCaption(), "Start");
    EXPECT_EQ(heats.currentHeat, 1);
    EXPECT_EQ(test::shownWindow("frmNextHeat"), nullptr);
    EXPECT_EQ(desk.program.app().board.flagPicture, kFlagIdle);
}

}  // namespace
}  // namespace qel
