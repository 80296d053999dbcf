#include "app/heat_windows.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <stdexcept>

#include "app/record_windows.h"
#include "core/heats/race_formats.h"
#include "core/heats/results_slip.h"
#include "ui/board/frm_qel_timer.h"
#include "ui/heats/frm_abort.h"
#include "ui/heats/frm_next_heat.h"
#include "ui/heats/frm_qel_results.h"
#include "ui/heats/frm_rotation_count_down.h"
#include "ui/heats/frm_select_racers.h"

namespace qel::app {
namespace {

constexpr const char* kOptionsDialog = "frmQelOptions";

QDialog* shownOptionsDialog() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == kOptionsDialog && top->isVisible())
            return qobject_cast<QDialog*>(top);
    }
    return nullptr;
}

}  // namespace

HeatWindows::HeatWindows(RaceEngine& engine, HeatWindowServices services)
    : engine_(engine),
      services_(services),
      results_(HeatResultsContext{engine.app().race, engine.app().heats, engine.setup(),
                                  engine.app().installation, engine.soundPlayer(),
                                  engine.seams().folder}) {
    AppState& app = engine.app();
    between_ = std::make_unique<BetweenHeats>(BetweenHeatsContext{
        app.board, engine.setup(), engine.control(), app.sounds, engine.soundPlayer(),
        engine.seams().prompter, engine.seams().timers, *this});
    abort_ = std::make_unique<HeatAbort>(
        HeatAbortContext{app.race, app.heats, app.board, engine.setup(), engine.control(),
                         engine.raceTick(), engine.demo(), [this] { closeNextHeat(); }});
    // The automatic print after a heat, and the results window's Print.
    services_.printouts.setResultsSlip(
        [this](PrintLines& lines, bool endDoc) { printSlip(lines, endDoc); });
}

HeatWindows::~HeatWindows() {
    services_.printouts.setResultsSlip({});
    between_->stop();
}

void HeatWindows::attach(ui::FrmQelTimer& mainWindow, HeatWindowHooks hooks) {
    if (!hooks.showRacersDatabase)
        throw std::logic_error("The heat windows lack the hook showRacersDatabase.");
    if (!hooks.correctionMade)
        throw std::logic_error("The heat windows lack the hook correctionMade.");
    mainWindow_ = &mainWindow;
    hooks_ = std::move(hooks);
}

ui::FrmQelTimer& HeatWindows::mainWindow() {
    if (!mainWindow_) throw std::logic_error("The heat windows are not attached to the board.");
    return *mainWindow_;
}

const HeatWindowHooks& HeatWindows::hooks() {
    if (!hooks_) throw std::logic_error("The heat windows are not attached to the board.");
    return *hooks_;
}

void HeatWindows::boardChanged() {
    engine_.title().UpdateRaceTitle();
    mainWindow().render();
}

// --- Racer placement ---------------------------------------------------------------

namespace {

PlacementContext placementContext(RaceEngine& engine, FileDialog& fileDialog) {
    AppState& app = engine.app();
    const EngineSeams& seams = engine.seams();
    return {seams.folder,     app.race,       app.heats,    app.board, engine.setup(),
            app.installation, seams.prompter, seams.random, fileDialog};
}

}  // namespace

void HeatWindows::showSelectRacers() {
    if (placement_) {
        placement_->raise();
        placement_->activateWindow();
        return;
    }
    PlacementHooks placementHooks{[this] { engine_.title().UpdateRaceTitle(); },
                                  [this] { boardChanged(); }};
    placement_ = new ui::FrmSelectRacers(placementContext(engine_, services_.fileDialog),
                                         std::move(placementHooks),
                                         {[this] { hooks().showRacersDatabase(); }}, &mainWindow());
    placement_->setAttribute(Qt::WA_DeleteOnClose);
    placement_->setWindowFlag(Qt::Window);
    placement_->show();
}

void HeatWindows::selectRacersModal() {
    PlacementHooks placementHooks{[this] { engine_.title().UpdateRaceTitle(); },
                                  [this] { boardChanged(); }};
    ui::FrmSelectRacers dialog(placementContext(engine_, services_.fileDialog),
                               std::move(placementHooks),
                               {[this] { hooks().showRacersDatabase(); }}, &mainWindow());
    dialog.exec();
    boardChanged();
}

void HeatWindows::defineRacers() {
    const int defined = defineRacersFromPlacement(placementContext(engine_, services_.fileDialog));
    // The rotation is built for the racers just defined: the board's lane
    // racers and the last heat race's sit-out racers. Keeping an older count
    // would leave the restored sit-out racers out of every heat, or put
    // racers of an earlier field back into it.
    const RaceSetup setup = engine_.setup();
    if (setup.heatRotation() && !raceFormatRule(setup.raceFormat()).racerCountIsLaneCount)
        engine_.app().heats.racerCount = static_cast<int16_t>(defined);
}

// --- Results -------------------------------------------------------------------------

ui::FrmQelResults& HeatWindows::resultsWindow() {
    if (!resultsWindow_) {
        ui::ResultsHooks hooks;
        hooks.showSummary = [this] { services_.records.showSummary(); };
        hooks.showLapTimes = [this] { services_.records.showLapTimes(); };
        hooks.showRaceResults = [this] { showRaceResults(); };
        hooks.print = [this] { services_.printouts.PrintResults(); };
        hooks.saveToExcel = [this] {
            results_.saveToExcel(services_.fileDialog, engine_.seams().prompter,
                                 engine_.seams().clock.now());
        };
        hooks.boardChanged = [this] { boardChanged(); };
        hooks.corrected = [this] {
            if (const auto& made = results_.lastCorrection()) this->hooks().correctionMade(*made);
        };
        resultsWindow_ = new ui::FrmQelResults(results_, std::move(hooks), &mainWindow());
        resultsWindow_->setWindowFlag(Qt::Window);
        resultsWindow_->place(resultsPlace_);
        QObject::connect(resultsWindow_.data(), &ui::FrmQelResults::closedAt,
                         [this](QRect where) { resultsPlace_ = where; });
        QObject::connect(resultsWindow_.data(), &ui::FrmQelResults::closed, resultsWindow_.data(),
                         &QObject::deleteLater);
    }
    return *resultsWindow_;
}

void HeatWindows::showRaceResults() {
    results_.FillResultsGrid();
    if (optionsDialogVisible()) return;
    ui::FrmQelResults& window = resultsWindow();
    results_.load();
    window.show();
    window.raise();
}

void HeatWindows::printSlip(PrintLines& lines, bool endDoc) {
    // The slip prints what the results window shows; without one on screen
    // it prints the results as they stand now.
    if (!resultsWindow_ || !resultsWindow_->isVisible()) results_.FillResultsGrid();
    PrintResultsSlip(lines, results_, engine_.seams().clock.now(), endDoc);
}

void HeatWindows::refreshResults() {
    if (resultsWindow_ && resultsWindow_->isVisible()) results_.FillResultsGrid();
}

void HeatWindows::refreshLapTimes() {
    services_.records.refreshLapTimes();
}

void HeatWindows::refreshSummary() {
    services_.records.refreshSummary();
}

// --- Next heat -----------------------------------------------------------------------

ui::FrmNextHeat& HeatWindows::nextHeat() {
    if (!nextHeat_) {
        AppState& app = engine_.app();
        nextHeat_ = new ui::FrmNextHeat(NextHeatSources{app.heats, app.race, app.installation},
                                        engine_.seams().timers, engine_.seams().prompter,
                                        services_.printer, {[this] {
                                            if (nextHeat_) nextHeat_->deleteLater();
                                        }},
                                        &mainWindow());
        nextHeat_->setWindowFlag(Qt::Window);
    }
    return *nextHeat_;
}

void HeatWindows::showRotationSequence() {
    ui::FrmNextHeat& window = nextHeat();
    window.show();
    window.raise();
}

void HeatWindows::refreshNextHeat() {
    nextHeat().refill();
}

void HeatWindows::closeNextHeat() {
    if (nextHeat_) nextHeat_->close();
}

void HeatWindows::prepareNextHeatDisplay() {
    // Time is up in a timed heat: the heats run so far are marked.
    nextHeat().markHeatRows();
}

// --- Abort -----------------------------------------------------------------------------

void HeatWindows::showHeatAbort() {
    ui::FrmAbort dialog({[this] { abort_->restartHeat(); }, [this] { abort_->abortRace(); }},
                        &mainWindow());
    dialog.exec();
}

// --- Count-down ---------------------------------------------------------------------

bool HeatWindows::optionsDialogVisible() {
    return shownOptionsDialog() != nullptr;
}

void HeatWindows::cancelOptionsDialog() {
    if (QDialog* options = shownOptionsDialog()) options->reject();
}

bool HeatWindows::modalWindowOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

void HeatWindows::showCountDown() {
    if (!countDown_) {
        // The count-down comes up in place of the results window.
        if (resultsWindow_ && resultsWindow_->isVisible()) resultsWindow_->close();
        countDown_ = new ui::FrmRotationCountDown(*between_, {[this](QPoint where) {
            countDownPlace_ = where;
            if (countDown_) countDown_->deleteLater();
        }},
                                                  countDownPlace_, &mainWindow());
        countDown_->setWindowFlag(Qt::Window);
    }
    countDown_->render();
    countDown_->show();
}

void HeatWindows::closeCountDown() {
    if (countDown_) countDown_->close();
}

}  // namespace qel::app
