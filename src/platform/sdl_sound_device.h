#pragma once
// The race sounds over SDL2_mixer: each of the 31 mixer channels is one slot.
// Without a sound card the device falls back to SDL's silent driver, so a race
// never waits for, or stops over, a missing speaker. SDL's mixer is one per
// process: the program keeps a single device for its whole life.
#include <array>
#include <memory>
#include <string>

#include "core/seams/sound_device.h"

struct Mix_Chunk;

namespace qel::platform {

class SdlSoundDevice : public SoundDevice {
  public:
    static constexpr int kSlotCount = 31;

    SdlSoundDevice() = default;
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool open() override;
    // Stops every sound and releases the output; open() may follow again.
    void close();
    bool isOpen() const { return open_; }
    // The SDL driver in use ("pulseaudio", "alsa", "dummy", ...), "" when closed.
    std::string driverName() const;

    int slotCount() const override { return kSlotCount; }
    // A freshly loaded sound plays at full volume, centred, until told
    // otherwise. Without an output the file is still checked, so a missing
    // sound is reported the same way, but nothing is kept to play.
    bool loadSlot(int slot, const std::string& path) override;
    bool isPlaying(int slot) const override;
    void play(int slot) override;
    void setVolume(int slot, int hundredthsDb) override;
    void setPan(int slot, int pan) override;
    std::string lastError() const override { return lastError_; }

  private:
    struct ChunkFree {
        void operator()(Mix_Chunk* chunk) const;
    };
    using Chunk = std::unique_ptr<Mix_Chunk, ChunkFree>;

    struct Slot {
        Chunk chunk;
        int volume = 0;  // hundredths of a dB
        int pan = 0;
    };

    bool tryOpenOutput();
    void applyLevels(int slot);
    static bool validSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

    std::array<Slot, kSlotCount> slots_;
    bool open_ = false;
    bool audioInitialised_ = false;
    std::string lastError_;
};

}  // namespace qel::platform
