// qeltimer-replay running a whole heat series: the field from a qualifiers
// file, the rotation of the chosen sequence, every heat raced with the
// Rotate press between them, scored and logged, and the race results.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/heats/race_formats.h"
#include "core/io/errors.h"
#include "core/io/text_file.h"
#include "replay.h"
#include "support/temp_folder.h"

namespace qel::replay {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSixRacers =
    "Ann Arden\r\nBob Baird\r\nCid Cole\r\nDee Dunn\r\nEve Ely\r\n"
    "Fay Fox\r\n";

// A copy of the shipped application folder (its point system pays 10, 8, 6
// and 5) with the six racers' qualifiers file beside it.
struct SeriesFolder {
    SeriesFolder() {
        fs::copy(fs::path(QEL_SOURCE_DIR) / "data" / "QelDat", folder.path() / "QelDat");
        racers = folder.write("qualifiers.txt", kSixRacers).string();
    }
    ReplayOptions demoSeries(int format) const {
        ReplayOptions o;
        o.demo = true;
        o.seed = 5;
        o.lanes = 4;
        o.format = format;
        o.minutes = 0.25;
        o.laps = 4;
        o.appFolder = folder.path().string();
        o.racersFile = racers;
        o.allHeats = true;
        return o;
    }
    fs::path heatLog() const { return folder.path() / "Stats" / "DefaultRaceFile.txt"; }

    test::TempFolder folder;
    std::string racers;
};

int laneSum(const LaneTable<int16_t>& perLane) {
    int sum = 0;
    for (int lane = 1; lane <= 4; ++lane)
        sum += perLane[lane];
    return sum;
}

TEST(ReplayHeats, ARoundRobinOfSixOnFourLanesRacesEveryHeatOfTheRotation) {
    const SeriesFolder series;
    ReplayOptions o = series.demoSeries(kRoundRobin);
    o.exportResults = (series.folder.path() / "results.xls").string();
    const ReplayResult r = runReplay(o);
    const HeatTables& h = *r.heats;
    ASSERT_EQ(h.heatCount, 6);
    EXPECT_EQ(h.currentHeat, 6);
    EXPECT_EQ(r.board.banner, "Race Over");

    // The straight sequence padded with two sit-outs: 123400, each racer one
    // step on from heat to heat, the two sit-out racers from the zeros.
    const std::array<std::array<int, 6>, 7> lanes{{{},
                                                   {1, 2, 3, 4, 0, 0},
                                                   {2, 3, 4, 0, 0, 1},
                                                   {3, 4, 0, 0, 1, 2},
                                                   {4, 0, 0, 1, 2, 3},
                                                   {0, 0, 1, 2, 3, 4},
                                                   {0, 1, 2, 3, 4, 0}}};
    const std::array<const char*, 7> names{"",         "Ann Arden", "Bob Baird", "Cid Cole",
                                           "Dee Dunn", "Eve Ely",   "Fay Fox"};
    for (int racer = 1; racer <= 6; ++racer) {
        SCOPED_TRACE(racer);
        const HeatRacer& hr = h.heatRacers[racer];
        EXPECT_EQ(hr.name, names[racer]);
        for (int heat = 1; heat <= 6; ++heat)
            EXPECT_EQ(h.heatLane[racer][heat], lanes[racer][heat - 1]) << "heat " << heat;
        // Four heats raced, one in each lane, every one with laps counted.
        for (int lane = 1; lane <= 4; ++lane)
            EXPECT_GT(hr.lapsInLane[lane], 0) << "lane " << lane;
        EXPECT_EQ(hr.totalLaps, laneSum(hr.lapsInLane));
    }

    // The results grid's rows: every racer once, best average (laps per heat raced) first.
    ASSERT_EQ(r.standings.size(), 6u);
    std::vector<bool> listed(7, false);
    for (std::size_t row = 0; row < r.standings.size(); ++row) {
        const RacerStanding& s = r.standings[row];
        listed.at(static_cast<std::size_t>(s.racer)) = true;
        EXPECT_FLOAT_EQ(s.average, h.heatRacers[s.racer].totalLaps / 4.0f) << s.racer;
        if (row > 0) {
            EXPECT_GE(r.standings[row - 1].average, s.average) << row;
        }
    }
    EXPECT_EQ(std::count(listed.begin() + 1, listed.end(), true), 6);

    const std::string json = toJson(r);
    const RacerStanding& first = r.standings.front();
    for (const std::string& field :
         {std::string("\"heatCount\":6"),
          "\"racers\":[{\"racer\":" + std::to_string(first.racer) + ",\"name\":\"" +
              names[first.racer] + "\"",
          std::string("\"name\":\"Bob Baird\",\"heatLane\":[2,3,4,0,0,1],\"lapsInLane\":[")})
        EXPECT_NE(json.find(field), std::string::npos) << field << " in " << json;

    // Each heat logged as it ended, the last closing the series' blocks.
    const std::string log = readTextFile(series.heatLog());
    std::size_t blocks = 0;
    for (std::size_t at = log.find("\"Heat "); at != std::string::npos;
         at = log.find("\"Heat ", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 6u) << log;
    EXPECT_NE(log.find("\"Heat 6 of 6\t"), std::string::npos);

    const std::string sheet = readBinaryFile(*o.exportResults);
    EXPECT_EQ(sheet.substr(0, 4), std::string("\x09\x00\x04\x00", 4));
    EXPECT_NE(sheet.find("Fay Fox"), std::string::npos);
}

TEST(ReplayHeats, AChampionshipPaysThePointSystemForEveryPlace) {
    const SeriesFolder series;
    const ReplayResult r = runReplay(series.demoSeries(kChampionship));
    const HeatTables& h = *r.heats;
    ASSERT_EQ(h.heatCount, 6);
    // Four places in each of six heats, paid 10, 8, 6 and 5.
    int paid = 0;
    for (int racer = 1; racer <= 6; ++racer) {
        const HeatRacer& hr = h.heatRacers[racer];
        EXPECT_EQ(hr.totalPoints, laneSum(hr.pointsInLane)) << racer;
        paid += hr.totalPoints;
    }
    EXPECT_EQ(paid, 6 * (10 + 8 + 6 + 5));
    ASSERT_EQ(r.standings.size(), 6u);
    EXPECT_FLOAT_EQ(r.standings.front().average,
                    h.heatRacers[r.standings.front().racer].totalPoints / 4.0f);
    EXPECT_GE(r.standings.front().average, r.standings.back().average);
    EXPECT_NE(readTextFile(series.heatLog()).find("\tPoints\""), std::string::npos);
}

// The program goes on past a heat it could not log and says so on the
// board; a replay has nobody to read the board, so it stops with the reason.
TEST(ReplayHeats, AHeatThatCannotBeLoggedEndsTheReplay) {
    const SeriesFolder series;
    series.folder.write("Stats", "a file where the statistics folder belongs");
    try {
        runReplay(series.demoSeries(kRoundRobinLapHeats));
        ADD_FAILURE() << "the lost heat log went unreported";
    } catch (const QelError& e) {
        EXPECT_NE(std::string(e.what()).find("Heat 1 is not in the heat log"), std::string::npos)
            << e.what();
    }
}

// Every heat of a recorded stream is raced from the stream's start again;
// without --heats all the series stands after heat 1.
TEST(ReplayHeats, ARecordedStreamFeedsEveryHeatFromItsStart) {
    test::TempFolder folder;
    ReplayOptions o;
    o.streamFile = std::string(QEL_FIXTURES_DIR) + "/streams/three_lap_race.box";
    o.lanes = 2;
    o.format = kRoundRobinLapHeats;
    o.laps = 3;
    o.racersFile = folder.write("field.txt", "\"Ann\",\"Bob\",\"Cid\"").string();

    const ReplayResult heatOne = runReplay(o);
    EXPECT_EQ(heatOne.heats->heatCount, 3);
    EXPECT_EQ(heatOne.heats->currentHeat, 1);
    EXPECT_EQ(heatOne.board.startState, StartState::Rotate);

    o.allHeats = true;
    const ReplayResult r = runReplay(o);
    EXPECT_EQ(r.heats->currentHeat, 3);
    EXPECT_EQ(r.board.banner, "Race Over");
    for (int lane = 1; lane <= 2; ++lane) {
        const int laps = heatOne.state->lapCount[lane];
        EXPECT_GT(laps, 0);
        for (int racer = 1; racer <= 3; ++racer)
            EXPECT_EQ(r.heats->heatRacers[racer].lapsInLane[lane], laps) << racer << "/" << lane;
    }
    std::vector<std::string> heats;
    for (const ReplayEvent& e : r.events)
        if (e.type == "heat") heats.push_back(e.value);
    EXPECT_EQ(heats, (std::vector<std::string>{"2", "3"}));
}

TEST(ReplayHeats, ABadSequenceOrRacersFileIsRefused) {
    test::TempFolder folder;
    const std::string two = folder.write("two.txt", "Ann\r\nBob\r\n").string();
    const std::string six = folder.write("six.txt", kSixRacers).string();
    const std::string binary = folder.write("field.xls", std::string("Ann\0\x01Bob", 8)).string();
    const struct {
        const char* what;
        std::function<void(ReplayOptions&)> set;
        const char* reason;
    } cases[] = {
        {"a lane the track lacks", [](ReplayOptions& o) { o.sequence = "1235"; },
         "--sequence \"1235\" is refused: Enter numbers"},
        {"a letter", [](ReplayOptions& o) { o.sequence = "12a4"; }, "is refused: Enter numbers"},
        {"no lane at all", [](ReplayOptions& o) { o.sequence = "00"; },
         "it races none of lanes 1..4"},
        {"no such file", [&](ReplayOptions& o) { o.racersFile = folder.path() / "none.txt"; },
         "none.txt"},
        {"not a list of names", [&](ReplayOptions& o) { o.racersFile = binary; },
         "is not a list of racer names"},
        {"a lane left empty", [&](ReplayOptions& o) { o.racersFile = two; },
         "Lane 3 cannot be empty"},
        {"sit-outs in a rotation race",
         [&](ReplayOptions& o) {
             o.format = kRotationRace;
             o.racersFile = six;
         },
         "races one racer in each of its 4 lanes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReplayOptions o;
        o.demo = true;
        o.lanes = 4;
        o.format = kRoundRobin;
        c.set(o);
        try {
            runReplay(o);
            ADD_FAILURE() << "not refused";
        } catch (const QelError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }

    ReplayOptions o;
    std::vector<const char*> args{"qeltimer-replay", "--demo", "--heats", "2"};
    EXPECT_EQ(parseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), o),
              "--heats takes all or 1");
}

}  // namespace
}  // namespace qel::replay
