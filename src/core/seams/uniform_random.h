#pragma once
// The real random source: demo lap times, the green-light delay and random
// placement draw from it. Seeded from the clock at start-up so no two race
// nights repeat; a fixed seed replays the same draws in tests.
#include <cstdint>
#include <random>

#include "core/seams/random.h"

namespace qel {

class UniformRandom final : public Random {
  public:
    explicit UniformRandom(uint64_t seedValue = 0) : engine_(seedValue) {}

    // Uniform in [0, 1): the top 53 bits of one draw, so 1.0 can never come out.
    double next() override;
    void seed(uint64_t value) override;
    void seedFromClock() override;

  private:
    std::mt19937_64 engine_;
};

}  // namespace qel
