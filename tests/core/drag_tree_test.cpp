#include "core/engine/drag_tree.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/start_lights_bench.h"

namespace qel {
namespace {

class DragTreeTest : public ::testing::Test, protected test::StartLightsBench {
  protected:
    DragTreeTest() { options.dragStart = -1; }

    DragRacingTree& open() {
        tree = std::make_unique<DragRacingTree>(time, services(), hooks());
        tree->load();
        return *tree;
    }

    std::unique_ptr<DragRacingTree> tree;
};

TEST_F(DragTreeTest, ThreeAmbersHalfASecondApartThenGreenAtThreeSeconds) {
    open();
    EXPECT_EQ(newSounds(), std::vector<std::string>{"Get Ready.wav"});
    EXPECT_FALSE(board.startEnabled);
    const Moment moments[] = {
        {500, "....", {}, "", true},
        {1000, "....", {}, "", true},
        {1499, "....", {}, "", true},
        {1500, "Y...", {"beep.wav"}, "", true},
        {2000, "YY..", {"beep.wav"}, "", true},
        {2500, "YYY.", {"beep.wav"}, "", true},
        {2999, "YYY.", {}, "", true},
        {3000, "YYYG", {"Go.wav"}, "ESE", true},
        {3499, "YYYG", {}, "", true},
        {3500, "YYYG", {}, "", false},
        {10000, "YYYG", {}, "", false},
    };
    expectMoments(*tree, moments);
    EXPECT_EQ(calls, (std::vector<std::string>{"flag 1", "closed"}));
    EXPECT_TRUE(board.startEnabled);
    EXPECT_EQ(board.startState, StartState::Pause);
}

TEST_F(DragTreeTest, TheFirstAmberLightsOnlyWhileTheStartMethodIsDragRacing) {
    options.dragStart = 0;
    options.formula1Start = -1;
    open();
    at(1500);
    EXPECT_EQ(lampText(*tree), "....");
    EXPECT_EQ(newSounds(), (std::vector<std::string>{"Get Ready.wav", "beep.wav"}));
    at(2000);
    EXPECT_EQ(lampText(*tree), ".Y..");
}

TEST_F(DragTreeTest, GreenSaysGoOrBeepsWhenGoIsSwitchedOff) {
    const struct {
        bool go;
        const char* atGreen;
    } cases[] = {{true, "Go.wav"}, {false, "beep.wav"}};
    for (const auto& c : cases) {
        sounds.raceSoundEnabled[kSoundGo] = c.go;
        const int64_t opened = time.tickCountMs();
        open();
        at(opened + 2999);
        newSounds();
        at(opened + 3000);
        EXPECT_EQ(newSounds(), std::vector<std::string>{c.atGreen});
        at(opened + 4000);
    }
}

TEST_F(DragTreeTest, TheGreenStartsTheRaceAndThrowsAwayWhatTheBoxSentDuringTheTree) {
    open();
    at(2000);
    port.feed("B998\r");
    at(3000);
    EXPECT_EQ(port.charactersWaiting(), 0);
    EXPECT_TRUE(raceTick->enabled());
    EXPECT_EQ(board.flagPicture, kFlagGreen);
}

TEST_F(DragTreeTest, DemoModeRunsTheSameTreeButSendsNothing) {
    raceSettings.demoMode = 1;
    options.powerBeforeGreen = -1;
    open();
    at(3000);
    EXPECT_EQ(lampText(*tree), "YYYG");
    EXPECT_TRUE(raceTick->enabled());
    at(3500);
    EXPECT_FALSE(tree->isOpen());
    EXPECT_EQ(port.written(), "");
}

TEST_F(DragTreeTest, PowerBeforeGreenComesOnWhenTheTreeOpens) {
    options.powerBeforeGreen = -1;
    open();
    EXPECT_EQ(newWrites(), "E");
    at(2999);
    EXPECT_EQ(newWrites(), "");
    at(3000);
    EXPECT_EQ(newWrites(), "ESE");
}

TEST_F(DragTreeTest, RightClickJumpsToTheGreenOnTheNextTick) {
    open();
    at(1200);
    tree->rightMouseDown();
    at(1499);
    EXPECT_EQ(lampText(*tree), "....");
    at(1500);
    EXPECT_EQ(lampText(*tree), "...G");
    EXPECT_TRUE(raceTick->enabled());
    at(2000);
    EXPECT_FALSE(tree->isOpen());
    EXPECT_EQ(board.startState, StartState::Pause);
}

TEST_F(DragTreeTest, EscBeforeTheGreenLeavesNoRaceRunning) {
    open();
    at(2200);
    tree->escapePressed();
    EXPECT_EQ(calls, (std::vector<std::string>{"closed", "reset"}));
    at(10000);
    EXPECT_FALSE(raceTick->enabled());
    EXPECT_EQ(port.written(), "");
    EXPECT_EQ(lampText(*tree), "YY..");
    EXPECT_EQ(board.startState, StartState::Start);
    // Esc twice, or after the window has gone, changes nothing more.
    tree->escapePressed();
    tree->rightMouseDown();
    at(20000);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(DragTreeTest, LastStepAlwaysSetsPause) {
    board.startState = StartState::Reset;
    open();
    at(3500);
    EXPECT_EQ(board.startState, StartState::Pause);
}

TEST_F(DragTreeTest, AutoDelayBannerAtTheLastStep) {
    raceSettings.autoDelay = 1;
    raceSettings.raceFormat = kRotationRace;
    open();
    at(3499);
    EXPECT_FALSE(board.bannerVisible);
    at(3500);
    EXPECT_TRUE(board.bannerVisible);
    EXPECT_EQ(board.banner, "Auto Delay");
    EXPECT_EQ(board.bannerColor, kGreenLightColor);
}

}  // namespace
}  // namespace qel
