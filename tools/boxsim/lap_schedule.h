#pragma once
// When each simulated car crosses its lane's sensor, on the box's own clock.
// Every lane draws from its own seeded generator, so a lane's laps depend only
// on the seed and the lane, never on how the other lanes or the I/O loop run.
#include <array>
#include <cstdint>
#include <optional>
#include <random>

namespace qel::boxsim {

inline constexpr int kMaxLanes = 8;

struct LapSettings {
    std::array<int, kMaxLanes + 1> meanMs{};  // lanes 1..8; index 0 unused
    int spreadMs = 400;                       // a lap is mean ± spread, uniform
    // A lane's own spread, where it differs from spreadMs.
    std::array<std::optional<int>, kMaxLanes + 1> laneSpreadMs{};
    int crashPct = 5;  // laps that lose 1 to 4 seconds
    std::uint64_t seed = 1;
};

// Cars start behind the line, so the first crossing comes a little after the start.
inline constexpr int kFirstCrossingMinMs = 300;
inline constexpr int kFirstCrossingMaxMs = 900;
inline constexpr int kCrashMinMs = 1000;
inline constexpr int kCrashMaxMs = 4000;

struct Crossing {
    int lane = 0;
    std::int64_t boxMs = 0;

    bool operator==(const Crossing&) const = default;
};

class LapSchedule {
  public:
    explicit LapSchedule(const LapSettings& settings);

    // The lane's car leaves the grid at boxMs.
    void startLane(int lane, std::int64_t boxMs);
    // The lane is taken out of use: its car crosses no more until started again.
    void stopLane(int lane);
    bool running(int lane) const;

    // The earliest crossing at or before boxMs (lowest lane first on a tie),
    // removed and replaced by that lane's next crossing.
    std::optional<Crossing> popDue(std::int64_t boxMs);

  private:
    int drawLapMs(int lane);
    int spreadOf(int lane) const;
    int uniform(int lane, int lo, int hi);

    LapSettings settings_;
    std::array<std::mt19937_64, kMaxLanes + 1> generators_;
    std::array<std::optional<std::int64_t>, kMaxLanes + 1> next_;
};

}  // namespace qel::boxsim
