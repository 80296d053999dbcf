#include "ui/board/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "qt/qt_text.h"

namespace qel::ui {

namespace {

struct Item {
    const char* name;
    const char* caption;  // nullptr: a separator
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::initializer_list<Item> items;
};

}  // namespace

MainMenu buildMainMenu(QMainWindow& window) {
    const MenuSpec specs[] = {
        {"mnuFile", "&File", {{"mnuOpen", "&Open"}, {"mnuOpenSep", nullptr}, {"mnuExit", "E&xit"}}},
        {"mnuRaceFormat", "R&ace Format", {{"mnuRace", "Race Format"}}},
        {"mnuViewData",
         "&View Data",
         {{"mnuLapTimes", "Lap Times"},
          {"mnuSummary", "Summary"},
          {"mnuRaceResults", "Race Results"},
          {"mnuHeatSep", nullptr},
          {"mnuHeatSequence", "Rotation Sequence"}}},
        {"mnuRaceR",
         "&Racers",
         {{"mnuSelectRacers", "Select Racers"}, {"mnuAddRacer", "Racers Database"}}},
        {"mnuRaceSetting",
         "&Settings",
         {{"mnuSound", "S&ound"},
          {"mnuSepSound", nullptr},
          {"mnuOptions", "Options"},
          {"mnuSepOptions", nullptr},
          {"mnuInstallation", "Installation Settings"},
          {"mnuTime", "Time"}}},
        {"mnuHelp",
         "&Help",
         {{"mnuHelpContent", "Help"},
          {"mnuDiagnostic", "Diagnostic..."},
          {"sep", nullptr},
          {"mnuWebSite", "Kestrova Web site..."},
          {"mnuAbout", "About Kestrova Qel Timer..."}}},
    };

    MainMenu result;
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("menuBar");
    for (const auto& spec : specs) {
        QMenu* menu = bar->addMenu(toQt(spec.caption));
        menu->setObjectName(spec.name);
        menu->menuAction()->setObjectName(spec.name);
        result.menus.insert(spec.name, menu);
        for (const auto& item : spec.items) {
            QAction* action =
                item.caption ? menu->addAction(toQt(item.caption)) : menu->addSeparator();
            action->setObjectName(item.name);
            result.actions.insert(item.name, action);
        }
    }
    return result;
}

}  // namespace qel::ui
