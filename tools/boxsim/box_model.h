#pragma once
// The simulated timing box without any I/O: given the bytes the program sends
// and the passage of the box's own time, what the box sends back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "boxsim/command_parser.h"
#include "boxsim/lap_schedule.h"

namespace qel::boxsim {

struct BoxSettings {
    int lanes = 4;  // lanes in use until the program sends "A"
    int reportMs = 10;
    LapSettings laps;
    std::string versionLine = "QELBOX SIM 1.0";
};

// One piece of output. Lane letters say which crossing they report so the
// I/O loop can log exactly the crossings that reached the wire.
struct Emission {
    std::string bytes;
    int lane = 0;  // 0 for anything but a lane letter
    std::int64_t crossingMs = 0;
};

struct LoggedCommand {
    std::int64_t boxMs = 0;
    std::string text;
};

class BoxModel {
  public:
    explicit BoxModel(const BoxSettings& settings);

    // Acts on the program's bytes at the current box time; returns what to log.
    std::vector<LoggedCommand> receive(std::string_view bytes);
    // The box's clock moves only while timing; paused time is simply not there.
    void advance(std::int64_t ms);
    // Output produced since the last call, in wire order.
    std::vector<Emission> takeOutput();

    bool timing() const { return timing_; }
    std::int64_t boxMs() const { return nowMs_; }
    int lanesInUse() const { return lanesInUse_; }
    // Box milliseconds until the next time report; none while paused.
    std::optional<std::int64_t> msUntilNextReport() const;

  private:
    std::string apply(const BoxCommand& command);
    void startLanes();

    BoxSettings settings_;
    CommandParser parser_;
    LapSchedule schedule_;
    bool timing_ = false;
    int lanesInUse_;
    std::int64_t nowMs_ = 0;
    std::int64_t lastReportMs_ = 0;
    std::vector<Emission> output_;
};

}  // namespace qel::boxsim
