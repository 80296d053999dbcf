#include "core/heats/define_racers.h"

#include <gtest/gtest.h>

#include <string>

#include "core/heats/rotation.h"

namespace qel {
namespace {

struct Defined {
    HeatTables tables;
    RaceState state;
    RaceBoard board;
    int count = 0;
};

Defined define(const Placement& placement, int laneCount, bool heatRotation) {
    Defined d;
    d.count = DefineRacers(placement, laneCount, heatRotation, d.tables, d.state, d.board);
    return d;
}

TEST(DefineRacers, LaneRacersFirstThenSitOutsUpToTheFirstEmptySlot) {
    Placement p;
    p.laneNames = {"", " Ann ", "Bob", "Cy", "Dee"};
    p.sitOutNames = {"Eve", "Fay", "", "Gus"};
    const Defined d = define(p, 4, true);

    ASSERT_EQ(d.count, 6);
    struct Expected {
        const char* name;
        int startLane;
        int sitOut;
    };
    const Expected expected[] = {{"Ann", 1, 0}, {"Bob", 2, 0}, {"Cy", 3, 0},
                                 {"Dee", 4, 0}, {"Eve", 0, 1}, {"Fay", 0, 2}};
    for (int racer = 1; racer <= 6; ++racer) {
        const HeatRacer& r = d.tables.heatRacers[racer];
        EXPECT_EQ(r.name, expected[racer - 1].name);
        EXPECT_EQ(r.startLane, expected[racer - 1].startLane);
        EXPECT_EQ(r.sitOutNumber, expected[racer - 1].sitOut);
    }
    EXPECT_EQ(d.tables.heatRacers[7].name, "");
    EXPECT_EQ(d.state.laneRacerName[1], "Ann");
    EXPECT_EQ(d.board.rows[1].name.text, "Ann ");
}

TEST(DefineRacers, WithoutHeatsOnlyTheLanesCountAndEmptyLanesAreCleared) {
    Placement p;
    p.laneNames = {"", "Ann", "  ", "Cy", "Dee", "Hidden"};
    p.sitOutNames = {"Eve"};
    Defined d;
    d.state.laneRacerName[2] = "Old";
    d.board.rows[2].name.text = "Old ";
    d.count = DefineRacers(p, 4, false, d.tables, d.state, d.board);

    EXPECT_EQ(d.count, 3);
    EXPECT_EQ(d.tables.heatRacers[2].name, "Cy");
    EXPECT_EQ(d.tables.heatRacers[2].startLane, 3);
    EXPECT_EQ(d.state.laneRacerName[2], "");
    EXPECT_EQ(d.board.rows[2].name.text, "");
    EXPECT_EQ(d.state.laneRacerName[5], "");  // beyond the track's lanes
    EXPECT_EQ(d.tables.heatRacers[4].name, "");
}

TEST(DefineRacers, CustomSequenceSitOutStartsAtItsZero) {
    // "1203" on four lanes: lane 4 is not raced, one racer sits out.
    Placement p;
    p.laneNames = {"", "Ann", "Bob", "Cy", ""};
    p.sitOutNames = {"Dee"};
    Defined d = define(p, 4, true);
    ASSERT_EQ(d.count, 4);
    EXPECT_EQ(d.tables.heatRacers[4].name, "Dee");
    EXPECT_EQ(d.tables.heatRacers[4].sitOutNumber, 1);

    d.tables.racerCount = static_cast<int16_t>(d.count);
    std::string sequence = "1203";
    BuildRotation(d.tables, d.count, sequence);
    EXPECT_EQ(d.tables.heatLane[4][1], 0);
    EXPECT_EQ(d.tables.heatLane[4][2], 3);
}

TEST(DefineRacers, AnEmptySequenceLaneDoesNotLetSitOutsOverwriteOrSkipRacers) {
    // Straight "1234" with lane 3 left empty: the sit-out racers follow the
    // three lane racers directly; racer 4 is not a stale name from before.
    Placement p;
    p.laneNames = {"", "Ann", "Bob", "", "Dee"};
    p.sitOutNames = {"Eve", "Fay"};
    Defined d;
    d.tables.heatRacers[4].name = "Stale";
    d.count = DefineRacers(p, 4, true, d.tables, d.state, d.board);
    ASSERT_EQ(d.count, 5);
    EXPECT_EQ(d.tables.heatRacers[3].name, "Dee");
    EXPECT_EQ(d.tables.heatRacers[4].name, "Eve");
    EXPECT_EQ(d.tables.heatRacers[5].name, "Fay");
}

TEST(DefineRacers, AtMostNinetySitOutSlotsAreRead) {
    Placement p;
    p.laneNames = {"", "Ann", "Bob"};
    for (int k = 1; k <= 120; ++k)
        p.sitOutNames.push_back("R" + std::to_string(k));
    const Defined d = define(p, 2, true);
    EXPECT_EQ(d.count, 92);
    EXPECT_EQ(d.tables.heatRacers[92].sitOutNumber, 90);
}

}  // namespace
}  // namespace qel
