#include "app/program_windows.h"

#include <QComboBox>
#include <QUrl>
#include <stdexcept>

#include "core/shell/help_pages.h"
#include "core/timesell/lane_time.h"
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

namespace qel::app {

ProgramWindows::ProgramWindows(RaceEngine& engine, Shell& shell, UserSettings& userSettings,
                               RecordWindows& records)
    : engine_(engine),
      seams_(engine.seams()),
      shell_(shell),
      userSettings_(userSettings),
      records_(records) {}

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
    ui::FrmQelOptions dialog(seams_.folder, app.options, app.raceSettings, app.installation,
                             userSettings_, seams_.prompter, std::move(hooks), &board());
    dialog.exec();
    app.board.busy = false;
}

void ProgramWindows::showInstallationLogin() {
    ui::LoginHooks hooks;
    // The time-selling window is not part of the program yet, so the
    // password always leads to Installation.
    hooks.timeSellingShown = [] { return false; };
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
    hooks.resetSoldTime = [&app](int lane) { ResetLaneTime(app.race, lane); };
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
    window.render();
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
    ui::FrmQelAbout about(&board());
    about.exec();
}

}  // namespace qel::app
