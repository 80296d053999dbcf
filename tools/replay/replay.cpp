#include "replay.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/engine/demo_generator.h"
#include "core/engine/lap_counting.h"
#include "core/engine/race_finish.h"
#include "core/engine/race_resets.h"
#include "core/engine/race_screen.h"
#include "core/engine/race_tick.h"
#include "core/engine/timing_link.h"
#include "core/io/errors.h"
#include "core/io/text_file.h"
#include "core/seams/uniform_random.h"
#include "json_writer.h"
#include "stream_port.h"

namespace qel::replay {

namespace {

using EventLog = std::vector<ReplayEvent>;

// The box clock is the only clock of a replay; waits pass no race time.
class ReplayClock : public Clock {
  public:
    int64_t tickCountMs() const override { return ticks_; }
    double now() const override { return 46000.5; }
    void sleepMs(int ms) override { ticks_ += std::max(ms, 0); }

  private:
    int64_t ticks_ = 0;
};

// Timer1 of a replay: the loop below does the ticking; this only says whether it would.
class ReplayTimer : public Timer {
  public:
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void setHandler(Handler) override {}

  private:
    int interval_ = 100;
    bool enabled_ = false;
};

class LoggingPrompter : public Prompter {
  public:
    LoggingPrompter(EventLog& log, const RaceState& state) : log_(log), state_(state) {}
    MessageAnswer message(const std::string& text, const std::string&, MessageIcon,
                          MessageButtons buttons) override {
        log_.push_back({state_.elapsedMs, "message", text});
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }

  private:
    EventLog& log_;
    const RaceState& state_;
};

class LoggingPlayer : public SoundPlayer {
  public:
    LoggingPlayer(EventLog& log, const RaceState& state) : log_(log), state_(state) {}
    void PlaySoundFile(const std::string& fileName) override {
        log_.push_back({state_.elapsedMs, "sound", fileName});
    }

  private:
    EventLog& log_;
    const RaceState& state_;
};

// The windows and files a race end hands over to are not part of a replay:
// it records that the hand-over happened and when.
class LoggingHandover : public RaceEndHandover {
  public:
    LoggingHandover(EventLog& log, const RaceState& state) : log_(log), state_(state) {}
    void saveHeatToLog() override { note("saveHeatToLog"); }
    void scoreHeat() override { note("scoreHeat"); }
    void prepareNextHeatDisplay() override { note("prepareNextHeatDisplay"); }
    void startBetweenHeatDelay() override { note("startBetweenHeatDelay"); }
    void reopenOpenViews() override { note("reopenOpenViews"); }
    void showRaceResults() override { note("showRaceResults"); }
    void autoPrint() override { note("autoPrint"); }
    void enableFileMenu() override { note("enableFileMenu"); }

  private:
    void note(const char* what) { log_.push_back({state_.elapsedMs, "handover", what}); }
    EventLog& log_;
    const RaceState& state_;
};

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

void configureFormat(RaceState& s, HeatTables& heats, const ReplayOptions& o) {
    static constexpr bool kLapFormat[] = {false, false, true, false, true,
                                          false, false, true, true};
    s.raceFormat = static_cast<int16_t>(o.format);
    s.raceLimitKind = kLapFormat[o.format] ? "Number of Laps" : "Number of Minutes";
    s.practiceMode = o.format == kPractice || o.format == kPracticeWithRotation;
    s.heatRotation = o.format == kPracticeWithRotation || o.format >= kChampionship;
    s.raceLaps = static_cast<int16_t>(o.laps);
    s.raceMinutes = static_cast<float>(o.minutes);
    heats.currentHeat = 1;
    if (s.heatRotation) {
        // Heat 1 of a rotation on the straight sequence: racer n starts in lane n.
        heats.racerCount = heats.heatCount = static_cast<int16_t>(o.lanes);
        heats.activeSequence.clear();
        for (int lane = 1; lane <= o.lanes; ++lane) {
            heats.activeSequence += static_cast<char>('0' + lane);
            heats.laneRacer[lane][1] = static_cast<int16_t>(lane);
            heats.heatLane[lane][1] = static_cast<int16_t>(lane);
            heats.heatRacers[lane].name = "Lane " + std::to_string(lane);
            heats.heatRacers[lane].startLane = static_cast<int16_t>(lane);
        }
    }
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
    out += ",\"startCaption\":" + jsonString(board.startCaption);
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
        out += ",\"lapTimes\":[";
        const int first = std::max(0, s.firstLapOffset + 1);
        for (int lap = first; lap <= s.lapCount[lane] && lap <= kMaxLap; ++lap) {
            if (lap > first) out += ',';
            out += jsonSingle(s.lapTimes[lane][lap]);
        }
        out += "]}";
    }
    out += "]}";
    return out;
}

std::string usage() {
    return "Usage: qeltimer-replay [options] (--stream FILE | --demo [--seed N])\n"
           "  --lanes N       lanes of the track, 2..8 (default 4)\n"
           "  --format N      race format 0..8 (default 2, a lap race)\n"
           "  --laps N        laps of a lap race or lap heat (default 10)\n"
           "  --minutes M     minutes of a timed race or heat (default 2)\n"
           "  --min-lap S     minimum lap time in seconds (default 1)\n"
           "  --first-lap 0|1 races begin with lap 0 or lap 1 (default 1)\n"
           "  --coast S       coast time in seconds (default 2)\n"
           "  --tick-ms T     race tick length in ms (default 100)\n"
           "  --stream FILE   the bytes the timing box sent, as recorded\n"
           "  --demo          laps from the demo generator instead\n"
           "  --seed N        seed of the demo generator (default 1)\n"
           "  --max-ms MS     stop a race that never ends after this race time\n"
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
            if (!wantNumber(0, 61)) return "--min-lap takes 0..61 seconds";
            o.minLap = x;
        } else if (arg == "--first-lap") {
            if (!wantInt(0, 1)) return "--first-lap takes 0 or 1";
            o.firstLap = static_cast<int>(n);
        } else if (arg == "--coast") {
            if (!wantNumber(0, 60)) return "--coast takes 0..60 seconds";
            o.coastSeconds = x;
        } else if (arg == "--tick-ms") {
            if (!wantInt(1, 10000)) return "--tick-ms takes 1..10000";
            o.tickMs = static_cast<int>(n);
        } else if (arg == "--stream") {
            o.streamFile = std::string(value);
        } else if (arg == "--seed") {
            if (!parseInt(value, n) || n < 0) return "--seed takes a whole number";
            o.seed = static_cast<uint64_t>(n);
        } else if (arg == "--max-ms") {
            if (!wantInt(1, 2147483647)) return "--max-ms takes 1..2147483647";
            o.maxRaceMs = n;
        } else {
            return "unknown option " + std::string(arg);
        }
    }
    if (o.demo == o.streamFile.has_value()) return "give either --stream FILE or --demo";
    return "";
}

ReplayResult runReplay(const ReplayOptions& o) {
    ReplayResult result;
    RaceState& state = *result.state;
    auto heatsOwner = std::make_unique<HeatTables>();
    HeatTables& heats = *heatsOwner;
    RaceBoard& board = result.board;
    InstallationSettings installation;  // relay "None": no power commands
    EventLog& events = result.events;

    state.laneCount = static_cast<int16_t>(o.lanes);
    state.demoMode = o.demo ? 1 : 0;
    state.minLapTime = static_cast<float>(o.minLap);
    state.firstLapOffset = static_cast<int16_t>(o.firstLap - 1);
    state.coastTimeMs = static_cast<int32_t>(o.coastSeconds * 1000 + 0.5);
    configureFormat(state, heats, o);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        state.laneRacerName[lane] = "Lane " + std::to_string(lane);
        state.laneColor[lane] = kWhite;
    }

    StreamPort port(o.streamFile ? readBinaryFile(*o.streamFile) : std::string(), state.elapsedMs);
    port.setWriteObserver([&](std::string_view bytes) {
        events.push_back({state.elapsedMs, "command", std::string(bytes)});
    });
    ReplayClock clock;
    ReplayTimer raceTick;
    LoggingPrompter prompter(events, state);
    LoggingPlayer player(events, state);
    LoggingHandover handover(events, state);
    SoundTable sounds;
    sounds.raceSoundEnabled.fill(true);
    UniformRandom random;
    random.seed(o.seed);

    TimingLink link(port, clock, prompter, state, installation);
    LapCounter counter(state, heats, board);
    DemoGenerator demo(state, random);
    RaceScreen screen(state, heats, board);
    RaceFinish finish({state, heats, board, screen, link, raceTick, clock, sounds, player, handover,
                       [&](int picture) {
                           events.push_back({state.elapsedMs, "flag", std::to_string(picture)});
                       }});
    RaceTick tick(state, heats, link, counter, demo, screen, finish);

    // A freshly started program, then the instant start.
    for (int lane = 1; lane <= state.laneCount; ++lane) {
        state.lastHitMs[lane] = kNoHitYet;
        board.rows[lane].name.text = state.laneRacerName[lane] + " ";
    }
    state.elapsedMs = 0;
    state.redrawCountdown = 0;
    state.lapsUnsaved = state.summaryUnsaved = true;
    ClearLapTimes(state);
    ResetSortedLapTimesArray(state);
    StartReset(state, demo);
    ResetRacerArrays(state, heats);
    player.PlaySoundFile("Go.wav");
    finish.clock();
    board.flagPicture = kFlagGreen;
    events.push_back({state.elapsedMs, "flag", std::to_string(kFlagGreen)});
    board.bannerVisible = false;
    board.startCaption = "Pause";
    raceTick.setEnabled(true);
    link.SendBoxCommand("S");
    link.SetTrackPower(true);

    int64_t k = 0;
    while (raceTick.enabled() && state.raceOverHandled == 0 && state.elapsedMs < o.maxRaceMs) {
        ++k;
        const int32_t before = state.elapsedMs;
        port.setReadLimit(k * o.tickMs);
        tick.Timer1_Timer(o.tickMs);
        if (!o.demo && port.exhausted() && state.elapsedMs == before) break;
    }
    return result;
}

}  // namespace qel::replay
