// Whatever arrives on the serial line, the race tick's decoder turns it into time reports,
// lane hits and track calls without crashing, hanging or running the race clock backwards
// into nonsense.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/engine/timing_link.h"
#include "core/state/race_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto state = std::make_unique<qel::RaceState>();
    int hits = 0;
    qel::BoxDecoder decoder(*state, {[&](int lane) {
                                         if (lane < 1 || lane > qel::kMaxLanes) __builtin_trap();
                                         ++hits;
                                     },
                                     [&] { ++hits; }});
    for (size_t i = 0; i < size; ++i)
        decoder.receive(static_cast<char>(data[i]));
    if (state->elapsedMs < 0) __builtin_trap();
    return 0;
}
