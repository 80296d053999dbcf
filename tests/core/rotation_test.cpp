#include "core/heats/rotation.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace qel {
namespace {

struct Start {
    int startLane;
    int sitOutNumber;
};

HeatTables placed(const std::vector<Start>& starts) {
    HeatTables t;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        HeatRacer& r = t.heatRacers[i + 1];
        r.name = std::string(1, static_cast<char>('A' + i));
        r.startLane = static_cast<int16_t>(starts[i].startLane);
        r.sitOutNumber = static_cast<int16_t>(starts[i].sitOutNumber);
    }
    t.racerCount = static_cast<int16_t>(starts.size());
    return t;
}

std::vector<int> lanesOf(const HeatTables& t, int racer) {
    std::vector<int> lanes;
    for (int heat = 1; heat <= t.heatCount; ++heat)
        lanes.push_back(t.heatLane[racer][heat]);
    return lanes;
}

TEST(StandardSequences, ByLaneCount) {
    const std::array<std::pair<const char*, const char*>, 9> expected{{{"", ""},
                                                                       {"1", "1"},
                                                                       {"12", "12"},
                                                                       {"123", "132"},
                                                                       {"1234", "1342"},
                                                                       {"12345", "13542"},
                                                                       {"123456", "135642"},
                                                                       {"1234567", "1357642"},
                                                                       {"12345678", "13578642"}}};
    for (int lanes = 1; lanes <= 8; ++lanes) {
        const SequenceLabels labels = SetSequenceLabels(lanes);
        EXPECT_EQ(labels.straight, expected[lanes].first) << lanes;
        EXPECT_EQ(labels.european, expected[lanes].second) << lanes;
    }
}

TEST(SequenceChecks, ValidityAndLanesUsed) {
    struct Case {
        const char* text;
        int lanes;
        bool valid;
        int used;
    };
    const Case cases[] = {
        {"1203", 4, true, 3}, {"1235", 4, false, 3},    {"12a", 4, false, 2}, {"", 4, true, 0},
        {"1123", 4, true, 3}, {"87654321", 8, true, 8}, {"9", 8, false, 0},   {"0000", 2, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ValidSequence(c.text, c.lanes), c.valid);
        EXPECT_EQ(CountSequenceLanes(c.text, c.lanes), c.used);
        EXPECT_EQ(CountUnusedLanes(c.text, c.lanes), c.lanes - c.used);
    }
}

TEST(SequenceOffset, LanesAndSitOutSlots) {
    struct Case {
        int startLane;
        int sitOut;
        const char* sequence;
        int offset;
    };
    const Case cases[] = {
        {1, 0, "123400", 1}, {4, 0, "123400", 4}, {5, 0, "123400", 0},
        {0, 1, "123400", 5}, {0, 2, "123400", 6}, {0, 3, "123400", 0},
        {0, 0, "123400", 0}, {1, 0, "1123", 1},   {0, 2, "1020", 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(getSeqOffset(c.startLane, c.sitOut, c.sequence), c.offset)
            << c.startLane << "/" << c.sitOut << " in " << c.sequence;
    }
}

TEST(BuildRotation, SixRacersOnFourLanesStraight) {
    HeatTables t = placed({{1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 1}, {0, 2}});
    std::string sequence = "1234";
    BuildRotation(t, 6, sequence);

    EXPECT_EQ(sequence, "123400");
    EXPECT_EQ(t.heatCount, 6);
    const std::array<std::vector<int>, 6> expected{{
        {1, 2, 3, 4, 0, 0},  // A
        {2, 3, 4, 0, 0, 1},  // B
        {3, 4, 0, 0, 1, 2},  // C
        {4, 0, 0, 1, 2, 3},  // D
        {0, 0, 1, 2, 3, 4},  // E
        {0, 1, 2, 3, 4, 0},  // F
    }};
    for (int racer = 1; racer <= 6; ++racer)
        EXPECT_EQ(lanesOf(t, racer), expected[racer - 1]) << t.heatRacers[racer].name;
    // The lane table is the same rotation seen from the lanes.
    for (int heat = 1; heat <= 6; ++heat) {
        for (int lane = 1; lane <= 4; ++lane) {
            const int racer = t.laneRacer[lane][heat];
            ASSERT_NE(racer, 0);
            EXPECT_EQ(t.heatLane[racer][heat], lane);
        }
    }

    // Rebuilding from the padded sequence changes nothing.
    const auto heatLane = t.heatLane;
    const auto laneRacer = t.laneRacer;
    BuildRotation(t, 6, sequence);
    EXPECT_EQ(sequence, "123400");
    EXPECT_EQ(t.heatLane, heatLane);
    EXPECT_EQ(t.laneRacer, laneRacer);
}

TEST(BuildRotation, EuropeanFourRacers) {
    HeatTables t = placed({{1, 0}, {2, 0}, {3, 0}, {4, 0}});
    std::string sequence = "1342";
    BuildRotation(t, 4, sequence);
    EXPECT_EQ(t.heatCount, 4);
    EXPECT_EQ(lanesOf(t, 1), (std::vector<int>{1, 3, 4, 2}));
    EXPECT_EQ(lanesOf(t, 2), (std::vector<int>{2, 1, 3, 4}));
    EXPECT_EQ(lanesOf(t, 3), (std::vector<int>{3, 4, 2, 1}));
    EXPECT_EQ(lanesOf(t, 4), (std::vector<int>{4, 2, 1, 3}));
}

TEST(BuildRotation, FewerRacersThanPositionsLeaveALaneEmptyEachHeat) {
    HeatTables t = placed({{1, 0}, {2, 0}, {3, 0}});
    std::string sequence = "1234";
    BuildRotation(t, 3, sequence);
    EXPECT_EQ(sequence, "1234");
    EXPECT_EQ(t.heatCount, 4);
    for (int heat = 1; heat <= 4; ++heat) {
        int empty = 0;
        for (int lane = 1; lane <= 4; ++lane)
            empty += t.laneRacer[lane][heat] == 0;
        EXPECT_EQ(empty, 1) << heat;
    }
}

TEST(BuildRotation, CustomSequenceWithSitOutsAndRepeats) {
    {
        // "1020": sit-out racer k starts at the k-th zero; lanes 3 and 4 stay unused.
        HeatTables t = placed({{1, 0}, {2, 0}, {0, 1}, {0, 2}});
        std::string sequence = "1020";
        BuildRotation(t, 4, sequence);
        EXPECT_EQ(lanesOf(t, 1), (std::vector<int>{1, 0, 2, 0}));
        EXPECT_EQ(lanesOf(t, 2), (std::vector<int>{2, 0, 1, 0}));
        EXPECT_EQ(lanesOf(t, 3), (std::vector<int>{0, 2, 0, 1}));
        EXPECT_EQ(lanesOf(t, 4), (std::vector<int>{0, 1, 0, 2}));
        for (int heat = 1; heat <= 4; ++heat) {
            EXPECT_EQ(t.laneRacer[3][heat], 0);
            EXPECT_EQ(t.laneRacer[4][heat], 0);
        }
    }
    {
        // "1123": in heat 2 two racers are given lane 1; the later one holds it.
        HeatTables t = placed({{1, 0}, {2, 0}, {3, 0}});
        std::string sequence = "1123";
        BuildRotation(t, 3, sequence);
        EXPECT_EQ(t.heatLane[1][2], 1);
        EXPECT_EQ(t.heatLane[3][2], 1);
        EXPECT_EQ(t.laneRacer[1][2], 3);
    }
    {
        // Sit-out slot 3 with only two zeros starts at the last position.
        HeatTables t = placed({{1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 1}, {0, 3}});
        std::string sequence = "1234";
        BuildRotation(t, 6, sequence);
        EXPECT_EQ(lanesOf(t, 6), (std::vector<int>{0, 1, 2, 3, 4, 0}));
    }
}

TEST(BuildRotation, ASequenceLongerThanTheHeatTableIsCutTo200) {
    HeatTables t = placed({{1, 0}, {2, 0}});
    std::string sequence;
    for (int i = 0; i < 150; ++i)
        sequence += "12";    // 300 positions
    t.heatLane[1][200] = 7;  // stale from an earlier race
    BuildRotation(t, 2, sequence);
    EXPECT_EQ(sequence.size(), 200u);
    EXPECT_EQ(t.heatCount, 200);
    EXPECT_EQ(t.heatLane[1][200], 2);
    EXPECT_EQ(t.heatLane[2][200], 1);
    EXPECT_EQ(t.laneRacer[2][200], 1);
}

TEST(BuildRotation, StrayCharactersAndRacerCountsStayInsideTheTables) {
    HeatTables t = placed({{1, 0}, {2, 0}});
    std::string sequence = "1x9";
    BuildRotation(t, 2, sequence);
    EXPECT_EQ(lanesOf(t, 1), (std::vector<int>{1, 0, 0}));

    std::string empty;
    BuildRotation(t, 0, empty);
    EXPECT_EQ(t.heatCount, 0);
    EXPECT_EQ(t.heatLane[1][1], 0);

    std::string many = "12";
    BuildRotation(t, 500, many);
    EXPECT_EQ(many.size(), 200u);
    EXPECT_EQ(t.heatCount, 200);
}

TEST(ShowHeatRacers, NamesTheRacersOfTheCurrentHeatOnly) {
    HeatTables t = placed({{1, 0}, {2, 0}, {3, 0}});
    std::string sequence = "1234";
    BuildRotation(t, 3, sequence);
    t.currentHeat = 2;  // A on 2, B on 3, C on 4, lane 1 empty
    RaceState state;
    RaceBoard board;
    state.laneRacerName[1] = "Old";
    board.rows[1].name.text = "Old ";
    ShowHeatRacers(t, 4, state, board);
    EXPECT_EQ(state.laneRacerName[1], "Old");
    EXPECT_EQ(board.rows[1].name.text, "Old ");
    EXPECT_EQ(state.laneRacerName[2], "A");
    EXPECT_EQ(board.rows[2].name.text, "A ");
    EXPECT_EQ(board.rows[4].name.text, "C ");
}

// Six racers on "1234", heats 1 and 2 run: laps and places per lane.
class HeatTotals : public ::testing::Test {
  protected:
    void SetUp() override {
        t = placed({{1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 1}, {0, 2}});
        std::string sequence = "1234";
        BuildRotation(t, 6, sequence);
        t.pointsForPlace = {0, 10, 8, 6, 5, 4, 3, 2, 1};
    }
    HeatTables t;
};

TEST_F(HeatTotals, LapsAreSummedOverTheLanesRacedSoFar) {
    t.heatRacers[1].lapsInLane = {0, 11, 12, 13, 14};  // A raced 1 then 2
    t.heatRacers[5].lapsInLane = {0, 0, 0, 0, 0};      // E sat out both
    t.heatRacers[6].lapsInLane = {0, 9, 0, 0, 0};      // F raced lane 1 in heat 2
    t.currentHeat = 2;
    SumRacerLaps(t);
    EXPECT_EQ(t.heatRacers[1].totalLaps, 23);
    EXPECT_EQ(t.heatRacers[5].totalLaps, 0);
    EXPECT_EQ(t.heatRacers[6].totalLaps, 9);
}

TEST_F(HeatTotals, PointsComeFromPlacesPlusCorrectionsAndSitOutsKeepTheirs) {
    t.currentHeat = 1;
    LaneTable<int16_t> position{0, 2, 1, 4, 3};
    ScoreHeatPoints(t, position);
    EXPECT_EQ(t.heatRacers[1].totalPoints, 8);   // A lane 1, second
    EXPECT_EQ(t.heatRacers[2].totalPoints, 10);  // B lane 2, first
    EXPECT_EQ(t.heatRacers[5].totalPoints, 0);

    t.heatRacers[5].totalPoints = 7;  // a sit-out racer is not re-scored
    t.currentHeat = 2;                // A lane 2, B lane 3, C lane 4, F lane 1
    t.heatRacers[1].adjustInLane[2] = 1;
    position = {0, 1, 4, 2, 3};
    ScoreHeatPoints(t, position);
    EXPECT_EQ(t.heatRacers[1].pointsInLane[2], 6);  // fourth (5) plus the correction
    EXPECT_EQ(t.heatRacers[1].totalPoints, 14);
    EXPECT_EQ(t.heatRacers[6].totalPoints, 10);
    EXPECT_EQ(t.heatRacers[5].totalPoints, 7);

    // A correction in the results window, then the totals again.
    t.heatRacers[2].pointsInLane[2] += 1;
    SumRacerPoints(t);
    EXPECT_EQ(t.heatRacers[2].totalPoints, 11 + 8);  // heat 1 lane 2 (10+1), heat 2 lane 3 (8)
    EXPECT_EQ(t.heatRacers[5].totalPoints, 0);       // sat out both heats
}

TEST_F(HeatTotals, ALaneWithoutAPlaceEarnsOnlyItsCorrection) {
    t.currentHeat = 1;
    t.heatRacers[1].adjustInLane[1] = 2;
    LaneTable<int16_t> position{0, 0, 9, -1, 1};
    ScoreHeatPoints(t, position);
    EXPECT_EQ(t.heatRacers[1].pointsInLane[1], 2);
    EXPECT_EQ(t.heatRacers[2].pointsInLane[2], 0);
    EXPECT_EQ(t.heatRacers[3].pointsInLane[3], 0);
    EXPECT_EQ(t.heatRacers[4].pointsInLane[4], 10);
}

}  // namespace
}  // namespace qel
