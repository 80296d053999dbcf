#include "support/recording_sound_device.h"

#include <map>
#include <sstream>

#include <filesystem>

namespace qel::test {

void RecordingSoundDevice::setPlaying(int slot, bool playing) {
    if (valid(slot)) at(slot).playing = playing;
}

void RecordingSoundDevice::endAfterReads(int slot, int reads) {
    if (valid(slot)) at(slot).readsUntilDone = reads;
}

void RecordingSoundDevice::setAllPlaying() {
    for (Slot& slot : slots_)
        slot.playing = true;
}

std::vector<int> RecordingSoundDevice::playedSlots() const {
    std::vector<int> played;
    for (const std::string& call : calls_) {
        if (call.starts_with("play ")) played.push_back(std::stoi(call.substr(5)));
    }
    return played;
}

std::vector<std::string> RecordingSoundDevice::playedFiles() const {
    std::map<int, std::string> slotFile;
    std::vector<std::string> played;
    for (const std::string& call : calls_) {
        std::istringstream in(call);
        std::string verb;
        int slot = -1;
        in >> verb >> slot;
        if (!in) continue;
        std::string path;
        std::getline(in >> std::ws, path);
        if (verb == "load") slotFile[slot] = std::filesystem::path(path).filename().string();
        if (verb == "play") played.push_back(slotFile[slot]);
    }
    return played;
}

bool RecordingSoundDevice::open() {
    open_ = openFailure_.empty();
    lastError_ = openFailure_;
    return open_;
}

bool RecordingSoundDevice::loadSlot(int slot, const std::string& path) {
    const std::string where = std::to_string(slot) + " " + path;
    std::error_code error;
    if (!valid(slot)) {
        lastError_ = "There is no sound slot " + std::to_string(slot) + ".";
    } else if (!std::filesystem::is_regular_file(path, error)) {
        lastError_ = "Cannot find the sound file " + path + ".";
    } else {
        calls_.push_back("load " + where);
        Slot& target = at(slot);
        target.path = path;
        target.volume = 0;
        target.pan = 0;
        target.playing = false;
        return true;
    }
    calls_.push_back("load failed " + where);
    return false;
}

bool RecordingSoundDevice::isPlaying(int slot) const {
    if (!valid(slot)) return false;
    Slot& target = slots_[static_cast<std::size_t>(slot)];
    if (target.playing && target.readsUntilDone >= 0) {
        if (target.readsUntilDone == 0) {
            target.playing = false;
            target.readsUntilDone = -1;
        } else {
            --target.readsUntilDone;
        }
    }
    return target.playing;
}

void RecordingSoundDevice::play(int slot) {
    if (!valid(slot)) return;
    Slot& target = at(slot);
    if (!open_ || target.path.empty()) return;
    calls_.push_back("play " + std::to_string(slot));
    ++target.plays;
    target.playing = true;
}

void RecordingSoundDevice::setVolume(int slot, int hundredthsDb) {
    if (!valid(slot)) return;
    calls_.push_back("volume " + std::to_string(slot) + " " + std::to_string(hundredthsDb));
    at(slot).volume = hundredthsDb;
}

void RecordingSoundDevice::setPan(int slot, int pan) {
    if (!valid(slot)) return;
    calls_.push_back("pan " + std::to_string(slot) + " " + std::to_string(pan));
    at(slot).pan = pan;
}

}  // namespace qel::test
