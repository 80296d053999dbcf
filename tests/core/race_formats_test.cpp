#include "core/heats/race_formats.h"

#include <gtest/gtest.h>

#include <string>

namespace qel {
namespace {

TEST(RaceFormats, EachFormatSetsTheRaceUpAsItsRuleSays) {
    struct Case {
        int format;
        const char* name;
        std::optional<RaceLength> list;
        bool heats;
        bool practice;
        HeatOptionsAllowed options;
        bool points;
        int16_t racerCount;  // laneCount is 4, racerCount was 9
    };
    using enum RaceLength;
    const Case cases[] = {
        {0, "Practice", std::nullopt, false, true, {false, false, false}, false, 9},
        {1, "Practice", Minutes, true, true, {true, false, false}, false, 9},
        {2, "Lap Race", Laps, false, false, {false, false, false}, false, 9},
        {3, "Timed Race", Minutes, false, false, {false, false, false}, false, 9},
        {4, "Championship", Laps, true, false, {true, false, true}, true, 9},
        {5, "Round Robin", Minutes, true, false, {true, true, true}, false, 9},
        {6, "Rotation Race", Minutes, true, false, {true, true, true}, false, 4},
        {7, "Round Robin Lap Heats", Laps, true, false, {true, true, true}, false, 9},
        {8, "Rotation Race Lap Heats", Laps, true, false, {true, true, true}, false, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        RaceFormatSettings settings;
        settings.autoPrint = 1;
        settings.raceLimitKind = "Number of Laps";
        const auto controls = chooseRaceFormat(c.format, 2, settings);
        const RaceFormatRule& rule = raceFormatRule(c.format);

        EXPECT_EQ(settings.raceFormatName, c.name);
        EXPECT_EQ(settings.heatRotation, c.heats ? -1 : 0);
        EXPECT_EQ(rule.practiceMode, c.practice);
        EXPECT_EQ(rule.racerCountIsLaneCount, c.racerCount == 4);
        EXPECT_EQ(controls.shownList, c.list);
        EXPECT_EQ(controls.lengthEnabled, c.list.has_value());
        if (c.list) {
            EXPECT_EQ(controls.lengthCaption,
                      *c.list == Minutes ? "Number of Minutes" : "Number of Laps");
        } else {
            EXPECT_FALSE(controls.lengthCaption.has_value());
        }
        EXPECT_EQ(controls.options.autoDelay, c.options.autoDelay);
        EXPECT_EQ(controls.options.autoPrint, c.options.autoPrint);
        EXPECT_EQ(controls.options.autoDisplayResults, c.options.autoDisplayResults);
        EXPECT_EQ(controls.rotationEnabled, c.heats);
        EXPECT_EQ(controls.customTextEnabled, c.heats);
        EXPECT_EQ(controls.raceResultsMenuVisible, c.heats);
        EXPECT_EQ(controls.pointSystemEnabled, c.points);
        // Only formats without heats, and Championship, switch printing off.
        EXPECT_EQ(settings.autoPrint, c.heats && c.format != 4 ? 1 : 0);
        EXPECT_EQ(settings.raceLimitKind, c.format == 1 ? "Number of Minutes" : "Number of Laps");
    }
}

TEST(RaceFormats, UnknownFormatNumberRunsAsPractice) {
    EXPECT_EQ(raceFormatRule(-1).text, "Practice");
    EXPECT_EQ(raceFormatRule(9).text, "Practice");
    EXPECT_EQ(raceFormatNumber("Round Robin Lap Heats"), 7);
    EXPECT_EQ(raceFormatNumber("Drag Race"), std::nullopt);
}

TEST(RaceFormats, CustomTextIsEnabledOnlyWithCustomChosen) {
    RaceFormatSettings settings;
    EXPECT_FALSE(chooseRaceFormat(5, 0, settings).customTextEnabled);
    EXPECT_FALSE(chooseRaceFormat(5, 1, settings).customTextEnabled);
}

TEST(RaceLengthLists, MinutesListHasItsStepsAndEnds) {
    const auto& m = minutesEntries();
    ASSERT_EQ(m.size(), 149u);
    const std::pair<int, const char*> spots[] = {
        {0, "0.1"}, {1, "0.25"}, {2, "0.5"}, {3, "0.75"}, {4, "1"},   {5, "1.25"}, {15, "3.75"},
        {16, "4"},  {17, "5"},   {36, "24"}, {37, "25"},  {38, "30"}, {148, "580"}};
    for (const auto& [index, text] : spots)
        EXPECT_EQ(m[index], text) << index;
    EXPECT_FLOAT_EQ(minutesAt(0), 0.1f);
    EXPECT_FLOAT_EQ(minutesAt(4), 1.0f);
    EXPECT_FLOAT_EQ(minutesAt(148), 580.0f);
}

TEST(RaceLengthLists, LapsListStopsWhereTheLapStoreEnds) {
    const auto& l = lapsEntries();
    ASSERT_EQ(l.size(), 612u);
    EXPECT_EQ(l[0], "1");
    EXPECT_EQ(l[4], "5");
    EXPECT_EQ(l[14], "15");
    EXPECT_EQ(l[15], "20");
    EXPECT_EQ(l.back(), "3000");
    EXPECT_EQ(lapsAt(4), 5);
    EXPECT_EQ(lapsAt(611), kMaxLap);
    // A position saved when the list ran to 3015 laps now means the longest race.
    EXPECT_EQ(lapsAt(614), kMaxLap);
    EXPECT_EQ(clampedLapsIndex(614), 611);
    EXPECT_EQ(clampedMinutesIndex(-3), 0);
    EXPECT_EQ(clampedMinutesIndex(500), 148);
}

TEST(CustomSequence, RefusedTextsGetTheirMessage) {
    EXPECT_EQ(customSequenceProblem("1203", 4), std::nullopt);
    EXPECT_EQ(customSequenceProblem("", 4), std::nullopt);
    EXPECT_EQ(customSequenceProblem("1235", 4), kCustomSequenceMessage);
    EXPECT_EQ(customSequenceProblem("12a", 4), kCustomSequenceMessage);
    EXPECT_EQ(customSequenceProblem(std::string(200, '1'), 4), std::nullopt);
    EXPECT_EQ(customSequenceProblem(std::string(201, '1'), 4), kSequenceTooLongMessage);
}

TEST(CustomSequence, ChoosingASequenceAndTheLanesItLeavesOut) {
    EXPECT_EQ(chosenSequence(0, "1234", "1342", "1203"), "1234");
    EXPECT_EQ(chosenSequence(1, "1234", "1342", "1203"), "1342");
    EXPECT_EQ(chosenSequence(2, "1234", "1342", "1203"), "1203");
    EXPECT_EQ(lanesOutsideSequence("1203", 4), std::vector<int>{4});
    EXPECT_EQ(lanesOutsideSequence("", 3), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(lanesOutsideSequence("13578642", 8).empty());
}

}  // namespace
}  // namespace qel
