// The race's exports through the race director's windows: the Options "Save"
// page ticked, a demo lap race run to its end and saved by itself into Stats,
// then the summary exported with "Save to Excel", printed, and looked at in
// the print preview first.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <filesystem>
#include <string>

#include "core/io/text_file.h"
#include "demo_desk.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

const std::string kBeginOfFile("\x09\x00\x04\x00\x02\x00\x0A\x00", 8);

using RaceExportsPath = test::DemoDesk;

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
