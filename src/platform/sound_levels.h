#pragma once
// The race sounds are set in hundredths of a decibel, as the original sound
// settings are stored; the mixer wants linear gains. One decibel law serves
// both the volume and the quieter side of a pan.
#include <cstdint>

namespace qel::platform {

// Mixer channel volume 0..128 for hundredths of a dB (0 = full, -10000 =
// silent); values outside that range are held at its ends.
int mixerVolume(int hundredthsDb);

struct PanGains {
    uint8_t left = 255;
    uint8_t right = 255;
};

// -10000 = left only, 0 = both sides full, 10000 = right only; the side the
// sound moves away from is lowered by |pan| hundredths of a dB.
PanGains panGains(int pan);

}  // namespace qel::platform
