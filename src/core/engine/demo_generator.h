#pragma once
// Laps without the box: each lane gets a pace drawn at the start and laps
// that fall on tick boundaries, with the odd crash that costs 1 to 4 seconds.
#include <functional>
#include <string_view>

#include "core/seams/random.h"
#include "core/state/race_state.h"

namespace qel {

class DemoGenerator {
  public:
    DemoGenerator(RaceState& state, Random& random) : state_(state), random_(random) {}

    // Draws a lane's pace; run for every lane at each race start.
    // minLapTimeSeconds is the Options minimum lap time at that moment.
    void drawLaneValues(int lane, double minLapTimeSeconds);

    // One tick: advances the race clock by milliseconds and counts the laps
    // that fall due for the lanes taking part.
    void tick(int milliseconds, bool heatRotation, std::string_view activeSequence,
              const std::function<void(int lane)>& countLap);

  private:
    RaceState& state_;
    Random& random_;
};

}  // namespace qel
