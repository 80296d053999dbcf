// The set-up windows as the race director reaches them from the main menu:
// what they show, what their buttons do, and what reaches the race.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <string>
#include <vector>

#include "core/io/text_codec.h"
#include "core/io/text_file.h"
#include "operator_desk.h"

namespace qel {
namespace {

using SetUpPath = test::OperatorDesk;

std::vector<std::string> listed(QWidget& dialog, const char* list) {
    std::vector<std::string> names;
    if (auto* widget = test::control<QListWidget>(dialog, list)) {
        for (int row = 0; row < widget->count(); ++row)
            names.push_back(widget->item(row)->text().toStdString());
    }
    return names;
}

// What the Automate page lets the race director tick, by the format in force.
TEST_F(SetUpPath, AutomateTicksFollowTheRaceFormat) {
    const struct {
        const char* format;
        bool autoDelay, autoPrint, autoDisplay;
    } cases[] = {{"Practice", false, false, false},
                 {"Lap Race", false, false, false},
                 {"Timed Race", false, false, false},
                 {"Practice with Rotation", true, false, false},
                 {"Championship", true, false, true},
                 {"Round Robin", true, true, true},
                 {"Rotation Race Lap Heats", true, true, true}};
    test::ProgramHarness& desk = start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        if (std::string(c.format) != "Practice") desk.chooseRaceFormat(c.format);
        bool delay = true, print = true, display = true, instant = false;
        setOptions([&](QWidget& dialog) {
            delay = test::control<QCheckBox>(dialog, "chkAutoDelay")->isEnabled();
            print = test::control<QCheckBox>(dialog, "chkAutoPrint")->isEnabled();
            display = test::control<QCheckBox>(dialog, "chkAutoDisplayResults")->isEnabled();
            // Ticking a greyed-out Auto-Delay changes nothing; an enabled one
            // takes "Instant" away, since the delays need a start that waits.
            test::control<QCheckBox>(dialog, "chkAutoDelay")->click();
            instant = test::control<QRadioButton>(dialog, "optStartMethod_0")->isEnabled();
            if (test::control<QCheckBox>(dialog, "chkAutoDelay")->isChecked())
                test::control<QCheckBox>(dialog, "chkAutoDelay")->click();
        });
        EXPECT_EQ(delay, c.autoDelay);
        EXPECT_EQ(print, c.autoPrint);
        EXPECT_EQ(display, c.autoDisplay);
        EXPECT_EQ(instant, !c.autoDelay);
    }
}

// In a heat format with Auto-Delay on, the board says so once the lights
// have started the heat.
TEST_F(SetUpPath, AutoDelayBannerInAHeatFormat) {
    test::ProgramHarness& desk = start();
    desk.chooseRaceFormat("Round Robin", "1");
    setOptions([](QWidget& dialog) {
        test::click(dialog, "optStartMethod_2");
        test::choose(dialog, "cmbDelay", "0");
        test::control<QCheckBox>(dialog, "chkAutoDelay")->click();
    });
    EXPECT_EQ(desk.text("lblRaceFormat").toStdString().rfind("Demo - Round Robin #1/", 0), 0u)
        << desk.text("lblRaceFormat").toStdString();
    desk.pressStart();
    ASSERT_TRUE(runUntil([&] { return desk.startCaption() == "Pause"; }, 20'000));
    EXPECT_TRUE(desk.find("lblRaceOver")->isVisible());
    EXPECT_EQ(desk.text("lblRaceOver"), "Auto Delay");
}

// The roster opens on the file's names; each change keeps the others.
TEST_F(SetUpPath, RacersDatabaseShowsTheRosterAndKeepsItWhole) {
    test::ProgramHarness& desk = start();
    const auto rosterFile = [&] {
        return cp1252ToUtf8(readTextFile(desk.folder.dataFile("QeRacers.dat"), 1 << 20));
    };
    const std::string before = rosterFile();
    std::vector<std::string> shown;
    QString count;
    desk.hands.expect("frmQelAddRacer", [&](QWidget& dialog) {
        shown = listed(dialog, "lstRacers");
        count = test::control<QLabel>(dialog, "lblQty")->text();
        desk.hands.expect("inputBox", [](QWidget& input) {
            input.findChild<QLineEdit*>()->setText("zoe quill");
            QTest::keyClick(&input, Qt::Key_Return);
        });
        test::click(dialog, "cmdAdd");
        EXPECT_EQ(listed(dialog, "lstRacers").size(), shown.size() + 1);
        test::click(dialog, "cmdOk");
    });
    desk.chooseMenu("mnuAddRacer");
    ASSERT_TRUE(desk.hands.done());
    EXPECT_NE(rosterFile().find("Zoe Quill"), std::string::npos);
    ASSERT_FALSE(shown.empty()) << "the roster shows the file's names";
    EXPECT_FALSE(count.isEmpty());
    for (const std::string& name : shown)
        EXPECT_NE(before.find(name), std::string::npos) << name;

    // Delete the new name again: everyone else is still there.
    std::vector<std::string> afterDelete;
    desk.hands.expect("frmQelAddRacer", [&](QWidget& dialog) {
        auto* list = test::control<QListWidget>(dialog, "lstRacers");
        const auto found = list->findItems("Zoe Quill", Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1);
        if (!found.isEmpty()) found.front()->setSelected(true);
        test::click(dialog, "cmdDelete");
        afterDelete = listed(dialog, "lstRacers");
        test::click(dialog, "cmdOk");
    });
    desk.chooseMenu("mnuAddRacer");
    EXPECT_EQ(afterDelete, shown);
    for (const std::string& name : shown)
        EXPECT_NE(rosterFile().find(name), std::string::npos) << name;
}

// Every Help button of the set-up windows opens the help pages.
TEST_F(SetUpPath, EveryHelpButtonOpensHelp) {
    test::ProgramHarness& desk = start();
    const auto helpShownBy = [&](const char* item, const char* dialogName) {
        bool shown = false;
        desk.hands.expect(dialogName, [&shown](QWidget& dialog) {
            test::click(dialog, "cmdHelp");
            shown = test::shownWindow("frmQelHelp") != nullptr;
            if (QWidget* help = test::shownWindow("frmQelHelp")) help->close();
            test::click(dialog, "cmdCancel");
        });
        desk.chooseMenu(item);
        return shown;
    };
    EXPECT_TRUE(helpShownBy("mnuOptions", "frmQelOptions"));

    // Installation lies behind the password.
    bool installationHelp = false;
    desk.hands.expect("frmQelLogin", [&](QWidget& login) {
        desk.hands.expect("frmQelInstallation", [&](QWidget& dialog) {
            test::click(dialog, "cmdHelp");
            installationHelp = test::shownWindow("frmQelHelp") != nullptr;
            if (QWidget* help = test::shownWindow("frmQelHelp")) help->close();
            test::click(dialog, "cmdCancel");
        });
        test::control<QLineEdit>(login, "txtPassword")->setText("pitlane");
        test::click(login, "cmdOK");
    });
    desk.chooseMenu("mnuInstallation");
    EXPECT_TRUE(installationHelp);

    // Without a box, diagnostics says so, and offers another port or the
    // demo when it takes the box's own port back: the demo it is.
    answerMessage(Qt::Key_Return);
    answerMessage(Qt::Key_Escape);
    bool diagnosticsHelp = false;
    desk.hands.expect("frmQelDiag", [&](QWidget& dialog) {
        test::click(dialog, "cmdHelp");
        diagnosticsHelp = test::shownWindow("frmQelHelp") != nullptr;
        if (QWidget* help = test::shownWindow("frmQelHelp")) help->close();
        test::click(dialog, "cmdOk");
    });
    desk.chooseMenu("mnuDiagnostic");
    EXPECT_TRUE(diagnosticsHelp);

    // Sound opens beside the board, not modal.
    desk.chooseMenu("mnuSound");
    QWidget* sound = test::shownWindow("frmSound");
    ASSERT_NE(sound, nullptr);
    test::click(*sound, "cmdHelp");
    EXPECT_NE(test::shownWindow("frmQelHelp"), nullptr);
    test::click(*sound, "cmdCancel");
}

// The tip window's tick and the Options tick are one setting.
TEST_F(SetUpPath, TipOfTheDayTickReachesOptions) {
    test::ProgramHarness& desk = start(/*tipOfTheDay=*/true);
    QWidget* tip = test::shownWindow("frmTip");
    ASSERT_NE(tip, nullptr) << "the tip of the day opens at start-up";
    auto* tick = test::control<QCheckBox>(*tip, "chkLoadTipsAtStartup");
    ASSERT_TRUE(tick->isChecked());
    tick->click();

    bool shownInOptions = true;
    setOptions([&](QWidget& dialog) {
        shownInOptions = test::control<QCheckBox>(dialog, "chkShowTips")->isChecked();
    });
    EXPECT_FALSE(shownInOptions);

    // And back from Options: the next start shows the tips again.
    setOptions([](QWidget& dialog) { test::control<QCheckBox>(dialog, "chkShowTips")->click(); });
    EXPECT_EQ(desk.settings.value("Options", "Show Tips at Startup"), "1");
}

// Enter on "Same Names" answers No: the race does not start.
TEST_F(SetUpPath, EnterOnSameNamesDoesNotStartTheRace) {
    folder.write("QelDat/Racers.dat",
                 "\"Anna Fenwright\",\"Anna Fenwright\",\"Clara Juniper\",\"Dario Moss\","
                 "\"\",\"\",\"\",\"\"\r\n");
    test::ProgramHarness& desk = start();
    useStartMethod(0, 0);
    desk.chooseRaceFormat("Lap Race", "10");
    answerMessage(Qt::Key_Return);
    desk.pressStart();
    ASSERT_TRUE(runUntil([&] { return desk.hands.done(); }, 1000));
    ASSERT_EQ(desk.hands.messagesSeen().size(), 1u);
    EXPECT_EQ(desk.hands.messagesSeen()[0],
              "Warning, names in Lanes 1 and 2 are the same\nDo you want to continue race?");
    EXPECT_EQ(desk.startCaption(), "Start");
    EXPECT_FALSE(desk.engine.raceTick().enabled());
}

// The track call: a second press 2.5 s after the first is the race
// director's, and continues the race the first one paused.
TEST_F(SetUpPath, TwoTrackCallsTwoAndAHalfSecondsApartAreTwoPresses) {
    test::ProgramHarness& desk = start();
    setOptions([](QWidget& dialog) {
        dialog.findChild<QTabBar*>("TabStrip1")->setCurrentIndex(4);
        test::choose(dialog, "cmbCoastTime", "2");
    });
    desk.pressStart();
    ASSERT_EQ(desk.startCaption(), "Pause");
    runUntil([] { return false; }, 5000);

    const auto trackCall = [&] { key(Qt::Key_W); };
    trackCall();  // the pause holds the program for the 2 s coast
    EXPECT_EQ(desk.startCaption(), "Continue");
    trackCall();
    EXPECT_EQ(desk.startCaption(), "Continue") << "the moment the coast is over: the same press";
    time.advance(500);
    trackCall();
    EXPECT_EQ(desk.startCaption(), "Pause") << "2.5 s after the first press: a second press";
    time.advance(1500);
    trackCall();
    EXPECT_EQ(desk.startCaption(), "Pause") << "1.5 s after the last press: the same press";
    time.advance(1000);
    trackCall();
    EXPECT_EQ(desk.startCaption(), "Continue");
}

// A settings file start-up could not use is named on the status line.
TEST_F(SetUpPath, DamagedSettingsAreNamedOnTheStatusLine) {
    folder.write("QelDat/QelOptions.dat", "not,numbers\r\n");
    std::filesystem::remove(folder.path() / "QelSound" / "QelSounds.dat");
    test::ProgramHarness& desk = start();
    EXPECT_EQ(desk.text("lblSettingsNotice"),
              "QelOptions.dat was damaged; the defaults are in use.  QelSounds.dat was missing; "
              "the defaults are in use.");
    // The options' defaults are in force: races begin with lap 0, 2 s minimum.
    EXPECT_EQ(desk.engine.setup().minLapTime(), 2.0f);
    EXPECT_TRUE(desk.hands.unexpected().empty()) << "no message box at start-up";
}

}  // namespace
}  // namespace qel
