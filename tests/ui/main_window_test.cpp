// The race director's main window over the whole race engine: a fresh copy of
// the default application folder, a timing box on the bench, virtual time and
// a race director whose answers the test scripts.
#include "ui/board/frm_qel_timer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "core/engine/board_headers.h"
#include "core/engine/race_engine.h"
#include "core/io/data_folder.h"
#include "core/seams/virtual_time.h"
#include "core/setup/options_file.h"
#include "core/setup/roster.h"
#include "core/shell/tip_startup_setting.h"
#include "support/fake_timing_port.h"
#include "support/memory_user_settings.h"
#include "support/program_harness.h"
#include "support/race_setup.h"
#include "support/recording_shell.h"
#include "support/recording_sound_device.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
#include "support/temp_folder.h"

namespace qel::ui {
namespace {

// What the race director may not change while a race runs.
constexpr const char* kMenusLockedInARace[] = {"mnuFile", "mnuRaceFormat", "mnuRaceR", "mnuHelp"};
// Items only a heat format has.
constexpr const char* kHeatItems[] = {"mnuRaceResults", "mnuHeatSequence"};

// The program as it stands after start-up on a fresh installation: 4 lanes,
// demo mode, practice, the window shown and active.
class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        // No tip of the day over the board.
        userSettings.setValue(kUserOptionsSection, kShowTipsKey, "0");
        harness.start();
        window = &harness.window();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        prompter.clear();
    }

    template <typename Widget>
    Widget* find(const QString& name) {
        auto* widget = window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString text(const QString& label) { return find<QLabel>(label)->text(); }
    static QString cell(const char* column, int row) {
        return QString("%1_%2").arg(column).arg(row);
    }
    QPushButton* startButton() { return find<QPushButton>("cmdStart"); }
    void press() { QTest::mouseClick(startButton(), Qt::LeftButton); }
    void key(Qt::Key pressed, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window, pressed, modifiers);
    }
    bool menuEnabled(const char* name) {
        return window->mainMenu().menu(name)->menuAction()->isEnabled();
    }
    // The menus a race locks, and Installation with them.
    void expectRaceMenus(bool enabled) {
        for (const char* name : kMenusLockedInARace)
            EXPECT_EQ(menuEnabled(name), enabled) << name;
        EXPECT_EQ(window->mainMenu().action("mnuInstallation")->isEnabled(), enabled);
    }
    void expectHeatItemsHidden() {
        for (const char* name : kHeatItems)
            EXPECT_FALSE(window->mainMenu().action(name)->isVisible()) << name;
    }

    // delaySeconds: the countdown before the lights (0: none).
    void useStartMethod(StartMethod method, int delaySeconds = 0) {
        test::useStartMethod(app->options, method, delaySeconds);
    }
    void lapRace(int laps) {
        test::chooseLapRace(*app, laps);
        // As the Race Format dialog leaves the board once a format is chosen.
        engine.title().UpdateRaceTitle();
        window->render();
    }
    // The lights window while it is open; null once it has gone.
    QWidget* lightsWindow() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window->findChild<QWidget*>("frmQelFormula1");
    }

    test::TempFolder folder;
    AppFolder appFolder{folder.path()};
    test::FakeTimingPort port;
    VirtualScheduler time{46000.5};
    test::ScriptedRandom random{{0.2, 0.7, 0.4, 0.9, 0.1, 0.6}};
    test::ScriptedPrompter prompter;
    test::RecordingSoundDevice device;
    // The application folder laid out before the program is made.
    bool laidOut = (test::layOutApplicationFolder(folder), true);
    test::ProgramHarness harness{folder.path(), port, time, time, random, device, prompter};
    test::RecordingShell& shell = harness.shell;
    test::MemoryUserSettings& userSettings = harness.settings;
    AppState* app = &harness.program.app();
    RaceEngine& engine = harness.engine;
    FrmQelTimer* window = nullptr;
};

TEST_F(MainWindowTest, CarriesTheWholeMenuByControlName) {
    EXPECT_EQ(window->objectName(), "frmQelTimer");
    const QStringList menus = {"mnuFile",  "mnuRaceFormat",  "mnuViewData",
                               "mnuRaceR", "mnuRaceSetting", "mnuHelp"};
    QStringList shown;
    for (QAction* action : window->menuBar()->actions())
        shown << action->objectName();
    EXPECT_EQ(shown, menus);
    const std::pair<const char*, const char*> menuCaptions[] = {
        {"mnuFile", "&File"},
        {"mnuRaceFormat", "R&ace Format"},
        {"mnuRaceR", "&Racers"},
        {"mnuHelp", "&Help"},
    };
    for (const auto& [name, caption] : menuCaptions)
        EXPECT_EQ(window->mainMenu().menu(name)->title(), caption) << name;

    const std::pair<const char*, const char*> items[] = {
        {"mnuOpen", "&Open"},
        {"mnuExit", "E&xit"},
        {"mnuRace", "Race Format"},
        {"mnuLapTimes", "Lap Times"},
        {"mnuSummary", "Summary"},
        {"mnuRaceResults", "Race Results"},
        {"mnuHeatSequence", "Rotation Sequence"},
        {"mnuSelectRacers", "Select Racers"},
        {"mnuAddRacer", "Racers Database"},
        {"mnuSound", "S&ound"},
        {"mnuOptions", "Options"},
        {"mnuInstallation", "Installation Settings"},
        {"mnuTime", "Time"},
        {"mnuHelpContent", "Help"},
        {"mnuDiagnostic", "Diagnostic..."},
        {"mnuWebSite", "Kestrova Web site..."},
        {"mnuAbout", "About Kestrova Qel Timer..."},
    };
    for (const auto& [name, caption] : items) {
        QAction* action = window->mainMenu().action(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), caption) << name;
    }
    for (const char* separator :
         {"mnuOpenSep", "mnuHeatSep", "mnuSepSound", "mnuSepOptions", "sep"}) {
        ASSERT_NE(window->mainMenu().action(separator), nullptr) << separator;
        EXPECT_TRUE(window->mainMenu().action(separator)->isSeparator()) << separator;
    }

    // At rest every menu is open, the heats' items show only with a heat
    // format, and Time only while time is sold.
    expectRaceMenus(true);
    for (const char* name :
         {"mnuExit", "mnuRace", "mnuSelectRacers", "mnuAddRacer", "mnuSound", "mnuOptions",
          "mnuHelpContent", "mnuDiagnostic", "mnuWebSite", "mnuAbout"})
        EXPECT_TRUE(window->mainMenu().action(name)->isEnabled()) << name;
    expectHeatItemsHidden();
    EXPECT_FALSE(window->mainMenu().action("mnuTime")->isVisible());
}

TEST_F(MainWindowTest, ShowsTheBoardTheStartUpLeft) {
    EXPECT_EQ(window->windowTitle(), "Qe Timer - Practice");
    EXPECT_EQ(text("lblRaceFormat"), "Demo - Practice");
    const char* racers[] = {"Anna Fenwright ", "Bruno Kettleby ", "Clara Juniper ", "Dario Moss "};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(text(cell("lblName", row)), racers[row - 1]) << row;
        EXPECT_TRUE(find<QLabel>(cell("lblName", row))->isVisible()) << row;
    }
    for (int row = 5; row <= 8; ++row) {
        for (const char* column : {"lblName", "lblLapNum", "lblLapTime", "lblLagTime", "lblBest"})
            EXPECT_FALSE(find<QLabel>(cell(column, row))->isVisible()) << column << row;
    }
    EXPECT_EQ(startButton()->text(), "Start");
    EXPECT_TRUE(startButton()->isEnabled());
    EXPECT_FALSE(find<QPushButton>("cmdAbort")->isEnabled());
    EXPECT_EQ(text("lblClock"), "00:00");
    EXPECT_FALSE(find<QLabel>("lblRaceOver")->isVisible());
    EXPECT_EQ(text("lblTimingBoxStatus"), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Start, laps on the board, pause, abort: the whole cycle of a demo practice
// as the race director sees it.
TEST_F(MainWindowTest, DemoPracticeRunsPausesAndAbortsFromTheBoard) {
    press();
    EXPECT_EQ(startButton()->text(), "Pause");
    EXPECT_TRUE(engine.raceTick().enabled());
    expectRaceMenus(false);
    expectHeatItemsHidden();

    time.advance(9000);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_NE(text(cell("lblLapNum", row)), "") << row;
        EXPECT_NE(text(cell("lblLapTime", row)), "") << row;
    }
    const QString clock = text("lblClock");
    EXPECT_NE(clock, "00:00");
    time.advance(2000);
    EXPECT_NE(text("lblClock"), clock);

    press();
    EXPECT_EQ(startButton()->text(), "Continue");
    EXPECT_TRUE(find<QLabel>("lblRaceOver")->isVisible());
    EXPECT_EQ(text("lblRaceOver"), "Paused");
    EXPECT_TRUE(find<QPushButton>("cmdAbort")->isEnabled());
    expectRaceMenus(false);
    const QString pausedAt = text("lblClock");
    time.advance(5000);
    EXPECT_EQ(text("lblClock"), pausedAt);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    prompter.answer(MessageAnswer::Yes);
    QTest::mouseClick(find<QPushButton>("cmdAbort"), Qt::LeftButton);
    EXPECT_EQ(prompter.messageTexts(),
              std::vector<std::string>{"Are you sure you want to abort?\r\nAll Data will be lost"});
    EXPECT_EQ(startButton()->text(), "Start");
    EXPECT_FALSE(find<QLabel>("lblRaceOver")->isVisible());
    EXPECT_EQ(text(cell("lblLapNum", 1)), "");
    expectRaceMenus(true);
    expectHeatItemsHidden();
}

// The two seconds count from the press; the shipped 2 s coast holds the
// program meanwhile, and a press read the moment it lets go is the same one.
TEST_F(MainWindowTest, WKeyPausesOnceForPressesWithinTwoSeconds) {
    press();
    time.advance(1000);

    key(Qt::Key_W);
    EXPECT_EQ(startButton()->text(), "Continue");
    key(Qt::Key_W);
    EXPECT_EQ(startButton()->text(), "Continue");
    time.advance(500);  // 2.5 s after the first press
    key(Qt::Key_W);
    EXPECT_EQ(startButton()->text(), "Pause");
}

TEST_F(MainWindowTest, HeaderKeysStepTheHeadersAndStoreThem) {
    // Practice offers "Median" and "Best Lap" for the gap column.
    ASSERT_EQ(text("lblLag"), "Median");
    ASSERT_EQ(text("lblBestLap"), "Best Lap");

    key(Qt::Key_F4);
    EXPECT_EQ(text("lblLag"), "Best Lap");
    key(Qt::Key_F5);
    EXPECT_EQ(text("lblBestLap"), "MPH");
    HeaderChoice stored = readRaceLagFile(appFolder);
    EXPECT_EQ(stored.lagCaption, "Best Lap");
    EXPECT_EQ(stored.bestLapCaption, "MPH");

    key(Qt::Key_F4);
    EXPECT_EQ(text("lblLag"), "Median");
    stored = readRaceLagFile(appFolder);
    EXPECT_EQ(stored.lagCaption, "Median");
    EXPECT_EQ(stored.bestLapCaption, "MPH");
}

TEST_F(MainWindowTest, FontKeysResizeEveryRowCell) {
    const struct {
        Qt::Key pressed;
        int pointSize;
    } steps[] = {{Qt::Key_F8, kDefaultCellFontSize - 1},
                 {Qt::Key_F9, kDefaultCellFontSize},
                 {Qt::Key_F9, kDefaultCellFontSize + 1}};
    for (const auto& step : steps) {
        key(step.pressed);
        for (const char* column : {"lblName", "lblLapNum", "lblLapTime", "lblLagTime", "lblBest"}) {
            for (int row : {1, 8})
                EXPECT_EQ(find<QLabel>(cell(column, row))->font().pointSize(), step.pointSize)
                    << column << row;
        }
    }
    // The headers keep their size.
    EXPECT_NE(find<QLabel>("lblLag")->font().pointSize(), kDefaultCellFontSize + 1);
}

// A lap the sensor should not have counted: the race director clears that
// row's best lap from the number keys or the keypad.
TEST_F(MainWindowTest, NumberKeysClearTheirRowsBestLap) {
    press();
    time.advance(9000);
    const struct {
        int row;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {{2, Qt::NoModifier}, {3, Qt::KeypadModifier}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        ASSERT_NE(text(cell("lblBest", c.row)), "");
        key(static_cast<Qt::Key>(Qt::Key_0 + c.row), c.modifiers);
        EXPECT_EQ(text(cell("lblBest", c.row)), "");
    }
    EXPECT_NE(text(cell("lblBest", 1)), "");
    EXPECT_NE(text(cell("lblBest", 4)), "");
}

TEST_F(MainWindowTest, Formula1LightsHoldTheStartButtonUntilGreen) {
    useStartMethod(StartMethod::Formula1);
    lapRace(10);
    press();

    QWidget* lights = lightsWindow();
    ASSERT_NE(lights, nullptr);
    EXPECT_TRUE(lights->isVisible());
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_EQ(startButton()->text(), "Start");
    EXPECT_FALSE(engine.raceTick().enabled());
    expectRaceMenus(false);

    // Four reds a second apart, a wait of at most four seconds, green for half a second.
    time.advance(10000);
    EXPECT_EQ(lightsWindow(), nullptr);
    EXPECT_EQ(startButton()->text(), "Pause");
    EXPECT_TRUE(startButton()->isEnabled());
    EXPECT_TRUE(engine.raceTick().enabled());
    EXPECT_NE(text("lblClock"), "00:00");
}

TEST_F(MainWindowTest, StartDelayCountsDownBeforeTheLights) {
    useStartMethod(StartMethod::Formula1, 2);
    lapRace(10);
    press();

    auto* countdown = window->findChild<QDialog*>("frmQelCountdown");
    ASSERT_NE(countdown, nullptr);
    EXPECT_TRUE(countdown->isVisible());
    EXPECT_TRUE(countdown->isModal());
    EXPECT_EQ(lightsWindow(), nullptr);
    EXPECT_FALSE(startButton()->isEnabled());

    time.advance(4000);  // two seconds counted, "0", then the lights
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChild<QDialog*>("frmQelCountdown"), nullptr);
    ASSERT_NE(lightsWindow(), nullptr);
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_FALSE(engine.raceTick().enabled());

    time.advance(10000);
    EXPECT_EQ(lightsWindow(), nullptr);
    EXPECT_EQ(startButton()->text(), "Pause");
    EXPECT_TRUE(engine.raceTick().enabled());
}

TEST_F(MainWindowTest, EscOnTheLightsBeforeGreenLeavesTheTrackAtStart) {
    useStartMethod(StartMethod::Formula1);
    lapRace(10);
    press();
    time.advance(2500);  // two reds lit
    QWidget* lights = lightsWindow();
    ASSERT_NE(lights, nullptr);

    QTest::keyClick(lights, Qt::Key_Escape);
    EXPECT_EQ(lightsWindow(), nullptr);
    EXPECT_EQ(startButton()->text(), "Start");
    EXPECT_TRUE(startButton()->isEnabled());
    EXPECT_FALSE(engine.raceTick().enabled());
    expectRaceMenus(true);

    time.advance(10000);
    EXPECT_EQ(startButton()->text(), "Start");
    EXPECT_EQ(text("lblClock"), "00:00");
    EXPECT_EQ(text(cell("lblLapNum", 1)), "");
}

TEST_F(MainWindowTest, NameClickOpensTheRacerListAndTheChoiceIsKept) {
    constexpr int kRow = 2;
    auto* name = find<QLabel>(cell("lblName", kRow));
    auto* list = find<QComboBox>(cell("Select_Name", kRow));
    EXPECT_FALSE(list->isVisible());

    QTest::mouseClick(name, Qt::LeftButton);
    ASSERT_TRUE(list->isVisible());
    EXPECT_FALSE(name->isVisible());
    EXPECT_TRUE(list->geometry().intersects(name->geometry()));
    EXPECT_EQ(list->currentText(), "Bruno Kettleby");
    EXPECT_EQ(list->itemText(list->count() - 1), "Empty");
    EXPECT_FALSE(find<QComboBox>(cell("Select_Name", 1))->isVisible());

    const int chosen = list->findText("Elsa Varnhold");
    ASSERT_GE(chosen, 0);
    emit list->activated(chosen);

    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), "Elsa Varnhold ");
    LaneTable<std::string> stored{};
    readLaneRacerNames(appFolder, stored);
    EXPECT_EQ(stored[1], "Anna Fenwright");
    EXPECT_EQ(stored[kRow], "Elsa Varnhold");
    EXPECT_EQ(stored[3], "Clara Juniper");
    EXPECT_TRUE(prompter.messages().empty());
}

// Every item of the menu that has its window opens it: modal ones hold the
// board until closed, the others stand beside it.
TEST_F(MainWindowTest, MenuItemsOpenTheirWindows) {
    const std::pair<const char*, const char*> items[] = {
        {"mnuRace", "frmQelRaceFormat"},    {"mnuAddRacer", "frmQelAddRacer"},
        {"mnuSound", "frmSound"},           {"mnuOptions", "frmQelOptions"},
        {"mnuInstallation", "frmQelLogin"}, {"mnuHelpContent", "frmQelHelp"},
        {"mnuDiagnostic", "frmQelDiag"},    {"mnuWebSite", "frmBrowser"},
        {"mnuAbout", "frmQelAbout"},        {"mnuLapTimes", "frmQelViewLaps"},
        {"mnuSummary", "frmQelSummary"}};
    for (const auto& [item, windowName] : items) {
        QString modalSeen;
        // A modal window runs its own loop: note it and close it from there.
        QTimer::singleShot(0, [&modalSeen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalSeen = modal->objectName();
                modal->close();
            }
        });
        window->mainMenu().action(item)->trigger();
        QWidget* shown = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == windowName && top->isVisible()) shown = top;
        }
        EXPECT_TRUE(modalSeen == windowName || shown != nullptr) << item;
        if (shown) shown->close();
        QApplication::processEvents();
    }
    EXPECT_EQ(startButton()->text(), "Start");
}

// The pointer says where a click acts: the track's hand over the headers, the
// racer over a name that can be chosen, and a tip that says what happens.
TEST_F(MainWindowTest, PointerAndTipShowWhereAClickActs) {
    const auto enter = [this](const QString& name) {
        QWidget* widget = find<QWidget>(name);
        QEvent entered(QEvent::Enter);
        QApplication::sendEvent(widget, &entered);
        return widget;
    };
    QWidget* lag = enter("lblLag");
    EXPECT_EQ(lag->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(lag->toolTip(), "Click to toggle between \"Best Lap\" & \"Median\"");

    QWidget* name = enter(cell("lblName", 1));
    EXPECT_EQ(name->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(name->toolTip(), "Click to select name, or go to Racers menu to add new names.");

    QWidget* best = enter(cell("lblBest", 1));
    EXPECT_EQ(best->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(best->toolTip(), "");
    EXPECT_NE(lag->cursor().pixmap().cacheKey(), name->cursor().pixmap().cacheKey());
}

TEST_F(MainWindowTest, ClosingDuringAnUnsavedLapRaceAsksFirst) {
    useStartMethod(StartMethod::Instant);
    lapRace(10);
    press();
    ASSERT_EQ(startButton()->text(), "Pause");
    time.advance(3000);
    // What the headers were when the program last stored them.
    writeRaceLagFile(appFolder, {"Lag First", "MPH", 0});
    prompter.clear();
    QSignalSpy ended(window, &FrmQelTimer::programEnded);

    prompter.answer(MessageAnswer::No);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Summary & Lap files have not been saved.\r\nDo you want to exit?");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ended.size(), 0);
    EXPECT_TRUE(engine.raceTick().enabled());
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(readRaceLagFile(appFolder).lagCaption, "Lag First");

    prompter.answer(MessageAnswer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ended.size(), 1);
    EXPECT_FALSE(engine.raceTick().enabled());
    EXPECT_FALSE(port.isOpen());
    const HeaderChoice stored = readRaceLagFile(appFolder);
    EXPECT_EQ(stored.lagCaption, text("lblLag").toStdString());
    EXPECT_EQ(stored.bestLapCaption, text("lblBestLap").toStdString());
    EXPECT_EQ(stored.lagCaption, "Lag Behind");
}

TEST_F(MainWindowTest, ExitFromPracticeClosesWithoutAQuestion) {
    press();
    time.advance(3000);
    QSignalSpy ended(window, &FrmQelTimer::programEnded);

    window->mainMenu().action("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(ended.size(), 1);
}

// The race director must see at once that the box stopped talking.
TEST_F(MainWindowTest, UnpluggedBoxShowsOnTheStatusLine) {
    app->raceSettings.demoMode = 0;
    port.setOnWrite([this](std::string_view bytes) {
        if (bytes == "V") port.feed("QELBOX 2.1\r\n");
    });
    press();
    ASSERT_EQ(startButton()->text(), "Pause");
    time.advance(100);
    EXPECT_EQ(text("lblTimingBoxStatus"), "");

    port.unplug();
    time.advance(100);
    const QString status = text("lblTimingBoxStatus");
    EXPECT_TRUE(status.startsWith("Timing box lost")) << status.toStdString();
    EXPECT_EQ(startButton()->text(), "Continue");
    EXPECT_TRUE(window->statusBar()->isAncestorOf(find<QLabel>("lblTimingBoxStatus")));
}

}  // namespace
}  // namespace qel::ui
