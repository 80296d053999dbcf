#include "app/program_windows.h"

#include <QComboBox>
#include <QUrl>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "core/journal/journal_text.h"
#include "core/liveboard/live_board.h"
#include "core/shell/help_pages.h"
#include "qt/qt_text.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/heats/frm_qel_championship_points.h"
#include "ui/heats/frm_qel_race_format.h"
#include "ui/setup/frm_qel_add_racer.h"
#include "ui/setup/frm_qel_change_password.h"
#include "ui/setup/frm_qel_diag.h"
#include "ui/setup/frm_qel_installation.h"
#include "ui/setup/frm_qel_login.h"
#include "ui/setup/frm_qel_options.h"
#include "ui/shell/frm_browser.h"
#include "ui/shell/frm_qel_about.h"
#include "ui/shell/frm_qel_help.h"
#include "ui/sound/frm_sound.h"
#include "ui/timesell/frm_time.h"

namespace qel::app {

ProgramWindows::ProgramWindows(RaceEngine& engine, Shell& shell, UserSettings& userSettings,
                               RecordWindows& records, HeatWindows& heats, TimeSelling& timeSelling,
                               LiveBoard& liveBoard, JournalStore& journal)
    : engine_(engine),
      seams_(engine.seams()),
      shell_(shell),
      userSettings_(userSettings),
      records_(records),
      heats_(heats),
      timeSelling_(timeSelling),
      liveBoard_(liveBoard),
      journal_(journal) {}

ui::FrmQelTimer& ProgramWindows::board() {
    if (!mainWindow_) throw std::logic_error("The main window is not attached to its menu.");
    return *mainWindow_;
}

void ProgramWindows::refreshBoard() {
    engine_.title().UpdateRaceTitle();
    board().render();
}

void ProgramWindows::showRaceFormat(bool focusTimeList) {
    AppState& app = engine_.app();
    ui::RaceFormatHooks hooks;
    hooks.updateRaceTitle = [this] { refreshBoard(); };
    hooks.raceFormatConfirmed = [this](bool wasDemoMode) {
        engine_.raceFormatConfirmed(wasDemoMode, [this] { showInstallation(); });
    };
    hooks.showPointSystem = [this] { showPointSystem(); };
    hooks.defineRacers = [this] { heats_.defineRacers(); };
    hooks.showSelectRacers = [this] { heats_.selectRacersModal(); };
    ui::FrmQelRaceFormat dialog(seams_.folder, app.raceSettings, app.race, app.heats, app.board,
                                seams_.prompter, app.race.laneCount, std::move(hooks), &board());
    if (focusTimeList) {
        if (auto* time = dialog.findChild<QComboBox*>("cmbTime")) time->setFocus();
    }
    dialog.exec();
    app.board.busy = false;
}

void ProgramWindows::showPointSystem() {
    AppState& app = engine_.app();
    // Not modal, and it outlives the race format dialog that opened it.
    auto* dialog = new ui::FrmQelChampionshipPoints(seams_.folder, app.points, app.heats,
                                                    seams_.prompter, app.race.laneCount, &board());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->load();
    dialog->show();
}

void ProgramWindows::showRacersDatabase() {
    ui::AddRacerHooks hooks;
    hooks.loadRacerLists = [this] { engine_.names().LoadRacerLists(); };
    ui::FrmQelAddRacer dialog(seams_.folder, seams_.prompter, std::move(hooks), &board());
    dialog.exec();
}

void ProgramWindows::showSound() {
    AppState& app = engine_.app();
    auto* dialog = new ui::FrmSound(
        seams_.folder, app.sounds, engine_.soundPlayer(), seams_.prompter, seams_.timers,
        [this] { showHelp(); }, &board());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void ProgramWindows::openSavedRace() {
    records_.open();
}

void ProgramWindows::showLapTimes() {
    records_.showLapTimes();
}

void ProgramWindows::showSummary() {
    records_.showSummary();
}

void ProgramWindows::showOptions() {
    AppState& app = engine_.app();
    // What Options changes (the first lap, the minimum lap) changes what the
    // records show: their windows close first.
    records_.closeAll();
    ui::OptionsHooks hooks;
    hooks.updateRaceTitle = [this] { refreshBoard(); };
    hooks.showHelp = [this] { showHelp(); };
    hooks.applyLiveBoard = [this] { liveBoard_.apply(); };
    ui::FrmQelOptions dialog(seams_.folder, app.options, app.autoSave, app.raceSettings,
                             app.installation, app.liveBoard, userSettings_, seams_.prompter,
                             std::move(hooks), &board());
    dialog.exec();
    app.board.busy = false;
}

void ProgramWindows::showInstallationLogin() {
    ui::LoginHooks hooks;
    // From the Time window's "Sell Time" the password unlocks its selling
    // controls; from the menu it leads to Installation.
    hooks.timeSellingShown = [this] { return time_ && time_->isVisible(); };
    hooks.unlockSelling = [this] {
        timeSelling_.unlockSelling();
        refreshTime();
    };
    hooks.showInstallation = [this] { showInstallation(); };
    hooks.showChangePassword = [this] { showChangePassword(); };
    ui::FrmQelLogin dialog(seams_.folder, seams_.prompter, std::move(hooks), &board());
    dialog.exec();
}

void ProgramWindows::showChangePassword() {
    ui::ChangePasswordHooks hooks;
    hooks.showInstallation = [this] { showInstallation(); };
    hooks.showLogin = [this] { showInstallationLogin(); };
    ui::FrmQelChangePassword dialog(seams_.folder, seams_.prompter, std::move(hooks), &board());
    dialog.exec();
}

void ProgramWindows::showInstallation() {
    AppState& app = engine_.app();
    RaceEngine& engine = engine_;
    ui::FrmQelTimer& window = board();
    ui::InstallationHooks hooks;
    hooks.resetLaneSequence = [&app] { app.raceSettings.sequenceText[2].clear(); };
    hooks.refreshRacerNames = [&engine] { engine.names().LoadNames(); };
    hooks.laneRacerNames = [&app] { return app.race.laneRacerName; };
    hooks.resetRace = [&engine] { engine.control().ReSet(); };
    hooks.loadRacerLists = [&engine] { engine.names().LoadRacerLists(); };
    hooks.openTimingPort = [&engine](int portNumber) {
        bool chooseAnother = false;
        engine.OpenTimingPort(portNumber, [&chooseAnother] { chooseAnother = true; });
        return chooseAnother;
    };
    hooks.sendSensorType = [&engine] { engine.link().SendSensorType(); };
    TimeSelling& selling = timeSelling_;
    hooks.resetSoldTime = [&selling](int lane) { selling.ResetLaneTime(lane); };
    hooks.restoreMainWindow = [&window] { window.showNormal(); };
    hooks.setFormHeight = [&window](int laneCount) { window.SetFormHeight(laneCount); };
    // A new lane count ends the program at once, without the closing steps:
    // the next start lays the board out for the new track.
    hooks.endProgram = [&window] { window.endWithoutClosingSteps(); };
    hooks.showHelp = [this] { showHelp(); };
    ui::FrmQelInstallation dialog(seams_.folder, app.installation, app.race, seams_.prompter,
                                  std::move(hooks), &window);
    dialog.exec();
    engine_.ShowLaneControls();
    // "Sell Time by Lane" may have been turned on: the lane clocks count again.
    timeSelling_.resume();
    window.render();
}

void ProgramWindows::showTime() {
    // The window has nothing to show while no time is sold.
    if (engine_.state().sellTimeEnabled != 1) return;
    if (!time_) {
        ui::TimeHooks hooks;
        hooks.sellTime = [this] { showInstallationLogin(); };
        hooks.showHelp = [this] { showHelp(); };
        time_ = new ui::FrmTime(timeSelling_, engine_.state(), std::move(hooks), &board());
    }
    time_->refresh();
    time_->exec();
    board().render();
}

void ProgramWindows::refreshTime() {
    if (time_) time_->refresh();
}

void ProgramWindows::showHelp() {
    auto* help = new ui::FrmQelHelp(seams_.folder, &board());
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->show();
}

void ProgramWindows::showDiagnostics() {
    AppState& app = engine_.app();
    app.board.busy = true;
    board().render();
    ui::FrmQelDiag dialog(
        engine_.link(), seams_.timers, app.race, app.installation, [this] { showHelp(); },
        &board());
    app.board.busy = false;
    board().render();
    dialog.exec();
}

void ProgramWindows::showWebSite() {
    const std::filesystem::path page = webSitePath(seams_.folder);
    ui::FrmBrowser browser(seams_.timers, shell_,
                           fromQt(QUrl::fromLocalFile(toQt(page.string())).toString()), &board());
    browser.exec();
}

void ProgramWindows::showAbout() {
    // The journal and its log beside it, as they stand on the disk.
    std::optional<std::uintmax_t> bytes;
    for (const char* part : {"", "-wal"}) {
        std::error_code error;
        const auto size = std::filesystem::file_size(journal_.location() + part, error);
        if (!error) bytes = bytes.value_or(0) + size;
    }
    ui::FrmQelAbout about(&board(), journalAboutText(journal_.location(), bytes));
    about.exec();
}

}  // namespace qel::app
