// The racer in each lane: name cells from Racers.dat, the racer lists, and a
// choice from a list written back for the next run.
#include "core/engine/lane_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/setup/roster.h"
#include "support/error_of.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

// Four lanes over the default data files, the track idle.
class LaneNamesTest : public ::testing::Test {
  protected:
    LaneNamesTest() {
        fs::copy(fs::path(QEL_SOURCE_DIR) / "data" / "QelDat", folder.path() / "QelDat",
                 fs::copy_options::recursive);
        state.laneCount = 4;
        for (int lane = 1; lane <= kMaxLanes; ++lane)
            installation.laneColor[lane] = 1000 + lane;
    }

    void setLaneRacers(const std::string& line) {
        folder.write("QelDat/Racers.dat", line + "\r\n");
    }
    int entryOf(int row, const std::string& name) const {
        const auto& entries = board.nameLists[row].entries();
        for (int entry = 0; entry < static_cast<int>(entries.size()); ++entry) {
            if (entries[entry] == name) return entry;
        }
        ADD_FAILURE() << name << " is not in the list of row " << row;
        return -1;
    }
    std::string cell(int row) const { return board.rows[row].name.text; }

    test::TempFolder folder;
    AppFolder appFolder{folder.path()};
    RaceState state;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
    HeatTables heats;
    RaceBoard board;
    InstallationSettings installation;
    test::ScriptedPrompter prompter;
    LaneNames names{appFolder,    state,   {raceSettings, options}, heats, board,
                    installation, prompter};
};

TEST_F(LaneNamesTest, LoadNamesShowsEachLanesRacer) {
    setLaneRacers(
        R"("Anna Fenwright","Bruno Kettleby","","Dario Moss","Hugo Brambleton","","","")");
    state.laneDisabled[2] = 1;
    names.LoadNames();

    EXPECT_EQ(cell(1), "Anna Fenwright ");
    EXPECT_EQ(cell(2), " Disabled");
    EXPECT_EQ(cell(3), "");
    EXPECT_EQ(cell(4), "Dario Moss ");
    EXPECT_EQ(cell(5), " Select Name");  // beyond the lanes in use
    EXPECT_EQ(state.laneRacerName[5], "Hugo Brambleton");
    EXPECT_TRUE(prompter.messages().empty());

    // A heat leaves lane 4 out of its sequence.
    raceSettings.raceFormat = kRoundRobin;
    heats.activeSequence = "123";
    names.LoadNames();
    EXPECT_EQ(cell(1), "Anna Fenwright ");
    EXPECT_EQ(cell(4), " ");
}

TEST_F(LaneNamesTest, MissingRacersFileIsShownAndTheCellsStay) {
    fs::remove(folder.path() / "QelDat" / "Racers.dat");
    board.rows[1].name.text = "Clara Juniper ";
    names.LoadNames();

    LaneTable<std::string> unused;
    const std::string expected = test::errorOf([&] { readLaneRacerNames(appFolder, unused); });
    ASSERT_NE(expected, "no error");
    EXPECT_EQ(prompter.messageTexts(), std::vector<std::string>{expected});
    EXPECT_EQ(cell(1), "Clara Juniper ");
    EXPECT_EQ(cell(2), " Select Name");
}

TEST_F(LaneNamesTest, RacerListsOfferTheRosterThenEmpty) {
    names.LoadRacerLists();

    const std::vector<std::string> expected{"Anna Fenwright",  "Bruno Kettleby",  "Clara Juniper",
                                            "Dario Moss",      "Elsa Varnhold",   "Felix Ottaway",
                                            "Greta Lindqvale", "Hugo Brambleton", "Empty"};
    for (int lane = 1; lane <= 4; ++lane) {
        EXPECT_EQ(board.nameLists[lane].entries(), expected);
        EXPECT_EQ(board.nameLists[lane].selected, -1);
        EXPECT_EQ(state.laneColor[lane], 1000 + lane);
    }
    EXPECT_TRUE(board.nameLists[5].entries().empty());
}

TEST_F(LaneNamesTest, ListOpensOnTheNameTheLaneShows) {
    names.LoadRacerLists();
    names.LoadNames();
    names.lblName_Click(2);

    EXPECT_TRUE(board.nameLists[2].visible);
    EXPECT_EQ(board.nameLists[2].selected, entryOf(2, "Bruno Kettleby"));

    names.lblName_Click(3);  // one list open at a time
    EXPECT_FALSE(board.nameLists[2].visible);
    EXPECT_TRUE(board.nameLists[3].visible);
}

TEST_F(LaneNamesTest, DisabledLaneOpensNoList) {
    names.LoadRacerLists();
    state.laneDisabled[2] = 1;
    names.lblName_Click(2);

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "This lane is disabled.\r\nGo to Settings to enable it.");
    EXPECT_EQ(prompter.messages()[0].title, "Lane Disabled");
    EXPECT_FALSE(board.nameLists[2].visible);
}

TEST_F(LaneNamesTest, NoListOpensWhileARaceIsUnderWay) {
    names.LoadRacerLists();
    state.laneDisabled[2] = 1;
    for (StartState state : {StartState::Pause, StartState::Continue, StartState::Reset}) {
        SCOPED_TRACE(startCaptionOf(state));
        board.startState = state;
        names.lblName_Click(1);
        names.lblName_Click(2);
        EXPECT_FALSE(board.nameLists[1].visible);
        EXPECT_TRUE(prompter.messages().empty());
    }
}

TEST_F(LaneNamesTest, ChoosingANameInUseWarnsOnceAndKeepsTheChoice) {
    names.LoadRacerLists();
    names.LoadNames();
    names.lblName_Click(2);
    names.Select_Name_Click(2, entryOf(2, "Anna Fenwright"));

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Warning, name already exists.");
    EXPECT_EQ(prompter.messages()[0].title, "Racer's Name");
    EXPECT_EQ(cell(2), "Anna Fenwright ");
    EXPECT_FALSE(board.nameLists[2].visible);

    LaneTable<std::string> stored;
    readLaneRacerNames(appFolder, stored);
    EXPECT_EQ(stored[1], "Anna Fenwright");
    EXPECT_EQ(stored[2], "Anna Fenwright");
    EXPECT_EQ(stored[3], "Clara Juniper");
}

TEST_F(LaneNamesTest, ChoiceOnAClosedListIsIgnored) {
    names.LoadRacerLists();
    names.LoadNames();
    names.Select_Name_Click(2, entryOf(2, "Elsa Varnhold"));

    EXPECT_EQ(cell(2), "Bruno Kettleby ");
    LaneTable<std::string> stored;
    readLaneRacerNames(appFolder, stored);
    EXPECT_EQ(stored[2], "Bruno Kettleby");
}

TEST_F(LaneNamesTest, DisabledLaneKeepsItsStoredRacer) {
    names.LoadRacerLists();
    state.laneDisabled[4] = 1;
    names.LoadNames();
    names.lblName_Click(1);
    names.Select_Name_Click(1, entryOf(1, "Elsa Varnhold"));

    LaneTable<std::string> stored;
    readLaneRacerNames(appFolder, stored);
    EXPECT_EQ(stored[1], "Elsa Varnhold");
    EXPECT_EQ(stored[4], "Dario Moss");
}

// "Empty" leaves a lane without a racer, so any number of lanes may take it.
TEST_F(LaneNamesTest, EmptyMayBeChosenForSeveralLanes) {
    names.LoadRacerLists();
    names.LoadNames();
    for (int lane : {3, 4}) {
        names.lblName_Click(lane);
        names.Select_Name_Click(lane, entryOf(lane, "Empty"));
    }

    EXPECT_TRUE(prompter.messages().empty()) << prompter.messages().front().text;
}

}  // namespace
}  // namespace qel
