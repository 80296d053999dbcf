#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/io/text_codec.h"
#include "core/records/record_texts.h"
#include "support/summary_race.h"

namespace qel {
namespace {

using test::recordFixture;
using test::SummaryRace;

class LapTextTest : public ::testing::Test {
  protected:
    SummaryRace race;
};

TEST_F(LapTextTest, RaceListsThePositionsWithoutDisabledLanesByteForByte) {
    race.state->raceTitle = "Club Night";
    race.state->laneCount = 4;
    race.lane(1, "Alice", test::kBlueIndex, 0);
    race.lane(2, "Bob", test::kGreenIndex, 0);
    race.lane(3, "Carol-Anne Longname", test::kRedIndex, 0);  // cut to its twelve characters
    race.lane(4, "Zoë", test::kYellowIndex, 0);               // three characters wide
    race.installation.laneDisabled[2] = 1;
    race.state->runningOrder = {0, 3, 1, 4, 2};
    race.laps(3, 1, {4.5f, 4.25f, 4.125f});
    race.laps(1, 1, {5.0f, 4.75f});
    race.laps(4, 1, {6.0f});

    const RecordText text = SaveLapTimesToText(race.sources());
    EXPECT_EQ(utf8ToCp1252(text.fileText()), recordFixture("laps_race.txt"));
}

TEST_F(LapTextTest, PracticeListsEveryLaneAsTheBoardNamesItByteForByte) {
    race.practice();
    race.beginWithLap(0);
    race.state->raceTitle = "Practice";
    race.state->laneCount = 3;
    race.lane(1, "Dave", test::kGreenIndex, 0);
    race.lane(2, "Eve", test::kYellowIndex, 0);
    race.lane(3, "Frank", test::kBlueIndex, 0);
    race.installation.laneDisabled[3] = 1;
    race.board.rows[1].name.text = "Dave ";
    race.board.rows[2].name.text = "Eve ";
    race.board.rows[3].name.text = " Disabled";
    race.laps(1, 0, {1.25f, 6.5f, 6.0f});
    race.laps(2, 0, {1.5f, 7.25f, 7.0f, 6.875f});

    const RecordText text = SaveLapTimesToText(race.sources());
    EXPECT_EQ(utf8ToCp1252(text.fileText()), recordFixture("laps_practice.txt"));
}

TEST_F(LapTextTest, ARaceWithoutStandingsHasHeaderLinesOnly) {
    race.state->raceTitle = "Club Night";
    race.state->laneCount = 2;
    race.laps(1, 1, {5.0f});

    const RecordText text = SaveLapTimesToText(race.sources());
    EXPECT_EQ(text.header, "Club Night\r\nLap     \r\n No     \r\n");
    EXPECT_EQ(text.body, "");
}

}  // namespace
}  // namespace qel
