#include "replay.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/io/text_file.h"
#include "json_writer.h"
#include "replay_race.h"

namespace qel::replay {

namespace {

using EventLog = std::vector<ReplayEvent>;

bool parseNumber(std::string_view text, double& out) {
    if (text.empty()) return false;
    const std::string copy(text);
    char* end = nullptr;
    out = std::strtod(copy.c_str(), &end);
    return end && *end == '\0';
}

bool parseInt(std::string_view text, int64_t& out) {
    double value = 0;
    if (!parseNumber(text, value) || value != static_cast<double>(static_cast<int64_t>(value)))
        return false;
    out = static_cast<int64_t>(value);
    return true;
}

}  // namespace

namespace {

std::string laneFigures(const LaneTable<int16_t>& perLane, int laneCount) {
    std::string out = "[";
    for (int lane = 1; lane <= laneCount; ++lane) {
        if (lane > 1) out += ',';
        out += std::to_string(perLane[lane]);
    }
    return out + "]";
}

// The racers in the results grid's order, with the rotation's lane for each heat.
std::string racersJson(const ReplayResult& result) {
    const HeatTables& h = *result.heats;
    const int lanes = std::clamp<int>(result.state->laneCount, 0, kMaxLanes);
    const int heats = std::clamp<int>(h.heatCount, 0, kMaxHeats);
    std::string out = "[";
    for (std::size_t row = 0; row < result.standings.size(); ++row) {
        const int racer = result.standings[row].racer;
        const HeatRacer& r = h.heatRacers[static_cast<std::size_t>(racer)];
        if (row) out += ',';
        out += "{\"racer\":" + std::to_string(racer);
        out += ",\"name\":" + jsonString(r.name);
        out += ",\"heatLane\":[";
        for (int heat = 1; heat <= heats; ++heat) {
            if (heat > 1) out += ',';
            out += std::to_string(h.heatLane[racer][heat]);
        }
        out += "],\"lapsInLane\":" + laneFigures(r.lapsInLane, lanes);
        out += ",\"totalLaps\":" + std::to_string(r.totalLaps);
        out += ",\"pointsInLane\":" + laneFigures(r.pointsInLane, lanes);
        out += ",\"totalPoints\":" + std::to_string(r.totalPoints);
        out += ",\"average\":" + jsonSingle(result.standings[row].average) + "}";
    }
    return out + "]";
}

}  // namespace

std::string toJson(const ReplayResult& result) {
    const RaceState& s = *result.state;
    const RaceBoard& board = result.board;
    const EventLog& events = result.events;
    std::string out = "{";
    out += "\"elapsedMs\":" + std::to_string(s.elapsedMs);
    out += ",\"raceOverHandled\":" + std::string(s.raceOverHandled ? "true" : "false");
    out += ",\"leaderFinished\":" + std::string(s.leaderFinished ? "true" : "false");
    out += ",\"whiteFlagShown\":" + std::string(s.whiteFlagShown ? "true" : "false");
    out += ",\"coastDeadlineMs\":" + std::to_string(s.coastDeadlineMs);
    out += ",\"flagPicture\":" + std::to_string(board.flagPicture);
    out += ",\"banner\":" + jsonString(board.banner);
    out += ",\"startCaption\":" + jsonString(startCaptionOf(board.startState));
    out += ",\"raceTitle\":" + jsonString(s.raceTitle);
    out += ",\"bannerVisible\":" + std::string(board.bannerVisible ? "true" : "false");
    out += ",\"heatCount\":" + std::to_string(result.heats->heatCount);
    out += ",\"currentHeat\":" + std::to_string(result.heats->currentHeat);
    out += ",\"events\":[";
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (i) out += ",";
        out += "{\"elapsedMs\":" + std::to_string(events[i].elapsedMs) +
               ",\"type\":" + jsonString(events[i].type) +
               ",\"value\":" + jsonString(events[i].value) + "}";
    }
    out += "],\"runningOrder\":[";
    for (int p = 1; p <= s.laneCount; ++p) {
        if (p > 1) out += ',';
        out += std::to_string(s.runningOrder[p]);
    }
    out += "],\"lanes\":[";
    for (int lane = 1; lane <= s.laneCount; ++lane) {
        if (lane > 1) out += ",";
        out += "{\"lane\":" + std::to_string(lane);
        out += ",\"lapCount\":" + std::to_string(s.lapCount[lane]);
        out += ",\"finishLap\":" + std::to_string(s.finishLap[lane]);
        out += ",\"lastPassMs\":" + std::to_string(s.lastPassMs[lane]);
        out += ",\"shownLapMs\":" + std::to_string(s.shownLapMs[lane]);
        out += ",\"bestLapMs\":" + std::to_string(s.bestLapMs[lane]);
        out += ",\"lagBehindText\":" + jsonString(s.lagBehindText[lane]);
        out += ",\"lagFirstText\":" + jsonString(s.lagFirstText[lane]);
        out += ",\"lanePosition\":" + std::to_string(s.lanePosition[lane]);
        out += ",\"speedMultiplier\":" + jsonSingle(s.speedMultiplier[lane]);
        out += ",\"averageLap\":" + jsonSingle(s.averageLap[lane]);
        out += ",\"crashCount\":" + std::to_string(s.crashCount[lane]);
        out += ",\"crashPercent\":" + std::to_string(s.crashPercent[lane]);
        out += ",\"medianText\":" + jsonString(s.medianText[lane]);
        out += ",\"lapTimes\":[";
        const int first = std::max(0, result.firstLapOffset + 1);
        for (int lap = first; lap <= s.lapCount[lane] && lap <= kMaxLap; ++lap) {
            if (lap > first) out += ',';
            out += jsonSingle(s.lapTimes[lane][lap]);
        }
        out += "]}";
    }
    out += "],\"racers\":" + racersJson(result);
    out += "}";
    return out;
}

std::string streamFromLaps(const std::vector<JournalLap>& laps, int32_t endMs) {
    std::vector<JournalLap> ordered = laps;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const JournalLap& a, const JournalLap& b) { return a.raceMs < b.raceMs; });
    std::string stream;
    int32_t clock = 0;
    const auto reportTo = [&](int32_t ms) {
        if (ms <= clock) return;
        stream += std::to_string(ms - clock) + "\r";
        clock = ms;
    };
    for (const JournalLap& lap : ordered) {
        if (lap.lane < 1 || lap.lane > kMaxLanes) continue;
        reportTo(lap.raceMs);
        stream += static_cast<char>('A' + lap.lane - 1);
    }
    // The box goes on reporting, a tenth of a second at a time, to the end.
    while (clock < endMs)
        reportTo(std::min(endMs, clock + 100));
    return stream;
}

void useJournalledRace(const JournalRecord& record, ReplayOptions& o) {
    const JournalRace& race = record.race;
    const auto given = [&](const char* option) { return o.given.count(option) != 0; };
    if (!given("--lanes")) o.lanes = std::clamp(race.lanes, 2, kMaxLanes);
    if (!given("--format")) o.format = std::clamp(race.format, 0, 8);
    if (!given("--laps") && race.laps >= 1) o.laps = race.laps;
    if (!given("--minutes") && race.minutes > 0) o.minutes = race.minutes;
    if (!given("--first-lap")) o.firstLap = race.firstLapOffset < 0 ? 0 : 1;
    if (!given("--min-lap") && minLapTimePositionOf(race.minLapSeconds))
        o.minLap = race.minLapSeconds;
    if (!given("--coast") && coastTimePositionOf(race.coastMs / 1000.0))
        o.coastSeconds = race.coastMs / 1000.0;
    // The options the journal gave count as given, so no application folder overrides them.
    o.given.insert({"--lanes", "--min-lap", "--first-lap", "--coast"});
    int32_t endMs = 0;
    for (const JournalLap& lap : record.laps)
        endMs = std::max(endMs, lap.raceMs);
    for (const JournalEvent& event : record.events)
        endMs = std::max(endMs, event.raceMs);
    o.streamBytes = streamFromLaps(record.laps, endMs);
}

std::string usage() {
    return "Usage: qeltimer-replay [options] (--stream FILE | --journal FILE [--race N] | --demo "
           "[--seed N])\n"
           "  --lanes N       lanes of the track, 2..8 (default 4)\n"
           "  --format N      race format 0..8 (default 2, a lap race)\n"
           "  --laps N        laps of a lap race or lap heat (default 10)\n"
           "  --minutes M     minutes of a timed race or heat (default 2)\n"
           "  --min-lap S     minimum lap time in seconds (default 1)\n"
           "  --first-lap 0|1 races begin with lap 0 or lap 1 (default 1)\n"
           "  --coast S       coast time in seconds (default 2)\n"
           "  --tick-ms T     race tick length in ms (default 100)\n"
           "  --stream FILE   the bytes the timing box sent, as recorded\n"
           "  --journal FILE  a race of the race journal, re-run from its counted laps\n"
           "  --race N        which race of the journal (default: the last one)\n"
           "  --demo          laps from the demo generator instead\n"
           "  --seed N        seed of the demo generator (default 1)\n"
           "  --max-ms MS     stop a race that never ends after this race time\n"
           "  --app-folder DIR  the settings of that application folder (installation,\n"
           "                  options, lane names, point system); the options above\n"
           "                  override them\n"
           "  --save-summary FILE  save the summary at the end, as the summary window\n"
           "                  saves it (a name holding .txt: the text report)\n"
           "  --save-laps FILE     the same for the lap times\n"
           "  --export-summary FILE  the summary as the summary window's \"Save to Excel\"\n"
           "                  writes it, to FILE without a dialog\n"
           "  --export-laps FILE     the same for the lap times\n"
           "  --print-summary FILE.pdf  the printed summary, through the real print\n"
           "                  adapter, into that PDF file\n"
           "  --print-laps FILE.pdf     the same for the printed lap list\n"
           "  --racers FILE   the field of a heat race, a qualifiers file: names to the\n"
           "                  lanes of the sequence in lane order, the rest sit out\n"
           "  --sequence S    lane sequence: straight, european or digits 0..lanes\n"
           "                  (default straight)\n"
           "  --heats all|1   every heat of the rotation, or heat 1 only (default 1)\n"
           "  --export-results FILE  the race results as their \"Save to Excel\" writes\n"
           "                  them, to FILE without a dialog\n"
           "Prints one JSON object describing the race as it ended.\n";
}

std::string parseOptions(int argc, char** argv, ReplayOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") return "help";
        if (arg == "--demo") {
            o.demo = true;
            continue;
        }
        if (i + 1 >= argc) return std::string(arg) + " needs a value";
        const std::string_view value = argv[++i];
        o.given.insert(std::string(arg));
        int64_t n = 0;
        double x = 0;
        auto wantInt = [&](int64_t lo, int64_t hi) {
            return parseInt(value, n) && n >= lo && n <= hi;
        };
        auto wantNumber = [&](double lo, double hi) {
            return parseNumber(value, x) && x >= lo && x <= hi;
        };
        if (arg == "--lanes") {
            if (!wantInt(2, 8)) return "--lanes takes 2..8";
            o.lanes = static_cast<int>(n);
        } else if (arg == "--format") {
            if (!wantInt(0, 8)) return "--format takes 0..8";
            o.format = static_cast<int>(n);
        } else if (arg == "--laps") {
            if (!wantInt(1, kMaxLap)) return "--laps takes 1..3000";
            o.laps = static_cast<int>(n);
        } else if (arg == "--minutes") {
            if (!wantNumber(0.01, 10000)) return "--minutes takes a positive number";
            o.minutes = x;
        } else if (arg == "--min-lap") {
            if (!wantNumber(0, 61) || !minLapTimePositionOf(x))
                return "--min-lap takes a minimum lap time of the Options list: 0 to 9.75 in "
                       "steps of 0.25, or whole seconds 10 to 61";
            o.minLap = x;
        } else if (arg == "--first-lap") {
            if (!wantInt(0, 1)) return "--first-lap takes 0 or 1";
            o.firstLap = static_cast<int>(n);
        } else if (arg == "--coast") {
            if (!wantNumber(0, 3) || !coastTimePositionOf(x))
                return "--coast takes a coast time of the Options list: 0 to 3 in steps of 0.5";
            o.coastSeconds = x;
        } else if (arg == "--tick-ms") {
            if (!wantInt(1, 10000)) return "--tick-ms takes 1..10000";
            o.tickMs = static_cast<int>(n);
        } else if (arg == "--stream") {
            o.streamFile = std::string(value);
        } else if (arg == "--journal") {
            o.journalFile = std::string(value);
        } else if (arg == "--race") {
            if (!parseInt(value, n) || n < 1) return "--race takes a race number of the journal";
            o.journalRace = n;
        } else if (arg == "--seed") {
            if (!parseInt(value, n) || n < 0) return "--seed takes a whole number";
            o.seed = static_cast<uint64_t>(n);
        } else if (arg == "--app-folder") {
            o.appFolder = std::string(value);
        } else if (arg == "--save-summary") {
            o.saveSummary = std::string(value);
        } else if (arg == "--save-laps") {
            o.saveLaps = std::string(value);
        } else if (arg == "--export-summary") {
            o.exportSummary = std::string(value);
        } else if (arg == "--export-laps") {
            o.exportLaps = std::string(value);
        } else if (arg == "--print-summary") {
            o.printSummary = std::string(value);
        } else if (arg == "--print-laps") {
            o.printLaps = std::string(value);
        } else if (arg == "--racers") {
            o.racersFile = std::string(value);
        } else if (arg == "--sequence") {
            // Judged against the track's lanes once they are known.
            o.sequence = std::string(value);
        } else if (arg == "--heats") {
            if (value != "all" && value != "1") return "--heats takes all or 1";
            o.allHeats = value == "all";
        } else if (arg == "--export-results") {
            o.exportResults = std::string(value);
        } else if (arg == "--max-ms") {
            if (!wantInt(1, 2147483647)) return "--max-ms takes 1..2147483647";
            o.maxRaceMs = n;
        } else {
            return "unknown option " + std::string(arg);
        }
    }
    if (int(o.demo) + int(o.streamFile.has_value()) + int(o.journalFile.has_value()) != 1)
        return "give one of --stream FILE, --journal FILE or --demo";
    if (o.journalRace && !o.journalFile) return "--race needs --journal FILE";
    return "";
}

ReplayResult runReplay(const ReplayOptions& o, const PdfPrinters& printers) {
    ReplayResult result;
    ReplayRace race(o,
                    o.streamBytes  ? *o.streamBytes
                    : o.streamFile ? readBinaryFile(*o.streamFile)
                                   : std::string(),
                    result.events);
    const auto runHeat = [&race] {
        race.start();
        while (race.step()) {
        }
        race.heatEnded();
    };
    runHeat();
    // A heat that does not end (a stream cut short) leaves the series standing there.
    while (o.allHeats && race.rotate())
        runHeat();
    race.keepRecords(printers);
    *result.state = race.state();
    *result.heats = race.heats();
    result.standings = race.standings();
    result.board = race.board();
    result.firstLapOffset = race.setup().firstLapOffset();
    return result;
}

}  // namespace qel::replay
