#include "core/engine/formula1_lights.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/start_lights_bench.h"

namespace qel {
namespace {

class Formula1LightsTest : public ::testing::Test, protected test::StartLightsBench {
  protected:
    Formula1LightsTest() { options.formula1Start = -1; }

    Formula1Lights& open() {
        lights = std::make_unique<Formula1Lights>(time, random, services(), hooks());
        lights->load();
        return *lights;
    }

    std::unique_ptr<Formula1Lights> lights;
};

TEST_F(Formula1LightsTest, FourRedsOneSecondApartThenGreenAfterTheDrawnWait) {
    random.script({0.5});  // 0.5 × 3000 + 1000: green 2.5 s after the fourth red
    open();
    EXPECT_EQ(newSounds(), std::vector<std::string>{"Get Ready.wav"});
    const Moment moments[] = {
        {999, "....", {}, "", true},
        {1000, "....", {}, "", true},
        {1999, "....", {}, "", true},
        {2000, "R...", {"beep.wav"}, "", true},
        {3000, "RR..", {"beep.wav"}, "", true},
        {4000, "RRR.", {"beep.wav"}, "", true},
        {5000, "RRRR", {"beep.wav"}, "", true},
        {7499, "RRRR", {}, "", true},
        {7500, "GGGG", {"Go.wav"}, "SE", true},
        {7999, "GGGG", {}, "", true},
        {8000, "GGGG", {}, "", false},
        {20000, "GGGG", {}, "", false},
    };
    expectMoments(*lights, moments);
    EXPECT_EQ(calls, (std::vector<std::string>{"flag 1", "closed"}));
}

TEST_F(Formula1LightsTest, TheWaitAfterTheFourthRedRunsFromOneToJustUnderFourSeconds) {
    const struct {
        double draw;
        int waitMs;
    } cases[] = {{0.0, 1000}, {0.25, 1750}, {0.5, 2500}, {0.9999999, 3999}, {1.0, 3999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.draw);
        time.advance(100000 - time.tickCountMs() % 100000);
        const int64_t opened = time.tickCountMs();
        random.script({c.draw});
        open();
        time.advance(5000 + c.waitMs - 1);
        EXPECT_EQ(lampText(*lights), "RRRR");
        time.advance(1);
        EXPECT_EQ(lampText(*lights), "GGGG");
        EXPECT_EQ(time.tickCountMs() - opened, 5000 + c.waitMs);
    }
}

TEST_F(Formula1LightsTest, TheGreenStartsTheRaceAndThrowsAwayWhatTheBoxSentDuringTheLights) {
    open();
    EXPECT_FALSE(board.startEnabled);
    at(3000);
    port.feed("A1234\r");
    at(7500);
    EXPECT_EQ(port.charactersWaiting(), 0);
    EXPECT_TRUE(raceTick->enabled());
    EXPECT_EQ(board.flagPicture, kFlagGreen);
    EXPECT_FALSE(board.startEnabled);
    EXPECT_EQ(board.startState, StartState::Start);
    at(8000);
    EXPECT_TRUE(board.startEnabled);
    EXPECT_EQ(board.startState, StartState::Pause);
    EXPECT_FALSE(lights->timer().enabled());
}

TEST_F(Formula1LightsTest, DemoModeRunsTheSameLightsButSendsNothing) {
    raceSettings.demoMode = 1;
    options.powerBeforeGreen = -1;
    open();
    at(7500);
    EXPECT_EQ(lampText(*lights), "GGGG");
    EXPECT_TRUE(raceTick->enabled());
    at(8000);
    EXPECT_FALSE(lights->isOpen());
    EXPECT_EQ(port.written(), "");
}

TEST_F(Formula1LightsTest, PowerBeforeGreenComesOnWhenTheWindowOpens) {
    const struct {
        int16_t relay;
        int16_t beforeGreen;
        const char* atOpen;
        const char* atGreen;
    } cases[] = {
        {kRelayNormallyClosed, -1, "E", "SE"},
        {kRelayNormallyClosed, 0, "", "SE"},
        {kRelayNormallyOpen, -1, "R", "SR"},
        {kRelayNone, -1, "", "S"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.relay * 10 + c.beforeGreen);
        installation.relayIndex = c.relay;
        options.powerBeforeGreen = c.beforeGreen;
        time.advance(100000 - time.tickCountMs() % 100000);
        const int64_t opened = time.tickCountMs();
        open();
        EXPECT_EQ(newWrites(), c.atOpen);
        at(opened + 7499);
        EXPECT_EQ(newWrites(), "");
        at(opened + 7500);
        EXPECT_EQ(newWrites(), c.atGreen);
    }
}

TEST_F(Formula1LightsTest, SoundsFollowTheRaceSoundSwitches) {
    const struct {
        bool getReady;
        bool go;
        std::vector<std::string> played;
    } cases[] = {
        {true, true, {"Get Ready.wav", "beep.wav", "beep.wav", "beep.wav", "beep.wav", "Go.wav"}},
        {false, true, {"beep.wav", "beep.wav", "beep.wav", "beep.wav", "Go.wav"}},
        {true, false, {"Get Ready.wav", "beep.wav", "beep.wav", "beep.wav", "beep.wav"}},
    };
    for (const auto& c : cases) {
        sounds.raceSoundEnabled[kSoundGetReady] = c.getReady;
        sounds.raceSoundEnabled[kSoundGo] = c.go;
        player.played.clear();
        open();
        time.advance(10000);
        EXPECT_EQ(player.played, c.played);
    }
}

TEST_F(Formula1LightsTest, RightClickWhileTheSecondRedIsLitGivesGreenOnTheNextTick) {
    open();
    at(3000);
    ASSERT_EQ(lampText(*lights), "RR..");
    at(3300);
    lights->rightMouseDown();
    at(3999);
    EXPECT_EQ(lampText(*lights), "RR..");
    at(4000);
    EXPECT_EQ(lampText(*lights), "GGGG");
    EXPECT_TRUE(raceTick->enabled());
    EXPECT_EQ(newWrites(), "SE");
    at(4500);
    EXPECT_FALSE(lights->isOpen());
    EXPECT_EQ(random.draws(), 0);
}

TEST_F(Formula1LightsTest, RightClickAfterTheGreenDoesNotStartTheRaceTwice) {
    open();
    at(7500);
    newWrites();
    newSounds();
    lights->rightMouseDown();
    at(9000);
    EXPECT_EQ(newWrites(), "");
    EXPECT_EQ(newSounds(), std::vector<std::string>{});
    EXPECT_FALSE(lights->isOpen());
    EXPECT_EQ(board.startState, StartState::Pause);
}

TEST_F(Formula1LightsTest, EscBeforeTheGreenAbandonsTheStart) {
    options.powerBeforeGreen = -1;
    open();
    at(3500);
    lights->escapePressed();
    EXPECT_FALSE(lights->isOpen());
    EXPECT_EQ(calls, (std::vector<std::string>{"closed", "reset"}));
    // Power that came on early goes off again: no car runs while nothing is timed.
    EXPECT_EQ(newWrites(), "ER");
    at(20000);
    EXPECT_EQ(lampText(*lights), "RR..");
    EXPECT_FALSE(raceTick->enabled());
    EXPECT_EQ(board.flagPicture, kFlagIdle);
    EXPECT_EQ(newWrites(), "");
}

TEST_F(Formula1LightsTest, EscAfterTheGreenOnlyHurriesTheLastStep) {
    open();
    at(7600);
    lights->escapePressed();
    EXPECT_FALSE(lights->isOpen());
    EXPECT_EQ(calls, (std::vector<std::string>{"flag 1", "closed"}));
    EXPECT_TRUE(raceTick->enabled());
    EXPECT_TRUE(board.startEnabled);
    EXPECT_EQ(board.startState, StartState::Pause);
}

TEST_F(Formula1LightsTest, LastStepSetsPauseOnlyFromStartOrContinue) {
    const struct {
        StartState before;
        StartState after;
    } cases[] = {{StartState::Start, StartState::Pause},
                 {StartState::Continue, StartState::Pause},
                 {StartState::Reset, StartState::Reset},
                 {StartState::Pause, StartState::Pause}};
    for (const auto& c : cases) {
        SCOPED_TRACE(startCaptionOf(c.before));
        board.startState = c.before;
        open();
        time.advance(10000);
        EXPECT_EQ(board.startState, c.after);
    }
}

TEST_F(Formula1LightsTest, AutoDelayBannerOnlyWhenHeatsRollOnByThemselves) {
    const struct {
        int16_t autoDelay;
        int16_t raceFormat;
        bool banner;
    } cases[] = {
        {1, kRoundRobin, true},
        {1, kPracticeWithRotation, true},
        {1, kLapRace, false},  // the box is greyed out for a single race
        {0, kRoundRobin, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raceFormat);
        raceSettings.autoDelay = c.autoDelay;
        raceSettings.raceFormat = c.raceFormat;
        board.bannerVisible = false;
        board.banner = "Race  Over";
        open();
        time.advance(10000);
        EXPECT_EQ(board.bannerVisible, c.banner);
        if (c.banner) {
            EXPECT_EQ(board.banner, "Auto Delay");
            EXPECT_EQ(board.bannerColor, kGreenLightColor);
        }
    }
}

TEST_F(Formula1LightsTest, TheMainWindowMayLetGoOfTheLightsWhenTheyClose) {
    StartSequenceHooks letGo;
    letGo.closed = [this] { lights.reset(); };
    lights = std::make_unique<Formula1Lights>(time, random, services(), std::move(letGo));
    lights->load();
    time.advance(10000);
    EXPECT_EQ(lights, nullptr);
}

}  // namespace
}  // namespace qel
