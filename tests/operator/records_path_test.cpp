// The records the program keeps by itself, as the race director meets them:
// the heat log written after a heat, archived at start-up once it is large.
#include <gtest/gtest.h>

#include <QLabel>

#include <filesystem>
#include <string>

#include "core/io/format.h"
#include "core/io/text_file.h"
#include "operator_desk.h"
#include "support/journal_query.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

using RecordsPath = test::OperatorDesk;

TEST_F(RecordsPath, AHeatOfAHeatFormatGoesIntoTheHeatLog) {
    test::ProgramHarness& desk = start();
    desk.chooseRaceFormat("Round Robin", "1");
    useStartMethod(0, 0);
    desk.pressStart();
    ASSERT_TRUE(runUntil([&] { return desk.text("lblRaceOver") == "Heat Over"; }, 120'000));

    const fs::path log = folder.path() / "Stats" / "DefaultRaceFile.txt";
    ASSERT_TRUE(fs::exists(log));
    const std::string text = readTextFile(log);
    const HeatTables& heats = desk.program.app().heats;
    const std::string header = "\"Heat 1 of " + std::to_string(heats.heatCount) + "\t";
    EXPECT_EQ(text.rfind(header, 0), 0u) << text;
    EXPECT_NE(text.find("\r\nRacers\t\tLane 1\tLane 2\tLane 3\tLane 4\tTotal\"\r\n"),
              std::string::npos)
        << text;
    // One record per racer, each with the laps the heat gave it.
    const HeatRacer& first = heats.heatRacers[1];
    std::string padded = first.name.substr(0, 16);
    padded.resize(16, ' ');
    EXPECT_NE(text.find("\"" + padded), std::string::npos) << text;
    EXPECT_NE(text.find("\t" + std::to_string(first.totalLaps) + "\"\r\n"), std::string::npos)
        << text;

    // The heat is in the race journal, and Help > About says where that is and how big.
    QString journal;
    desk.hands.expect("frmQelAbout", [&](QWidget& about) {
        if (auto* line = about.findChild<QLabel*>("lblJournal")) journal = line->text();
        test::click(about, "cmdOK");
    });
    desk.chooseMenu("mnuAbout");
    const fs::path file = folder.path() / "Stats" / "RaceJournal.sqlite";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_TRUE(journal.startsWith(QString::fromStdString("Race journal: " + file.string() + " (")))
        << journal.toStdString();
    EXPECT_TRUE(journal.endsWith(" kB)")) << journal.toStdString();
    // The series' racer table went into the journal with the heat, its laps in.
    EXPECT_EQ(test::journalQuery(file, "SELECT count(*) FROM heat_racers"),
              std::to_string(heats.racerCount));
    EXPECT_EQ(test::journalQuery(file, "SELECT total_laps FROM heat_racers WHERE racer = 1"),
              std::to_string(first.totalLaps));
}

TEST_F(RecordsPath, ALargeHeatLogIsArchivedAtStartUpAndAnOlderArchiveKept) {
    const std::string month = formatDate(time.now(), "yyyy mm dd, H-MM").substr(0, 7);
    const std::string archive = "Stats/DefaultRaceFile" + month + ".txt";
    folder.write(archive, "an earlier archive\r\n");
    folder.write("Stats/DefaultRaceFile.txt", std::string(50001, 'x'));
    start();
    EXPECT_FALSE(fs::exists(folder.path() / "Stats" / "DefaultRaceFile.txt"));
    EXPECT_EQ(readTextFile(folder.path() / archive), "an earlier archive\r\n");
    int archives = 0;
    for (const auto& entry : fs::directory_iterator(folder.path() / "Stats")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("DefaultRaceFile" + month, 0) == 0) ++archives;
    }
    EXPECT_EQ(archives, 2);
}

}  // namespace
}  // namespace qel
