#include "app/record_windows.h"
#include "ui/widgets/busy_cursor.h"

#include <QApplication>
#include <stdexcept>

#include "core/io/format.h"
#include "qt/qt_text.h"
#include "ui/records/frm_print_preview.h"
#include "ui/records/print_preview_surface.h"

namespace qel::app {

using ui::BusyCursor;

namespace {

bool shown(const QWidget* window) {
    return window && window->isVisible();
}

}  // namespace

RecordWindows::RecordWindows(RaceRecords& records, RacePrintouts& printouts,
                             const PrintSurface& paper, Prompter& prompter, Clock& clock)
    : records_(records), printouts_(printouts), paper_(paper), prompter_(prompter), clock_(clock) {}

void RecordWindows::attach(QWidget& mainWindow, std::function<void()> showRaceResults) {
    if (!showRaceResults)
        throw std::logic_error("The record windows lack the hook showRaceResults.");
    mainWindow_ = &mainWindow;
    showRaceResults_ = std::move(showRaceResults);
}

void RecordWindows::raceResults() {
    BusyCursor busy;
    showRaceResults_();
}

bool RecordWindows::raceResultsOffered() const {
    return records_.sources().board.menu.summaryRaceResults;
}

QWidget& RecordWindows::mainWindow() {
    if (!mainWindow_) throw std::logic_error("The record windows have no main window attached.");
    return *mainWindow_;
}

template <typename Window>
ui::RecordWindowHooks RecordWindows::fileHooks(QPointer<Window>& window,
                                               std::optional<QPoint>& position) {
    ui::RecordWindowHooks hooks;
    hooks.open = [this] { open(); };
    hooks.closed = [&window, &position](std::optional<QPoint> where) {
        if (where) position = where;
        // Gone at once for the program, so the next use makes a fresh window.
        if (window) window->deleteLater();
        window = nullptr;
    };
    return hooks;
}

void RecordWindows::preview(bool (RacePrintouts::*printout)(PrintSurface&),
                            std::function<void()> print) {
    ui::PrintPreviewSurface pages(paper_);
    if (!(printouts_.*printout)(pages)) return;
    ui::FrmPrintPreview window(pages, {std::move(print)}, &mainWindow());
    window.exec();
}

ui::FrmQelSummary& RecordWindows::summary() {
    if (!summary_) {
        ui::SummaryHooks hooks{fileHooks(summary_, summaryPosition_), [this] { showLapTimes(); },
                               [this] { raceResults(); }, raceResultsOffered()};
        hooks.file.saveToTextFile = [this] { records_.saveSummary(); };
        hooks.file.saveToExcel = [this] { records_.exportSummary(); };
        hooks.file.print = [this] { printouts_.PrintSummary(true); };
        hooks.file.printPreview = [this] {
            preview(&RacePrintouts::previewSummary, [this] { printouts_.PrintSummary(true); });
        };
        const std::string caption = "Summary - " + records_.sources().state.raceTitle + "   " +
                                    formatDate(clock_.now(), "MMM-DD, H:MM");
        summary_ = new ui::FrmQelSummary(records_.summaryGrid(), std::move(hooks), caption,
                                         summaryPosition_, &mainWindow());
    }
    return *summary_;
}

ui::FrmQelViewLaps& RecordWindows::laps() {
    if (!laps_) {
        ui::LapTimesHooks hooks{fileHooks(laps_, lapPosition_), [this] { showSummary(); },
                                [this](bool byLapTime) { sortBy(byLapTime); },
                                [this] { raceResults(); }, raceResultsOffered()};
        hooks.file.saveToTextFile = [this] { records_.saveLaps(); };
        hooks.file.saveToExcel = [this] { records_.exportLaps(); };
        hooks.file.print = [this] { printouts_.PrintLaps(); };
        hooks.file.printPreview = [this] {
            preview(&RacePrintouts::previewLaps, [this] { printouts_.PrintLaps(); });
        };
        laps_ =
            new ui::FrmQelViewLaps(records_.lapGrid(), std::move(hooks),
                                   records_.sources().state.laneCount, lapPosition_, &mainWindow());
        laps_->setSortMenu(true, records_.sources().records.lapsSortedByTime);
    }
    return *laps_;
}

void RecordWindows::showSummary() {
    {
        BusyCursor busy;
        records_.fillSummary();
    }
    ui::FrmQelSummary& window = summary();
    window.show();
    window.raise();
}

void RecordWindows::fillLaps(ui::FrmQelViewLaps& window) {
    BusyCursor busy;
    const LapGridFill fill = records_.fillLaps();
    window.showProgress(fill.progressMaximum, fill.progressValue);
    if (fill.filled) window.setWindowTitle(toQt(fill.caption));
}

void RecordWindows::showLapTimes() {
    ui::FrmQelViewLaps& window = laps();
    fillLaps(window);
    window.show();
    window.raise();
}

void RecordWindows::sortBy(bool byLapTime) {
    records_.sources().records.lapsSortedByTime = byLapTime;
    showLapTimes();
    prompter_.message(byLapTime ? "Sorted by Lap Time" : "Sorted by Lap", "Sort", MessageIcon::None,
                      MessageButtons::Ok);
    if (laps_) laps_->setSortMenu(true, byLapTime);
}

void RecordWindows::open() {
    records_.open(*this);
}

void RecordWindows::closeAll() {
    if (summary_) summary_->close();
    if (laps_) laps_->close();
}

void RecordWindows::showSummaryFile(const std::string& path) {
    ui::FrmQelSummary& window = summary();
    window.setWindowTitle(toQt(path));
    window.show();
    window.raise();
}

void RecordWindows::showLapFile(const std::string& path) {
    if (summary_) summary_->close();
    ui::FrmQelViewLaps& window = laps();
    window.setSortMenu(false, records_.sources().records.lapsSortedByTime);
    window.setWindowTitle(toQt(path));
    window.show();
    window.raise();
}

void RecordWindows::refreshLapTimes() {
    if (shown(laps_)) fillLaps(*laps_);
}

void RecordWindows::refreshSummary() {
    if (shown(summary_)) records_.fillSummary();
}

void RecordWindows::reopenOpenViews() {
    // Closed and opened again, so each shows the finished race from the start.
    if (shown(summary_)) {
        summary_->close();
        showSummary();
    }
    if (shown(laps_)) {
        laps_->close();
        showLapTimes();
    }
}

}  // namespace qel::app
