// The saves the Options "Save" page asks for after every race: the ticks'
// file, the files each tick writes into Stats under the race's stamp, a
// second race in the same minute, and a save that fails.
#include "core/records/auto_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/io/errors.h"
#include "core/io/text_file.h"
#include "core/setup/auto_save_file.h"
#include "support/summary_race.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

TEST(AutoSaveFile, ThreeTicksOnOneLineAndNoFileMeansNoneTicked) {
    test::TempFolder folder;
    const AppFolder app(folder.path());
    AutoSaveSettings settings{true, true, true};
    readAutoSaveFile(app, settings);
    EXPECT_EQ(settings, AutoSaveSettings{}) << "a new installation saves nothing by itself";

    writeAutoSaveFile(app, {true, false, true});
    EXPECT_EQ(readBinaryFile(folder.path() / "QelDat" / "QelAutoSave.dat"), "1,0,1\r\n");
    readAutoSaveFile(app, settings);
    EXPECT_EQ(settings, (AutoSaveSettings{true, false, true}));

    folder.write("QelDat/QelAutoSave.dat", "1,0\r\n");
    EXPECT_THROW(readAutoSaveFile(app, settings), QelError);
    EXPECT_EQ(settings, (AutoSaveSettings{true, false, true})) << "a damaged file changes nothing";
}

class AutoSaveTest : public ::testing::Test {
  protected:
    AutoSaveTest() {
        race.state->laneCount = 2;
        race.state->raceTitle = "Demo - 5 Lap Race";
        race.state->raceStamp = "Mar-05, 20-15";
        race.state->summaryUnsaved = true;
        race.state->lapsUnsaved = true;
        race.lane(1, "Jo <Smith>", test::kRedIndex, 255);
        race.lane(2, "Al Brown", test::kBlueIndex, 16711680);
        race.laps(1, 1, {5.2f, 5.4f, 5.6f, 5.2f, 5.4f});
        race.laps(2, 1, {5.5f, 5.5f, 5.5f, 5.5f});
        race.state->runningOrder = {0, 1, 2};
    }

    std::set<std::string> statsFiles() const {
        std::set<std::string> names;
        if (!fs::exists(folder.path() / "Stats")) return names;
        for (const auto& entry : fs::directory_iterator(folder.path() / "Stats"))
            names.insert(entry.path().filename().string());
        return names;
    }

    test::TempFolder folder;
    AppFolder app{folder.path()};
    test::SummaryRace race;
    AutoSaveSettings settings;
    AutoSave autoSave{race.sources(), settings, app};
};

TEST_F(AutoSaveTest, NoTickNoFile) {
    EXPECT_TRUE(autoSave.saveRace().empty());
    EXPECT_TRUE(statsFiles().empty());
    EXPECT_TRUE(race.state->summaryUnsaved);
}

TEST_F(AutoSaveTest, EachTickWritesItsFilesUnderTheRaceStamp) {
    settings = {true, true, true};
    autoSave.reopenOpenViews();
    EXPECT_EQ(statsFiles(),
              (std::set<std::string>{"Summary Mar-05, 20-15.xls", "Laps Mar-05, 20-15.xls",
                                     "Summary Mar-05, 20-15.txt", "Laps Mar-05, 20-15.txt",
                                     "Race Mar-05, 20-15.html"}));
    const fs::path stats = folder.path() / "Stats";
    EXPECT_EQ(readBinaryFile(stats / "Laps Mar-05, 20-15.xls").substr(0, 4),
              std::string("\x09\x00\x04\x00", 4));
    EXPECT_EQ(readTextFile(stats / "Laps Mar-05, 20-15.txt").rfind("Demo - 5 Lap Race\r\n", 0), 0u);
    EXPECT_NE(readTextFile(stats / "Summary Mar-05, 20-15.txt").find("Al Brown"),
              std::string::npos);

    // The page stands on its own: the title, both tables, every lap time.
    const std::string page = readBinaryFile(stats / "Race Mar-05, 20-15.html");
    EXPECT_NE(page.find("<title>Demo - 5 Lap Race</title>"), std::string::npos);
    EXPECT_NE(page.find("<table id=\"summary\">"), std::string::npos);
    EXPECT_NE(page.find("<table id=\"laps\">"), std::string::npos);
    EXPECT_NE(page.find("Jo &lt;Smith&gt;"), std::string::npos);
    for (const char* lap : {"5.200", "5.400", "5.600", "5.500"})
        EXPECT_NE(page.find(std::string("<td>") + lap + "</td>"), std::string::npos) << lap;
    EXPECT_EQ(page.find("<link"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);

    EXPECT_FALSE(race.state->summaryUnsaved);
    EXPECT_FALSE(race.state->lapsUnsaved);
    EXPECT_TRUE(race.board.recordsNotice.empty());
}

TEST_F(AutoSaveTest, ARaceEndingInTheSameMinuteKeepsTheEarlierFiles) {
    settings.textFiles = true;
    autoSave.saveRace();
    const fs::path first = folder.path() / "Stats" / "Laps Mar-05, 20-15.txt";
    const std::string earlier = readBinaryFile(first);
    race.laps(1, 1, {6.1f, 6.2f});
    const auto written = autoSave.saveRace();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].filename().string(), "Summary Mar-05, 20-15 (2).txt");
    EXPECT_EQ(written[1].filename().string(), "Laps Mar-05, 20-15 (2).txt");
    EXPECT_EQ(readBinaryFile(first), earlier);
}

TEST_F(AutoSaveTest, ASaveThatFailsIsToldOnTheBoardAndTheRaceGoesOn) {
    settings.spreadsheets = true;
    folder.write("Stats", "a file where the Stats folder should be");
    EXPECT_NO_THROW(autoSave.saveRace());
    EXPECT_NE(race.board.recordsNotice.find("The race was not saved automatically"),
              std::string::npos);
    EXPECT_NE(race.board.recordsNotice.find("Summary Mar-05, 20-15.xls"), std::string::npos)
        << race.board.recordsNotice;
    EXPECT_TRUE(race.state->summaryUnsaved);

    // Once saves work again, the notice goes; another's notice would stay.
    fs::remove(folder.path() / "Stats");
    autoSave.saveRace();
    EXPECT_TRUE(race.board.recordsNotice.empty());
    race.board.recordsNotice = "Heat 2 is not in the heat log";
    autoSave.saveRace();
    EXPECT_EQ(race.board.recordsNotice, "Heat 2 is not in the heat log");
}

}  // namespace
}  // namespace qel
