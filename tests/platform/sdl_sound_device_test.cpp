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
#include "sound_capture.h"
#include "support/temp_folder.h"

namespace qel::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace std::string_literals;

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
