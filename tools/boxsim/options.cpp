#include "boxsim/options.h"

#include <charconv>
#include <string_view>

namespace qel::boxsim {
namespace {

constexpr int kDefaultMeanMs = 4500;
constexpr long long kMaxLapMs = 3'600'000;

template <typename Int>
bool parseNumber(std::string_view text, Int& value) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

bool parseInRange(std::string_view text, long long lo, long long hi, int& value) {
    long long parsed = 0;
    if (!parseNumber(text, parsed) || parsed < lo || parsed > hi) return false;
    value = static_cast<int>(parsed);
    return true;
}

// "1=4200,2=4800" into per-lane values of option; the error names the bad item.
bool parseLaneValues(std::string_view option, std::string_view text, int lo,
                     std::array<std::optional<int>, kMaxLanes + 1>& values, std::string& error) {
    if (text.empty()) {
        error = std::string(option) + " needs LANE=MS pairs, e.g. 1=4200,2=4800";
        return false;
    }
    while (true) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const auto equals = item.find('=');
        int lane = 0;
        int ms = 0;
        if (equals == std::string_view::npos || !parseInRange(item.substr(0, equals), 1, 8, lane) ||
            !parseInRange(item.substr(equals + 1), lo, kMaxLapMs, ms)) {
            error = std::string(option) + ": \"" + std::string(item) +
                    "\" is not LANE=MS with a lane 1 to 8 and " + std::to_string(lo) +
                    " to 3600000 ms";
            return false;
        }
        values[lane] = ms;
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace

std::string usageText() {
    return R"(Usage: qelbox-sim [options]

Simulates the timing box: answers the program's commands and, while timing,
sends time reports and a lane letter whenever a simulated car crosses its
sensor. The first line on standard output is "PORT <path>", the device to
point qeltimer at.

Line:
  --device PATH      use this serial device (9600 8N1, raw) instead of a
                     fresh pseudo-terminal
  --link PATH        make PATH a symlink to the pseudo-terminal (removed at
                     exit); not with --device

Race:
  --lanes N          lanes producing letters until the program sends "A"
                     (1 to 8, default 4)
  --report-ms N      a time report every N ms of box time (1 to 60000,
                     default 10)
  --mean-ms N        mean lap time of every lane (default 4500)
  --lane-mean L=MS,...
                     mean lap time of single lanes, e.g. 1=4200,2=4800
  --lane-spread L=MS,...
                     spread of single lanes, e.g. 3=150,4=900
  --spread-ms N      laps vary uniformly by up to N ms either way (default
                     400; must stay below every lane's mean)
  --crash-pct N      percentage of laps that lose 1 to 4 s (0 to 100,
                     default 5)
  --seed N           repeat the same race (default: a fresh seed, printed on
                     standard error)

Files (each flushed at once, so they can be read while the box runs):
  --log FILE         every command received, "<box ms> <command>" per line
                     (also on standard error)
  --record FILE      every byte sent, raw
  --laps-log FILE    every crossing sent, "<lane> <box ms>" per line

  --help             show this text

Commands on standard input, one per line:
  W                  press the track-call button (sends "W")
  send TEXT          send TEXT; escapes \r \n \t \\ \xNN
  unplug             act as a pulled cable: nothing in, nothing out
  plug               the cable is back
  hangup             close the line, so the device vanishes
  quit               exit (as do SIGINT and SIGTERM; end of input does not)
)";
}

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    auto fail = [&parsed](std::string message) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.error = std::move(message);
        return parsed;
    };

    int meanMs = kDefaultMeanMs;
    std::array<std::optional<int>, kMaxLanes + 1> laneMeans{};
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('=');
            name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "--help" || name == "-h") {
            parsed.outcome = ParsedOptions::Outcome::Help;
            return parsed;
        }
        if (!name.starts_with("--")) return fail("unexpected argument \"" + name + "\"");
        if (!value) {
            if (i + 1 >= args.size()) return fail(name + " needs a value");
            value = args[++i];
        }
        auto number = [&](long long lo, long long hi, int& target) {
            if (parseInRange(*value, lo, hi, target)) return true;
            parsed.error = name + " must be a whole number from " + std::to_string(lo) + " to " +
                           std::to_string(hi) + ", not \"" + *value + "\"";
            return false;
        };
        auto path = [&](std::string& target) {
            if (!value->empty()) {
                target = *value;
                return true;
            }
            parsed.error = name + " needs a file name";
            return false;
        };

        bool ok = true;
        if (name == "--device") {
            ok = path(options.device);
        } else if (name == "--link") {
            ok = path(options.link);
        } else if (name == "--log") {
            ok = path(options.logFile);
        } else if (name == "--record") {
            ok = path(options.recordFile);
        } else if (name == "--laps-log") {
            ok = path(options.lapsLogFile);
        } else if (name == "--lanes") {
            ok = number(1, kMaxLanes, options.box.lanes);
        } else if (name == "--report-ms") {
            ok = number(1, 60000, options.box.reportMs);
        } else if (name == "--mean-ms") {
            ok = number(1, kMaxLapMs, meanMs);
        } else if (name == "--spread-ms") {
            ok = number(0, kMaxLapMs, options.box.laps.spreadMs);
        } else if (name == "--crash-pct") {
            ok = number(0, 100, options.box.laps.crashPct);
        } else if (name == "--lane-mean") {
            ok = parseLaneValues(name, *value, 1, laneMeans, parsed.error);
        } else if (name == "--lane-spread") {
            ok = parseLaneValues(name, *value, 0, options.box.laps.laneSpreadMs, parsed.error);
        } else if (name == "--seed") {
            std::uint64_t seed = 0;
            ok = parseNumber(std::string_view(*value), seed);
            if (ok) {
                options.seed = seed;
            } else {
                parsed.error = "--seed must be a whole number from 0 to 18446744073709551615";
            }
        } else {
            return fail("unknown option " + name);
        }
        if (!ok) return fail(parsed.error);
    }

    if (!options.device.empty() && !options.link.empty()) {
        return fail("--link names a pseudo-terminal; it cannot go with --device");
    }
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const int mean = laneMeans[lane].value_or(meanMs);
        const int spread = options.box.laps.laneSpreadMs[lane].value_or(options.box.laps.spreadMs);
        if (spread >= mean) {
            return fail("the spread of lane " + std::to_string(lane) + " (" +
                        std::to_string(spread) + " ms) must stay below its mean lap time (" +
                        std::to_string(mean) + " ms)");
        }
        options.box.laps.meanMs[lane] = mean;
    }
    return parsed;
}

}  // namespace qel::boxsim
