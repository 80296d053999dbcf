#pragma once
// The racers of a heat race and the two lookup tables of the rotation:
// which lane a racer uses in a heat, and which racer is in a lane.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/state/race_state.h"

namespace qel {

inline constexpr int kMaxRacers = 200;
inline constexpr int kMaxHeats = 200;

struct HeatRacer {
    std::string name;
    LaneTable<int32_t> bestLap{};  // ms per lane; 999999 = no lap yet
    LaneTable<int16_t> lapsInLane{};
    int16_t totalLaps = 0;
    LaneTable<int16_t> pointsInLane{};
    int16_t totalPoints = 0;
    LaneTable<int16_t> adjustInLane{};
    int16_t startLane = 0;     // 0 = placed in a sit-out slot
    int16_t sitOutNumber = 0;  // 0 = placed in a lane
};

struct HeatTables {
    // Racers 1..racerCount; entry 0 unused.
    std::vector<HeatRacer> heatRacers = std::vector<HeatRacer>(kMaxRacers + 1);
    int16_t racerCount = 0;
    std::string activeSequence;
    int16_t heatCount = 0;
    int16_t currentHeat = 0;
    // heatLane[racer][heat]: lane used, 0 = sits out.
    std::vector<std::array<int16_t, kMaxHeats + 1>> heatLane =
        std::vector<std::array<int16_t, kMaxHeats + 1>>(kMaxRacers + 1);
    // laneRacer[lane][heat]: racer in the lane, 0 = none.
    std::array<std::array<int16_t, kMaxHeats + 1>, kMaxLanes + 1> laneRacer{};
    LaneTable<int16_t> pointsForPlace{};

    // The racer driving lane in the current heat, or nullptr when nobody is
    // (or the tables hold a number out of range).
    HeatRacer* racerInLane(int lane) {
        if (lane < 1 || lane > kMaxLanes || currentHeat < 0 || currentHeat > kMaxHeats) {
            return nullptr;
        }
        const int racer = laneRacer[lane][currentHeat];
        if (racer < 1 || racer > kMaxRacers) return nullptr;
        return &heatRacers[racer];
    }
};

}  // namespace qel
