// The racer roster and the lane names: names must come back exactly as
// stored, in proper case, without duplicates from Add, and the file must
// follow the list after every change.
#include "core/setup/roster.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/error_of.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string committed(const char* name) {
    return readBytes(fs::path(QEL_SOURCE_DIR) / "data/QelDat" / name);
}

TEST(Roster, ProperCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"john smith", "John Smith"},
        {"JOHN SMITH", "John Smith"},
        {"jOHN  o'NEIL-jones", "John  O'neil-jones"},
        {"élise MÜLLER", "Élise Müller"},
        {"ŠTEFAN žOLD", "Štefan Žold"},
        {"a", "A"},
        {"", ""},
        {"r2d2 3po", "R2d2 3po"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(properCase(typed), stored) << typed;
}

class RosterListTest : public ::testing::Test {
  protected:
    fs::path rosterFile() const { return app.path() / "QelDat/QeRacers.dat"; }
    std::string fileText() const { return readBytes(rosterFile()); }

    test::TempFolder app;
    test::ScriptedPrompter prompter;
    RosterList list{AppFolder(app.path()), prompter};
};

TEST_F(RosterListTest, CommittedRosterLoadsSortedAndRewritesByteForByte) {
    app.write("QelDat/QeRacers.dat", committed("QeRacers.dat"));
    list.Load();
    ASSERT_EQ(list.names().size(), 8u);
    EXPECT_EQ(list.names().front(), "Anna Fenwright");
    EXPECT_EQ(list.countText(), "Total number of Racers: 8");
    writeRosterNames(AppFolder(app.path()), readRosterNames(AppFolder(app.path())));
    EXPECT_EQ(fileText(), committed("QeRacers.dat"));
}

TEST_F(RosterListTest, AddTrimsProperCasesAppendsAndRefusesExactDuplicates) {
    app.write("QelDat/QeRacers.dat", "\"zed zero\"\r\n\"Bob Bee\"\r\n");
    list.Load();
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Bob Bee", "zed zero"}));

    prompter.type("   mARY   ann  ");
    list.Add();
    EXPECT_EQ(prompter.inputs().at(0).prompt, "Enter new Racer name");
    EXPECT_EQ(prompter.inputs().at(0).title, "Add Racer");
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Bob Bee", "Mary   Ann", "zed zero"}));
    EXPECT_EQ(fileText(), "\"zed zero\"\r\n\"Bob Bee\"\r\n\"Mary   Ann\"\r\n");
    EXPECT_EQ(list.countText(), "Total number of Racers: 3");

    // The same name in any letter case becomes the stored one and is refused.
    prompter.type("MARY   ANN");
    list.Add();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Mary   Ann already exists");
    EXPECT_EQ(prompter.messages()[0].title, "Racer");
    // "zed zero" was never proper-cased, so "Zed Zero" is not its exact duplicate.
    prompter.type("zed zero");
    list.Add();
    EXPECT_EQ(list.names().size(), 4u);

    const auto before = fileText();
    for (const std::optional<std::string>& typed :
         std::vector<std::optional<std::string>>{std::nullopt, "", "    "}) {
        prompter.type(typed);
        list.Add();
    }
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(list.names().size(), 4u);
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(RosterListTest, QuotesInANameBecomeApostrophesSoTheFileReadsBackTheSame) {
    prompter.type("dale \"the hammer\" earl");
    list.Add();  // no file yet: Add creates it
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Dale 'the Hammer' Earl"}));
    EXPECT_EQ(fileText(), "\"Dale 'the Hammer' Earl\"\r\n");
    prompter.type("Dale 'the Hammer' Earl");
    list.Add();
    EXPECT_EQ(prompter.messageTexts(),
              (std::vector<std::string>{"Dale 'the Hammer' Earl already exists"}));

    RosterList again(AppFolder(app.path()), prompter);
    again.Load();
    EXPECT_EQ(again.names(), list.names());
}

TEST_F(RosterListTest, ModifyAndDeleteNeedASelection) {
    for (const std::string& file : {std::string(), std::string("\"Solo\"\r\n")}) {
        app.write("QelDat/QeRacers.dat", file);
        list.Load();
        prompter.clear();
        list.Modify({});
        list.Delete({});
        list.Delete({7});  // a position the list does not have
        ASSERT_EQ(prompter.messages().size(), 3u);
        EXPECT_EQ(prompter.messages()[0].text, "Select name from list to modify");
        EXPECT_EQ(prompter.messages()[0].title, "Modify Racer");
        EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
        EXPECT_EQ(prompter.messages()[1].text, "Select name from list to delete");
        EXPECT_EQ(prompter.messages()[1].title, "Delete Racer");
        EXPECT_EQ(fileText(), file);
    }
}

TEST_F(RosterListTest, ModifyAndDeleteRewriteTheFileInListOrder) {
    app.write("QelDat/QeRacers.dat", "\"Cy\"\r\n\"Al\"\r\n\"Bo\"\r\n");
    list.Load();

    // The first selected name in list order is changed, in place, even into a duplicate.
    prompter.type("cY jR");
    list.Modify({2, 1});
    EXPECT_EQ(prompter.inputs().back().defaultText, "Bo");
    EXPECT_EQ(prompter.inputs().back().title, "Modify Racer");
    EXPECT_EQ(prompter.inputs().back().prompt, "Modify Racer name");
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Al", "Cy Jr", "Cy"}));
    EXPECT_EQ(fileText(), "\"Al\"\r\n\"Cy Jr\"\r\n\"Cy\"\r\n");

    prompter.type("cy");
    list.Modify({0});
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Cy", "Cy Jr", "Cy"}));

    // Cancelled: nothing renamed, the file still follows the list.
    app.write("QelDat/QeRacers.dat", "stale");
    prompter.type(std::nullopt);
    list.Modify({1});
    EXPECT_EQ(fileText(), "\"Cy\"\r\n\"Cy Jr\"\r\n\"Cy\"\r\n");

    list.Delete({2, 1});
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Cy", "Cy"}));
    EXPECT_EQ(fileText(), "\"Cy\"\r\n\"Cy\"\r\n");
    EXPECT_EQ(list.countText(), "Total number of Racers: 2");
}

TEST_F(RosterListTest, AMissingOrUnwritableFileIsReportedAndTheListFollowsTheFile) {
    list.Load();
    ASSERT_EQ(prompter.messageTexts(),
              (std::vector<std::string>{"File not found: QelDat/QeRacers.dat"}));
    EXPECT_TRUE(list.names().empty());

    app.write("QelDat/QeRacers.dat", "\"Al\"\r\n\"Bo\"\r\n");
    list.Load();
    // A folder where the file should be: every write fails.
    fs::remove(rosterFile());
    fs::create_directories(rosterFile() / "blocked");
    prompter.clear();
    list.Delete({0});
    prompter.type("Cy");
    list.Add();
    prompter.type("Dee");
    list.Modify({1});
    EXPECT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Al", "Bo"}));
}

TEST(LaneRacerNames, EightQuotedNamesOnOneLine) {
    LaneTable<std::string> names;
    parseLaneRacerNames(committed("Racers.dat"), "Racers.dat", names);
    EXPECT_EQ(names[1], "Anna Fenwright");
    EXPECT_EQ(names[5], "");
    EXPECT_EQ(laneRacerNamesText(names), committed("Racers.dat"));

    test::TempFolder app;
    const AppFolder folder(app.path());
    LaneTable<std::string> written{};
    written[2] = "Bo, the \"Rocket\"";
    writeLaneRacerNames(folder, written);
    EXPECT_EQ(readBytes(app.path() / "QelDat/Racers.dat"),
              "\"\",\"Bo, the 'Rocket'\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    LaneTable<std::string> back{};
    readLaneRacerNames(folder, back);
    EXPECT_EQ(back[2], "Bo, the 'Rocket'");

    // Short or missing: refused, the lanes keep their names.
    app.write("QelDat/Racers.dat", "\"A\",\"B\",\"C\"\r\n");
    EXPECT_NE(test::errorOf([&] {
                  readLaneRacerNames(folder, back);
              }).find("Input past end of file in QelDat/Racers.dat"),
              std::string::npos);
    EXPECT_EQ(back[2], "Bo, the 'Rocket'");
    EXPECT_EQ(back[1], "");
}

}  // namespace
}  // namespace qel
