#include "ui/board/frm_qel_timer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QShortcut>
#include <QStatusBar>

#include "core/engine/board_headers.h"
#include "core/heats/between_heats.h"
#include "qt/qt_text.h"
#include "ui/board/frm_countdown.h"
#include "ui/board/frm_drag_racing.h"
#include "ui/board/frm_formula1.h"
#include "ui/board/race_board_view.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

FrmQelTimer::FrmQelTimer(RaceEngine& engine, BoardWindows& windows, QWidget* parent)
    : QMainWindow(parent), engine_(engine), windows_(windows) {
    setObjectName("frmQelTimer");
    setWindowTitle("Kestrova Qel Timer");
    view_ = new RaceBoardView(engine_.board(), this);
    setCentralWidget(view_);
    status_ = new QLabel(this);
    status_->setObjectName("lblTimingBoxStatus");
    statusBar()->addWidget(status_, 1);
    settingsNotice_ = new QLabel(this);
    settingsNotice_->setObjectName("lblSettingsNotice");
    statusBar()->addWidget(settingsNotice_, 1);
    recordsNotice_ = new QLabel(this);
    recordsNotice_->setObjectName("lblRecordsNotice");
    statusBar()->addWidget(recordsNotice_, 1);
    liveBoardNotice_ = new QLabel(this);
    liveBoardNotice_->setObjectName("lblLiveBoard");
    liveBoardNotice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addPermanentWidget(liveBoardNotice_);

    // The track's own pointer pictures; a missing one leaves the standard pointer.
    for (const auto& [pointer, file] : {std::pair{BoardPointer::Hand, "handred.ico"},
                                        std::pair{BoardPointer::Racer, "racer.ico"}}) {
        const std::filesystem::path image =
            engine_.seams().folder.resolve(std::string("Images/") + file);
        const QPixmap picture(toQt(image.string()));
        if (!picture.isNull()) view_->setPointerCursor(pointer, QCursor(picture, 0, 0));
    }
    view_->setPointerQuery([this](BoardTarget target, int row) {
        return pointerOver(target, row, engine_.state(), engine_.setup(), engine_.board(),
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
    if (!board.windowTitle.empty()) setWindowTitle(toQt(board.windowTitle));
    status_->setText(toQt(board.statusText));
    settingsNotice_->setText(toQt(board.settingsNotice));
    recordsNotice_->setText(toQt(board.recordsNotice));
    liveBoardNotice_->setText(toQt(board.liveBoardNotice));
    if (board.busy != busyShown_) {
        busyShown_ = board.busy;
        if (busyShown_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    }
    renderMenus();
    emit boardShown();
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
    // The heats' own items are there only while a heat format is in force.
    menu_.action("mnuRaceResults")->setVisible(states.raceResults);
    menu_.action("mnuHeatSep")->setVisible(states.rotationSequence);
    menu_.action("mnuHeatSequence")->setVisible(states.rotationSequence);
}

void FrmQelTimer::boardChanged() {
    render();
    // The program is about to hold (the coast wait): show the board now.
    if (view_->isVisible()) repaint();
}

void FrmQelTimer::SetFormHeight(int laneCount) {
    RaceState& s = engine_.state();
    s.formHeight = formHeightFor(laneCount, s.formHeight);
    resize(width(), twipsToPixelsY(*this, s.formHeight));
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
        if (clicks.flagOpensAbout()) act([this] { windows_.showAbout(); });
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
            engine_.setup()};
}

StartSequenceHooks FrmQelTimer::startHooks() {
    StartSequenceHooks hooks;
    hooks.boardChanged = [this] { render(); };
    hooks.reset = [this] { act([this] { engine_.control().ReSet(); }); };
    hooks.closed = [this] { render(); };
    return hooks;
}

void FrmQelTimer::showStartCountdown(std::function<void()> then) {
    const int16_t delay = engine_.setup().startDelay();
    StartCountdownHooks hooks;
    hooks.boardChanged = [this] { render(); };
    hooks.closed = [this, then] {
        render();
        if (then) act(then);
    };
    auto* countdown = new FrmQelCountdown(engine_.seams().timers, engine_.board(),
                                          countdownSeconds_, delay, std::move(hooks), this);
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
    windows_.showRaceFormat(true);
}

bool FrmQelTimer::showAbortChoice() {
    windows_.showHeatAbort();
    return true;
}
void FrmQelTimer::refreshNextHeat() {
    windows_.refreshNextHeat();
}
void FrmQelTimer::closeNextHeat() {
    windows_.closeNextHeat();
}
void FrmQelTimer::stopRotateDelay() {
    windows_.stopRotateDelay();
}

// --- Menu -------------------------------------------------------------------------

void FrmQelTimer::onMenu(const char* name, std::function<void()> action) {
    QAction* item = menu_.action(name);
    connect(item, &QAction::triggered, this, [this, action] { act(action); });
}

void FrmQelTimer::wireMenu() {
    onMenu("mnuOpen", [this] { windows_.openSavedRace(); });
    onMenu("mnuExit", [this] { close(); });
    onMenu("mnuLapTimes", [this] { windows_.showLapTimes(); });
    onMenu("mnuSummary", [this] { windows_.showSummary(); });
    onMenu("mnuRaceResults", [this] { windows_.showRaceResults(); });
    onMenu("mnuHeatSequence", [this] { windows_.showRotationSequence(); });
    onMenu("mnuSelectRacers", [this] {
        // The demo's heats say so on the board while the racers are placed.
        if (const auto label = selectRacersDemoLabel(engine_.setup()))
            engine_.board().raceDescription = *label;
        windows_.showSelectRacers();
    });
    onMenu("mnuRace", [this] { windows_.showRaceFormat(false); });
    onMenu("mnuAddRacer", [this] { windows_.showRacersDatabase(); });
    onMenu("mnuSound", [this] { windows_.showSound(); });
    onMenu("mnuOptions", [this] { windows_.showOptions(); });
    onMenu("mnuInstallation", [this] { windows_.showInstallationLogin(); });
    onMenu("mnuTime", [this] { windows_.showTime(); });
    onMenu("mnuHelpContent", [this] { windows_.showHelp(); });
    onMenu("mnuDiagnostic", [this] { windows_.showDiagnostics(); });
    onMenu("mnuWebSite", [this] { windows_.showWebSite(); });
    onMenu("mnuAbout", [this] { windows_.showAbout(); });
}

void FrmQelTimer::endWithoutClosingSteps() {
    exitAnswered_ = true;
    unloaded_ = true;
    close();
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
