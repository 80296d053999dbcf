#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/io/text_codec.h"
#include "core/records/record_texts.h"
#include "support/scripted_prompter.h"
#include "support/summary_race.h"

namespace qel {
namespace {

using test::recordFixture;
using test::SummaryRace;

const std::vector<float> kBobsLaps{5.9f, 5.0f, 5.1f, 6.5f, 5.2f, 7.2f, 5.3f, 6.3f};

class SummaryTextTest : public ::testing::Test {
  protected:
    SummaryRace race;
    test::ScriptedPrompter prompter;
};

TEST_F(SummaryTextTest, RaceRowsByteForByte) {
    // Races begin with lap 0; lane 3 is disabled and comes last.
    race.beginWithLap(0);
    race.state->laneCount = 5;
    race.lane(1, "Bob", test::kBlueIndex, 0);
    race.lane(2, "Alice", test::kRedIndex, 0);
    race.lane(3, "Eve", test::kOrangeIndex, 0);
    race.lane(4, "Carol Longname", test::kGreenIndex, 0);  // cut to its ten characters
    race.lane(5, "Renée", test::kYellowIndex, 0);          // ten characters wide, not ten bytes
    race.installation.laneDisabled[3] = 1;
    std::vector<float> bob{1.2f};
    bob.insert(bob.end(), kBobsLaps.begin(), kBobsLaps.end());
    race.laps(1, 0, bob);
    race.laps(2, 0, {1.5f, 5.2f, 5.4f, 5.6f, 5.2f, 5.4f});
    race.laps(3, 0, {1.0f, 5.0f, 5.0f});
    race.laps(4, 0, {2.0f, 6.1f});  // one lap: no speed, no best lap
    race.laps(5, 0, {1.4f});        // across the line, no lap yet
    race.state->runningOrder = {0, 1, 2, 4, 5, 3};
    race.state->medianText = {"", "5.90", "5.40", "5.00", "6.10", ""};
    race.state->lagFirstText = {"", "", "3Laps", "", "7Laps", "8Laps"};
    race.state->lagBehindText = {"", "", "3Laps", "", "4Laps", "1Lap"};
    race.state->averageLap[4] = 4.75f;  // from an earlier computation
    race.state->crashCount[3] = 5;

    const RecordText text = SaveSummaryToText(race.sources(), prompter);
    EXPECT_EQ(utf8ToCp1252(text.fileText()), recordFixture("summary_race.txt"));
    EXPECT_TRUE(prompter.messages().empty());

    // Stored back by the text file's rules: whole-second total, no extra second.
    EXPECT_FLOAT_EQ(race.state->averageLap[1], 45.0f / 7);
    EXPECT_EQ(race.state->crashCount[1], 3);
    EXPECT_EQ(race.state->crashPercent[1], 38);
    EXPECT_FLOAT_EQ(race.state->averageLap[4], 4.75f);
    EXPECT_EQ(race.state->crashCount[3], 5);  // the disabled lane is not computed
}

TEST_F(SummaryTextTest, PracticeRowsByteForByte) {
    race.practice();
    race.beginWithLap(1);
    race.state->laneCount = 4;
    race.lane(1, "Bob", test::kBlueIndex, 0);
    race.lane(2, "Alice", test::kRedIndex, 0);
    race.lane(3, "Eve", test::kOrangeIndex, 0);
    race.lane(4, "Carol", test::kGreenIndex, 0);
    race.installation.laneDisabled[3] = 1;
    race.laps(1, 1, kBobsLaps);
    race.laps(2, 1, {6.0f});  // one lap from lap 1: too few
    race.laps(3, 1, {6.0f, 6.0f, 6.0f});
    race.laps(4, 1, {6.0f, 5.5f});
    race.state->medianText = {"", "5.90", "6.00", "6.00", "6.00"};

    const RecordText text = SaveSummaryToText(race.sources(), prompter);
    EXPECT_EQ(utf8ToCp1252(text.fileText()), recordFixture("summary_practice.txt"));
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(race.state->crashPercent[1], 38);
}

TEST_F(SummaryTextTest, NoStandingsYetGivesTheHeaderLinesAndAMessage) {
    race.state->laneCount = 2;
    race.laps(1, 1, kBobsLaps);
    const RecordText text = SaveSummaryToText(race.sources(), prompter);
    EXPECT_EQ(utf8ToCp1252(text.fileText()), recordFixture("summary_no_standings.txt"));
    EXPECT_EQ(text.body, "");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Insufficent data to display summary");
    EXPECT_EQ(prompter.messages()[0].title, "Summary");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Information);
}

TEST_F(SummaryTextTest, ALongRaceSaves) {
    // Twenty laps of 2000.6 s: the whole-second total passes 32767 and goes on
    // rounding each lap, 2001 a lap. A wider figure is cut to its field.
    race.state->laneCount = 1;
    race.lane(1, "Endurance", test::kBlueIndex, 0);
    race.laps(1, 1, std::vector<float>(20, 2000.6f));
    race.state->runningOrder = {0, 1};
    race.state->medianText[1] = "2000.60";
    const RecordText text = SaveSummaryToText(race.sources(), prompter);
    // Laps that long never make a best lap, so every one is over the threshold.
    const std::string blankLags(6 + 7, ' ');
    EXPECT_EQ(text.body, "1 Endurance Blue    20   666:52.000 " + blankLags +
                             "0.7    2001.02000.60 20  100\r\n");
    EXPECT_FLOAT_EQ(race.state->averageLap[1], 2001.0f);
}

}  // namespace
}  // namespace qel
