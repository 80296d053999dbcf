#include "platform/sdl_sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/sound_levels.h"

namespace qel::platform {

namespace {

constexpr int kFrequency = 44100;
constexpr int kChunkFrames = 1024;  // about 23 ms: a light's sound starts with the light

std::string sdlError(const char* fallback) {
    const char* error = SDL_GetError();
    return (error != nullptr && *error != '\0') ? std::string(error) : std::string(fallback);
}

// SDL_mixer would also take other sound formats; the sound folder is meant to
// hold wave files, so anything else is refused with a plain reason.
std::string waveFileProblem(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return "Cannot find the sound file " + path + ".";
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return "Cannot read the sound file " + path + ".";
    std::array<char, 12> header{};
    in.read(header.data(), header.size());
    if (in.gcount() != static_cast<std::streamsize>(header.size()) ||
        std::string_view(header.data(), 4) != "RIFF" ||
        std::string_view(header.data() + 8, 4) != "WAVE") {
        return "The sound file " + path + " is not a wave file.";
    }
    return {};
}

}  // namespace

void SdlSoundDevice::ChunkFree::operator()(Mix_Chunk* chunk) const {
    Mix_FreeChunk(chunk);
}

SdlSoundDevice::~SdlSoundDevice() {
    close();
}

bool SdlSoundDevice::open() {
    if (open_) return true;
    if (tryOpenOutput()) return true;

    // No sound card (the default driver fails to open): go on silently under
    // SDL's dummy driver, for this open only, so a later open finds the card
    // again once it is there.
    const std::string reason = lastError_;
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool silent = tryOpenOutput();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    lastError_ = silent ? "No sound output (" + reason + "); the race sounds are silent."
                        : "No sound output: " + reason + "; " + lastError_;
    return silent;
}

bool SdlSoundDevice::tryOpenOutput() {
    // Ctrl+C and the desktop's TERM must still end the program: SDL would
    // otherwise turn them into quit events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        lastError_ = sdlError("the sound system could not start");
        return false;
    }
    if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 2, kChunkFrames) != 0) {
        lastError_ = sdlError("the sound output could not be opened");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kSlotCount);
    open_ = true;
    for (int slot = 0; slot < kSlotCount; ++slot)
        applyLevels(slot);
    return true;
}

void SdlSoundDevice::close() {
    if (!open_) return;
    Mix_HaltChannel(-1);
    for (Slot& slot : slots_)
        slot.chunk.reset();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}

std::string SdlSoundDevice::driverName() const {
    const char* name = open_ ? SDL_GetCurrentAudioDriver() : nullptr;
    return name != nullptr ? std::string(name) : std::string();
}

bool SdlSoundDevice::loadSlot(int slot, const std::string& path) {
    if (!validSlot(slot)) {
        lastError_ = "There is no sound slot " + std::to_string(slot) + ".";
        return false;
    }
    if (std::string problem = waveFileProblem(path); !problem.empty()) {
        lastError_ = std::move(problem);
        return false;
    }

    Chunk chunk;
    if (open_) {
        chunk.reset(Mix_LoadWAV(path.c_str()));
        if (!chunk) {
            lastError_ = "The sound file " + path + " is damaged: " + sdlError("unreadable");
            return false;
        }
    } else {
        SDL_AudioSpec spec;
        Uint8* samples = nullptr;
        Uint32 length = 0;
        if (SDL_LoadWAV(path.c_str(), &spec, &samples, &length) == nullptr) {
            lastError_ = "The sound file " + path + " is damaged: " + sdlError("unreadable");
            return false;
        }
        SDL_FreeWAV(samples);
    }

    // The channel may still be playing the old sound; it must stop before the
    // old samples are released.
    if (open_) Mix_HaltChannel(slot);
    Slot& target = slots_[static_cast<std::size_t>(slot)];
    target.chunk = std::move(chunk);
    target.volume = 0;
    target.pan = 0;
    applyLevels(slot);
    return true;
}

bool SdlSoundDevice::isPlaying(int slot) const {
    return open_ && validSlot(slot) && Mix_Playing(slot) != 0;
}

void SdlSoundDevice::play(int slot) {
    if (!open_ || !validSlot(slot)) return;
    Slot& target = slots_[static_cast<std::size_t>(slot)];
    if (!target.chunk) return;
    applyLevels(slot);
    if (Mix_PlayChannel(slot, target.chunk.get(), 0) < 0) {
        lastError_ = "A sound could not be played: " + sdlError("the mixer refused it");
    }
}

void SdlSoundDevice::setVolume(int slot, int hundredthsDb) {
    if (!validSlot(slot)) return;
    slots_[static_cast<std::size_t>(slot)].volume = hundredthsDb;
    applyLevels(slot);
}

void SdlSoundDevice::setPan(int slot, int pan) {
    if (!validSlot(slot)) return;
    slots_[static_cast<std::size_t>(slot)].pan = pan;
    applyLevels(slot);
}

void SdlSoundDevice::applyLevels(int slot) {
    if (!open_) return;
    const Slot& target = slots_[static_cast<std::size_t>(slot)];
    Mix_Volume(slot, mixerVolume(target.volume));
    const PanGains gains = panGains(target.pan);
    // Fails only on a mono output, where there is no side to pan to.
    Mix_SetPanning(slot, gains.left, gains.right);
}

}  // namespace qel::platform
