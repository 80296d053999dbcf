#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "boxsim/box_model.h"
#include "boxsim/command_parser.h"
#include "boxsim/console_commands.h"
#include "boxsim/lap_schedule.h"
#include "boxsim/options.h"
#include "boxsim/unique_fd.h"
#include "support/temp_folder.h"

extern char** environ;

namespace qel::boxsim {
namespace {

using Kind = BoxCommand::Kind;

std::vector<std::string> logTexts(const std::vector<std::string>& chunks) {
    CommandParser parser;
    std::vector<std::string> texts;
    for (const auto& chunk : chunks) {
        for (const auto& command : parser.feed(chunk))
            texts.push_back(command.text);
    }
    return texts;
}

TEST(BoxSimCommandParser, CommandsSurviveAnySplitAndBadBytesAreNamed) {
    struct Case {
        std::vector<std::string> chunks;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{"A", "4", "\n"}, {"A4"}},
        {{"C1", "\nD", "1\n"}, {"C1", "D1"}},
        {{"\rP", "V"}, {"CR", "P", "V"}},
        {{"SPER"}, {"S", "P", "E", "R"}},
        {{"A4S"}, {"A4 (no LF)", "S"}},
        {{"A\n"}, {"A (no value)"}},
        {{"D12345678901234\n"}, {"D123456789... (value too long)"}},
        {{"s", "\n", std::string("\0", 1)}, {"unknown 0x73 's'", "unknown 0x0A", "unknown 0x00"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(logTexts(c.chunks), c.expected) << c.chunks.front();
    }

    CommandParser parser;
    const auto commands = parser.feed("A12\n");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].kind, Kind::LaneCount);
    EXPECT_EQ(commands[0].value, 12);
}

BoxSettings raceSettings(std::uint64_t seed = 42) {
    BoxSettings settings;
    settings.laps.seed = seed;
    settings.laps.meanMs.fill(1200);
    settings.laps.spreadMs = 300;
    settings.laps.crashPct = 20;
    return settings;
}

// What the program makes of the bytes: the clock is the running sum of the
// reports, and every letter is stamped with the clock when it is read.
struct Heard {
    std::int64_t clockMs = 0;
    std::vector<std::pair<int, std::int64_t>> letters;  // lane, stamp
    std::string other;
    std::string digits;  // of a report whose CR has not arrived yet
};

Heard hear(const std::vector<Emission>& emissions, Heard heard = {}) {
    std::string& digits = heard.digits;
    for (const auto& emission : emissions) {
        for (char c : emission.bytes) {
            if (c >= '0' && c <= '9') {
                digits += c;
            } else if (c == '\r') {
                heard.clockMs += digits.empty() ? 0 : std::stoll(digits);
                digits.clear();
            } else if (c >= 'A' && c <= 'H') {
                heard.letters.emplace_back(c - 'A' + 1, heard.clockMs);
            } else {
                heard.other += c;
            }
        }
    }
    return heard;
}

std::string bytesOf(const std::vector<Emission>& emissions) {
    std::string bytes;
    for (const auto& emission : emissions)
        bytes += emission.bytes;
    return bytes;
}

// Runs 30 s of box time in steps of the given sizes, repeated.
std::vector<Emission> runRace(BoxModel& box, const std::vector<int>& steps) {
    box.receive("S");
    std::vector<Emission> all;
    for (std::size_t i = 0; box.boxMs() < 30'000; ++i) {
        box.advance(steps[i % steps.size()]);
        for (auto& emission : box.takeOutput())
            all.push_back(std::move(emission));
    }
    return all;
}

TEST(BoxSimModel, LettersFollowTheReportCoveringTheirCrossingHoweverTimeIsChunked) {
    std::string firstBytes;
    for (const auto& steps : std::vector<std::vector<int>>{{1}, {7, 3, 13}, {1000}, {30'000}}) {
        BoxModel box(raceSettings());
        const auto emissions = runRace(box, steps);
        const Heard heard = hear(emissions);

        EXPECT_EQ(heard.clockMs, box.boxMs() / 10 * 10) << "reports sum to the box time";
        EXPECT_TRUE(heard.other.empty());
        std::vector<std::int64_t> crossings;
        for (const auto& e : emissions) {
            if (e.lane != 0) crossings.push_back(e.crossingMs);
        }
        ASSERT_EQ(crossings.size(), heard.letters.size());
        ASSERT_GT(crossings.size(), 60u);
        for (std::size_t i = 0; i < crossings.size(); ++i) {
            EXPECT_LE(crossings[i], heard.letters[i].second) << "letter before its report";
            EXPECT_LT(heard.letters[i].second - crossings[i], 10) << "letter held back too long";
            EXPECT_GE(heard.letters[i].first, 1);
            EXPECT_LE(heard.letters[i].first, 4);
        }
        if (firstBytes.empty()) firstBytes = bytesOf(emissions);
        EXPECT_EQ(bytesOf(emissions), firstBytes) << "output depends on the I/O loop's timing";
    }
}

TEST(BoxSimModel, PauseStopsOutputAndTheBoxClock) {
    BoxModel box(raceSettings());
    EXPECT_FALSE(box.msUntilNextReport());
    box.advance(5000);
    EXPECT_TRUE(box.takeOutput().empty()) << "nothing before the first S";

    box.receive("S");
    box.advance(2004);
    const auto log = box.receive("P");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].boxMs, 2004);
    Heard heard = hear(box.takeOutput());
    EXPECT_EQ(heard.clockMs, 2000);

    box.advance(60'000);
    EXPECT_TRUE(box.takeOutput().empty());
    EXPECT_FALSE(box.msUntilNextReport());

    // The 4 ms left before the pause are reported first after resuming.
    box.receive("S");
    EXPECT_EQ(box.msUntilNextReport(), 6);
    box.advance(6);
    heard = hear(box.takeOutput(), heard);
    EXPECT_EQ(heard.clockMs, 2010);
    EXPECT_EQ(box.boxMs(), 2010);
}

TEST(BoxSimModel, VersionIsAnsweredPausedOrTiming) {
    BoxModel box(raceSettings());
    box.receive("PV");
    EXPECT_EQ(bytesOf(box.takeOutput()), "QELBOX SIM 1.0\r\n");
    box.receive("S");
    box.advance(25);
    box.receive("V");
    box.advance(5);
    EXPECT_EQ(bytesOf(box.takeOutput()), "10\r10\rQELBOX SIM 1.0\r\n10\r");
}

std::vector<int> lanesHeard(const std::vector<Emission>& emissions) {
    std::vector<int> lanes;
    for (const auto& [lane, stamp] : hear(emissions).letters)
        lanes.push_back(lane);
    return lanes;
}

TEST(BoxSimModel, LaneCountLimitsTheLanesThatCross) {
    BoxSettings settings = raceSettings();
    settings.lanes = 8;
    BoxModel box(settings);
    EXPECT_EQ(box.receive("A9\n")[0].text, "A9 (ignored: lanes 1 to 8)");
    EXPECT_EQ(box.lanesInUse(), 8);
    box.receive("A2\n");
    const auto lanes = lanesHeard(runRace(box, {100}));
    EXPECT_GT(std::count(lanes.begin(), lanes.end(), 1), 10);
    EXPECT_GT(std::count(lanes.begin(), lanes.end(), 2), 10);
    EXPECT_EQ(std::count_if(lanes.begin(), lanes.end(), [](int lane) { return lane > 2; }), 0);

    // A lane taken back into use mid-race starts again from behind the line.
    box.receive("A3\n");
    const std::int64_t joinedAt = box.boxMs();
    box.advance(kFirstCrossingMaxMs + 10);
    std::int64_t firstOfLane3 = -1;
    for (const auto& e : box.takeOutput()) {
        if (e.lane == 3 && firstOfLane3 < 0) firstOfLane3 = e.crossingMs;
    }
    EXPECT_GE(firstOfLane3, joinedAt + kFirstCrossingMinMs);
    EXPECT_LE(firstOfLane3, joinedAt + kFirstCrossingMaxMs);
}

TEST(BoxSimModel, TheSeedDecidesTheRaceAndEachLaneStandsAlone) {
    auto crossingsOfLane1 = [](std::uint64_t seed, int lanes) {
        BoxSettings settings = raceSettings(seed);
        settings.lanes = lanes;
        BoxModel box(settings);
        std::vector<std::int64_t> times;
        for (const auto& e : runRace(box, {50})) {
            if (e.lane == 1) times.push_back(e.crossingMs);
        }
        return times;
    };
    EXPECT_EQ(crossingsOfLane1(7, 4), crossingsOfLane1(7, 4));
    EXPECT_EQ(crossingsOfLane1(7, 2), crossingsOfLane1(7, 8));
    EXPECT_NE(crossingsOfLane1(7, 4), crossingsOfLane1(8, 4));
}

TEST(BoxSimLapSchedule, LapsStayInTheirRangeAndCrashesCostOneToFourSeconds) {
    struct Case {
        int crashPct;
        int minCrashes;
        int maxCrashes;
    };
    constexpr int kLaps = 2000;
    for (const Case c : {Case{0, 0, 0}, Case{30, 500, 700}, Case{100, kLaps, kLaps}}) {
        LapSettings settings;
        settings.meanMs.fill(4500);
        settings.spreadMs = 400;
        settings.crashPct = c.crashPct;
        LapSchedule schedule(settings);
        schedule.startLane(3, 1000);

        auto first = schedule.popDue(1'000'000'000);
        ASSERT_TRUE(first);
        EXPECT_EQ(first->lane, 3);
        EXPECT_GE(first->boxMs, 1000 + kFirstCrossingMinMs);
        EXPECT_LE(first->boxMs, 1000 + kFirstCrossingMaxMs);
        int crashes = 0;
        std::int64_t previous = first->boxMs;
        for (int i = 0; i < kLaps; ++i) {
            const auto next = schedule.popDue(1'000'000'000);
            ASSERT_TRUE(next);
            const std::int64_t lap = next->boxMs - previous;
            previous = next->boxMs;
            EXPECT_GE(lap, 4100);
            EXPECT_LE(lap, 4900 + kCrashMaxMs);
            if (lap > 4900) {
                EXPECT_GE(lap, 4100 + kCrashMinMs);
                ++crashes;
            }
        }
        EXPECT_GE(crashes, c.minCrashes) << c.crashPct;
        EXPECT_LE(crashes, c.maxCrashes) << c.crashPct;
        schedule.stopLane(3);
        EXPECT_FALSE(schedule.popDue(2'000'000'000));
    }
}

TEST(BoxSimConsole, LinesBecomeCommands) {
    using CK = ConsoleCommand::Kind;
    struct Case {
        std::string line;
        CK kind;
        std::string bytes;
    };
    const Case cases[] = {
        {"W", CK::TrackCall, ""},
        {"  quit \r", CK::Quit, ""},
        {"unplug", CK::Unplug, ""},
        {"plug", CK::Plug, ""},
        {"hangup", CK::Hangup, ""},
        {"reconnect", CK::Reconnect, ""},
        {"", CK::Empty, ""},
        {"send 12\\r\\x41\\n", CK::Send, "12\rA\n"},
        {"send  a\\\\b \\t", CK::Send, " a\\b \t"},
        {"send \\xff\\x00", CK::Send, std::string("\xff\0", 2)},
        {"send \\q", CK::Invalid, ""},
        {"send \\x4", CK::Invalid, ""},
        {"send ab\\", CK::Invalid, ""},
        {"send", CK::Invalid, ""},
        {"w", CK::Invalid, ""},
    };
    for (const auto& c : cases) {
        const ConsoleCommand command = parseConsoleLine(c.line);
        EXPECT_EQ(command.kind, c.kind) << c.line;
        EXPECT_EQ(command.bytes, c.bytes) << c.line;
        EXPECT_EQ(command.error.empty(), c.kind != CK::Invalid) << c.line;
    }
}

TEST(BoxSimLapSchedule, ALaneCanHaveItsOwnSpread) {
    LapSettings settings;
    settings.meanMs.fill(3000);
    settings.spreadMs = 400;
    settings.laneSpreadMs[2] = 0;
    settings.crashPct = 0;
    LapSchedule schedule(settings);
    schedule.startLane(2, 0);
    std::int64_t previous = schedule.popDue(1'000'000)->boxMs;
    for (int i = 0; i < 50; ++i) {
        const std::int64_t next = schedule.popDue(1'000'000)->boxMs;
        EXPECT_EQ(next - previous, 3000);
        previous = next;
    }
}

TEST(BoxSimOptions, BadOptionsAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--lanes", "9"},
        {"--lanes"},
        {"--report-ms", "0"},
        {"--crash-pct", "101"},
        {"--mean-ms", "45x"},
        {"--lane-mean", "9=4000"},
        {"--lane-mean", "1=4000,"},
        {"--spread-ms", "4500"},
        {"--lane-mean=2=300", "--spread-ms", "300"},
        {"--lane-spread", "3=5000"},
        {"--lane-spread", "0=100"},
        {"--seed", "-1"},
        {"--link", "a", "--device", "b"},
        {"--log="},
        {"--frobnicate"},
        {"stray"},
    };
    for (const auto& args : bad) {
        const ParsedOptions parsed = parseOptions(args);
        EXPECT_EQ(parsed.outcome, ParsedOptions::Outcome::Error) << args.front();
        EXPECT_FALSE(parsed.error.empty());
    }

    const auto parsed =
        parseOptions({"--lane-mean=1=4200,2=4800", "--mean-ms", "5000", "--lane-spread",
                      "2=0,3=900", "--seed=18446744073709551615", "--lanes", "8"});
    ASSERT_EQ(parsed.outcome, ParsedOptions::Outcome::Run) << parsed.error;
    EXPECT_EQ(parsed.options.box.laps.meanMs[1], 4200);
    EXPECT_EQ(parsed.options.box.laps.meanMs[2], 4800);
    EXPECT_EQ(parsed.options.box.laps.meanMs[8], 5000);
    EXPECT_EQ(parsed.options.box.laps.laneSpreadMs[2], 0);
    EXPECT_EQ(parsed.options.box.laps.laneSpreadMs[3], 900);
    EXPECT_FALSE(parsed.options.box.laps.laneSpreadMs[1].has_value());
    EXPECT_EQ(parsed.options.seed, 18446744073709551615u);
    EXPECT_EQ(parsed.options.box.lanes, 8);
    EXPECT_EQ(parseOptions({"--lanes", "2", "--help"}).outcome, ParsedOptions::Outcome::Help);
}

// ---- the built program on a real pseudo-terminal ----

const std::string kSimulator = std::string(QEL_BINARY_DIR) + "/tools/boxsim/qelbox-sim";

using Fd = UniqueFd;

// The simulator as a child process with its standard input and output on
// pipes; killed at the end of the test if it is still running.
class Simulator {
  public:
    explicit Simulator(const std::vector<std::string>& args) {
        int in[2];
        int out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        stdin_ = Fd(in[1]);
        stdout_ = Fd(out[0]);
        Fd childIn(in[0]);
        Fd childOut(out[1]);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, childIn.get(), STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, childOut.get(), STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<char*> argv{const_cast<char*>(kSimulator.c_str())};
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        const int rc =
            ::posix_spawn(&pid_, kSimulator.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) throw std::runtime_error("cannot start " + kSimulator);
    }
    ~Simulator() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    std::string readStdoutLine(int timeoutMs) {
        std::string line;
        char c = 0;
        while (line.empty() || line.back() != '\n') {
            pollfd fd{stdout_.get(), POLLIN, 0};
            if (::poll(&fd, 1, timeoutMs) <= 0 || ::read(stdout_.get(), &c, 1) != 1) break;
            line += c;
        }
        return line;
    }
    void console(const std::string& text) {
        ASSERT_EQ(::write(stdin_.get(), text.data(), text.size()),
                  static_cast<ssize_t>(text.size()));
    }
    // The exit code, or -1 when it did not exit normally within the time.
    int waitExit(int timeoutMs) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            ::usleep(10'000);
        }
        return -1;
    }
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    Fd stdin_;
    Fd stdout_;
};

Fd openPort(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    termios tio{};
    if (fd.get() < 0 || ::tcgetattr(fd.get(), &tio) != 0) return Fd();
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(fd.get(), TCSANOW, &tio);
    return fd;
}

// Everything the port delivers within the time, or until `until` has arrived.
std::string readPort(const Fd& port, int ms, const std::string& until = {}) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (until.empty() || got.find(until) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd fd{port.get(), POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
        char buffer[1024];
        const ssize_t n = ::read(port.get(), buffer, sizeof buffer);
        if (n <= 0) break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

void send(const Fd& port, const std::string& bytes) {
    ASSERT_EQ(::write(port.get(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(BoxSimProgram, SpeaksTheProtocolOnAPseudoTerminal) {
    test::TempFolder folder;
    const auto link = folder.path() / "box";
    Simulator sim({"--link", link.string(), "--seed", "3", "--lanes", "6", "--log",
                   (folder.path() / "log").string(), "--record",
                   (folder.path() / "sent").string()});
    const std::string portLine = sim.readStdoutLine(3000);
    ASSERT_TRUE(portLine.starts_with("PORT /dev/")) << portLine;
    EXPECT_EQ(std::filesystem::read_symlink(link).string() + "\n", portLine.substr(5));

    Fd port = openPort(link.string());
    ASSERT_GE(port.get(), 0);
    send(port, "\rP");
    send(port, "V");
    EXPECT_EQ(readPort(port, 2000, "\n"), "QELBOX SIM 1.0\r\n");

    send(port, "A");
    send(port, "2");
    send(port, "\nS");
    Heard heard;  // what the program would make of the stream
    std::string received;
    auto take = [&](const std::string& bytes) {
        received += bytes;
        heard = hear({{bytes}}, heard);
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (heard.clockMs < 1000 && std::chrono::steady_clock::now() < deadline) {
        take(readPort(port, 50));
    }
    send(port, "P");
    // What was already on its way still arrives; then the line must fall silent.
    bool silent = false;
    for (int i = 0; i < 12 && !silent; ++i) {
        const std::string more = readPort(port, 250);
        silent = more.empty();
        take(more);
    }
    EXPECT_TRUE(silent) << "output after P";
    std::vector<int> lanes;
    for (const auto& [lane, stamp] : heard.letters)
        lanes.push_back(lane);
    std::sort(lanes.begin(), lanes.end());
    EXPECT_EQ(lanes, (std::vector<int>{1, 2})) << "each lane in use crosses once, no other lane";

    sim.console("quit\n");
    EXPECT_EQ(sim.waitExit(2000), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_EQ(fileText(folder.path() / "sent"), "QELBOX SIM 1.0\r\n" + received);
    const std::string log = fileText(folder.path() / "log");
    ASSERT_TRUE(log.starts_with("0 CR\n0 P\n0 V\n0 A2\n0 S\n")) << log;
    // The reports cover the box's time up to the P and not a millisecond more.
    std::istringstream pause(log.substr(log.rfind('\n', log.size() - 2) + 1));
    std::int64_t pausedAtMs = 0;
    std::string command;
    pause >> pausedAtMs >> command;
    EXPECT_EQ(command, "P") << log;
    EXPECT_EQ(heard.clockMs, pausedAtMs / 10 * 10);
}

TEST(BoxSimProgram, HangupMakesTheDeviceVanishReconnectBringsItBackAndSigtermQuits) {
    test::TempFolder folder;
    const auto link = folder.path() / "box";
    Simulator sim({"--link", link.string()});
    const std::string portLine = sim.readStdoutLine(3000);
    ASSERT_TRUE(portLine.starts_with("PORT ")) << portLine;
    Fd port = openPort(link.string());
    ASSERT_GE(port.get(), 0);
    send(port, "S");
    EXPECT_FALSE(readPort(port, 100).empty());

    sim.console("W\nsend 7\\r\\x42\n");
    EXPECT_NE(readPort(port, 500, "7\rB").find("W"), std::string::npos);

    sim.console("hangup\n");
    pollfd fd{port.get(), POLLIN, 0};
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    char buffer[256];
    bool vanished = false;
    while (!vanished && std::chrono::steady_clock::now() < end) {
        if (::poll(&fd, 1, 100) > 0 &&
            ((fd.revents & POLLHUP) || ::read(port.get(), buffer, sizeof buffer) <= 0)) {
            vanished = true;
        }
    }
    EXPECT_TRUE(vanished);
    EXPECT_FALSE(std::filesystem::is_symlink(link));

    // Plugged in again: the same name leads to a live box.
    sim.console("reconnect\n");
    const auto back = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!std::filesystem::is_symlink(link) && std::chrono::steady_clock::now() < back)
        ::usleep(10'000);
    Fd again = openPort(link.string());
    ASSERT_GE(again.get(), 0);
    send(again, "S");
    EXPECT_FALSE(readPort(again, 500).empty());

    ::kill(sim.pid(), SIGTERM);
    EXPECT_EQ(sim.waitExit(2000), 0);
}

TEST(BoxSimProgram, BadOptionsExitWithCodeTwo) {
    Simulator sim({"--lanes", "0"});
    EXPECT_EQ(sim.readStdoutLine(2000), "");
    EXPECT_EQ(sim.waitExit(2000), 2);
}

}  // namespace
}  // namespace qel::boxsim
