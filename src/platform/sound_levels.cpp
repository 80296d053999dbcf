#include "platform/sound_levels.h"

#include <algorithm>
#include <cmath>

namespace qel::platform {

namespace {

constexpr int kSilent = -10000;

double amplitude(int hundredthsDb) {
    // -10000 is the device's "silent": 10^-5 of full scale rounds to nothing.
    return std::pow(10.0, std::clamp(hundredthsDb, kSilent, 0) / 2000.0);
}

int scaled(double gain, int fullScale) {
    return static_cast<int>(std::lround(gain * fullScale));
}

}  // namespace

int mixerVolume(int hundredthsDb) {
    return scaled(amplitude(hundredthsDb), 128);
}

PanGains panGains(int pan) {
    const int attenuation = -std::abs(std::clamp(pan, kSilent, -kSilent));
    const auto quiet = static_cast<uint8_t>(scaled(amplitude(attenuation), 255));
    PanGains gains;
    if (pan < 0) gains.right = quiet;
    if (pan > 0) gains.left = quiet;
    return gains;
}

}  // namespace qel::platform
