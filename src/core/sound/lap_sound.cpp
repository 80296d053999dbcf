#include "core/sound/lap_sound.h"

namespace qel {

std::optional<LapSound> chooseLapSound(const SoundTable& table, bool newBest, bool overallBest) {
    const auto on = [&](LapSound sound) { return table.lapSoundEnabled[sound] == 1; };
    if (newBest && overallBest && on(kLapSoundOverallBest)) return kLapSoundOverallBest;
    if (newBest && on(kLapSoundPersonalBest)) return kLapSoundPersonalBest;
    if (on(kLapSoundEachLap)) return kLapSoundEachLap;
    return std::nullopt;
}

void LapSoundChoice::lapCounted(int /*lane*/, bool newBest, bool overallBest) {
    if (const auto sound = chooseLapSound(table_, newBest, overallBest)) {
        player_.PlaySoundFile(table_.lapSoundFile[*sound]);
    }
}

}  // namespace qel
