#pragma once
// What the sound tests share: a test tone as a wave file, the environment
// SDL's disk driver is chosen by, and the energy each side of a captured
// output carries.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl_sound_device.h"

namespace qel::platform {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Sets an environment variable for one test and puts the old value back.
class EnvOverride {
  public:
    EnvOverride(std::string name, const std::string& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) old_ = old;
        setenv(name_.c_str(), value.c_str(), 1);
    }
    ~EnvOverride() {
        if (old_) {
            setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

inline void putLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline constexpr double kToneAmplitude = 0.5;  // of full scale
inline constexpr double kToneSeconds = 0.3;

// A 440 Hz tone, the same on both sides, 16-bit stereo at 22050 Hz: the mixer
// has to convert it to its own rate on the way.
inline std::string sineWave() {
    constexpr int rate = 22050;
    const int frames = static_cast<int>(rate * kToneSeconds);
    std::string samples;
    for (int i = 0; i < frames; ++i) {
        const double s = kToneAmplitude * std::sin(2.0 * M_PI * 440.0 * i / rate);
        const auto value = static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * 32767)));
        putLe(samples, value, 2);
        putLe(samples, value, 2);
    }
    std::string wave = "RIFF";
    putLe(wave, static_cast<uint32_t>(36 + samples.size()), 4);
    wave += "WAVEfmt ";
    putLe(wave, 16, 4);
    putLe(wave, 1, 2);  // PCM
    putLe(wave, 2, 2);  // stereo
    putLe(wave, rate, 4);
    putLe(wave, rate * 4, 4);
    putLe(wave, 4, 2);
    putLe(wave, 16, 2);
    wave += "data";
    putLe(wave, static_cast<uint32_t>(samples.size()), 4);
    return wave + samples;
}

inline bool waitWhilePlaying(const SdlSoundDevice& device, int slot) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (device.isPlaying(slot)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// Signal energy per side, in full-scale squared seconds.
struct SideEnergy {
    double left = 0.0;
    double right = 0.0;
};

inline SideEnergy measureRaw(const fs::path& raw, int frequency, Uint16 format, int channels) {
    std::ifstream in(raw, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<double> samples;
    if (format == AUDIO_S16SYS) {
        for (std::size_t i = 0; i + 2 <= bytes.size(); i += 2) {
            int16_t v;
            std::memcpy(&v, bytes.data() + i, 2);
            samples.push_back(v / 32768.0);
        }
    } else if (format == AUDIO_F32SYS) {
        for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
            float v;
            std::memcpy(&v, bytes.data() + i, 4);
            samples.push_back(v);
        }
    } else {
        ADD_FAILURE() << "output format " << format << " not understood by the test";
    }
    SideEnergy energy;
    if (channels != 2) {
        ADD_FAILURE() << "expected a stereo output, got " << channels << " channels";
        return energy;
    }
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
        energy.left += samples[i] * samples[i];
        energy.right += samples[i + 1] * samples[i + 1];
    }
    energy.left /= frequency;
    energy.right /= frequency;
    return energy;
}

}  // namespace qel::platform
