// A race the program stopped in the middle of (a crash, a kill, a power cut)
// is offered back at the next start-up from the race journal, and goes on.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "core/seams/virtual_time.h"
#include "main_window_program.h"
#include "platform/serial_port.h"
#include "support/race_setup.h"
#include "support/recording_sound_device.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

constexpr int kTickMs = 100;

class RaceRestore : public ::testing::Test {
  protected:
    RaceRestore() {
        test::copyShippedApplicationFolder(folder);
        folder.write("QelDat/QelPorts.dat", "\"/nonexistent/qelbox\"\r\n");
        // An instant start, so the race is under way at the press.
        test::changeOptionsFile(AppFolder(folder.path()), [](OptionsSettings& options) {
            test::useStartMethod(options, StartMethod::Instant);
        });
    }

    std::unique_ptr<test::MainWindowProgram> launch() {
        auto program = std::make_unique<test::MainWindowProgram>(folder.path(), port, time, time,
                                                                 random, sound);
        return program;
    }
    void run(int64_t ms) {
        for (int64_t passed = 0; passed < ms; passed += kTickMs)
            time.advance(kTickMs);
    }

    test::TempFolder folder;
    platform::SerialPort port{AppFolder(folder.path())};
    VirtualScheduler time{46000.5};
    test::ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6, 0.35}};
    test::RecordingSoundDevice sound;
};

TEST_F(RaceRestore, AnInterruptedRaceComesBackAsItStoodAndGoesOn) {
    // The first run: a 50-lap demo race, stopped dead 40 seconds in.
    auto first = launch();
    first->start();
    first->chooseLapRace(50);
    first->pressStart();
    ASSERT_EQ(first->startCaption(), "Pause");
    run(40'000);
    const RaceState& before = first->engine.state();
    ASSERT_GT(before.lapCount[1], 3);
    auto laps = before.lapCount;
    auto best = before.bestLapMs;
    auto order = before.runningOrder;
    std::array<std::vector<float>, kMaxLanes + 1> times{};
    for (int lane = 1; lane <= before.laneCount; ++lane)
        for (int lap = 0; lap <= before.lapCount[lane]; ++lap)
            times[lane].push_back(before.lapTimes[lane][lap]);
    const QString shownLeader = first->cell("lblName", 1);
    first.reset();  // no closing steps, as after a crash

    // The next start asks once; Yes puts the race back, paused.
    auto second = launch();
    second->prompter.answer(MessageAnswer::Yes);
    second->start();
    ASSERT_EQ(second->prompter.messages().size(), 1u);
    EXPECT_EQ(second->prompter.messages()[0].title, "Race Journal");
    EXPECT_EQ(second->prompter.messageTexts()[0].rfind(
                  "The last race was interrupted (Demo - 50 Lap Race, ", 0),
              0u)
        << second->prompter.messageTexts()[0];
    const RaceState& after = second->engine.state();
    EXPECT_EQ(after.lapCount, laps);
    EXPECT_EQ(after.bestLapMs, best);
    EXPECT_EQ(after.runningOrder, order);
    for (int lane = 1; lane <= after.laneCount; ++lane)
        for (int lap = 0; lap <= after.lapCount[lane]; ++lap)
            EXPECT_EQ(after.lapTimes[lane][lap], times[lane][lap])
                << "lane " << lane << " lap " << lap;
    EXPECT_EQ(second->startCaption(), "Continue");
    EXPECT_EQ(second->text("lblRaceOver"), "Paused");
    EXPECT_EQ(second->text("lblRaceFormat"), "Demo - 50 Lap Race");
    EXPECT_EQ(second->cell("lblName", 1), shownLeader);

    // Continue carries the same race on.
    second->pressStart();
    EXPECT_EQ(second->startCaption(), "Pause");
    run(20'000);
    for (int lane = 1; lane <= after.laneCount; ++lane)
        EXPECT_GT(after.lapCount[lane], laps[lane]) << "lane " << lane;
    second.reset();

    // Asked once: the race is the journal's still-running race, not a new one; a No
    // keeps it for the record and the program starts clean.
    auto third = launch();
    third->prompter.answer(MessageAnswer::No);
    third->start();
    ASSERT_EQ(third->prompter.messages().size(), 1u);
    EXPECT_EQ(third->startCaption(), "Start");
    third.reset();
    auto fourth = launch();
    fourth->start();
    EXPECT_TRUE(fourth->prompter.messages().empty());
}

}  // namespace
}  // namespace qel
