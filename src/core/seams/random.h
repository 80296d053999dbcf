#pragma once
// One uniform random number generator for demo laps, light timings and random placement.
#include <cstdint>

namespace qel {

class Random {
  public:
    virtual ~Random() = default;
    // Uniform in [0, 1).
    virtual double next() = 0;
    virtual void seed(uint64_t value) = 0;
    virtual void seedFromClock() = 0;
};

}  // namespace qel
