// An event sound played the way the race plays it, through the real mixer,
// heard in the file SDL's disk driver writes: both speakers carry it alike.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "core/sound/sound_player.h"
#include "platform/sdl_sound_device.h"
#include "sound_capture.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel::platform {
namespace {

TEST(SoundPlayback, AnEventSoundComesOutOfBothSpeakersAlike) {
    test::TempFolder folder;
    folder.write("QelSound/goby1.wav", sineWave());
    folder.write("QelSound/Go.wav", sineWave());
    const auto raw = folder.path() / "heard.raw";

    SideEnergy heard;
    {
        EnvOverride driver("SDL_AUDIODRIVER", "disk");
        EnvOverride file("SDL_DISKAUDIOFILE", raw.string());
        SdlSoundDevice device;
        test::ScriptedPrompter prompter;
        SlotSoundPlayer player(device, prompter);
        ASSERT_TRUE(player.InitSound()) << device.lastError();
        ASSERT_EQ(device.driverName(), "disk");
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
        player.SetSoundFolder(folder.path() / "qelsound");
        ASSERT_TRUE(player.LoadSoundSlots(30, "goby1.wav"));

        player.PlaySoundFile("GO.WAV");
        ASSERT_TRUE(device.isPlaying(0));
        ASSERT_TRUE(waitWhilePlaying(device, 0));
        std::this_thread::sleep_for(100ms);  // the last mixed block reaches the file
        device.close();
        EXPECT_TRUE(prompter.messages().empty());
        heard = measureRaw(raw, frequency, format, channels);
    }

    // Full volume: the tone's power for its length on each side.
    const double full = kToneAmplitude * kToneAmplitude / 2 * kToneSeconds;
    EXPECT_NEAR(heard.left, full, full * 0.1);
    EXPECT_NEAR(heard.right, full, full * 0.1);
    EXPECT_NEAR(heard.left, heard.right, full * 0.02);
}

}  // namespace
}  // namespace qel::platform
