// Real mode the way a race director turns it on: the box on port 1, Demo Mode
// unticked in Race Format, then Start. The box is the simulator on a
// pseudo-terminal, the timers and the clock are the real ones.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "e2e/box_simulator_process.h"
#include "operator_desk.h"
#include "platform/qt_timers.h"

namespace qel {
namespace {

constexpr int kLaps = 5;

class BoxPath : public ::testing::Test {
  protected:
    test::TempFolder boxFolder;
    test::BoxSimulator box{boxFolder.path(), 11, "1=1200,2=1300,3=1400,4=1600"};
    test::TempFolder folder;
    platform::SerialPort port{AppFolder(folder.path())};
    platform::QtClock clock;
    platform::QtTimerService timers;
    test::ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6}};
    test::RecordingSoundDevice sound;
    platform::QtPrompter prompter;
};

TEST_F(BoxPath, UntickingDemoModeRacesOnTheBox) {
    ASSERT_TRUE(box.waitUntilReady()) << box.diagnostics();
    test::copyShippedApplicationFolder(folder);
    test::pointPortOneAt(folder, box.link());
    test::ProgramHarness desk(folder.path(), port, clock, timers, random, sound, prompter);
    desk.settings.setValue("Options", "Show Tips at Startup", "0");
    desk.start();
    ASSERT_EQ(desk.text("lblRaceFormat"), "Demo - Practice");

    // Instant start; the simulator's laps are short, so half a second minimum.
    desk.hands.expect("frmQelOptions", [](QWidget& dialog) {
        test::click(dialog, "optStartMethod_0");
        test::choose(dialog, "cmbMinLapTime", "0.5");
        test::click(dialog, "cmdOk");
    });
    desk.chooseMenu("mnuOptions");
    desk.chooseRaceFormat("Lap Race", QString::number(kLaps), /*demoMode=*/false);
    ASSERT_TRUE(desk.hands.done());
    EXPECT_EQ(desk.text("lblRaceFormat"), "5 Lap Race");

    desk.pressStart();
    ASSERT_EQ(desk.startCaption(), "Pause") << box.diagnostics();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return desk.text("lblRaceOver") == "Race Over" && desk.startCaption() == "Reset"; },
        30'000))
        << "leader's laps " << desk.cell("lblLapNum", 1).toStdString() << "\n"
        << box.diagnostics();
    EXPECT_EQ(desk.engine.board().flagPicture, kFlagCheckered);
    EXPECT_EQ(desk.cell("lblLapNum", 1), QString::number(kLaps));

    // The program asked the box before the start and then started it.
    std::vector<std::string> heard;
    for (const auto& command : box.commands())
        heard.push_back(command.text);
    const auto probe = std::find(heard.begin(), heard.end(), "V");
    ASSERT_NE(probe, heard.end());
    EXPECT_NE(std::find(probe, heard.end(), "S"), heard.end());

    // Every lane counted the crossings the box reported, up to its finish lap.
    const RaceState& race = desk.engine.state();
    std::map<int, int> crossed;
    for (const test::Crossing& c : box.crossings()) {
        if (c.boxMs <= race.elapsedMs) ++crossed[c.lane];
    }
    for (int lane = 1; lane <= test::kSimulatorLanes; ++lane) {
        const int expected = std::min<int>(crossed[lane] + desk.engine.setup().firstLapOffset(),
                                           race.finishLap[lane]);
        EXPECT_EQ(race.lapCount[lane], expected) << "lane " << lane;
    }
}

}  // namespace
}  // namespace qel
