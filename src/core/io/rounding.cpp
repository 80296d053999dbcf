#include "core/io/rounding.h"

#include <cmath>
#include <limits>

#include "core/io/errors.h"

namespace qel {

namespace {

template <typename Int>
Int checkedWhole(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        throw QelError("Overflow");
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double diff = value - below;
    if (diff < 0.5) return below;
    if (diff > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

int16_t toInteger(double value) {
    return checkedWhole<int16_t>(value);
}

int32_t toLong(double value) {
    return checkedWhole<int32_t>(value);
}

double intPart(double value) {
    return std::floor(value);
}

double fixPart(double value) {
    return std::trunc(value);
}

}  // namespace qel
