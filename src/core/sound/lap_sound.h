#pragma once
// The sound a counted lap earns: the overall best lap outranks a personal
// best, which outranks the plain lap sound; a lap is heard at most once.
#include <optional>

#include "core/sound/sound_table.h"
#include "core/state/lap_listener.h"

namespace qel {

// The lap sound to play, or nothing.
std::optional<LapSound> chooseLapSound(const SoundTable& table, bool newBest, bool overallBest);

class LapSoundChoice : public LapListener {
  public:
    LapSoundChoice(const SoundTable& table, SoundPlayer& player) : table_(table), player_(player) {}

    void lapCounted(int lane, bool newBest, bool overallBest) override;

  private:
    const SoundTable& table_;
    SoundPlayer& player_;
};

}  // namespace qel
