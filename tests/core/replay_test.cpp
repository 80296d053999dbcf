#include "replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/format.h"
#include "core/io/text_file.h"
#include "core/records/record_files.h"
#include "support/temp_folder.h"

namespace qel::replay {
namespace {

std::vector<std::string> eventsOf(const ReplayResult& r, const std::string& type) {
    std::vector<std::string> out;
    for (const auto& e : r.events) {
        if (e.type == type) out.push_back(std::to_string(e.elapsedMs) + " " + e.value);
    }
    return out;
}

ReplayOptions streamRace() {
    ReplayOptions o;
    o.streamFile = std::string(QEL_FIXTURES_DIR) + "/streams/three_lap_race.box";
    o.lanes = 2;
    o.format = 2;
    o.laps = 3;
    o.minLap = 1;
    return o;
}

TEST(Replay, ARecordedThreeLapRaceRunsToRaceOver) {
    const auto r = runReplay(streamRace());
    const RaceState& s = *r.state;
    EXPECT_EQ(s.lapCount[1], 3);
    EXPECT_EQ(s.lapCount[2], 3);
    EXPECT_FLOAT_EQ(s.lapTimes[1][2], 3.1f);
    EXPECT_EQ(s.bestLapMs[1], 3000);
    EXPECT_EQ(s.lagBehindText[2], "0.30");
    // Each event is stamped with the race clock of the tick that acted on it.
    EXPECT_EQ(eventsOf(r, "flag"), (std::vector<std::string>{"0 1", "3800 3", "6900 6"}));
    EXPECT_EQ(eventsOf(r, "command"), (std::vector<std::string>{"0 S", "7900 P"}));
    EXPECT_EQ(eventsOf(r, "sound"),
              (std::vector<std::string>{"0 Go.wav", "3800 White Flag.wav",
                                        "6900 Checkered Flag.wav", "7900 Race Over.wav"}));
    EXPECT_EQ(r.board.banner, "Race Over");
    EXPECT_EQ(r.board.startState, StartState::Reset);
    EXPECT_EQ(s.raceOverHandled, 1);
    const std::string json = toJson(r);
    EXPECT_NE(json.find("\"lapTimes\":[0.5,3.1,3]"), std::string::npos) << json;
}

TEST(Replay, SeededDemoRacesAreRepeatable) {
    ReplayOptions o;
    o.demo = true;
    o.seed = 11;
    o.lanes = 8;
    o.laps = 20;
    const auto a = toJson(runReplay(o));
    const auto b = toJson(runReplay(o));
    EXPECT_EQ(a, b);
    o.seed = 12;
    EXPECT_NE(a, toJson(runReplay(o)));
    EXPECT_NE(a.find("\"banner\":\"Race Over\""), std::string::npos);
}

TEST(Replay, OptionsAreChecked) {
    ReplayOptions o;
    auto parse = [&](std::vector<const char*> args) {
        args.insert(args.begin(), "qeltimer-replay");
        return parseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), o);
    };
    EXPECT_EQ(parse({"--demo", "--lanes", "9"}), "--lanes takes 2..8");
    EXPECT_EQ(parse({"--demo", "--stream", "x"}),
              "give one of --stream FILE, --journal FILE or --demo");
    o = ReplayOptions{};
    EXPECT_EQ(parse({"--stream", "x", "--journal", "y"}),
              "give one of --stream FILE, --journal FILE or --demo");
    o = ReplayOptions{};
    EXPECT_EQ(parse({"--demo", "--race", "2"}), "--race needs --journal FILE");
    EXPECT_EQ(parse({"--lanes"}), "--lanes needs a value");
    o = ReplayOptions{};
    EXPECT_EQ(parse({"--demo", "--format", "3", "--minutes", "1.5", "--first-lap", "0"}), "");
    EXPECT_EQ(o.format, 3);
    EXPECT_EQ(o.firstLap, 0);
}

// The replay races with the Options the program has: a value the Options
// lists don't offer could never be raced, so it is refused.
TEST(Replay, MinimumLapAndCoastTakeOnlyWhatTheOptionsListsOffer) {
    const std::string minLapRefused =
        "--min-lap takes a minimum lap time of the Options list: 0 to 9.75 in steps of 0.25, "
        "or whole seconds 10 to 61";
    const std::string coastRefused =
        "--coast takes a coast time of the Options list: 0 to 3 in steps of 0.5";
    const struct {
        const char* option;
        const char* value;
        std::string error;  // "" = taken
    } cases[] = {
        {"--min-lap", "0", ""},
        {"--min-lap", "2.25", ""},
        {"--min-lap", "9.75", ""},
        {"--min-lap", "61", ""},
        {"--min-lap", "2.3", minLapRefused},
        {"--min-lap", "10.5", minLapRefused},
        {"--min-lap", "62", minLapRefused},
        {"--min-lap", "-1", minLapRefused},
        {"--coast", "0", ""},
        {"--coast", "2.5", ""},
        {"--coast", "3", ""},
        {"--coast", "0.25", coastRefused},
        {"--coast", "3.5", coastRefused},
        {"--coast", "fast", coastRefused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.value);
        ReplayOptions o;
        std::vector<const char*> args{"qeltimer-replay", "--demo", c.option, c.value};
        EXPECT_EQ(parseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), o),
                  c.error);
        if (c.error.empty()) {
            const double taken =
                std::string_view(c.option) == "--coast" ? o.coastSeconds : o.minLap;
            EXPECT_EQ(taken, std::stod(c.value));
        }
    }
}

// The records a race leaves, saved as the record windows save them.
TEST(Replay, SavesTheRecordsAtTheEndAsTheWindowsDo) {
    test::TempFolder folder;
    ReplayOptions o = streamRace();
    o.saveSummary = (folder.path() / "race summary.txt").string();
    o.saveLaps = (folder.path() / "race.lap").string();
    const auto r = runReplay(o);
    const RaceState& s = *r.state;

    const GridFileContents laps = readLapFile(*o.saveLaps);
    ASSERT_EQ(laps.laneCount, 2);
    ASSERT_GE(laps.rows.size(), 12u);
    EXPECT_EQ(laps.rows[1][0], "Lap");
    for (int position = 1; position <= 2; ++position) {
        const int lane = s.runningOrder[position];
        EXPECT_EQ(laps.rows[1][position], "Lane " + std::to_string(lane));
        for (int lap = 1; lap <= 3; ++lap)
            EXPECT_EQ(laps.rows[1 + lap][position], formatSingle(s.lapTimes[lane][lap], "0.000"));
    }
    EXPECT_TRUE(laps.rows[5][1].empty());

    // The summary report: its two header lines, a line per position, the empty closing line.
    const std::string summary = readTextFile(*o.saveSummary);
    EXPECT_EQ(
        summary.rfind(" Pos        Lane   Total Total      Lag   Lag    Best   Best  Avg   \r\n"
                      " Name       Color  Laps  Time       First Behind MPH    Lap   Time  "
                      "Med   Crash %\r\n\r\n1 ",
                      0),
        0u)
        << summary;
    EXPECT_NE(summary.find("\r\n2 "), std::string::npos);
    EXPECT_EQ(summary.substr(summary.size() - 4), "\r\n\r\n");
    EXPECT_FALSE(s.summaryUnsaved);
    EXPECT_FALSE(s.lapsUnsaved);

    const std::string json = toJson(r);
    for (const char* field :
         {"\"raceTitle\":\"3 Lap Race\"", "\"bannerVisible\":true", "\"speedMultiplier\":0",
          "\"averageLap\":", "\"crashCount\":", "\"crashPercent\":", "\"medianText\":\""})
        EXPECT_NE(json.find(field), std::string::npos) << field << " in " << json;
    EXPECT_NE(json.find("File " + *o.saveSummary + " has been saved"), std::string::npos);
}

TEST(Replay, AnApplicationFolderGivesItsTrackAndNamesAndTheCommandLineOverrides) {
    test::TempFolder folder;
    std::filesystem::copy(std::filesystem::path(QEL_SOURCE_DIR) / "data" / "QelDat",
                          folder.path() / "QelDat");
    ReplayOptions o;
    o.demo = true;
    o.laps = 12;
    o.appFolder = folder.path().string();
    const auto fromFolder = runReplay(o);
    // The shipped track: four lanes at 30 feet on 1:32, its racers in their lanes.
    const RaceState& s = *fromFolder.state;
    EXPECT_EQ(s.laneCount, 4);
    EXPECT_FLOAT_EQ(s.speedMultiplier[1], 654.5455f);
    EXPECT_EQ(s.laneRacerName[2], "Bruno Kettleby");
    // The demo's summary is the window's, so its figures are in.
    for (int lane = 1; lane <= 4; ++lane) {
        EXPECT_GT(s.averageLap[lane], 0.0f) << lane;
        EXPECT_FALSE(s.medianText[lane].empty()) << lane;
    }
    EXPECT_NE(toJson(fromFolder).find("\"raceTitle\":\"Demo - 12 Lap Race\""), std::string::npos);

    char* argv[] = {const_cast<char*>("qeltimer-replay"), const_cast<char*>("--demo"),
                    const_cast<char*>("--lanes"),         const_cast<char*>("3"),
                    const_cast<char*>("--app-folder"),    const_cast<char*>(o.appFolder->c_str())};
    ReplayOptions overridden;
    ASSERT_EQ(parseOptions(6, argv, overridden), "");
    EXPECT_EQ(runReplay(overridden).state->laneCount, 3);
}

// A journalled race re-run headless: its crossings as the box would have
// sent them give the same laps, and the race closes as it did.
TEST(Replay, AJournalledRaceRunsAgainFromItsCountedLaps) {
    JournalRecord record;
    record.race.lanes = 2;
    record.race.format = kLapRace;
    record.race.laps = 3;
    record.race.firstLapOffset = 0;
    record.race.minLapSeconds = 1;
    record.race.coastMs = 2000;
    // Lane 1: 4.2, 4.1, 4.0 s; lane 2: 4.5, 4.4, 4.3 s.
    int32_t one = 0, two = 0;
    for (int lap = 1; lap <= 3; ++lap) {
        one += 4300 - 100 * lap;
        two += 4600 - 100 * lap;
        record.laps.push_back({1, lap, 4300 - 100 * lap, one, 0, "Ann"});
        record.laps.push_back({2, lap, 4600 - 100 * lap, two, 0, "Bob"});
    }
    record.events.push_back({two + 1000, "end", ""});
    EXPECT_EQ(streamFromLaps({{1, 1, 4200, 4200, 0, ""}, {2, 1, 4500, 4500, 0, ""}}, 4700),
              "4200\rA300\rB100\r100\r");

    ReplayOptions o;
    o.laps = 99;
    o.given.insert("--laps");  // given on the command line: kept
    useJournalledRace(record, o);
    EXPECT_EQ(o.laps, 99);
    EXPECT_EQ(o.lanes, 2);
    o.laps = 3;
    const auto r = runReplay(o);
    const RaceState& s = *r.state;
    EXPECT_EQ(s.lapCount[1], 3);
    EXPECT_EQ(s.lapCount[2], 3);
    EXPECT_FLOAT_EQ(s.lapTimes[1][2], 4.1f);
    EXPECT_FLOAT_EQ(s.lapTimes[2][3], 4.3f);
    EXPECT_EQ(r.board.banner, "Race Over");
}

}  // namespace
}  // namespace qel::replay
