#pragma once
// The lap-time window: every lap of every lane over the records' lap grid,
// in lap order or sorted by time, with the File menu for saved races.
#include <functional>
#include <optional>

#include "ui/records/record_window.h"

class QProgressBar;

namespace qel::ui {

struct LapTimesHooks {
    RecordWindowHooks file;
    std::function<void()> viewSummary;  // the main window's Summary command
    // The race director sorts by lap time (true) or back by lap (false).
    std::function<void(bool byLapTime)> sortBy;
    // The main window's Race Results command, offered only in the heat formats.
    std::function<void()> viewRaceResults;
    bool raceResultsOffered = false;
};

class FrmQelViewLaps : public RecordWindow {
    Q_OBJECT
  public:
    FrmQelViewLaps(GridModel& model, LapTimesHooks hooks, int laneCount,
                   std::optional<QPoint> position, QWidget* parent = nullptr);

    // The Sort menu: off while the grid holds a file; otherwise the item of
    // the order not shown is the one to choose.
    void setSortMenu(bool enabled, bool sortedByLapTime);
    void showProgress(int maximum, int value);

  private:
    // One narrow column of lap numbers and one column per lane.
    void sizeCells(int laneCount);

    LapTimesHooks hooks_;
    QProgressBar* progress_ = nullptr;
};

}  // namespace qel::ui
