#pragma once
// The windows of a heat event: the racer placement, the results over the
// heats run so far, the rotation of every heat, the count-down before the
// next heat and the abort choice of a paused heat. Each is made on first use
// with every hook it needs; the results and count-down windows open where
// they last stood in this run. The flow between heats runs here on the
// program's timers, and the results take their part in the end of a heat
// (shown when Auto-Display Results is on, printed with the summary).
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

#include "core/engine/race_engine.h"
#include "core/engine/race_screen.h"
#include "core/heats/between_heats.h"
#include "core/heats/heat_abort.h"
#include "core/heats/heat_results.h"
#include "core/records/race_printouts.h"
#include "core/seams/file_dialog.h"
#include "core/seams/print_surface.h"
#include "core/state/race_end.h"
#include "ui/heats/frm_next_heat.h"
#include "ui/heats/frm_qel_results.h"
#include "ui/heats/frm_rotation_count_down.h"
#include "ui/heats/frm_select_racers.h"

namespace qel::ui {
class FrmQelTimer;
}  // namespace qel::ui

namespace qel::app {

class RecordWindows;

struct HeatWindowServices {
    FileDialog& fileDialog;
    // The printer the next-heat grid goes to.
    PrintSurface& printer;
    RacePrintouts& printouts;
    RecordWindows& records;
};

// What the heat windows ask of the rest of the program's windows.
struct HeatWindowHooks {
    // The Racers Database, modal, opened from the placement dialog.
    std::function<void()> showRacersDatabase;
    // A correction in the results window, for the race journal.
    std::function<void(const ResultCorrection&)> correctionMade;
};

class HeatWindows : public RaceEndSubsystem, public BetweenHeatsWindows, public ResultViews {
  public:
    HeatWindows(RaceEngine& engine, HeatWindowServices services);
    ~HeatWindows() override;
    HeatWindows(const HeatWindows&) = delete;
    HeatWindows& operator=(const HeatWindows&) = delete;

    // The window they stand over, and what they ask of the other windows;
    // until both are given, opening one is a fault of the composition and
    // says so.
    void attach(ui::FrmQelTimer& mainWindow, HeatWindowHooks hooks);

    // The main window's commands.
    void showSelectRacers();
    // From the Race Format dialog's "Select Racers": modal.
    void selectRacersModal();
    // The Race Format dialog's OK: the racers numbered from the placement as
    // it stands, without showing the dialog.
    void defineRacers();
    void showRotationSequence();
    // Race Results: the grid refilled, and the window shown unless the
    // Options dialog is open. Also the end of a heat with Auto-Display Results.
    void showRaceResults() override;
    void showHeatAbort();
    void refreshNextHeat();
    void closeNextHeat();
    void stopRotateDelay() { between_->stop(); }

    HeatResults& results() { return results_; }
    BetweenHeats& betweenHeats() { return *between_; }
    ui::FrmQelResults* resultsWindow() const { return resultsWindow_.data(); }
    ui::FrmNextHeat* nextHeatWindow() const { return nextHeat_.data(); }
    ui::FrmRotationCountDown* countDownWindow() const { return countDown_.data(); }

    // The end of a heat.
    void prepareNextHeatDisplay() override;
    void startBetweenHeatDelay() override { between_->startBetweenHeatDelay(); }

    // The count-down's windows.
    bool optionsDialogVisible() override;
    void cancelOptionsDialog() override;
    bool modalWindowOpen() override;
    void showCountDown() override;
    void closeCountDown() override;
    void boardChanged() override;

    // After every board redraw: the open results window first, then the
    // record windows.
    void refreshResults() override;
    void refreshLapTimes() override;
    void refreshSummary() override;

  private:
    ui::FrmQelTimer& mainWindow();
    const HeatWindowHooks& hooks();
    ui::FrmQelResults& resultsWindow();
    ui::FrmNextHeat& nextHeat();
    // The slip of the results as the window shows them; the grid is filled
    // first when no window shows it.
    void printSlip(PrintLines& lines, bool endDoc);

    RaceEngine& engine_;
    HeatWindowServices services_;
    HeatResults results_;
    std::unique_ptr<BetweenHeats> between_;
    std::unique_ptr<HeatAbort> abort_;
    ui::FrmQelTimer* mainWindow_ = nullptr;
    std::optional<HeatWindowHooks> hooks_;
    // Each window is let go when it closes; the main window owns it till then.
    QPointer<ui::FrmQelResults> resultsWindow_;
    QPointer<ui::FrmNextHeat> nextHeat_;
    QPointer<ui::FrmRotationCountDown> countDown_;
    QPointer<ui::FrmSelectRacers> placement_;
    std::optional<QRect> resultsPlace_;
    std::optional<QPoint> countDownPlace_;
};

}  // namespace qel::app
