#pragma once
// Every sensor hit, from the box or the demo generator, goes through CountLap:
// it decides whether the hit is a lap and, if so, records it.
#include "core/engine/race_setup.h"
#include "core/state/heat_tables.h"
#include "core/state/lap_listener.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"
#include "core/state/sold_time_gate.h"

namespace qel {

// Hits closer together than this are one car bouncing on the sensor.
inline constexpr int32_t kDebounceMs = 600;

class LapCounter {
  public:
    LapCounter(RaceState& state, HeatTables& heats, RaceBoard& board, RaceSetup setup,
               LapListener* listener = nullptr)
        : state_(state), heats_(heats), board_(board), setup_(setup), listener_(listener) {}

    // The time selling, which says whether a lane's sold time runs; until it
    // is attached (the engine alone, the replay tool) the race state's flag says.
    void attachSoldTime(SoldTimeGate* soldTime) { soldTime_ = soldTime; }

    void CountLap(int laneNum);
    // True when lane's best lap is strictly lower than every other lane's.
    bool IsOverallBest(int lane) const;

  private:
    bool soldTimeRunning(int lane);

    RaceState& state_;
    HeatTables& heats_;
    RaceBoard& board_;
    RaceSetup setup_;
    LapListener* listener_;
    SoldTimeGate* soldTime_ = nullptr;
};

// The lap time in seconds as the lap store keeps it: three decimals at most.
float lapSeconds(int32_t lapMs);

// Sorts each lane's copy of its lap times and refreshes its median text.
void subSortLapTimes(RaceState& state);

}  // namespace qel
