// The records of a race through the race director's windows: a demo lap race
// run to its end in the main window with the lap times open, then the summary,
// both saved as grid copies and as text reports, and opened again.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <cmath>
#include <filesystem>
#include <string>

#include "app/record_windows.h"
#include "core/io/format.h"
#include "core/io/text_file.h"
#include "core/records/record_files.h"
#include "demo_desk.h"
#include "support/journal_query.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

class RaceRecordsPath : public test::DemoDesk {
  protected:
    // Runs a demo lap race from the Start button to "Race Over".
    void raceToTheEnd(int laps) {
        program.chooseLapRace(laps);
        program.pressStart();
        ASSERT_TRUE(run(300'000, [&] { return program.text("lblRaceOver") == "Race Over"; }));
    }

    // The first lap a race counts: lap 0 ("RT") with the shipped options.
    int firstLap() { return program.engine.setup().firstLapOffset() + 1; }
    // The lap grid's row of a lap number.
    int rowOf(int lap) { return 2 + lap - firstLap(); }
    static std::string lapLabel(int lap) { return lap == 0 ? "RT" : std::to_string(lap); }

    std::string saved(const std::string& name) { return readTextFile(folder.path() / name); }
};

TEST_F(RaceRecordsPath, LapTimesFollowTheRaceAndTheRecordsSaveAndOpenAgain) {
    program.chooseLapRace(5);
    program.pressStart();
    // Well into the race, the lap times are opened beside the board.
    ASSERT_TRUE(run(60'000, [&] { return program.engine.state().lapCount[1] >= 2; }));
    program.chooseMenu("mnuLapTimes");
    ui::FrmQelViewLaps* laps = lapWindow();
    ASSERT_NE(laps, nullptr);
    EXPECT_TRUE(laps->isVisible());
    GridModel& lapGrid = laps->grid().model();
    const std::string leaderFirstLap = lapGrid.textMatrix(2, 1);
    EXPECT_FALSE(leaderFirstLap.empty());

    // They follow the board as it redraws, and show the finished race at the end.
    ASSERT_TRUE(run(300'000, [&] { return program.text("lblRaceOver") == "Race Over"; }));
    settle();
    laps = lapWindow();
    ASSERT_NE(laps, nullptr);
    const RaceState& s = program.engine.state();
    const int leader = s.runningOrder[1];
    EXPECT_EQ(laps->windowTitle().toStdString(),
              "Laps   Demo - 5 Lap Race    Sorted by Lap number");
    for (int lap = firstLap(); lap <= 5; ++lap) {
        EXPECT_EQ(laps->grid().model().textMatrix(rowOf(lap), 0), lapLabel(lap));
        EXPECT_EQ(laps->grid().model().textMatrix(rowOf(lap), 1),
                  formatSingle(s.lapTimes[leader][lap], "0.000"))
            << "lap " << lap;
    }

    // The summary of the finished race: the leader heads it with five laps.
    program.chooseMenu("mnuSummary");
    ui::FrmQelSummary* summary = summaryWindow();
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->isVisible());
    GridModel& sumGrid = summary->grid().model();
    EXPECT_EQ(sumGrid.textMatrix(1, 0), "Pos ");
    EXPECT_EQ(sumGrid.textMatrix(2, 0), "1");
    EXPECT_EQ(sumGrid.textMatrix(2, 1), s.laneRacerName[leader]);
    EXPECT_EQ(sumGrid.textMatrix(2, 3), "5");

    // Saved as a grid copy and as a text report; the dialog proposes the race's stamp.
    const std::string sumPath = (folder.path() / "night.sum").string();
    const std::string sumText = (folder.path() / "night summary.txt").string();
    program.fileDialog.choose(sumPath);
    chooseIn(*summary, "mnuSaveToTextFile");
    program.fileDialog.choose(sumText);
    chooseIn(*summary, "mnuSaveToTextFile");
    ASSERT_EQ(program.fileDialog.shown().size(), 2u);
    const FileDialogRequest& asked = program.fileDialog.shown()[0].request;
    EXPECT_EQ(asked.title, "Save Summary File");
    EXPECT_EQ(fs::path(asked.fileName).filename().string(), "Summary " + s.raceStamp);
    EXPECT_FALSE(s.summaryUnsaved);
    EXPECT_TRUE(s.lapsUnsaved);

    const std::string lapPath = (folder.path() / "night.lap").string();
    const std::string lapText = (folder.path() / "night laps.txt").string();
    chooseIn(*summary, "mnuViewLaps");
    settle();
    laps = lapWindow();
    ASSERT_NE(laps, nullptr);
    program.fileDialog.choose(lapPath);
    chooseIn(*laps, "mnuSaveToTextFile");
    program.fileDialog.choose(lapText);
    chooseIn(*laps, "mnuSaveToTextFile");
    EXPECT_FALSE(s.lapsUnsaved);
    EXPECT_EQ(program.prompter.messageTexts(),
              (std::vector<std::string>{
                  "File " + sumPath + " has been saved", "File " + sumText + " has been saved",
                  "File " + lapPath + " has been saved", "File " + lapText + " has been saved"}));

    // The grid copy holds the lap times as the window showed them; the text
    // report has the race title on top and a line per lap.
    const GridFileContents lapFile = readLapFile(lapPath);
    EXPECT_EQ(lapFile.laneCount, s.laneCount);
    for (int lap = firstLap(); lap <= 5; ++lap)
        EXPECT_EQ(lapFile.rows[rowOf(lap)][1], formatSingle(s.lapTimes[leader][lap], "0.000"));
    EXPECT_EQ(saved("night laps.txt").rfind("Demo - 5 Lap Race\r\n", 0), 0u);
    // The report cuts a name to its 10-character column.
    EXPECT_NE(saved("night summary.txt").find(s.laneRacerName[leader].substr(0, 10)),
              std::string::npos);

    // Opened again from the main window: the lap file into the lap window (no
    // sorting a file), the summary into the summary window, the text report
    // to the desktop's text program.
    laps->close();
    settle();
    program.fileDialog.choose(lapPath);
    program.chooseMenu("mnuOpen");
    laps = lapWindow();
    ASSERT_NE(laps, nullptr);
    EXPECT_EQ(laps->windowTitle().toStdString(), lapPath);
    EXPECT_FALSE(laps->findChild<QMenu*>("mnuSort")->menuAction()->isEnabled());
    EXPECT_EQ(laps->grid().model().textMatrix(2, 1), lapFile.rows[2][1]);

    program.fileDialog.choose(sumPath);
    chooseIn(*laps, "mnuOpen");
    summary = summaryWindow();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->windowTitle().toStdString(), sumPath);
    EXPECT_EQ(summary->grid().model().textMatrix(2, 1), s.laneRacerName[leader]);

    program.fileDialog.choose(sumText);
    chooseIn(*summary, "mnuOpen");
    ASSERT_EQ(program.shell.calls().size(), 1u);
    EXPECT_EQ(program.shell.calls()[0].target, sumText);

    // The race is in the journal too, finished, with every lap the board counted.
    const fs::path journal = folder.path() / "Stats" / "RaceJournal.sqlite";
    EXPECT_EQ(test::journalQuery(journal, "SELECT outcome FROM races"), "finished");
    int counted = 0;
    for (int lane = 1; lane <= s.laneCount; ++lane)
        counted += s.lapCount[lane] - program.engine.setup().firstLapOffset();
    EXPECT_EQ(test::journalQuery(journal, "SELECT count(*) FROM laps"), std::to_string(counted));
    EXPECT_EQ(test::journalQuery(journal, "SELECT lap_ms FROM laps WHERE lane = " +
                                              std::to_string(leader) + " AND lap = 3"),
              std::to_string(std::lround(s.lapTimes[leader][3] * 1000.0)));
}

TEST_F(RaceRecordsPath, SortingByLapTimeAndBackAndADamagedFileLeavesTheWindowsAlone) {
    raceToTheEnd(5);
    program.chooseMenu("mnuLapTimes");
    ui::FrmQelViewLaps* laps = lapWindow();
    ASSERT_NE(laps, nullptr);
    EXPECT_FALSE(laps->findChild<QAction*>("mnuSortByLap")->isEnabled());

    chooseIn(*laps, "mnuSortByLapTime");
    const RaceState& s = program.engine.state();
    const int leader = s.runningOrder[1];
    float fastest = s.lapTimes[leader][1];
    for (int lap = 2; lap <= s.lapCount[leader]; ++lap)
        fastest = std::min(fastest, s.lapTimes[leader][lap]);
    EXPECT_EQ(laps->grid().model().textMatrix(rowOf(1), 1), formatSingle(fastest, "0.000"));
    EXPECT_TRUE(laps->windowTitle().endsWith("Sorted by Lap Times"));
    EXPECT_FALSE(laps->findChild<QAction*>("mnuSortByLapTime")->isEnabled());
    EXPECT_TRUE(laps->findChild<QAction*>("mnuSortByLap")->isEnabled());

    chooseIn(*laps, "mnuSortByLap");
    EXPECT_EQ(laps->grid().model().textMatrix(rowOf(1), 1),
              formatSingle(s.lapTimes[leader][1], "0.000"));
    EXPECT_EQ(program.prompter.messageTexts(),
              (std::vector<std::string>{"Sorted by Lap Time", "Sorted by Lap"}));

    // A file that is no lap file: said, and the window keeps the race.
    const std::string before = laps->grid().model().textMatrix(2, 1);
    const fs::path bad = folder.write("notes.lap", "hello\r\nworld\r\n");
    program.fileDialog.choose(bad.string());
    chooseIn(*laps, "mnuOpen");
    ASSERT_EQ(program.prompter.messages().size(), 3u);
    EXPECT_NE(program.prompter.messageTexts()[2].find("notes.lap"), std::string::npos);
    EXPECT_EQ(laps->grid().model().textMatrix(2, 1), before);
    EXPECT_TRUE(laps->findChild<QMenu*>("mnuSort")->menuAction()->isEnabled());
}

}  // namespace
}  // namespace qel
