#include "core/sound/sound_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_sound_device.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

namespace fs = std::filesystem;
using test::RecordingSoundDevice;
using test::ScriptedPrompter;

class SoundPlayerTest : public ::testing::Test {
  protected:
    SoundPlayerTest() {
        for (const char* name : {"goby1.wav", "Go.wav", "beep.wav", "Checkered Flag.wav"})
            folder.write(std::string("QelSound/") + name, "RIFF");
    }

    // The start-up sequence of the main window.
    void startUp() {
        ASSERT_TRUE(player.InitSound());
        player.SetSoundFolder(folder.path() / "qelsound");
        ASSERT_TRUE(player.LoadSoundSlots(30, "goby1.wav"));
        device.clearCalls();
    }

    std::string inFolder(const std::string& name) const {
        return (folder.path() / "QelSound" / name).string();
    }

    test::TempFolder folder;
    RecordingSoundDevice device;
    ScriptedPrompter prompter;
    SlotSoundPlayer player{device, prompter};
};

TEST_F(SoundPlayerTest, StartUpPreloadsEverySlotAtHalfVolume) {
    ASSERT_TRUE(player.InitSound());
    player.SetSoundFolder(folder.path() / "qelsound");
    ASSERT_TRUE(player.LoadSoundSlots(30, "goby1.wav"));
    EXPECT_EQ(player.slotCount(), 31);
    const std::vector<std::string>& calls = device.calls();
    ASSERT_EQ(calls.size(), 62u);
    EXPECT_EQ(calls[0], "load 0 " + inFolder("goby1.wav"));
    EXPECT_EQ(calls[1], "volume 0 -3000");
    EXPECT_EQ(calls[61], "volume 30 -3000");
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_TRUE(device.playedSlots().empty());
}

TEST_F(SoundPlayerTest, AMissingPreloadFileIsReportedOnceAndStopsThePreload) {
    ASSERT_TRUE(player.InitSound());
    player.SetSoundFolder(folder.path() / "QelSound");
    EXPECT_FALSE(player.LoadSoundSlots(30, "nothere.wav"));
    EXPECT_EQ(prompter.messageTexts(),
              std::vector<std::string>{"Error can't find file: " + inFolder("nothere.wav")});
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(device.calls(), std::vector<std::string>{"load failed 0 " + inFolder("nothere.wav")});

    // Plays still read their file from disk, so the race is heard all the same.
    player.PlaySoundFile("Go.wav");
    EXPECT_EQ(device.playedSlots(), std::vector<int>{0});
}

TEST_F(SoundPlayerTest, SoundsOfOneTickPlayInTwoSlotsAndTheSearchStaysOnTheChosenSlot) {
    startUp();
    player.PlaySoundFile("Go.wav");
    player.PlaySoundFile("beep.wav");
    EXPECT_EQ(device.playedSlots(), (std::vector<int>{0, 1}));
    EXPECT_EQ(device.slot(0).path, inFolder("Go.wav"));
    EXPECT_EQ(device.slot(1).path, inFolder("beep.wav"));
    EXPECT_EQ(player.nextSoundSlot(), 1);

    // Both end; the next search starts where the last one stopped.
    device.setPlaying(0, false);
    device.setPlaying(1, false);
    player.PlaySoundFile("Go.wav");
    EXPECT_EQ(device.playedSlots().back(), 1);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(SoundPlayerTest, AMissingOrUnsafeFileIsReportedAndNothingPlays) {
    startUp();
    player.PlaySoundFile("Go.wav");
    device.setPlaying(0, false);
    const struct {
        const char* name;
        std::string shown;
    } cases[] = {
        {"Gone.wav", "Error can't find file: " + (folder.path() / "qelsound/Gone.wav").string()},
        {"", "Error can't find file: " + (folder.path() / "qelsound/").string()},
        {"../QelSound/Go.wav",
         "Error can't find file: " + (folder.path() / "qelsound/../QelSound/Go.wav").string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.clear();
        player.PlaySoundFile(c.name);
        EXPECT_EQ(prompter.messageTexts(), std::vector<std::string>{c.shown});
    }
    EXPECT_EQ(device.playedSlots(), std::vector<int>{0});
    EXPECT_EQ(device.slot(0).path, inFolder("Go.wav")) << "the slot keeps its previous sound";
}

TEST_F(SoundPlayerTest, NamesAreFoundWhateverTheirLetterCase) {
    startUp();
    player.PlaySoundFile("CHECKERED flag.WAV");
    EXPECT_EQ(device.slot(0).path, inFolder("Checkered Flag.wav"));
    EXPECT_EQ(device.playedSlots(), std::vector<int>{0});
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(SoundPlayerTest, WithoutASoundOutputTheRaceIsSilentAndQuiet) {
    device.failOpens("No sound output: no card");
    EXPECT_FALSE(player.InitSound());
    player.SetSoundFolder(folder.path() / "QelSound");
    EXPECT_FALSE(player.LoadSoundSlots(30, "goby1.wav"));
    // One word at start-up, with the real reason rather than a missing file.
    EXPECT_EQ(prompter.messageTexts(), std::vector<std::string>{"No sound output: no card"});

    prompter.clear();
    for (const char* name : {"Go.wav", "Gone.wav", "beep.wav"})
        player.PlaySoundFile(name);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_TRUE(device.playedSlots().empty());
}

TEST_F(SoundPlayerTest, EventSoundsAreHeardCentredAtFullVolume) {
    startUp();
    player.PlaySoundFile("Go.wav");
    EXPECT_EQ(device.calls(), (std::vector<std::string>{"load 0 " + inFolder("Go.wav"), "play 0"}));
    EXPECT_EQ(device.slot(0).pan, 0);
    EXPECT_EQ(device.slot(0).volume, 0);

    // An explicit pan or volume is still honoured by the slot routine.
    device.clearCalls();
    player.PlayInFreeSlot("beep.wav", 50, 0, 0);
    EXPECT_EQ(device.calls(),
              (std::vector<std::string>{"load 1 " + inFolder("beep.wav"), "pan 1 -10000",
                                        "volume 1 -3000", "play 1"}));
}

TEST(SoundPlayerUnits, PanAndVolumeSettingsBecomeDeviceUnits) {
    const struct {
        int setting;
        int pan;
        int volume;
    } cases[] = {{0, -10000, -6000}, {1, -4900, -5940}, {25, -2500, -4500}, {50, 0, -3000},
                 {75, 2500, -1500},  {100, 10000, 0},   {120, 7000, 0},     {255, 10000, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        EXPECT_EQ(SlotSoundPlayer::devicePan(c.setting), c.pan);
        EXPECT_EQ(SlotSoundPlayer::deviceVolume(c.setting), c.volume);
    }
}

TEST_F(SoundPlayerTest, WhenAllSlotsSoundTheOldestGivesWayAtOnce) {
    startUp();
    for (int i = 0; i < 31; ++i)
        player.PlaySoundFile("beep.wav");
    ASSERT_EQ(device.playedSlots().size(), 31u);

    // A slot that ends while the others sound is the one taken.
    device.setPlaying(3, false);
    player.PlaySoundFile("Go.wav");
    EXPECT_EQ(device.playedSlots().back(), 3);

    // All 31 sound: the 32nd request cuts the sound that started first (slot
    // 0), then the next oldest, without waiting for any of them.
    device.clearCalls();
    player.PlaySoundFile("Checkered Flag.wav");
    player.PlaySoundFile("Go.wav");
    EXPECT_EQ(device.playedSlots(), (std::vector<int>{0, 1}));
    EXPECT_EQ(device.slot(0).path, inFolder("Checkered Flag.wav"));
    EXPECT_EQ(device.slot(1).path, inFolder("Go.wav"));
    EXPECT_EQ(device.slot(3).path, inFolder("Go.wav")) << "the newer sound plays on";

    // A sound that has just ended is preferred to cutting the oldest.
    for (int slot = 0; slot < 31; ++slot)
        device.setPlaying(slot, true);
    device.endAfterReads(20, 0);
    device.clearCalls();
    player.PlaySoundFile("beep.wav");
    EXPECT_EQ(device.playedSlots(), std::vector<int>{20});
}

struct GateCase {
    RaceSound sound;
    const char* file;  // "" = no event plays it
};

TEST(RaceSoundGates, EachEventPlaysItsFileOnlyWhenSwitchedOn) {
    struct Recorder : SoundPlayer {
        std::vector<std::string> played;
        void PlaySoundFile(const std::string& name) override { played.push_back(name); }
    };
    const GateCase cases[] = {
        {kSoundRaceStarts1Min, "Race Starts in 1 min.wav"},
        {kSoundRaceStarts40Sec, ""},
        {kSoundRaceStarts20Sec, "Race Starts in 20 sec.wav"},
        {kSoundRaceStarts5Sec, "Race Starts in 5 sec.wav"},
        {kSoundGetReady, "Get Ready.wav"},
        {kSoundGo, "Go.wav"},
        {kSoundYellowFlag, "Yellow Flag.wav"},
        {kSoundWhiteFlag, "White Flag.wav"},
        {kSoundRedFlag, "Red Flag.wav"},
        {kSound10SecondsLeft, "10 Seconds Left.wav"},
        {kSoundHeatOver, "Heat Over.wav"},
        {kSoundRaceOver, "Race Over.wav"},
        {kSoundCheckeredFlag, "Checkered Flag.wav"},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.file);
        SoundTable table;
        table.raceSoundEnabled.fill(true);
        table.raceSoundEnabled[c.sound] = false;
        Recorder off;
        playRaceSound(table, off, c.sound);
        EXPECT_TRUE(off.played.empty());

        // Only this one switched on: only its own file is heard.
        table.raceSoundEnabled.fill(false);
        table.raceSoundEnabled[c.sound] = true;
        Recorder on;
        for (int s = 0; s < kRaceSoundCount; ++s)
            playRaceSound(table, on, static_cast<RaceSound>(s));
        EXPECT_EQ(on.played,
                  *c.file ? std::vector<std::string>{c.file} : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace qel
