// An event sound played the way the race plays it, through the real mixer,
// heard in the file SDL's disk driver writes: both speakers carry it alike.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "core/sound/sound_player.h"
#include "platform/sdl_sound_device.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel::platform {
namespace {

using namespace std::chrono_literals;

void putLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// 0.3 s of a 440 Hz tone at half scale, the same on both sides, in the
// format of the race's wave files (16-bit stereo, 22050 Hz).
std::string toneWave() {
    constexpr int rate = 22050;
    std::string samples;
    for (int i = 0; i < rate * 3 / 10; ++i) {
        const double s = 0.5 * std::sin(2.0 * M_PI * 440.0 * i / rate);
        const auto value = static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * 32767)));
        putLe(samples, value, 2);
        putLe(samples, value, 2);
    }
    std::string wave = "RIFF";
    putLe(wave, static_cast<uint32_t>(36 + samples.size()), 4);
    wave += "WAVEfmt ";
    for (const auto& [value, bytes] :
         {std::pair{16u, 4}, {1u, 2}, {2u, 2}, {22050u, 4}, {22050u * 4, 4}, {4u, 2}, {16u, 2}})
        putLe(wave, value, bytes);
    wave += "data";
    putLe(wave, static_cast<uint32_t>(samples.size()), 4);
    return wave + samples;
}

TEST(SoundPlayback, AnEventSoundComesOutOfBothSpeakersAlike) {
    test::TempFolder folder;
    folder.write("QelSound/goby1.wav", toneWave());
    folder.write("QelSound/Go.wav", toneWave());
    const auto raw = folder.path() / "heard.raw";
    const char* oldDriver = std::getenv("SDL_AUDIODRIVER");
    const std::string driver = oldDriver != nullptr ? oldDriver : "dummy";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);

    double left = 0.0;
    double right = 0.0;
    {
        SdlSoundDevice device;
        test::ScriptedPrompter prompter;
        SlotSoundPlayer player(device, prompter);
        ASSERT_TRUE(player.InitSound()) << device.lastError();
        ASSERT_EQ(device.driverName(), "disk");
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
        ASSERT_EQ(channels, 2);
        ASSERT_TRUE(format == AUDIO_S16SYS || format == AUDIO_F32SYS) << format;
        player.SetSoundFolder(folder.path() / "qelsound");
        ASSERT_TRUE(player.LoadSoundSlots(30, "goby1.wav"));

        player.PlaySoundFile("GO.WAV");
        ASSERT_TRUE(device.isPlaying(0));
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (device.isPlaying(0) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(100ms);  // the last mixed block reaches the file
        device.close();
        EXPECT_TRUE(prompter.messages().empty());

        std::ifstream in(raw, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        const std::size_t width = format == AUDIO_S16SYS ? 2 : 4;
        for (std::size_t i = 0; i + 2 * width <= bytes.size(); i += 2 * width) {
            double side[2];
            for (std::size_t c = 0; c < 2; ++c) {
                if (width == 2) {
                    int16_t v;
                    std::memcpy(&v, bytes.data() + i + c * 2, 2);
                    side[c] = v / 32768.0;
                } else {
                    float v;
                    std::memcpy(&v, bytes.data() + i + c * 4, 4);
                    side[c] = v;
                }
            }
            left += side[0] * side[0] / frequency;
            right += side[1] * side[1] / frequency;
        }
    }
    unsetenv("SDL_DISKAUDIOFILE");
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);

    // Full volume: half-scale sine power (0.125) for 0.3 s on each side.
    const double full = 0.125 * 0.3;
    EXPECT_NEAR(left, full, full * 0.1);
    EXPECT_NEAR(right, full, full * 0.1);
    EXPECT_NEAR(left, right, full * 0.02);
}

}  // namespace
}  // namespace qel::platform
