#pragma once
// The sound output: a fixed set of slots, each holding one loaded wave that
// can be played once from its start while the race goes on.
#include <string>

namespace qel {

class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    // Opens the default output. False when there is none; every other call
    // then still works and plays nothing, so a race never stops for sound.
    virtual bool open() = 0;
    virtual int slotCount() const = 0;
    // Loads a wave file into a slot, replacing what it held; the new sound
    // starts at full volume, centred. On failure the slot keeps its previous
    // sound and lastError() says why.
    virtual bool loadSlot(int slot, const std::string& path) = 0;
    virtual bool isPlaying(int slot) const = 0;
    virtual void play(int slot) = 0;
    // Hundredths of a decibel: 0 = full, -10000 = silent.
    virtual void setVolume(int slot, int hundredthsDb) = 0;
    // -10000 = left only, 0 = centre, 10000 = right only.
    virtual void setPan(int slot, int pan) = 0;
    virtual std::string lastError() const = 0;
};

}  // namespace qel
