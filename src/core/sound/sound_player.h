#pragma once
// The one path by which every race sound reaches the speakers: a ring of slots
// on the sound device, each wave read from the sound folder at every play so a
// file swapped in the folder is heard at once.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/seams/prompter.h"
#include "core/seams/sound_device.h"
#include "core/sound/sound_table.h"

namespace qel {

class SlotSoundPlayer : public SoundPlayer {
  public:
    // Volume and pan settings run 0..100; 50 is the centre of the pan.
    static constexpr int kCentrePan = 50;
    static constexpr int kFullVolume = 100;
    static constexpr int kPreloadVolume = 50;
    // Event sounds keep the full volume of a fresh load.
    static constexpr int kEventVolume = 120;

    SlotSoundPlayer(SoundDevice& device, Prompter& prompter);

    // Opens the sound output. Without one every later play is silent and
    // shows nothing, so a race never stops for a missing speaker.
    bool InitSound();
    void SetSoundFolder(std::filesystem::path folder);
    // Start-up preload of slots 0..lastIndex (at most the device's slots) at
    // volume setting 50. The first slot that fails shows its message once and
    // the preload stops there. Without an output the reason is shown once
    // instead, in place of a misleading "can't find file".
    bool LoadSoundSlots(int lastIndex, const std::string& fileName);
    // Loads a bare file name of the sound folder into a slot; a file that
    // can't be loaded is reported and the slot keeps its previous sound.
    bool LoadSoundSlot(int slot, const std::string& fileName);
    // Plays in the first slot, from nextSoundSlot on, that is not sounding.
    // When every slot is sounding, the one whose sound started first is cut
    // short and reused: the race tick never waits for a sound to end.
    void PlayInFreeSlot(const std::string& fileName, int volume, int pan, int flags);
    // pan 0 = left only, 50 = centre, 100 = right only.
    void SetSlotPan(int slot, int pan);
    // volume 100 = full, 50 = -30 dB, 0 = -60 dB.
    void SetSlotVolume(int slot, int volume);

    // Plays an event's sound once, centred, and returns at once.
    void PlaySoundFile(const std::string& fileName) override;

    int nextSoundSlot() const { return nextSoundSlot_; }
    int slotCount() const { return static_cast<int>(slots_.size()); }
    bool deviceOpen() const { return deviceOpen_; }
    // Where a bare name is looked for; the name's letter case does not matter.
    std::filesystem::path soundPath(const std::string& fileName) const;

    // Device units of the 0..100 settings.
    static int devicePan(int pan);
    static int deviceVolume(int volume);

  private:
    struct Slot {
        bool loaded = false;
        uint64_t startedAt = 0;  // play order; 0 = never started
    };

    int freeSlot();
    void cannotLoad(const std::string& fileName);

    SoundDevice& device_;
    Prompter& prompter_;
    std::filesystem::path soundFolder_;
    std::vector<Slot> slots_;
    int16_t nextSoundSlot_ = 0;
    uint64_t playsStarted_ = 0;
    bool deviceOpen_ = false;
};

}  // namespace qel
