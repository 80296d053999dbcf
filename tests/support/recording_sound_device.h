#pragma once
// A sound card on a test's bench: remembers every load, play, volume and pan,
// lets the test say which slots are still sounding, and fails on missing files
// as the real device does.
#include <array>
#include <string>
#include <vector>

#include "core/seams/sound_device.h"

namespace qel::test {

class RecordingSoundDevice : public SoundDevice {
  public:
    static constexpr int kSlotCount = 31;

    struct Slot {
        std::string path;  // last file loaded successfully, "" if none
        int volume = 0;
        int pan = 0;
        int plays = 0;
        bool playing = false;
        // Status reads left before a playing sound ends by itself; -1 = never.
        int readsUntilDone = -1;
    };

    // The next opens report no output ("" = they succeed).
    void failOpens(std::string message) { openFailure_ = std::move(message); }
    // The sound in the slot is (or is no longer) heard.
    void setPlaying(int slot, bool playing);
    // A sound started in the slot ends after this many status reads, so a
    // test can let a slot come free while the program polls for one.
    void endAfterReads(int slot, int reads);
    // Every slot is busy, as when 31 sounds overlap.
    void setAllPlaying();

    const Slot& slot(int index) const { return slots_.at(static_cast<std::size_t>(index)); }
    // "load 3 /path/Go.wav", "volume 3 -3000", "pan 3 -10000", "play 3", in
    // order; failed loads appear as "load failed 3 /path/x.wav". A load starts
    // the slot silent, at full volume and centred; a play counts only while
    // the device is open and the slot holds a sound, as on the real card.
    const std::vector<std::string>& calls() const { return calls_; }
    // Slots started while open, in order (a closed device plays nothing).
    std::vector<int> playedSlots() const;
    // The files started while open, by their bare names, in order.
    std::vector<std::string> playedFiles() const;
    void clearCalls() { calls_.clear(); }
    bool isOpen() const { return open_; }

    bool open() override;
    int slotCount() const override { return kSlotCount; }
    bool loadSlot(int slot, const std::string& path) override;
    bool isPlaying(int slot) const override;
    void play(int slot) override;
    void setVolume(int slot, int hundredthsDb) override;
    void setPan(int slot, int pan) override;
    std::string lastError() const override { return lastError_; }

  private:
    static bool valid(int slot) { return slot >= 0 && slot < kSlotCount; }
    Slot& at(int slot) { return slots_[static_cast<std::size_t>(slot)]; }

    // isPlaying is a read, yet a sound may end while the program keeps reading.
    mutable std::array<Slot, kSlotCount> slots_{};
    std::vector<std::string> calls_;
    std::string openFailure_;
    std::string lastError_;
    bool open_ = false;
};

}  // namespace qel::test
