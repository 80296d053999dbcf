#include "replay.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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
    EXPECT_EQ(parse({"--demo", "--stream", "x"}), "give either --stream FILE or --demo");
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

}  // namespace
}  // namespace qel::replay
