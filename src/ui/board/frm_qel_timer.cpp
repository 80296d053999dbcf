#include "ui/board/frm_qel_timer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QUrl>

#include "core/engine/board_headers.h"
#include "core/shell/help_pages.h"
#include "core/shell/main_window_placement.h"
#include "core/shell/tip_startup_setting.h"
#include "ui/board/frm_countdown.h"
#include "ui/board/frm_drag_racing.h"
#include "ui/board/frm_formula1.h"
#include "ui/board/race_board_view.h"
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

namespace qel::ui {
namespace {

// Items whose windows come with the records, heats and time-selling parts of
// the program; until then they stay greyed out rather than open nothing.
constexpr const char* kItemsNotYetInTheProgram[] = {
    "mnuOpen",         "mnuLapTimes",     "mnuSummary", "mnuRaceResults",
    "mnuHeatSequence", "mnuSelectRacers", "mnuTime"};

}  // namespace

FrmQelTimer::FrmQelTimer(RaceEngine& engine, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), engine_(engine), services_(services) {
    setObjectName("frmQelTimer");
    setWindowTitle("Kestrova Qel Timer");
    view_ = new RaceBoardView(engine_.board(), this);
    setCentralWidget(view_);
    status_ = new QLabel(this);
    status_->setObjectName("lblTimingBoxStatus");
    statusBar()->addWidget(status_, 1);

    // The track's own pointer pictures; a missing one leaves the standard pointer.
    for (const auto& [pointer, file] : {std::pair{BoardPointer::Hand, "handred.ico"},
                                        std::pair{BoardPointer::Racer, "racer.ico"}}) {
        const std::filesystem::path image =
            engine_.seams().folder.resolve(std::string("Images/") + file);
        const QPixmap picture(QString::fromStdString(image.string()));
        if (!picture.isNull()) view_->setPointerCursor(pointer, QCursor(picture, 0, 0));
    }
    view_->setPointerQuery([this](BoardTarget target, int row) {
        return pointerOver(target, row, engine_.state(), engine_.board(),
                           engine_.raceTick().enabled());
    });

    menu_ = buildMainMenu(*this);
    wireBoard();
    wireKeys();
    wireMenu();
    engine_.attachWindows(this);
    engine_.setTickObserver([this] { render(); });
    render();
}

FrmQelTimer::~FrmQelTimer() {
    engine_.setTickObserver({});
    engine_.attachWindows(nullptr);
    if (busyShown_) QApplication::restoreOverrideCursor();
}

void FrmQelTimer::act(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        engine_.board().busy = false;
        engine_.seams().prompter.inform(error.what());
    }
    render();
}

void FrmQelTimer::render() {
    const RaceBoard& board = engine_.board();
    view_->render();
    if (!board.windowTitle.empty()) setWindowTitle(QString::fromStdString(board.windowTitle));
    status_->setText(QString::fromStdString(board.statusText));
    if (board.busy != busyShown_) {
        busyShown_ = board.busy;
        if (busyShown_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    }
    renderMenus();
}

void FrmQelTimer::renderMenus() {
    const MenuStates& states = engine_.board().menu;
    const auto enable = [this](const char* menu, bool enabled) {
        menu_.menu(menu)->menuAction()->setEnabled(enabled);
    };
    enable("mnuFile", states.file);
    enable("mnuRaceFormat", states.raceFormat);
    enable("mnuRaceR", states.racers);
    enable("mnuHelp", states.help);
    menu_.action("mnuInstallation")->setEnabled(states.installation);
    menu_.action("mnuTime")->setVisible(states.timeVisible);
}

void FrmQelTimer::boardChanged() {
    render();
    // The program is about to hold (the coast wait): show the board now.
    if (view_->isVisible()) repaint();
}

void FrmQelTimer::SetFormHeight(int laneCount) {
    RaceState& s = engine_.state();
    s.formHeight = formHeightFor(laneCount, s.formHeight);
    const QScreen* shown = screen();
    const double dpi =
        shown && shown->logicalDotsPerInchY() > 0 ? shown->logicalDotsPerInchY() : 96;
    resize(width(), static_cast<int>(s.formHeight * dpi / kTwipsPerInch));
    try {
        writeFormHeightFile(engine_.seams().folder, s.formHeight);
    } catch (const std::exception& error) {
        engine_.seams().prompter.inform(error.what());
    }
}

// --- The board -----------------------------------------------------------------

void FrmQelTimer::wireBoard() {
    RaceControl& control = engine_.control();
    BoardClicks& clicks = engine_.clicks();
    LaneNames& names = engine_.names();
    connect(view_, &RaceBoardView::startClicked, this,
            [this, &control] { act([&] { control.cmdStart_Click(); }); });
    connect(view_, &RaceBoardView::abortClicked, this,
            [this, &control] { act([&] { control.cmdAbort_Click(); }); });
    connect(view_, &RaceBoardView::lagHeaderClicked, this,
            [this, &clicks] { act([&] { clicks.lblLag_Click(); }); });
    connect(view_, &RaceBoardView::bestHeaderClicked, this,
            [this, &clicks] { act([&] { clicks.lblBestLap_Click(); }); });
    connect(view_, &RaceBoardView::lapHeaderClicked, this,
            [this, &clicks] { act([&] { clicks.lblLapNumber_Click(); }); });
    connect(view_, &RaceBoardView::raceFormatClicked, this,
            [this, &clicks] { act([&] { clicks.lblRaceFormat_Click(); }); });
    connect(view_, &RaceBoardView::flagClicked, this, [this, &clicks] {
        if (clicks.flagOpensAbout()) mnuAbout_Click();
    });
    connect(view_, &RaceBoardView::bestCellClicked, this,
            [this, &clicks](int row) { act([&] { clicks.lblBest_Click(row); }); });
    connect(view_, &RaceBoardView::lagCellClicked, this,
            [this, &clicks](int row) { act([&] { clicks.lblLagTime_Click(row); }); });
    connect(view_, &RaceBoardView::nameClicked, this,
            [this, &names](int row) { act([&] { names.lblName_Click(row); }); });
    connect(view_, &RaceBoardView::nameChosen, this, [this, &names](int row, int entry) {
        act([&] { names.Select_Name_Click(row, entry); });
    });
    connect(view_, &RaceBoardView::nameListLeft, this,
            [this, &names](int row) { act([&] { names.Select_Name_LostFocus(row); }); });
}

void FrmQelTimer::wireKeys() {
    const auto key = [this](QKeySequence sequence, std::function<void()> action) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, action] { act(action); });
    };
    BoardClicks& clicks = engine_.clicks();
    for (int row = 1; row <= kMaxLanes; ++row) {
        const auto digit = static_cast<Qt::Key>(Qt::Key_0 + row);
        key(QKeySequence(digit), [&clicks, row] { clicks.lblBest_Click(row); });
        key(QKeySequence(Qt::KeypadModifier | digit),
            [&clicks, row] { clicks.lblBest_Click(row); });
    }
    key(QKeySequence(Qt::Key_W),
        [this] { engine_.control().PauseButton(engine_.seams().clock.now()); });
    key(QKeySequence(Qt::Key_F4), [&clicks] { clicks.lblLag_Click(); });
    key(QKeySequence(Qt::Key_F5), [&clicks] { clicks.lblBestLap_Click(); });
    key(QKeySequence(Qt::Key_F8), [&clicks] { clicks.ReduceFontSize(); });
    key(QKeySequence(Qt::Key_F9), [&clicks] { clicks.IncreaseFontSize(); });
}

// --- Start sequences -------------------------------------------------------------

StartSequenceServices FrmQelTimer::startServices() {
    AppState& app = engine_.app();
    return {app.race,       app.board,  engine_.raceTick(),
            engine_.link(), app.sounds, engine_.soundPlayer(),
            app.options};
}

StartSequenceHooks FrmQelTimer::startHooks() {
    StartSequenceHooks hooks;
    hooks.boardChanged = [this] { render(); };
    hooks.reset = [this] { act([this] { engine_.control().ReSet(); }); };
    hooks.closed = [this] { render(); };
    return hooks;
}

void FrmQelTimer::showStartCountdown(std::function<void()> then) {
    const int16_t optionsDelay = startDelayAt(engine_.app().options.startDelayIndex).value_or(0);
    StartCountdownHooks hooks;
    hooks.boardChanged = [this] { render(); };
    hooks.closed = [this, then] {
        render();
        if (then) act(then);
    };
    auto* countdown =
        new FrmQelCountdown(engine_.seams().timers, engine_.board(), engine_.state().startDelay,
                            optionsDelay, std::move(hooks), this);
    connect(countdown, &QDialog::finished, countdown, &QObject::deleteLater);
    countdown->setModal(true);
    countdown->show();
    render();
}

void FrmQelTimer::showDragTree() {
    auto* tree = new FrmQelDragRacing(engine_.seams().timers, startServices(), startHooks(), this);
    tree->show();
    render();
}

void FrmQelTimer::showFormula1() {
    auto* lights = new FrmQelFormula1(engine_.seams().timers, engine_.seams().random,
                                      startServices(), startHooks(), this);
    lights->show();
    render();
}

void FrmQelTimer::showRaceFormatForLength() {
    mnuRace_Click(true);
}

// The heat abort window, the next-heat window and the between-heat delay
// come with the heats' own windows; until then an abort during heats asks
// as a single race does.
bool FrmQelTimer::showAbortChoice() {
    return false;
}
void FrmQelTimer::refreshNextHeat() {}
void FrmQelTimer::closeNextHeat() {}
void FrmQelTimer::stopRotateDelay() {}

// --- Menu -------------------------------------------------------------------------

void FrmQelTimer::onMenu(const char* name, std::function<void()> action) {
    QAction* item = menu_.action(name);
    connect(item, &QAction::triggered, this, [this, action] { act(action); });
}

void FrmQelTimer::wireMenu() {
    for (const char* name : kItemsNotYetInTheProgram)
        menu_.action(name)->setEnabled(false);
    onMenu("mnuExit", [this] { close(); });
    onMenu("mnuRace", [this] { mnuRace_Click(false); });
    onMenu("mnuAddRacer", [this] { mnuAddRacer_Click(); });
    onMenu("mnuSound", [this] { mnuSound_Click(); });
    onMenu("mnuOptions", [this] { mnuOptions_Click(); });
    onMenu("mnuInstallation", [this] { mnuInstallation_Click(); });
    onMenu("mnuHelpContent", [this] { mnuHelpContent_Click(); });
    onMenu("mnuDiagnostic", [this] { mnuDiagnostic_Click(); });
    onMenu("mnuWebSite", [this] { mnuWebSite_Click(); });
    onMenu("mnuAbout", [this] { mnuAbout_Click(); });
}

void FrmQelTimer::mnuRace_Click(bool focusTimeList) {
    AppState& app = engine_.app();
    RaceFormatHooks hooks;
    hooks.updateRaceTitle = [this] {
        engine_.title().UpdateRaceTitle();
        render();
    };
    FrmQelRaceFormat dialog(engine_.seams().folder, app.raceSettings, app.race, app.heats,
                            app.board, app.points, engine_.seams().prompter, app.race.laneCount,
                            std::move(hooks), this);
    dialog.load();
    if (focusTimeList) {
        if (auto* time = dialog.findChild<QComboBox*>("cmbTime")) time->setFocus();
    }
    dialog.exec();
    engine_.board().busy = false;
}

void FrmQelTimer::mnuAddRacer_Click() {
    AddRacerHooks hooks;
    hooks.loadRacerLists = [this] { engine_.names().LoadRacerLists(); };
    FrmQelAddRacer dialog(engine_.seams().folder, engine_.seams().prompter, std::move(hooks), this);
    dialog.exec();
}

void FrmQelTimer::mnuSound_Click() {
    auto* dialog = new FrmSound(engine_.seams().folder, engine_.app().sounds, engine_.soundPlayer(),
                                engine_.seams().prompter, engine_.seams().timers, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->load();
    dialog->show();
}

void FrmQelTimer::mnuOptions_Click() {
    AppState& app = engine_.app();
    OptionsHooks hooks;
    hooks.updateRaceTitle = [this] {
        engine_.title().UpdateRaceTitle();
        render();
    };
    hooks.showTipsChanged = [this](bool show) {
        storeShowTipsAtStartup(services_.userSettings, show);
    };
    FrmQelOptions dialog(engine_.seams().folder, app.options, app.raceSettings, app.race,
                         app.installation, engine_.seams().prompter, std::move(hooks), this);
    dialog.load();
    dialog.exec();
    engine_.board().busy = false;
}

void FrmQelTimer::mnuInstallation_Click() {
    LoginHooks hooks;
    hooks.timeSellingShown = [] { return false; };
    hooks.showInstallation = [this] { showInstallation(); };
    hooks.showChangePassword = [this] { showChangePassword(); };
    FrmQelLogin dialog(engine_.seams().folder, engine_.seams().prompter, std::move(hooks), this);
    dialog.load();
    dialog.exec();
}

void FrmQelTimer::showChangePassword() {
    ChangePasswordHooks hooks;
    hooks.showInstallation = [this] { showInstallation(); };
    hooks.showLogin = [this] { mnuInstallation_Click(); };
    FrmQelChangePassword dialog(engine_.seams().folder, engine_.seams().prompter, std::move(hooks),
                                this);
    dialog.load();
    dialog.exec();
}

void FrmQelTimer::showInstallation() {
    AppState& app = engine_.app();
    RaceEngine& engine = engine_;
    InstallationHooks hooks;
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
    hooks.restoreMainWindow = [this] { showNormal(); };
    hooks.setFormHeight = [this](int laneCount) { SetFormHeight(laneCount); };
    // A new lane count ends the program at once, without the closing steps:
    // the next start lays the board out for the new track.
    hooks.endProgram = [this] {
        exitAnswered_ = true;
        unloaded_ = true;
        close();
    };
    FrmQelInstallation dialog(engine_.seams().folder, app.installation, app.race,
                              engine_.seams().prompter, std::move(hooks), this);
    dialog.load();
    dialog.exec();
    engine_.ShowLaneControls();
}

void FrmQelTimer::mnuHelpContent_Click() {
    auto* help = new FrmQelHelp(engine_.seams().folder, this);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->show();
}

void FrmQelTimer::mnuDiagnostic_Click() {
    engine_.board().busy = true;
    render();
    AppState& app = engine_.app();
    FrmQelDiag dialog(engine_.link(), engine_.seams().timers, app.race, app.installation, this);
    dialog.load();
    engine_.board().busy = false;
    render();
    dialog.exec();
}

void FrmQelTimer::mnuWebSite_Click() {
    const std::filesystem::path page = webSitePath(engine_.seams().folder);
    FrmBrowser browser(
        engine_.seams().timers, services_.shell,
        QUrl::fromLocalFile(QString::fromStdString(page.string())).toString().toStdString(), this);
    browser.exec();
}

void FrmQelTimer::mnuAbout_Click() {
    FrmQelAbout about(this);
    about.exec();
}

// --- Closing ------------------------------------------------------------------------

void FrmQelTimer::closeEvent(QCloseEvent* event) {
    // The window's close box is the same as File > Exit: an unsaved race
    // is never thrown away without the question.
    if (!exitAnswered_ && !engine_.mnuExit_Click()) {
        event->ignore();
        return;
    }
    exitAnswered_ = true;
    if (!unloaded_) {
        unloaded_ = true;
        engine_.Form_Unload();
    }
    event->accept();
    emit programEnded();
}

}  // namespace qel::ui
