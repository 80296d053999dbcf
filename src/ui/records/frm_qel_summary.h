#pragma once
// The summary window: one row of figures per lane over the records' summary
// grid, with the File menu for saved races and the View menu to the lap times.
#include <functional>
#include <optional>
#include <string>

#include "ui/records/record_window.h"

namespace qel::ui {

struct SummaryHooks {
    RecordWindowHooks file;
    std::function<void()> viewLaps;  // the main window's Lap Times command
    // The main window's Race Results command, offered only in the heat formats.
    std::function<void()> viewRaceResults;
    bool raceResultsOffered = false;
};

class FrmQelSummary : public RecordWindow {
    Q_OBJECT
  public:
    FrmQelSummary(GridModel& model, SummaryHooks hooks, const std::string& caption,
                  std::optional<QPoint> position, QWidget* parent = nullptr);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The columns share the window's width in fixed proportions.
    void fitColumns();

    SummaryHooks hooks_;
};

}  // namespace qel::ui
