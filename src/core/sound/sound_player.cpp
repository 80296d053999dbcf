#include "core/sound/sound_player.h"

#include <algorithm>

#include "core/io/data_folder.h"

namespace qel {

namespace {

constexpr int kDeviceFullLeft = -10000;
constexpr int kDeviceFullRight = 10000;
constexpr int kDeviceSilent = -10000;

// A name from the sound table is meant to be a bare file name; anything that
// would reach outside the sound folder is treated as a file that isn't there.
bool isBareName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

}  // namespace

SlotSoundPlayer::SlotSoundPlayer(SoundDevice& device, Prompter& prompter)
    : device_(device), prompter_(prompter), slots_(static_cast<std::size_t>(device.slotCount())) {}

bool SlotSoundPlayer::InitSound() {
    deviceOpen_ = device_.open();
    return deviceOpen_;
}

void SlotSoundPlayer::SetSoundFolder(std::filesystem::path folder) {
    soundFolder_ = std::move(folder);
}

std::filesystem::path SlotSoundPlayer::soundPath(const std::string& fileName) const {
    if (!isBareName(fileName)) return soundFolder_ / fileName;
    // The folder itself may be named in another case than on disk ("qelsound").
    const AppFolder parent(soundFolder_.parent_path());
    return parent.resolve(soundFolder_.filename().string() + "/" + fileName);
}

int SlotSoundPlayer::devicePan(int pan) {
    if (pan == 0) return kDeviceFullLeft;
    if (pan == 100) return kDeviceFullRight;
    return std::clamp((pan - 50) * 100, kDeviceFullLeft, kDeviceFullRight);
}

int SlotSoundPlayer::deviceVolume(int volume) {
    return std::clamp(volume * 60 - 6000, kDeviceSilent, 0);
}

void SlotSoundPlayer::cannotLoad(const std::string& fileName) {
    prompter_.message("Error can't find file: " + (soundFolder_ / fileName).string(), "",
                      MessageIcon::None, MessageButtons::Ok);
}

bool SlotSoundPlayer::LoadSoundSlots(int lastIndex, const std::string& fileName) {
    const int count = std::clamp(lastIndex + 1, 0, device_.slotCount());
    slots_.assign(static_cast<std::size_t>(count), Slot{});
    nextSoundSlot_ = 0;
    if (!deviceOpen_) {
        prompter_.message(
            device_.lastError().empty() ? "There is no sound output." : device_.lastError(), "",
            MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    for (int slot = 0; slot < count; ++slot) {
        if (!LoadSoundSlot(slot, fileName)) return false;
        SetSlotVolume(slot, kPreloadVolume);
    }
    return true;
}

bool SlotSoundPlayer::LoadSoundSlot(int slot, const std::string& fileName) {
    if (slot < 0 || slot >= slotCount()) return false;
    if (!isBareName(fileName) || !device_.loadSlot(slot, soundPath(fileName).string())) {
        cannotLoad(fileName);
        return false;
    }
    slots_[static_cast<std::size_t>(slot)].loaded = true;
    return true;
}

int SlotSoundPlayer::freeSlot() {
    const int count = slotCount();
    for (int tried = 0; tried < count; ++tried) {
        if (!device_.isPlaying(nextSoundSlot_)) return nextSoundSlot_;
        nextSoundSlot_ = static_cast<int16_t>((nextSoundSlot_ + 1) % count);
    }
    // Every slot is sounding: the oldest sound is the one the race director
    // has heard longest, so it gives way.
    const auto oldest =
        std::min_element(slots_.begin(), slots_.end(),
                         [](const Slot& a, const Slot& b) { return a.startedAt < b.startedAt; });
    nextSoundSlot_ = static_cast<int16_t>(oldest - slots_.begin());
    return nextSoundSlot_;
}

void SlotSoundPlayer::PlayInFreeSlot(const std::string& fileName, int volume, int pan, int flags) {
    // Without an output, or with no slots at all, the race goes on in silence.
    if (!deviceOpen_ || slots_.empty()) return;
    if (nextSoundSlot_ < 0 || nextSoundSlot_ >= slotCount()) nextSoundSlot_ = 0;
    const int slot = freeSlot();
    const bool loaded = LoadSoundSlot(slot, fileName);
    if (pan != kCentrePan) SetSlotPan(slot, pan);
    if (volume < kFullVolume) SetSlotVolume(slot, volume);
    // Only a single play from the start is offered; flags ask for nothing else.
    static_cast<void>(flags);
    if (!loaded) return;
    slots_[static_cast<std::size_t>(slot)].startedAt = ++playsStarted_;
    device_.play(slot);
}

void SlotSoundPlayer::SetSlotPan(int slot, int pan) {
    device_.setPan(slot, devicePan(pan));
}

void SlotSoundPlayer::SetSlotVolume(int slot, int volume) {
    device_.setVolume(slot, deviceVolume(volume));
}

void SlotSoundPlayer::PlaySoundFile(const std::string& fileName) {
    // Event sounds are heard from both speakers alike.
    PlayInFreeSlot(fileName, kEventVolume, kCentrePan, 0);
}

}  // namespace qel
