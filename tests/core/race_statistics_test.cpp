#include "core/records/race_statistics.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/summary_race.h"

namespace qel {
namespace {

using test::SummaryRace;

const std::vector<float> kFiveLaps{5.20f, 5.40f, 5.60f, 5.20f, 5.40f};

TEST(RaceStatistics, TotalTimeIsMinutesSecondsAndMilliseconds) {
    EXPECT_EQ(totalTimeText(75042), "1:15.042");
    EXPECT_EQ(totalTimeText(9005), "0:09.005");
    EXPECT_EQ(totalTimeText(3723456), "62:03.456");  // minutes are not limited to two digits
    EXPECT_EQ(totalTimeText(0), "0:00.000");
}

TEST(RaceStatistics, EachOutputAsksForItsOwnNumberOfLaps) {
    struct Case {
        SummaryOutput output;
        bool practice;
        int firstLapOffset;
        int fewestLaps;  // the least lapCount that shows figures
    };
    const Case cases[] = {
        {SummaryOutput::Window, false, 0, 1},   {SummaryOutput::Window, false, -1, 0},
        {SummaryOutput::Window, true, 0, 3},    {SummaryOutput::Window, true, -1, 3},
        {SummaryOutput::Print, false, 0, 1},    {SummaryOutput::Print, false, -1, 0},
        {SummaryOutput::Print, true, 0, 2},     {SummaryOutput::Print, true, -1, 1},
        {SummaryOutput::TextFile, false, 0, 2}, {SummaryOutput::TextFile, false, -1, 1},
        {SummaryOutput::TextFile, true, 0, 2},  {SummaryOutput::TextFile, true, -1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "output " << static_cast<int>(c.output) << " practice "
                                        << c.practice << " offset " << c.firstLapOffset);
        EXPECT_FALSE(hasSufficientData(c.output, c.practice, c.fewestLaps - 1, c.firstLapOffset));
        EXPECT_TRUE(hasSufficientData(c.output, c.practice, c.fewestLaps, c.firstLapOffset));
    }
}

TEST(RaceStatistics, AverageLapByOutputAndFirstLap) {
    struct Case {
        int firstLap;  // the lap races begin with
        SummaryOutput output;
        float average;
    };
    const Case cases[] = {
        // From lap 1 the standing-start lap is left out: 21.6 / 4.
        {1, SummaryOutput::Window, 5.40f},
        {1, SummaryOutput::Print, 5.40f},
        // Whole seconds after each lap: 5, 11, 16, 21.
        {1, SummaryOutput::TextFile, 5.25f},
        // From lap 0 all five laps are summed, still divided by 4: 26.8 / 4.
        {0, SummaryOutput::Window, 6.70f},
        {0, SummaryOutput::Print, 6.70f},
        {0, SummaryOutput::TextFile, 6.50f},  // 5, 10, 16, 21, 26
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "first lap " << c.firstLap << " output " << static_cast<int>(c.output));
        SummaryRace race;
        race.beginWithLap(c.firstLap);
        race.laps(1, 1, kFiveLaps);
        const int offset = c.firstLap - 1;
        EXPECT_FLOAT_EQ(updateAverageLap(*race.state, 1, c.output, offset), c.average);
        EXPECT_FLOAT_EQ(race.state->averageLap[1], c.average);
    }
}

TEST(RaceStatistics, TooFewLapsShowTheStoredAverage) {
    for (const auto output :
         {SummaryOutput::Window, SummaryOutput::Print, SummaryOutput::TextFile}) {
        SummaryRace race;
        race.laps(1, 1, {5.2f, 5.4f, 5.6f});  // firstLapOffset + 3 laps
        race.state->averageLap[1] = 4.321f;   // from an earlier race
        const float shown = updateAverageLap(*race.state, 1, output, 0);
        // The print keeps its stored figure to two decimals either way.
        EXPECT_FLOAT_EQ(shown, output == SummaryOutput::Print ? 4.32f : 4.321f);
        EXPECT_EQ(race.state->averageLap[1], shown);
    }
}

TEST(RaceStatistics, ThePrintStoresItsAverageToTwoDecimals) {
    SummaryRace race;
    race.laps(1, 1, {5.9f, 5.0f, 6.99f, 7.01f, 5.2f, 5.6f, 5.3f, 6.5f});
    EXPECT_FLOAT_EQ(updateAverageLap(*race.state, 1, SummaryOutput::Window, 0), 41.6f / 7);
    EXPECT_EQ(updateAverageLap(*race.state, 1, SummaryOutput::Print, 0), 5.94f);
    EXPECT_EQ(race.state->averageLap[1], 5.94f);
}

TEST(RaceStatistics, ALongRaceKeepsItsWholeSecondAverage) {
    // 19 laps of 2000.6 s after the first: over 32767 s in all, which once
    // overflowed the text file's total. Each lap still rounds up to 2001.
    SummaryRace race;
    race.laps(1, 1, std::vector<float>(20, 2000.6f));
    EXPECT_FLOAT_EQ(updateAverageLap(*race.state, 1, SummaryOutput::TextFile, 0), 2001.0f);
    EXPECT_NEAR(updateAverageLap(*race.state, 1, SummaryOutput::Window, 0), 2000.6f, 0.001f);
}

TEST(RaceStatistics, CrashThresholdByOutputAndRowKind) {
    struct Case {
        SummaryOutput output;
        bool practice;
        float lap;
        int crashes;
    };
    // Best lap 5.000 s: race rows of the window and the print allow 7.0 s,
    // the text file and every practice row 6.0 s.
    const Case cases[] = {
        {SummaryOutput::Window, false, 6.990f, 0},   {SummaryOutput::Window, false, 7.010f, 1},
        {SummaryOutput::Print, false, 6.990f, 0},    {SummaryOutput::Print, false, 7.010f, 1},
        {SummaryOutput::Window, false, 6.500f, 0},   {SummaryOutput::TextFile, false, 6.500f, 1},
        {SummaryOutput::TextFile, false, 5.990f, 0}, {SummaryOutput::TextFile, true, 6.500f, 1},
        {SummaryOutput::Window, true, 6.500f, 1},    {SummaryOutput::Print, true, 6.500f, 1},
        {SummaryOutput::Print, true, 5.990f, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "output " << static_cast<int>(c.output) << " practice "
                                        << c.practice << " lap " << c.lap);
        SummaryRace race;
        race.laps(1, 1, {c.lap});
        race.state->bestLapMs[1] = 5000;
        race.state->crashCount[1] = 9;  // counted afresh
        EXPECT_EQ(updateCrashCount(*race.state, 1, c.output, c.practice), c.crashes);
        EXPECT_EQ(race.state->crashCount[1], c.crashes);
    }
}

TEST(RaceStatistics, CrashesCountFromLapOneAndNeedABestLap) {
    SummaryRace race;
    race.beginWithLap(0);
    race.laps(1, 0, {30.0f, 5.0f, 5.5f, 9.0f});  // lap 0, the start to the line, is no crash
    race.state->bestLapMs[1] = 5000;
    EXPECT_EQ(updateCrashCount(*race.state, 1, SummaryOutput::TextFile, false), 1);

    race.state->bestLapMs[1] = kNoBestLap;  // a threshold of about 1200 s
    race.state->lapTimes[1][2] = 1000.0f;
    EXPECT_EQ(updateCrashCount(*race.state, 1, SummaryOutput::TextFile, true), 0);
}

TEST(RaceStatistics, CrashPercentRoundsHalvesToEven) {
    struct Case {
        int crashes;
        int laps;
        int percent;
    };
    const Case cases[] = {{3, 8, 38}, {1, 8, 12}, {0, 0, 0}, {0, -1, 0}, {2, 3, 67}, {4, 4, 100}};
    for (const auto& c : cases) {
        SummaryRace race;
        race.state->crashCount[1] = static_cast<int16_t>(c.crashes);
        race.state->lapCount[1] = static_cast<int16_t>(c.laps);
        EXPECT_EQ(updateCrashPercent(*race.state, 1), c.percent) << c.crashes << "/" << c.laps;
        EXPECT_EQ(race.state->crashPercent[1], c.percent);
    }
}

TEST(RaceStatistics, SpeedAndBestLapTexts) {
    SummaryRace race;
    race.state->bestLapMs[1] = 5200;
    EXPECT_EQ(speedText(*race.state, 1), "125.9");  // 654.5455 / 5.2
    EXPECT_EQ(bestLapSecondsText(*race.state, 1, 3), "5.200");
    EXPECT_EQ(bestLapSecondsText(*race.state, 1, 2), "5.20");
    EXPECT_EQ(bestLapSecondsText(*race.state, 2, 3), "999.999");
}

}  // namespace
}  // namespace qel
