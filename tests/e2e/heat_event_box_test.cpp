// A Round Robin night against the box simulator on a pseudo-terminal, in
// real time: six racers on four lanes, the field from the last heat race at
// this track, Auto-Delay on, and Start pressed once. Every heat runs, counts
// down and starts by itself, counting the box's crossings for the racers of
// that heat, and the results rank the six over all six heats.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>
#include <string>

#include "app/heat_windows.h"
#include "box_simulator_process.h"
#include "core/io/text_file.h"
#include "core/seams/uniform_random.h"
#include "main_window_program.h"
#include "platform/qt_timers.h"
#include "platform/sdl_sound_device.h"
#include "platform/serial_port.h"
#include "support/heat_log_blocks.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

class HeatEventBox : public ::testing::Test {
  protected:
    bool runUntil(const std::function<bool()>& done, int timeoutMs) {
        return QTest::qWaitFor(done, timeoutMs);
    }

    test::TempFolder folder;
    test::BoxSimulator box{folder.path(), 17, "1=1200,2=1300,3=1400,4=1800"};
    platform::SerialPort port{AppFolder(folder.path())};
    platform::QtClock clock;
    platform::QtTimerService timers;
    UniformRandom random{5};
    platform::SdlSoundDevice sound;
    std::unique_ptr<test::MainWindowProgram> program;
};

TEST_F(HeatEventBox, ARoundRobinOfSixRunsEveryHeatAgainstTheBox) {
    ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
    test::copyShippedApplicationFolder(folder);
    test::pointPortOneAt(folder, box.link());
    test::layOutBoxHeatNight(folder);
    test::writeRaceFormatFile(AppFolder(folder.path()), 0);
    program = std::make_unique<test::MainWindowProgram>(folder.path(), port, clock, timers, random,
                                                        sound);
    program->start();
    ASSERT_TRUE(port.isOpen()) << port.lastError();

    program->chooseRaceFormat("Round Robin", "0.1", false);
    program->hands.expect("frmQelOptions", [](QWidget& dialog) {
        dialog.findChild<QCheckBox*>("chkAutoDelay")->click();
        for (const char* list : {"cmbDelayView", "cmbDelayRotate"}) {
            auto* box = dialog.findChild<QComboBox*>(list);
            box->setCurrentIndex(box->findText("5"));
        }
        dialog.findChild<QPushButton*>("cmdOk")->click();
    });
    program->chooseMenu("mnuOptions");
    ASSERT_TRUE(program->hands.done());
    const HeatTables& heats = program->engine.app().heats;
    ASSERT_EQ(heats.racerCount, 6);
    ASSERT_EQ(heats.heatCount, 6);
    ASSERT_EQ(heats.heatRacers[5].name, "Eve");
    ASSERT_EQ(heats.heatRacers[5].sitOutNumber, 1);

    program->pressStart();
    ASSERT_TRUE(runUntil(
        [&] {
            return program->text("lblRaceOver") == "Race Over" &&
                   program->startCaption() == "Reset";
        },
        240'000))
        << "heat " << heats.currentHeat << " " << program->text("lblRaceOver").toStdString();
    EXPECT_EQ(test::heatLogBlocks(folder.path()), 6);

    // Every racer drove four heats, one in each lane, and the box's laps are theirs.
    int laps = 0;
    for (int racer = 1; racer <= 6; ++racer) {
        const HeatRacer& r = heats.heatRacers[racer];
        for (int lane = 1; lane <= 4; ++lane)
            EXPECT_GT(r.lapsInLane[lane], 0) << r.name << " lane " << lane;
        laps += r.totalLaps;
    }
    EXPECT_GT(laps, 6 * 4 * 2);

    program->chooseMenu("mnuRaceResults");
    const auto* results = program->find<QWidget>("frmQelResults");
    ASSERT_NE(results, nullptr);
    const GridModel& grid = program->program.heatWindows().results().grdRR();
    ASSERT_EQ(grid.rows(), 7);
    for (int row = 2; row <= 6; ++row)
        EXPECT_LE(std::stod(grid.textMatrix(row, 7)), std::stod(grid.textMatrix(row - 1, 7)));
}

}  // namespace
}  // namespace qel
