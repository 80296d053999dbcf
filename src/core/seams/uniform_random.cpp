#include "core/seams/uniform_random.h"

#include <chrono>

namespace qel {

double UniformRandom::next() {
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void UniformRandom::seed(uint64_t value) {
    engine_.seed(value);
}

void UniformRandom::seedFromClock() {
    // The wall clock alone repeats when two instances start in the same tick.
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<uint64_t>(wall) ^ (static_cast<uint64_t>(steady) << 17));
}

}  // namespace qel
