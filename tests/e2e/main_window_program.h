#pragma once
// The program as main() puts it together (race engine, main window, a copy of
// the application folder), over whichever clock, timers, port and sound card a
// test gives it, and the race director's hands on the window: buttons and
// labels found by their control names.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "core/engine/race_engine.h"
#include "core/heats/race_format_settings.h"
#include "core/io/data_folder.h"
#include "core/setup/installation_file.h"
#include "core/setup/options_file.h"
#include "core/state/app_state.h"
#include "support/memory_user_settings.h"
#include "support/race_setup.h"
#include "support/recording_shell.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "ui/board/frm_qel_timer.h"

namespace qel::test {

// The application folder the build lays out beside the program (sounds,
// images, help), with the data files as they ship: the built folder's
// QelDat may hold what someone's run of the program there changed.
inline void copyShippedApplicationFolder(const TempFolder& folder) {
    namespace fs = std::filesystem;
    const fs::path built(QEL_APP_DIR);
    for (const char* sub : {"QelSound", "Images", "Help", "Stats"}) {
        if (fs::exists(built / sub))
            fs::copy(built / sub, folder.path() / sub, fs::copy_options::recursive);
    }
    fs::copy(fs::path(QEL_SOURCE_DIR) / "data" / "QelDat", folder.path() / "QelDat",
             fs::copy_options::recursive);
}

// The race director's settings files, changed as their dialogs' OK would.
template <typename Change>
void changeOptionsFile(const AppFolder& folder, Change change) {
    OptionsSettings options;
    readOptionsFile(folder, options);
    change(options);
    writeOptionsFile(folder, options);
}

template <typename Change>
void changeInstallationFile(const AppFolder& folder, Change change) {
    InstallationSettings installation;
    readInstallationFile(folder, installation);
    change(installation);
    writeInstallationFile(folder, installation);
}

inline void writeRaceFormatFile(const AppFolder& folder, int16_t demoMode) {
    RaceFormatSettings settings;
    DefaultRaceFormatFile(folder, settings, 4);
    settings.demoMode = demoMode;
    WriteRaceFormatFile(raceFormatFilePath(folder), settings);
}

// The whole program over the given outside components.
class MainWindowProgram {
  public:
    MainWindowProgram(const std::filesystem::path& root, TimingPort& port, Clock& clock,
                      TimerService& timers, Random& random, SoundDevice& sound)
        : folder(root), engine(*app, {folder, port, clock, timers, random, prompter, sound}) {}

    ~MainWindowProgram() {
        // The race tick must not fire into a window that is going.
        engine.raceTick().setEnabled(false);
        window.reset();
    }

    // What main() does once the splash has gone.
    void start() {
        window = std::make_unique<ui::FrmQelTimer>(engine, ui::MainWindowServices{shell, settings});
        engine.Form_Load({[this] { window->showInstallation(); }});
        window->render();
        window->show();
    }

    // A lap race as the Race Format dialog's OK leaves it.
    void chooseLapRace(int laps) {
        test::chooseLapRace(*app, laps);
        engine.title().UpdateRaceTitle();
        window->render();
    }

    template <typename Widget = QLabel>
    Widget* find(const char* name) const {
        return window->findChild<Widget*>(name);
    }
    QString text(const char* name) const {
        if (auto* label = find<QLabel>(name)) return label->text();
        return "<no " + QString(name) + ">";
    }
    QString cell(const char* column, int row) const {
        return text((std::string(column) + "_" + std::to_string(row)).c_str());
    }
    QPushButton* startButton() const { return find<QPushButton>("cmdStart"); }
    QString startCaption() const { return startButton()->text(); }
    bool fileMenuEnabled() const {
        return window->mainMenu().menu("mnuFile")->menuAction()->isEnabled();
    }
    // The race director clicks Start, whatever its caption.
    void pressStart() const { QTest::mouseClick(startButton(), Qt::LeftButton); }

    AppFolder folder;
    ScriptedPrompter prompter;
    RecordingShell shell;
    MemoryUserSettings settings;
    std::unique_ptr<AppState> app = makeAppState();
    RaceEngine engine;
    std::unique_ptr<ui::FrmQelTimer> window;
};

}  // namespace qel::test
