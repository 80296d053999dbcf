#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/board/frm_qel_timer.h"

namespace qel::ui {
namespace {

TEST(MainWindow, CarriesTheWholeMenuByControlName) {
    FrmQelTimer window;
    EXPECT_EQ(window.objectName(), "frmQelTimer");
    const QStringList menus = {"mnuFile",  "mnuRaceFormat",  "mnuViewData",
                               "mnuRaceR", "mnuRaceSetting", "mnuHelp"};
    QStringList shown;
    for (QAction* action : window.menuBar()->actions())
        shown << action->objectName();
    EXPECT_EQ(shown, menus);

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
        QAction* action = window.mainMenu().action(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), caption) << name;
    }
    for (const char* separator :
         {"mnuOpenSep", "mnuHeatSep", "mnuSepSound", "mnuSepOptions", "sep"}) {
        ASSERT_NE(window.mainMenu().action(separator), nullptr) << separator;
        EXPECT_TRUE(window.mainMenu().action(separator)->isSeparator()) << separator;
    }
}

TEST(MainWindow, WithoutARaceEngineStartIsGreyedOut) {
    FrmQelTimer window;
    auto* start = window.findChild<QPushButton*>("cmdStart");
    ASSERT_NE(start, nullptr);
    EXPECT_FALSE(start->isEnabled());
}

TEST(MainWindow, ExitClosesTheWindow) {
    FrmQelTimer window;
    window.show();
    ASSERT_TRUE(window.isVisible());
    window.mainMenu().action("mnuExit")->trigger();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace qel::ui
