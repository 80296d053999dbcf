// The race's exports through the race director's windows: the Options "Save"
// page ticked, a demo lap race run to its end and saved by itself into Stats,
// then the summary exported with "Save to Excel", printed, and looked at in
// the print preview first.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <filesystem>
#include <string>

#include "core/io/text_file.h"
#include "core/seams/virtual_time.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"
#include "ui/records/frm_qel_summary.h"
#include "ui/records/frm_qel_view_laps.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

constexpr int kTickMs = 100;
const std::string kBeginOfFile("\x09\x00\x04\x00\x02\x00\x0A\x00", 8);

class RaceExportsPath : public ::testing::Test {
  protected:
    RaceExportsPath() {
        test::copyShippedApplicationFolder(folder);
        folder.write("QelDat/QelPorts.dat", "\"/nonexistent/qelbox\"\r\n");
        program.start();
    }

    bool run(int64_t ms, const std::function<bool()>& done) {
        for (int64_t passed = 0; passed < ms; passed += kTickMs) {
            time.advance(kTickMs);
            if (done()) return true;
        }
        return false;
    }
    void chooseIn(QWidget& window, const char* item) {
        QAction* action = window.findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        ASSERT_TRUE(action->isEnabled()) << item;
        action->trigger();
    }
    ui::FrmQelSummary* summaryWindow() {
        return program.window().findChild<ui::FrmQelSummary*>("frmQelSummary");
    }

    test::TempFolder folder;
    platform::SerialPort port{AppFolder(folder.path())};
    VirtualScheduler time{46000.5};
    test::ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6, 0.35}};
    test::RecordingSoundDevice sound;
    test::MainWindowProgram program{folder.path(), port, time, time, random, sound};
};

TEST_F(RaceExportsPath, TheTickedSavesFollowTheRaceAndTheSummaryIsExportedAndPrinted) {
    // The Save page: all three ticks, then OK.
    program.hands.expect("frmQelOptions", [](QWidget& dialog) {
        dialog.findChild<QTabBar*>("TabStrip1")->setCurrentIndex(2);
        for (const char* tick : {"chkAutoSave_0", "chkAutoSave_1", "chkAutoSave_2"})
            dialog.findChild<QCheckBox*>(tick)->click();
        dialog.findChild<QPushButton*>("cmdOk")->click();
    });
    program.chooseMenu("mnuOptions");
    ASSERT_TRUE(program.hands.done());

    program.chooseLapRace(5);
    program.pressStart();
    ASSERT_TRUE(run(300'000, [&] { return program.text("lblRaceOver") == "Race Over"; }));
    const RaceState& s = program.engine.state();
    const std::string stamp = s.raceStamp;
    const fs::path stats = folder.path() / "Stats";
    for (const std::string& name :
         {"Summary " + stamp + ".xls", "Laps " + stamp + ".xls", "Summary " + stamp + ".txt",
          "Laps " + stamp + ".txt", "Race " + stamp + ".html"})
        EXPECT_TRUE(fs::is_regular_file(stats / name)) << name;
    EXPECT_EQ(readBinaryFile(stats / ("Laps " + stamp + ".xls")).substr(0, 8), kBeginOfFile);
    EXPECT_NE(readBinaryFile(stats / ("Race " + stamp + ".html"))
                  .find(s.laneRacerName[s.runningOrder[1]]),
              std::string::npos);
    EXPECT_FALSE(s.summaryUnsaved) << "the race was saved";
    EXPECT_TRUE(program.fileDialog.shown().empty()) << "no dialog at the race's end";

    // Save to Excel from the summary window, under a name of the race director's.
    program.chooseMenu("mnuSummary");
    ui::FrmQelSummary* summary = summaryWindow();
    ASSERT_NE(summary, nullptr);
    const fs::path chosen = stats / "club night.xls";
    program.fileDialog.choose(chosen.string());
    chooseIn(*summary, "mnuSaveToExcel");
    ASSERT_EQ(program.fileDialog.shown().size(), 1u);
    EXPECT_EQ(program.fileDialog.shown()[0].request.title, "Save Race Data");
    EXPECT_EQ(readBinaryFile(chosen).substr(0, 8), kBeginOfFile);

    // The preview first: the printout's pages on screen, nothing on paper.
    QString pageShown;
    program.hands.expect("frmPrintPreview", [&](QWidget& preview) {
        pageShown = preview.findChild<QLabel*>("lblPage")->text();
        preview.findChild<QPushButton*>("cmdClose")->click();
    });
    chooseIn(*summary, "mnuPrintPreview");
    ASSERT_TRUE(program.hands.done());
    EXPECT_EQ(pageShown, "Page 1 of 1");
    EXPECT_EQ(program.printer.jobsBegun(), 0);

    // Then on paper: one landscape job with the leader's line.
    chooseIn(*summary, "mnuPrint");
    EXPECT_EQ(program.printer.jobsEnded(), 1);
    EXPECT_TRUE(program.printer.lastJobLandscape());
    bool leaderPrinted = false;
    for (const auto& text : program.printer.texts())
        leaderPrinted = leaderPrinted || text.text == "1 " + s.laneRacerName[s.runningOrder[1]];
    EXPECT_TRUE(leaderPrinted);
}

}  // namespace
}  // namespace qel
