// The real sound adapter, heard through SDL's disk driver (which writes the
// mixed output to a raw file in real time) and its silent dummy driver.
#include "platform/sdl_sound_device.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sound_levels.h"
#include "support/temp_folder.h"

namespace qel::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace std::string_literals;

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

void putLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

constexpr double kToneAmplitude = 0.5;  // of full scale
constexpr double kToneSeconds = 0.3;

// A 440 Hz tone, the same on both sides, 16-bit stereo at 22050 Hz: the mixer
// has to convert it to its own rate on the way.
std::string sineWave() {
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

bool waitWhilePlaying(const SdlSoundDevice& device, int slot) {
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

SideEnergy measureRaw(const fs::path& raw, int frequency, Uint16 format, int channels) {
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

class SdlSoundDeviceTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    fs::path tone = folder.write("tone.wav", sineWave());
};

struct LevelCase {
    const char* name;
    int pan;
    int volume;
    double leftGain;
    double rightGain;
};

void PrintTo(const LevelCase& c, std::ostream* out) {
    *out << c.name;
}

class SdlSoundDeviceHeard : public SdlSoundDeviceTest,
                            public ::testing::WithParamInterface<LevelCase> {};

TEST_P(SdlSoundDeviceHeard, PlaysTheWaveOnceAtItsVolumeAndPan) {
    const LevelCase& c = GetParam();
    const fs::path raw = folder.path() / "out.raw";
    SideEnergy heard;
    {
        EnvOverride driver("SDL_AUDIODRIVER", "disk");
        EnvOverride file("SDL_DISKAUDIOFILE", raw.string());
        SdlSoundDevice device;
        ASSERT_TRUE(device.open()) << device.lastError();
        ASSERT_EQ(device.driverName(), "disk");
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);

        ASSERT_TRUE(device.loadSlot(0, tone.string())) << device.lastError();
        device.setPan(0, c.pan);
        device.setVolume(0, c.volume);
        device.play(0);
        EXPECT_TRUE(device.isPlaying(0));
        ASSERT_TRUE(waitWhilePlaying(device, 0)) << "the sound never ended (looping?)";
        std::this_thread::sleep_for(100ms);  // the last mixed block reaches the file
        device.close();
        heard = measureRaw(raw, frequency, format, channels);
    }

    const double full = kToneAmplitude * kToneAmplitude / 2.0 * kToneSeconds;
    const auto expectSide = [&](double energy, double gain, const char* side) {
        const double expected = full * gain * gain;
        if (gain == 0.0) {
            EXPECT_LT(energy, full * 1e-6) << side << " side should be silent";
        } else {
            EXPECT_NEAR(energy, expected, expected * 0.1) << side << " side";
        }
    };
    expectSide(heard.left, c.leftGain, "left");
    expectSide(heard.right, c.rightGain, "right");
}

// -600 hundredths of a dB is half the amplitude.
INSTANTIATE_TEST_SUITE_P(Levels, SdlSoundDeviceHeard,
                         ::testing::Values(LevelCase{"Centred", 0, 0, 1.0, 1.0},
                                           LevelCase{"LeftOnly", -10000, 0, 1.0, 0.0},
                                           LevelCase{"RightOnly", 10000, 0, 0.0, 1.0},
                                           LevelCase{"HalfVolume", 0, -600, 0.501, 0.501},
                                           LevelCase{"RightLowered", -600, 0, 1.0, 0.501}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SdlSoundDeviceTest, BadFilesFailCleanlyAndTheSlotKeepsItsSound) {
    const std::string garbage = "\x13\x99zq\x01\x00\xff\xfe garbage that is no sound at all"s;
    const struct {
        const char* name;
        fs::path path;
        const char* reason;
    } cases[] = {
        {"missing", folder.path() / "Gone.wav", "find"},
        {"random bytes", folder.write("random.wav", garbage), "not a wave"},
        {"empty", folder.write("empty.wav", ""), "not a wave"},
        {"wave header over garbage", folder.write("broken.wav", "RIFF\x30\0\0\0WAVE"s + garbage),
         "damaged"},
        {"folder", folder.path(), "find"},
    };
    SdlSoundDevice device;
    ASSERT_TRUE(device.open()) << device.lastError();
    ASSERT_TRUE(device.loadSlot(4, tone.string())) << device.lastError();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(device.loadSlot(4, c.path.string()));
        EXPECT_NE(device.lastError().find(c.path.string()), std::string::npos)
            << device.lastError();
        EXPECT_NE(device.lastError().find(c.reason), std::string::npos) << device.lastError();
    }
    device.play(4);
    EXPECT_TRUE(device.isPlaying(4));
}

TEST_F(SdlSoundDeviceTest, ReloadingASoundingSlotStopsItFirst) {
    SdlSoundDevice device;
    ASSERT_TRUE(device.open()) << device.lastError();
    ASSERT_TRUE(device.loadSlot(2, tone.string()));
    device.setVolume(2, -10000);
    device.play(2);
    ASSERT_TRUE(device.isPlaying(2));
    ASSERT_TRUE(device.loadSlot(2, tone.string()));
    EXPECT_FALSE(device.isPlaying(2));
    device.play(2);
    EXPECT_TRUE(device.isPlaying(2));
    EXPECT_TRUE(waitWhilePlaying(device, 2));
}

TEST_F(SdlSoundDeviceTest, WithoutASoundCardTheRaceGoesOnSilently) {
    {
        EnvOverride driver("SDL_AUDIODRIVER", "no-such-card");
        SdlSoundDevice device;
        ASSERT_TRUE(device.open()) << device.lastError();
        EXPECT_EQ(device.driverName(), "dummy");
        EXPECT_NE(device.lastError().find("silent"), std::string::npos) << device.lastError();
        ASSERT_TRUE(device.loadSlot(0, tone.string())) << device.lastError();
        device.play(0);
        EXPECT_TRUE(device.isPlaying(0));
        EXPECT_TRUE(waitWhilePlaying(device, 0));
    }
    // The silent driver was for that open only: a card that is there is used.
    EnvOverride driver("SDL_AUDIODRIVER", "disk");
    EnvOverride file("SDL_DISKAUDIOFILE", (folder.path() / "later.raw").string());
    SdlSoundDevice device;
    ASSERT_TRUE(device.open()) << device.lastError();
    EXPECT_EQ(device.driverName(), "disk");
}

TEST_F(SdlSoundDeviceTest, AClosedDeviceStillChecksFilesAndPlaysNothing) {
    SdlSoundDevice device;
    EXPECT_TRUE(device.loadSlot(0, tone.string())) << device.lastError();
    EXPECT_FALSE(device.loadSlot(0, (folder.path() / "Gone.wav").string()));
    EXPECT_NE(device.lastError().find("Gone.wav"), std::string::npos);
    device.setVolume(0, -3000);
    device.setPan(0, 0);
    device.play(0);
    EXPECT_FALSE(device.isPlaying(0));
}

TEST_F(SdlSoundDeviceTest, SlotsOutsideTheThirtyOneAreIgnored) {
    SdlSoundDevice device;
    ASSERT_TRUE(device.open()) << device.lastError();
    EXPECT_EQ(device.slotCount(), 31);
    for (const int slot : {-1, 31, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(device.loadSlot(slot, tone.string()));
        device.setVolume(slot, 0);
        device.setPan(slot, 0);
        device.play(slot);
        EXPECT_FALSE(device.isPlaying(slot));
    }
    EXPECT_TRUE(device.loadSlot(30, tone.string()));
}

TEST(SoundLevels, HundredthsOfADecibelBecomeMixerGains) {
    const struct {
        int hundredthsDb;
        int volume;
    } volumes[] = {{0, 128}, {-600, 64}, {-2000, 13}, {-10000, 0}, {500, 128}, {-20000, 0}};
    for (const auto& v : volumes) {
        EXPECT_EQ(mixerVolume(v.hundredthsDb), v.volume) << v.hundredthsDb;
    }

    const struct {
        int pan;
        int left;
        int right;
    } pans[] = {{0, 255, 255},   {-10000, 255, 0}, {10000, 0, 255}, {-600, 255, 128},
                {600, 128, 255}, {-99999, 255, 0}, {99999, 0, 255}};
    for (const auto& p : pans) {
        const PanGains gains = panGains(p.pan);
        EXPECT_EQ(gains.left, p.left) << p.pan;
        EXPECT_EQ(gains.right, p.right) << p.pan;
    }
}

}  // namespace
}  // namespace qel::platform
