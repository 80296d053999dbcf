#include "ui/board/main_menu.h"

namespace qel::ui {

MainMenu buildMainMenu(QMainWindow& window) {
    return buildMenuBar(
        window, {
                    {"mnuFile",
                     "&File",
                     {{"mnuOpen", "&Open"}, {"mnuOpenSep", nullptr}, {"mnuExit", "E&xit"}}},
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
                });
}

}  // namespace qel::ui
