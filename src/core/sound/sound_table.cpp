#include "core/sound/sound_table.h"

namespace qel {

namespace {

constexpr RaceSoundInfo kRaceSounds[kRaceSoundCount] = {
    {"Race Starts in 1 min", "Race Starts in 1 min.wav"},
    {"Race Starts in 40 sec", ""},
    {"Race Starts in 20 sec", "Race Starts in 20 sec.wav"},
    {"Race Starts in 5 sec", "Race Starts in 5 sec.wav"},
    {"Get Ready", "Get Ready.wav"},
    {"Go", "Go.wav"},
    {"Yellow Flag", "Yellow Flag.wav"},
    {"White Flag", "White Flag.wav"},
    {"Red Flag", "Red Flag.wav"},
    {"10 Seconds Left", "10 Seconds Left.wav"},
    {"Heat Over", "Heat Over.wav"},
    {"Race Over", "Race Over.wav"},
    {"Checkered Flag", "Checkered Flag.wav"},
};

}  // namespace

const RaceSoundInfo& raceSoundInfo(RaceSound sound) {
    return kRaceSounds[sound];
}

void playRaceSound(const SoundTable& table, SoundPlayer& player, RaceSound sound) {
    if (sound < 0 || sound >= kRaceSoundCount || !table.raceSoundEnabled[sound]) return;
    const char* file = kRaceSounds[sound].file;
    if (*file) player.PlaySoundFile(file);
}

}  // namespace qel
