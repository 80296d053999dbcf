// What the live board sends the spectators' phones, TVs and overlays, field
// by field: a club's scoreboard script reads these names, so a change here
// breaks it.
#include "core/liveboard/live_board_json.h"

#include <gtest/gtest.h>

#include <string>

#include "core/io/json_writer.h"
#include "core/liveboard/live_board_snapshot.h"

namespace qel {
namespace {

constexpr int32_t kRedLane = 255;
constexpr int32_t kGreenLane = 256 * 255;
constexpr int32_t kBlueLane = 65536 * 255;
constexpr int32_t kYellowLane = 255 + 256 * 255;

class LiveBoardJsonTest : public ::testing::Test {
  protected:
    LiveBoardJsonTest() {
        race.laneCount = 4;
        race.trackName = "Kestrova Raceway";
        race.laneColor[1] = kRedLane;
        race.laneColor[2] = kGreenLane;
        race.laneColor[3] = kBlueLane;
        race.laneColor[4] = kYellowLane;
        for (int row = 5; row <= kMaxLanes; ++row)
            board.rows[row].visible = false;
        raceSettings.raceFormat = kLapRace;
    }

    // Row r of the board as the race screen left it, the lane in place r.
    void showRow(int row, int lane, const char* name, const char* laps, const char* lapTime,
                 const char* gap, const char* best) {
        race.runningOrder[row] = static_cast<int16_t>(lane);
        BoardRow& shown = board.rows[row];
        shown.name.text = name;
        shown.lapNum.text = laps;
        shown.lapTime.text = lapTime;
        shown.lagTime.text = gap;
        shown.best.text = best;
    }

    std::string json() {
        return liveBoardJson(
            takeLiveBoardSnapshot({board, race, heats, RaceSetup(raceSettings, options)}));
    }

    RaceBoard board;
    RaceState race;
    HeatTables heats;
    RaceFormatSettings raceSettings;
    OptionsSettings options;
};

TEST_F(LiveBoardJsonTest, ABoardMidRace) {
    board.raceDescription = "Demo - 10 Lap Race";
    board.clock = "00:40";
    board.flagPicture = kFlagGreen;
    board.startState = StartState::Pause;
    // The board's cells keep the blanks the race screen pads them with.
    showRow(1, 3, "Ann ", "12", "3.41", "0.00", " 3.205");
    showRow(2, 1, "Zo\xC3\xAB \"Flash\" ", "12", "3.62", "0.48", " 3.390");
    showRow(3, 4, "Bob ", "11", "4.10", "1Lap", " 3.722");
    showRow(4, 2, " Select Name", "", "", "", "");

    EXPECT_EQ(
        json(),
        R"({"version":1,"track":"Kestrova Raceway","title":"Demo - 10 Lap Race",)"
        R"("clock":"00:40","flag":"green","banner":"","state":"racing",)"
        R"("columns":{"laps":"Lap","lastLap":"Lap Time","gap":"Lag Behind","best":"Best Lap"},)"
        R"("rows":[)"
        R"({"position":1,"lane":3,"color":"#0000ff","racer":"Ann","laps":"12",)"
        R"("lastLap":"3.41","gap":"0.00","best":"3.205"},)"
        R"({"position":2,"lane":1,"color":"#ff0000","racer":"Zo)"
        "\xC3\xAB"
        R"( \"Flash\"","laps":"12","lastLap":"3.62","gap":"0.48","best":"3.390"},)"
        R"({"position":3,"lane":4,"color":"#ffff00","racer":"Bob","laps":"11",)"
        R"("lastLap":"4.10","gap":"1Lap","best":"3.722"},)"
        R"({"position":4,"lane":2,"color":"#00ff00","racer":"Select Name","laps":"",)"
        R"("lastLap":"","gap":"","best":""}],)"
        R"("heat":null})");
}

TEST_F(LiveBoardJsonTest, TheEndOfARaceAndTheColumnsTheRaceDirectorChose) {
    board.raceDescription = "Demo - 10 Lap Race";
    board.clock = "00:51";
    board.flagPicture = kFlagCheckered;
    board.startState = StartState::Reset;
    board.banner = "Race Over";
    board.bannerVisible = true;
    board.lagHeader = "Lag First";
    board.bestHeader = "MPH";
    race.laneCount = 2;
    showRow(1, 2, "Ann ", "10", "3.40", "0.00", "14.2");
    showRow(2, 1, "Bob ", "9", "3.90", "1Lap", "12.9");

    EXPECT_EQ(json(),
              R"({"version":1,"track":"Kestrova Raceway","title":"Demo - 10 Lap Race",)"
              R"("clock":"00:51","flag":"checkered","banner":"Race Over","state":"over",)"
              R"("columns":{"laps":"Lap","lastLap":"Lap Time","gap":"Lag First","best":"MPH"},)"
              R"("rows":[)"
              R"({"position":1,"lane":2,"color":"#00ff00","racer":"Ann","laps":"10",)"
              R"("lastLap":"3.40","gap":"0.00","best":"14.2"},)"
              R"({"position":2,"lane":1,"color":"#ff0000","racer":"Bob","laps":"9",)"
              R"("lastLap":"3.90","gap":"1Lap","best":"12.9"}],)"
              R"("heat":null})");
}

TEST_F(LiveBoardJsonTest, AHeatSeriesShowsTheHeatTheNextHeatsRacersAndTheResultsSoFar) {
    raceSettings.raceFormat = kRoundRobin;
    board.raceDescription = "Demo - Heat 2/5  Round Robin  2 Minutes";
    board.clock = "01:10";
    board.flagPicture = kFlagGreen;
    board.startState = StartState::Pause;
    showRow(1, 2, "Bob ", "20", "3.30", "0.00", " 3.100");
    showRow(2, 1, "Ann ", "19", "3.50", "0.40", " 3.150");
    // Lanes the heat's sequence leaves out show no name.
    showRow(3, 3, "", "", "", "", "");
    showRow(4, 4, "Cy ", "18", "3.90", "1Lap", " 3.300");

    heats.racerCount = 5;
    heats.heatCount = 5;
    heats.currentHeat = 2;
    const char* names[] = {"", "Ann", "Bob", "Cy", "Dee", "Eve"};
    struct Totals {
        int16_t laps;
        int16_t points;
    };
    // Totals of heat 1 only: the heat running is scored when it ends. Dee
    // and Eve are level, and share the place.
    const Totals totals[] = {{}, {20, 7}, {22, 5}, {20, 9}, {18, 4}, {18, 4}};
    for (int r = 1; r <= 5; ++r) {
        heats.heatRacers[r].name = names[r];
        heats.heatRacers[r].totalLaps = totals[r].laps;
        heats.heatRacers[r].totalPoints = totals[r].points;
    }
    // Heat 3: Eve, Ann, Bob and Cy on lanes 1 to 4; Dee sits out.
    const int16_t nextHeat[] = {0, 5, 1, 2, 3};
    for (int lane = 1; lane <= 4; ++lane)
        heats.laneRacer[lane][3] = nextHeat[lane];

    const std::string text = json();
    const std::string heat = text.substr(text.find(R"("heat":)"));
    EXPECT_EQ(heat,
              R"("heat":{"number":2,"count":5,)"
              R"("next":{"number":3,"racers":[{"lane":1,"racer":"Eve"},)"
              R"({"lane":2,"racer":"Ann"},{"lane":3,"racer":"Bob"},{"lane":4,"racer":"Cy"}]},)"
              R"("results":[{"place":1,"racer":"Bob","laps":22,"points":5},)"
              R"({"place":2,"racer":"Cy","laps":20,"points":9},)"
              R"({"place":3,"racer":"Ann","laps":20,"points":7},)"
              R"({"place":4,"racer":"Dee","laps":18,"points":4},)"
              R"({"place":4,"racer":"Eve","laps":18,"points":4}]}})");
    EXPECT_NE(text.find(R"({"position":3,"lane":3,"color":"#0000ff","racer":"","laps":"",)"),
              std::string::npos);

    // A championship is decided on points; after the last heat nothing follows.
    raceSettings.raceFormat = kChampionship;
    heats.currentHeat = 5;
    const LiveBoardSnapshot last =
        takeLiveBoardSnapshot({board, race, heats, RaceSetup(raceSettings, options)});
    ASSERT_TRUE(last.heat.has_value());
    EXPECT_EQ(last.heat->number, 5);
    EXPECT_FALSE(last.heat->nextNumber.has_value());
    EXPECT_TRUE(last.heat->nextRacers.empty());
    std::vector<std::string> byPoints;
    for (const LiveBoardStanding& standing : last.heat->results)
        byPoints.push_back(std::to_string(standing.place) + " " + standing.racer);
    EXPECT_EQ(byPoints, (std::vector<std::string>{"1 Cy", "2 Ann", "3 Bob", "4 Dee", "4 Eve"}));
    EXPECT_NE(liveBoardJson(last).find(R"("next":null)"), std::string::npos);
}

TEST_F(LiveBoardJsonTest, PracticeRowsAreTheLanesAndASingleRaceHasNoHeat) {
    raceSettings.raceFormat = kPractice;
    heats.heatCount = 4;
    heats.currentHeat = 1;
    // A running order left from an earlier race means nothing in practice.
    showRow(1, 4, "Ann ", "3", "4.01", " 4.010", "");
    showRow(2, 3, "Bob ", "2", "4.55", " 4.550", "");
    const LiveBoardSnapshot snapshot =
        takeLiveBoardSnapshot({board, race, heats, RaceSetup(raceSettings, options)});
    ASSERT_EQ(snapshot.rows.size(), 4u);
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(snapshot.rows[row - 1].lane, row);
    EXPECT_FALSE(snapshot.heat.has_value());

    // A hidden row is left out, and a running order that names no lane in
    // use shows each row as its own lane.
    raceSettings.raceFormat = kLapRace;
    board.rows[2].visible = false;
    race.runningOrder[3] = 7;
    const LiveBoardSnapshot race3 =
        takeLiveBoardSnapshot({board, race, heats, RaceSetup(raceSettings, options)});
    ASSERT_EQ(race3.rows.size(), 3u);
    EXPECT_EQ(race3.rows[1].position, 3);
    EXPECT_EQ(race3.rows[1].lane, 3);
}

TEST(LiveBoardWords, FlagsAndStatesHaveTheirNames) {
    const std::pair<int, const char*> flags[] = {
        {kFlagGreen, "green"},
        {kFlagIdle, "none"},
        {kFlagWhite, "white"},
        {kFlagRed, "red"},
        {kFlagYellow, "yellow"},
        {kFlagCheckered, "checkered"},
        {0, "none"},
        {99, "none"},
    };
    for (const auto& [flag, name] : flags)
        EXPECT_EQ(liveBoardFlagName(flag), name) << flag;
    const std::pair<StartState, const char*> states[] = {
        {StartState::Start, "ready"},     {StartState::Pause, "racing"},
        {StartState::Continue, "paused"}, {StartState::Reset, "over"},
        {StartState::Rotate, "heatOver"}, {StartState::AutoDelay, "betweenHeats"},
    };
    for (const auto& [state, name] : states)
        EXPECT_EQ(liveBoardStateName(state), name) << name;
    EXPECT_EQ(liveBoardColor(kWhite), "#ffffff");
    EXPECT_EQ(liveBoardColor(255 + 256 * 128), "#ff8000");
}

TEST(JsonQuoted, AnyTextBecomesAStringABrowserReads) {
    const std::pair<std::string, std::string> cases[] = {
        {"", R"("")"},
        {"plain", R"("plain")"},
        {"quote \" and \\ back", R"("quote \" and \\ back")"},
        {"tab\tline\r\nend", R"("tab\tline\r\nend")"},
        {std::string("nul\0bell\a", 9), R"("nul\u0000bell\u0007")"},
        {"\x7F", R"("\u007f")"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8F\x81",
         "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8F\x81\""},
        // Bytes that are not UTF-8 (a stray code-page byte, a cut sequence,
        // an overlong form, a surrogate) become U+FFFD each.
        {"\xE9t\xE9", "\"\xEF\xBF\xBDt\xEF\xBF\xBD\""},
        {"cut \xE2\x82", "\"cut \xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"</script>", R"("</script>")"},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(jsonQuoted(text), quoted) << text;
}

TEST(JsonWriter, NestsObjectsAndArraysWithCommasBetween) {
    JsonWriter out;
    out.beginObject()
        .key("a")
        .number(-3)
        .key("b")
        .beginArray()
        .boolean(true)
        .null()
        .beginObject()
        .endObject()
        .beginArray()
        .endArray()
        .string("x")
        .endArray()
        .key("c")
        .boolean(false)
        .endObject();
    EXPECT_EQ(out.text(), R"({"a":-3,"b":[true,null,{},[],"x"],"c":false})");
}

}  // namespace
}  // namespace qel
