#pragma once
// Which race sounds are on and which files the three lap sounds use.
#include <array>
#include <cstdint>
#include <string>

namespace qel {

// The race sounds, by their place in the sound list.
enum RaceSound : int {
    kSoundRaceStarts1Min = 0,
    kSoundRaceStarts40Sec,
    kSoundRaceStarts20Sec,
    kSoundRaceStarts5Sec,
    kSoundGetReady,
    kSoundGo,
    kSoundYellowFlag,
    kSoundWhiteFlag,
    kSoundRedFlag,
    kSound10SecondsLeft,
    kSoundHeatOver,
    kSoundRaceOver,
    kSoundCheckeredFlag,
    kRaceSoundCount
};

// Lap sounds, by index.
enum LapSound : int { kLapSoundOverallBest = 0, kLapSoundEachLap = 1, kLapSoundPersonalBest = 2 };

struct SoundTable {
    std::array<int16_t, 3> lapSoundEnabled{};
    std::array<std::string, 3> lapSoundFile{};
    std::array<bool, kRaceSoundCount> raceSoundEnabled{};
};

// The entry of the sound list and the file an event plays ("" when no event plays it).
struct RaceSoundInfo {
    const char* entry;
    const char* file;
};
const RaceSoundInfo& raceSoundInfo(RaceSound sound);

// Plays a wave of the sound folder by its bare name and returns at once.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void PlaySoundFile(const std::string& fileName) = 0;
};

// Plays an event's sound when the race director has it switched on.
void playRaceSound(const SoundTable& table, SoundPlayer& player, RaceSound sound);

}  // namespace qel
