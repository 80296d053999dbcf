// Placing the field of a race: lanes and sit-out slots, the checks OK makes
// before a heat race is committed, random placement that always ends, and the
// two lists of names the placement reads (which must never half-place a
// damaged file).
#include "core/heats/racer_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/heats/heat_racer_files.h"
#include "core/heats/rotation.h"
#include "core/io/text_file.h"
#include "core/setup/roster.h"
#include "support/error_of.h"
#include "support/placement_bench.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

using test::errorOf;

std::vector<std::string> namesFrom(char first, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(std::string(1, static_cast<char>(first + i)));
    return names;
}

std::vector<std::string> numberedNames(const std::string& stem, int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(stem + " " + std::to_string(i));
    return names;
}

// Bytes as written, NULs and all.
template <std::size_t N>
std::string bytesOf(const char (&text)[N]) {
    return std::string(text, N - 1);
}

using test::quotedLines;

class RacerPlacementTest : public ::testing::Test, protected test::PlacementBench {
  protected:
    RacerPlacement& open() {
        placement = std::make_unique<RacerPlacement>(
            context(), PlacementHooks{[this] { ++titleUpdates; }, [this] { ++boardDraws; }});
        return *placement;
    }
    // The names of the selected list go, first to last, into the slots given.
    void placeInSitOuts(RacerPlacement& p, std::initializer_list<int> slots) {
        for (int slot : slots) {
            p.selectRace(0);
            p.cmdSitOut_Click(slot);
        }
    }
    std::string dataFile(const char* name) { return readBinaryFile(app.dataFile(name)); }
    bool dataFileExists(const char* name) { return std::filesystem::exists(app.dataFile(name)); }
    std::vector<std::string> laneNames(const RacerPlacement& p) {
        std::vector<std::string> names;
        for (int lane = 1; lane <= p.laneCount(); ++lane)
            names.push_back(p.lane(lane).name);
        return names;
    }

    std::unique_ptr<RacerPlacement> placement;
    int titleUpdates = 0;
    int boardDraws = 0;
};

TEST_F(RacerPlacementTest, FourLanesStraightSixRacersNeedTwoSitOutsBeforeOkCommits) {
    useFormat(kRoundRobin);
    writeRosterNames(app, {"Ann", "Bob", "Cy", "Dee", "Eve", "Fay"});
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    RacerPlacement& p = open();
    ASSERT_EQ(prompter.messageTexts(),
              std::vector<std::string>{"File for previous Racers not found"});
    EXPECT_EQ(prompter.messages()[0].title, "File not found");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
    prompter.clear();
    EXPECT_EQ(p.lstRacers(), (std::vector<std::string>{"Eve", "Fay"}));

    p.add({0, 1});
    EXPECT_EQ(p.lstRace(), (std::vector<std::string>{"Eve", "Fay"}));
    EXPECT_EQ(p.totalRacers(), 6);
    EXPECT_EQ(p.sitOutsNeeded(), 2);
    EXPECT_TRUE(p.sitOut(1).button.enabled);
    EXPECT_TRUE(p.sitOut(2).button.enabled);
    EXPECT_FALSE(p.sitOut(3).button.enabled);
    EXPECT_EQ(p.sitOut(2).labelColor, kSitOutUsableColor);
    EXPECT_EQ(p.sitOut(3).labelColor, kSitOutBorderColor);

    EXPECT_FALSE(p.CommandOK_Click());
    placeInSitOuts(p, {1});
    EXPECT_FALSE(p.CommandOK_Click());
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].text, "Place Eve or  remove from Selected Racers");
    EXPECT_EQ(prompter.messages()[1].text, "Place Fay or  remove from Selected Racers");
    EXPECT_EQ(prompter.messages()[1].title, "Racer");
    EXPECT_FALSE(dataFileExists("RoundRobinChamp.dat"));

    placeInSitOuts(p, {2});
    EXPECT_EQ(p.sitOut(2).button.caption, "< 2");
    ASSERT_TRUE(p.CommandOK_Click());
    ASSERT_EQ(tables.racerCount, 6);
    const struct {
        const char* name;
        int startLane;
        int sitOut;
    } expected[] = {{"Ann", 1, 0}, {"Bob", 2, 0}, {"Cy", 3, 0},
                    {"Dee", 4, 0}, {"Eve", 0, 1}, {"Fay", 0, 2}};
    for (int racer = 1; racer <= 6; ++racer) {
        const HeatRacer& r = tables.heatRacers[racer];
        EXPECT_EQ(r.name, expected[racer - 1].name);
        EXPECT_EQ(r.startLane, expected[racer - 1].startLane) << racer;
        EXPECT_EQ(r.sitOutNumber, expected[racer - 1].sitOut) << racer;
    }
    // The rotation of the six: Eve races lane 1 in heat 3, Fay in heat 2.
    EXPECT_EQ(tables.activeSequence, "123400");
    EXPECT_EQ(tables.heatCount, 6);
    EXPECT_EQ(tables.heatLane[5][3], 1);
    EXPECT_EQ(tables.heatLane[6][2], 1);
    EXPECT_EQ(titleUpdates, 1);
    EXPECT_EQ(dataFile("RoundRobinChamp.dat"),
              "\"Ann\"\r\n\"Bob\"\r\n\"Cy\"\r\n\"Dee\"\r\n\"Eve\"\r\n\"Fay\"\r\n");
    EXPECT_EQ(dataFile("Racers.dat"), "\"Ann\",\"Bob\",\"Cy\",\"Dee\",\"\",\"\",\"\",\"\"\r\n");
}

TEST_F(RacerPlacementTest, CustomSequenceWithASitOutPositionStartsTheSitOutRacerThere) {
    useFormat(kRoundRobin, 2, "1203");
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    writeRosterNames(app, {"Dee", "Eve"});
    RacerPlacement& p = open();
    EXPECT_FALSE(p.lane(4).button.enabled);
    EXPECT_EQ(p.lane(4).button.caption, "> 4");
    EXPECT_EQ(p.lane(4).name, "");
    // Dee was on the board of lane 4, which the sequence never uses.
    EXPECT_EQ(p.lstRacers(), (std::vector<std::string>{"Dee", "Eve"}));

    p.add({1});
    EXPECT_EQ(p.sitOutsNeeded(), 1);
    placeInSitOuts(p, {1});
    ASSERT_TRUE(p.CommandOK_Click());
    EXPECT_EQ(tables.racerCount, 4);
    EXPECT_EQ(tables.heatRacers[4].name, "Eve");
    EXPECT_EQ(tables.heatRacers[4].sitOutNumber, 1);
    EXPECT_EQ(getSeqOffset(0, 1, tables.activeSequence), 3);
    EXPECT_EQ(tables.heatLane[4][1], 0);
    EXPECT_EQ(tables.heatLane[4][2], 3);
    EXPECT_EQ(board.rows[4].name.text, "");
}

TEST_F(RacerPlacementTest, OkNamesTheFirstEmptySequenceLaneAndThenTheFirstEmptySitOut) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "", "Cy", "Dee"});
    previousRacers({"Eve", "Fay", "Gus", "Hal"});
    RacerPlacement& p = open();
    prompter.clear();
    EXPECT_FALSE(p.CommandOK_Click());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Insert racer in Lane 2 or change sequence in race format");
    EXPECT_EQ(prompter.messages()[0].title, "Lane 2 cannot be empty");

    // Hal to lane 2; Fay out of her slot and off the list: slot 2 stays usable
    // with Gus in slot 3 beyond it.
    p.cmdSitOut_Click(4);
    p.cmdOk_Click(2);
    p.cmdSitOut_Click(2);
    p.remove();
    EXPECT_EQ(p.sitOutsNeeded(), 2);
    EXPECT_EQ(p.sitOut(3).name, "Gus");
    prompter.clear();
    EXPECT_FALSE(p.CommandOK_Click());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Racer missing in Sit-Out 2");
    EXPECT_EQ(prompter.messages()[0].title, "Missing Sit-Out");
}

TEST_F(RacerPlacementTest, RotationRaceNeverSitsOutSoRandomRefusesMoreNamesThanLanes) {
    useFormat(kRotationRace);
    writeRosterNames(app, namesFrom('A', 5));
    RacerPlacement& p = open();
    p.addAll();
    EXPECT_EQ(p.lstRace().size(), 5u);
    EXPECT_EQ(p.sitOutsNeeded(), 0);
    p.placeRandom();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text,
              "Too many Racers to place in Lanes\r\nRemove 1 Racers to continue");
    EXPECT_EQ(prompter.messages()[1].title, "Selected Racers");
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(random.draws(), 0);
}

TEST_F(RacerPlacementTest, TakingSelectNameOutOfALaneLeavesNothingToPlace) {
    useFormat(kLapRace);
    board.rows[1].name.text = " Select Name";
    RacerPlacement& p = open();
    EXPECT_EQ(p.lane(1).name, "Select Name");
    EXPECT_EQ(p.lane(1).button.caption, "< 1");
    p.cmdOk_Click(1);
    EXPECT_EQ(p.lane(1).name, "");
    EXPECT_EQ(p.lane(1).button.caption, "> 1");
    EXPECT_TRUE(p.lstRace().empty());
    EXPECT_EQ(board.rows[1].name.text, "");
    EXPECT_EQ(boardDraws, 1);
}

TEST_F(RacerPlacementTest, RandomInLapRaceFillsEveryLaneOrRefusesOneNameTooMany) {
    setLanes(8);
    useFormat(kLapRace);
    writeRosterNames(app, namesFrom('A', 9));
    RacerPlacement& p = open();
    p.addAll();
    p.placeRandom();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text,
              "Too many Racers to place in Lanes\r\nRemove 1 Racers to continue");
    EXPECT_EQ(p.lstRace().size(), 9u);

    p.selectRace(0);
    p.remove();
    random.script({0.95, 0.95, 0.0, 0.3, 0.6, 0.1, 0.8, 0.45, 0.2, 0.7, 0.5});
    p.placeRandom();
    EXPECT_TRUE(p.lstRace().empty());
    std::vector<std::string> placed = laneNames(p);
    for (int lane = 1; lane <= 8; ++lane) {
        EXPECT_FALSE(placed[lane - 1].empty()) << lane;
        EXPECT_EQ(board.rows[lane].name.text, placed[lane - 1] + " ");
        EXPECT_EQ(state.laneRacerName[lane], placed[lane - 1]);
    }
    std::sort(placed.begin(), placed.end());
    EXPECT_EQ(std::adjacent_find(placed.begin(), placed.end()), placed.end());
}

TEST_F(RacerPlacementTest, RandomThatKeepsDrawingTakenPlacesStillEnds) {
    useFormat(kLapRace);
    onBoard({"Ann"});
    writeRosterNames(app, {"Bob", "Cy", "Dee"});
    random.script({0.0});  // lane 1, always
    RacerPlacement& p = open();
    p.addAll();
    p.placeRandom();
    EXPECT_TRUE(p.lstRace().empty());
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"Ann", "Dee", "Cy", "Bob"}));
    EXPECT_LT(random.draws(), 5000);
}

TEST_F(RacerPlacementTest, RandomWithFewerRacersThanTheSequenceDrawsFromLaneOneUp) {
    useFormat(kRoundRobin);
    writeRosterNames(app, {"Ann", "Bob"});
    RacerPlacement& p = open();
    p.addAll();
    ASSERT_EQ(p.sitOutsNeeded(), -2);
    random.script({0.99});
    p.placeRandom();
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"Ann", "Bob", "", ""}));
}

TEST_F(RacerPlacementTest, RandomEndsWithASitOutRacerBeyondTheSlotsNeeded) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    previousRacers({"Eve", "Fay", "Gus"});
    writeRosterNames(app, {"Hal"});
    RacerPlacement& p = open();
    // Eve out of slot 1 and off the list: Gus now sits in slot 3, beyond the two needed.
    p.cmdSitOut_Click(1);
    p.remove();
    ASSERT_EQ(p.sitOutsNeeded(), 2);
    ASSERT_EQ(p.sitOut(3).name, "Gus");
    p.add({0});
    random.script({0.1});  // lane 1, always taken
    p.placeRandom();
    EXPECT_TRUE(p.lstRace().empty());
    EXPECT_EQ(p.sitOut(1).name, "Eve");
    EXPECT_EQ(p.sitOut(2).name, "Fay");
    EXPECT_EQ(p.sitOut(3).name, "Gus");
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"Ann", "Bob", "Cy", "Dee"}));
}

TEST_F(RacerPlacementTest, OkInALapRaceCommitsWithNamesLeftInTheList) {
    useFormat(kLapRace);
    onBoard({"Ann", "Bob"});
    writeRosterNames(app, {"Cy"});
    RacerPlacement& p = open();
    p.add({0});
    ASSERT_TRUE(p.CommandOK_Click());
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(tables.racerCount, 2);
    EXPECT_EQ(dataFile("Racers.dat"), "\"Ann\",\"Bob\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    EXPECT_FALSE(dataFileExists("RoundRobinChamp.dat"));
}

TEST_F(RacerPlacementTest, FortySitOutsPageThroughTwoPages) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    previousRacers(numberedNames("Racer", 40));
    RacerPlacement& p = open();
    ASSERT_EQ(p.sitOutsNeeded(), 40);
    EXPECT_TRUE(p.sitOut(40).button.enabled);
    EXPECT_FALSE(p.sitOut(41).button.enabled);
    EXPECT_EQ(p.sitOut(40).button.caption, "< 40");
    EXPECT_EQ(p.page(), 1);
    EXPECT_EQ(p.cmdNext().caption, "Sit-Out 31-60");
    EXPECT_TRUE(p.cmdNext().enabled);
    EXPECT_EQ(p.cmdPrevious().caption, "Clear all Sit-Out");
    EXPECT_TRUE(p.cmdPrevious().enabled);

    p.cmdNext_Click();
    EXPECT_EQ(p.page(), 2);
    EXPECT_EQ(p.cmdPrevious().caption, "Sit-Out 1-30");
    EXPECT_TRUE(p.cmdPrevious().enabled);
    EXPECT_EQ(p.cmdNext().caption, "Sit-Out 61-90");
    EXPECT_FALSE(p.cmdNext().enabled);

    p.cmdPrevious_Click();
    EXPECT_EQ(p.page(), 1);
    EXPECT_EQ(p.cmdNext().caption, "Sit-Out 31-60");
    EXPECT_TRUE(p.cmdNext().enabled);
    EXPECT_EQ(p.cmdPrevious().caption, "Clear all Sit-Out");
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(RacerPlacementTest, SeventySitOutsReachThePageOfThe61To90) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    previousRacers(numberedNames("Racer", 70));
    RacerPlacement& p = open();
    p.cmdNext_Click();
    EXPECT_TRUE(p.cmdNext().enabled);
    p.cmdNext_Click();
    EXPECT_EQ(p.page(), 3);
    EXPECT_FALSE(p.cmdNext().enabled);
    EXPECT_EQ(p.cmdPrevious().caption, "Sit-Out 31-60");
    p.cmdPrevious_Click();
    EXPECT_EQ(p.page(), 2);
    EXPECT_EQ(p.cmdNext().caption, "Sit-Out 61-90");
    EXPECT_TRUE(p.cmdNext().enabled);
    EXPECT_EQ(p.cmdPrevious().caption, "Sit-Out 1-30");
}

TEST_F(RacerPlacementTest, ClearAllSitOutsAsksAndNoChangesNothing) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    previousRacers({"Eve", "Fay"});
    RacerPlacement& p = open();
    ASSERT_TRUE(p.cmdPrevious().enabled);
    prompter.answer(MessageAnswer::No);
    p.cmdPrevious_Click();
    ASSERT_EQ(prompter.messages().size(), 1u);
    const test::ShownMessage& asked = prompter.messages()[0];
    EXPECT_EQ(asked.text, "Are you sure you want to clear all Sit-Outs?");
    EXPECT_EQ(asked.title, "Clear Sit-Outs");
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(p.sitOut(1).name, "Eve");
    EXPECT_EQ(p.sitOut(2).name, "Fay");
    EXPECT_TRUE(p.lstRace().empty());

    prompter.answer(MessageAnswer::Yes);
    p.cmdPrevious_Click();
    EXPECT_EQ(p.sitOut(1).name, "");
    EXPECT_EQ(p.sitOut(1).button.caption, "> 1");
    EXPECT_EQ(p.lstRace(), (std::vector<std::string>{"Eve", "Fay"}));
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"Ann", "Bob", "Cy", "Dee"}));
}

TEST_F(RacerPlacementTest, ClearReturnsEveryPlacedRacerAndTheBoardLosesTheLaneNames) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "Bob", "", "Dee"});
    previousRacers({"Eve"});
    RacerPlacement& p = open();
    p.clear();
    EXPECT_EQ(p.lstRace(), (std::vector<std::string>{"Ann", "Bob", "Dee", "Eve"}));
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"", "", "", ""}));
    for (int lane = 1; lane <= 4; ++lane)
        EXPECT_EQ(board.rows[lane].name.text, "") << lane;
    EXPECT_EQ(p.cmdClearCaption(), "Clear all Racers && Sit-Outs");
}

TEST_F(RacerPlacementTest, LoadSetsUpTheWindowByFormat) {
    const struct {
        int format;
        const char* caption;
        const char* clear;
    } cases[] = {
        {kPractice, "Select Racers for Practice", "Clear Racers in Lanes"},
        {kTimedRace, "Select Racers for Timed Race", "Clear Racers in Lanes"},
        {kChampionship, "Select Racers for Championship", "Clear all Racers && Sit-Outs"},
        {kRotationRace, "Select Racers for Rotation Race", "Clear Racers"},
        {kRotationRaceLapHeats, "Select Racers for Rotation Race Lap Heats", "Clear Racers"},
    };
    for (const auto& c : cases) {
        useFormat(c.format, 2, "12");
        RacerPlacement& p = open();
        EXPECT_EQ(p.caption(), c.caption);
        EXPECT_EQ(p.cmdClearCaption(), c.clear);
        EXPECT_TRUE(p.lane(4).visible);
        EXPECT_FALSE(p.lane(5).visible);
        EXPECT_EQ(p.laneColor(3), 3000);
        // Single races use every lane; heats only the lanes of the sequence.
        EXPECT_EQ(p.lane(3).button.enabled, !raceFormatRule(c.format).heatRotation) << c.caption;
        EXPECT_FALSE(p.cmdNext().enabled);
    }
}

TEST_F(RacerPlacementTest, PreviousRacersSkipTheLaneRacersAndKeepAFieldTooLargeForTheSlots) {
    useFormat(kRoundRobin);
    onBoard({"Racer 3", "Ann", "Bob", "Cy"});
    writeRosterNames(app, {"Racer 1", "Racer 93", "Zed"});
    previousRacers(numberedNames("Racer", 93));
    RacerPlacement& p = open();
    EXPECT_EQ(p.sitOut(1).name, "Racer 1");
    EXPECT_EQ(p.sitOut(2).name, "Racer 2");
    EXPECT_EQ(p.sitOut(3).name, "Racer 4");
    EXPECT_EQ(p.sitOut(90).name, "Racer 91");
    EXPECT_EQ(p.lstRace(), (std::vector<std::string>{"Racer 92", "Racer 93"}));
    EXPECT_EQ(p.lstRacers(), (std::vector<std::string>{"Zed"}));
}

TEST_F(RacerPlacementTest, DamagedPreviousRacersAreNamedAndNothingIsPlaced) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    const std::string cases[] = {
        quotedLines(numberedNames("Racer", 201)),
        bytesOf("\"Eve\"\r\n\"Fa\0y\"\r\n"),
        "\"Eve\"\r\n\"" + std::string(65, 'x') + "\"\r\n",
        std::string(kMaxRoundRobinChampBytes + 1, 'x'),
    };
    for (const std::string& bytes : cases) {
        folder.write("QelDat/RoundRobinChamp.dat", bytes);
        prompter.clear();
        RacerPlacement& p = open();
        ASSERT_EQ(prompter.messages().size(), 1u);
        const std::string& text = prompter.messages()[0].text;
        EXPECT_EQ(text.rfind("File for previous Racers not found\r\n", 0), 0u) << text;
        EXPECT_NE(text.find("RoundRobinChamp.dat"), std::string::npos) << text;
        EXPECT_EQ(p.sitOut(1).name, "");
        EXPECT_TRUE(p.lstRace().empty());
    }
}

TEST_F(RacerPlacementTest, QualifiersReplaceEveryNameOnlyWhenTheFileIsAListOfNames) {
    useFormat(kRoundRobin);
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    writeRosterNames(app, {"Zed"});
    const auto good = folder.write("heat1.qal", "\"Eve\",\"Fay, Jr\"\r\n  Gus  \r\n\r\n");
    const auto junk = folder.write("junk.qal", bytesOf("\x7f"
                                                       "ELF\0\0\x01"));
    const auto many = folder.write("many.txt", quotedLines(numberedNames("Q", 201)));
    const auto longName = folder.write("long.txt", std::string(65, 'n'));
    RacerPlacement& p = open();
    prompter.clear();

    p.loadQualifiers();  // cancelled
    for (const auto& path : {junk, many, longName})
        files.choose(path.string());
    for (int i = 0; i < 3; ++i)
        p.loadQualifiers();
    ASSERT_EQ(prompter.messages().size(), 3u);
    for (const auto& shown : prompter.messages()) {
        EXPECT_EQ(shown.title, "Load Qualifiers");
        EXPECT_TRUE(shown.text.find(".qal") != std::string::npos ||
                    shown.text.find(".txt") != std::string::npos)
            << shown.text;
    }
    EXPECT_NE(prompter.messages()[1].text.find("more than 200 names"), std::string::npos);
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"Ann", "Bob", "Cy", "Dee"}));
    EXPECT_EQ(p.lstRacers(), (std::vector<std::string>{"Zed"}));

    files.choose(good.string());
    p.loadQualifiers();
    ASSERT_EQ(files.shown().size(), 5u);
    EXPECT_FALSE(files.shown().back().save);
    EXPECT_EQ(files.shown().back().request.filter,
              "Qualifing Files(*.qal;*.txt)|*.qal;*.txt|Dat Files(*.dat)|*.dat|All "
              "Files(*.*)|*.*");
    EXPECT_EQ(p.lstRace(), (std::vector<std::string>{"Eve", "Fay, Jr", "Gus"}));
    EXPECT_TRUE(p.lstRacers().empty());
    EXPECT_EQ(laneNames(p), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(p.lane(1).button.caption, "> 1");
    EXPECT_TRUE(p.lane(1).button.enabled);
    EXPECT_EQ(p.sitOutsNeeded(), -1);
}

TEST_F(RacerPlacementTest, AddAndRemoveMoveNamesBetweenTheTwoLists) {
    useFormat(kLapRace);
    writeRosterNames(app, {"Cy", "Ann", "Bob"});
    RacerPlacement& p = open();
    EXPECT_EQ(p.lstRacers(), (std::vector<std::string>{"Ann", "Bob", "Cy"}));
    p.remove();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, " No Racers to Remove");
    EXPECT_EQ(prompter.messages()[0].title, "Racer");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);

    prompter.answer(MessageAnswer::No);
    p.addAll();
    EXPECT_TRUE(p.lstRace().empty());
    p.addAll();
    EXPECT_EQ(prompter.messages()[2].text, "Add all racers to Rotation List?");
    EXPECT_EQ(prompter.messages()[2].title, "Racers");
    EXPECT_EQ(p.lstRace(), (std::vector<std::string>{"Cy", "Bob", "Ann"}));
    EXPECT_TRUE(p.lstRacers().empty());

    p.selectRace(1);
    p.remove();
    EXPECT_EQ(p.lstRacers(), (std::vector<std::string>{"Bob"}));
    EXPECT_EQ(p.raceSelection(), 0);
    p.removeAll();
    EXPECT_EQ(prompter.messages().back().text, "Remove all racers from Rotation List?");
    EXPECT_EQ(p.lstRacers(), (std::vector<std::string>{"Ann", "Bob", "Cy"}));
    EXPECT_TRUE(p.lstRace().empty());
}

TEST_F(RacerPlacementTest, CancelPutsTheLaneNamesBackAsRacersDatHasThem) {
    useFormat(kLapRace);
    writeLaneRacerNames(app, {"", "Ann", "Bob", "", "", "", "", "", ""});
    onBoard({"Ann", "Bob"});
    writeRosterNames(app, {"Cy"});
    RacerPlacement& p = open();
    p.add({0});
    p.cmdOk_Click(3);
    p.cmdOk_Click(1);
    EXPECT_EQ(board.rows[3].name.text, "Cy ");
    EXPECT_EQ(board.rows[1].name.text, "");
    boardDraws = 0;
    p.cmdCancel_Click();
    EXPECT_EQ(board.rows[1].name.text, "Ann ");
    EXPECT_EQ(board.rows[2].name.text, "Bob ");
    EXPECT_EQ(board.rows[3].name.text, "");
    EXPECT_EQ(state.laneRacerName[1], "Ann");
    EXPECT_EQ(boardDraws, 1);
    EXPECT_EQ(tables.racerCount, 0);
}

TEST_F(RacerPlacementTest, RaceFormatOkDefinesTheBoardRacersAndThePreviousSitOutsSilently) {
    useFormat(kRoundRobin);
    std::filesystem::remove(app.dataFile("QeRacers.dat"));
    onBoard({"Ann", "Bob", "Cy", "Dee"});
    previousRacers({"Ann", "Bob", "Cy", "Dee", "Eve", "Fay"});
    EXPECT_EQ(defineRacersFromPlacement(context()), 6);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(tables.heatRacers[5].name, "Eve");
    EXPECT_EQ(tables.heatRacers[5].sitOutNumber, 1);
    EXPECT_EQ(tables.heatRacers[6].name, "Fay");
    EXPECT_EQ(state.laneRacerName[4], "Dee");
    EXPECT_FALSE(dataFileExists("Racers.dat"));
}

TEST_F(RacerPlacementTest, EveryHookMustBeWired) {
    useFormat(kLapRace);
    for (const char* hook : {"updateRaceTitle", "boardChanged"}) {
        PlacementHooks hooks{[] {}, [] {}};
        (std::string(hook) == "updateRaceTitle" ? hooks.updateRaceTitle : hooks.boardChanged) =
            nullptr;
        try {
            RacerPlacement p(context(), hooks);
            ADD_FAILURE() << hook;
        } catch (const std::logic_error& e) {
            EXPECT_NE(std::string(e.what()).find(hook), std::string::npos) << e.what();
        }
    }
}

TEST(HeatRacerFiles, NameListsReadFieldByField) {
    const struct {
        const char* bytes;
        std::vector<std::string> names;
    } cases[] = {
        {"\"Ann\"\r\n\"Bob\"\r\n", {"Ann", "Bob"}},
        {"\"Smith, John\",  Cy  ,\r\n\r\n\"\"\r\nDee", {"Smith, John", "Cy", "Dee"}},
        {"\t\"Jos\xe9\"\n", {"Jos\xc3\xa9"}},
        {"Jo\"e\r\n", {"Jo'e"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseNameList(c.bytes, "heat.qal"), c.names) << c.bytes;
}

TEST(HeatRacerFiles, NameListsRefuseWhatIsNotAListOfRacers) {
    const std::pair<std::string, const char*> cases[] = {
        {bytesOf("\"Ann\"\0"), "characters no text file holds"},
        {"\"Ann\"\x1b[2J", "characters no text file holds"},
        {std::string(65, 'a'), "longer than 64 characters"},
        {quotedLines(numberedNames("R", 201)), "more than 200 names"},
    };
    for (const auto& [bytes, reason] : cases) {
        const std::string error = errorOf([&] { parseNameList(bytes, "QelDat/list.dat"); });
        EXPECT_NE(error.find("QelDat/list.dat"), std::string::npos) << error;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
    EXPECT_EQ(parseNameList(std::string(64, 'a'), "x").size(), 1u);
    EXPECT_EQ(parseNameList(quotedLines(numberedNames("R", 200)), "x").size(), 200u);
}

TEST(HeatRacerFiles, RoundRobinChampKeepsTheRacersInRacerOrder) {
    test::TempFolder folder;
    const AppFolder app(folder.path());
    HeatTables tables;
    tables.racerCount = 3;
    tables.heatRacers[1].name = "Ann";
    tables.heatRacers[2].name = "Jos\xc3\xa9";
    tables.heatRacers[3].name = "Cy";
    tables.heatRacers[4].name = "Not racing";
    writeRoundRobinChamp(app, tables);
    EXPECT_EQ(readBinaryFile(app.dataFile(kRoundRobinChampFileName)),
              "\"Ann\"\r\n\"Jos\xe9\"\r\n\"Cy\"\r\n");
    EXPECT_EQ(readRoundRobinChamp(app), (std::vector<std::string>{"Ann", "Jos\xc3\xa9", "Cy"}));
    const std::string missing = errorOf([&] { readQualifiersFile(folder.path() / "none.qal"); });
    EXPECT_NE(missing.find("none.qal"), std::string::npos) << missing;
}

}  // namespace
}  // namespace qel
