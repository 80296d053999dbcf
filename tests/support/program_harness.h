#pragma once
// The program exactly as main() puts it together (app::Program), over
// whichever port, clock, timers, prompter and sound card a test gives it, in a
// copy of the shipped application folder; and the race director's hands on
// it: menus, buttons, lists and labels found by their control names, and the
// modal windows answered as they show. Nothing here writes the program's
// state: what a test wants set up, it sets up the way a race director would.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "app/program.h"
#include "core/io/data_folder.h"
#include "platform/live_board_server.h"
#include "platform/sqlite_journal_store.h"
#include "support/memory_user_settings.h"
#include "support/modal_hands.h"
#include "support/recording_print_surface.h"
#include "support/recording_shell.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/board/main_menu.h"

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

class ProgramHarness {
  public:
    ProgramHarness(const std::filesystem::path& root, TimingPort& port, Clock& clock,
                   TimerService& timers, Random& random, SoundDevice& sound, Prompter& prompter)
        : folder(root),
          journal(folder.statsFile("RaceJournal.sqlite")),
          program({{folder, port, clock, timers, random, prompter, sound},
                   shell,
                   settings,
                   fileDialog,
                   printer,
                   liveBoard,
                   journal}),
          engine(program.engine()) {}

    // What main() does once the splash has gone.
    void start() { program.start(); }

    ui::FrmQelTimer& window() { return program.mainWindow(); }

    template <typename Widget = QLabel>
    Widget* find(const char* name) {
        return window().findChild<Widget*>(name);
    }
    QString text(const char* name) {
        if (auto* label = find<QLabel>(name)) return label->text();
        return "<no " + QString(name) + ">";
    }
    QString cell(const char* column, int row) {
        return text((std::string(column) + "_" + std::to_string(row)).c_str());
    }
    QPushButton* startButton() { return find<QPushButton>("cmdStart"); }
    QString startCaption() { return startButton()->text(); }
    bool fileMenuEnabled() {
        return window().mainMenu().menu("mnuFile")->menuAction()->isEnabled();
    }
    // The race director clicks Start, whatever its caption.
    void pressStart() { QTest::mouseClick(startButton(), Qt::LeftButton); }

    // A menu item chosen; a modal window it opens is answered by what the
    // test queued on hands beforehand.
    void chooseMenu(const char* item) {
        QAction* action = window().mainMenu().action(item);
        if (!action || !action->isEnabled()) {
            ADD_FAILURE() << item << " is not an enabled menu item";
            return;
        }
        action->trigger();
    }

    // Race Format: the format by its text, a length by its list entry ("10"
    // laps, "2" minutes; empty leaves the list), Demo Mode ticked or not,
    // then OK.
    void chooseRaceFormat(const QString& format, const QString& length = {},
                          std::optional<bool> demoMode = std::nullopt) {
        hands.expect("frmQelRaceFormat", [format, length, demoMode](QWidget& dialog) {
            auto* formats = dialog.findChild<QComboBox*>("cmbRaceFormat");
            formats->setCurrentIndex(formats->findText(format));
            for (const char* listName : {"cmbLaps", "cmbTime"}) {
                auto* list = dialog.findChild<QComboBox*>(listName);
                if (!length.isEmpty() && list->isVisible() && list->isEnabled())
                    list->setCurrentIndex(list->findText(length));
            }
            if (demoMode) {
                auto* demo = dialog.findChild<QCheckBox*>("chkDemo");
                if (demo->isChecked() != *demoMode) demo->click();
            }
            QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        });
        chooseMenu("mnuRace");
    }

    AppFolder folder;
    RecordingShell shell;
    MemoryUserSettings settings;
    // The desktop's open and save dialogs, answered as the test scripts them.
    ScriptedFileDialog fileDialog;
    // The printer on the test's bench: every printout is recorded, none is sent.
    RecordingPrintSurface printer;
    // The live board's real server: it listens only when the application
    // folder's LiveBoard.dat switches it on, on loopback as on any network.
    platform::LiveBoardServer liveBoard;
    // The race journal as the program keeps it, in the folder's Stats.
    platform::SqliteJournalStore journal;
    ModalHands hands;
    app::Program program;
    RaceEngine& engine;
};

}  // namespace qel::test
