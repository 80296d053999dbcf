#pragma once
// The summary and lap-time windows of the program: made on first use and
// gone when closed, each opening where it last stood in this run, refilled
// after every board redraw while open and reopened at the end of a race.
#include <QPoint>
#include <QPointer>
#include <optional>

#include "core/engine/race_screen.h"
#include "core/records/race_printouts.h"
#include "core/records/race_records.h"
#include "core/seams/clock.h"
#include "core/seams/prompter.h"
#include "core/state/race_end.h"
#include "ui/records/frm_qel_summary.h"
#include "ui/records/frm_qel_view_laps.h"

namespace qel::app {

class RecordWindows : public RecordViews, public ResultViews, public RaceEndSubsystem {
  public:
    // paper: the printer whose pages the print preview shows.
    RecordWindows(RaceRecords& records, RacePrintouts& printouts, const PrintSurface& paper,
                  Prompter& prompter, Clock& clock);

    // The window the record windows stand over; until it is attached,
    // opening one is a fault of the composition and says so.
    // showRaceResults: the main window's Race Results command, which the
    // windows' View menus offer in the heat formats.
    void attach(QWidget& mainWindow, std::function<void()> showRaceResults);

    // The main window's commands.
    void showSummary();
    void showLapTimes();
    void open();
    // Options closes the record windows before it opens.
    void closeAll();

    ui::FrmQelSummary* summaryWindow() const { return summary_.data(); }
    ui::FrmQelViewLaps* lapWindow() const { return laps_.data(); }

    void showSummaryFile(const std::string& path) override;
    void showLapFile(const std::string& path) override;

    void refreshResults() override {}
    void refreshLapTimes() override;
    void refreshSummary() override;

    void reopenOpenViews() override;

  private:
    QWidget& mainWindow();
    void raceResults();
    bool raceResultsOffered() const;
    template <typename Window>
    ui::RecordWindowHooks fileHooks(QPointer<Window>& window, std::optional<QPoint>& position);
    ui::FrmQelSummary& summary();
    ui::FrmQelViewLaps& laps();
    void fillLaps(ui::FrmQelViewLaps& window);
    void sortBy(bool byLapTime);
    // The printout on screen; its Print sends it to paper.
    void preview(bool (RacePrintouts::*printout)(PrintSurface&), std::function<void()> print);

    RaceRecords& records_;
    RacePrintouts& printouts_;
    const PrintSurface& paper_;
    Prompter& prompter_;
    Clock& clock_;
    QWidget* mainWindow_ = nullptr;
    std::function<void()> showRaceResults_;
    // Each window is let go when it closes; the main window owns it till then.
    QPointer<ui::FrmQelSummary> summary_;
    QPointer<ui::FrmQelViewLaps> laps_;
    std::optional<QPoint> summaryPosition_;
    std::optional<QPoint> lapPosition_;
};

}  // namespace qel::app
