#include "ui/records/frm_qel_view_laps.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>

#include "ui/widgets/required_hooks.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

namespace {

constexpr int kLapColumnTwips = 510;
constexpr int kLaneColumnTwips = 900;
constexpr int kHeightTwips = 6000;

}  // namespace

FrmQelViewLaps::FrmQelViewLaps(GridModel& model, LapTimesHooks hooks, int laneCount,
                               std::optional<QPoint> position, QWidget* parent)
    : RecordWindow("frmQelViewLaps", model, hooks.file, position, parent),
      hooks_(std::move(hooks)) {
    requireHooks("frmQelViewLaps", {{"viewSummary", bool(hooks_.viewSummary)},
                                    {"sortBy", bool(hooks_.sortBy)},
                                    {"viewRaceResults", bool(hooks_.viewRaceResults)}});
    grid_->setObjectName("grdLaps");
    buildFileMenu("&Open", "&Exit");
    addMenus(
        *this, menu_,
        {{"mnuView", "&View", {{"mnuRaceResults", "&Race Results"}, {"mnuSummary", "&Summary"}}},
         {"mnuSort",
          "Sor&t",
          {{"mnuSortByLapTime", " By Lap &Time"}, {"mnuSortByLap", " By &Lap"}}}});
    menu_.action("mnuRaceResults")->setEnabled(hooks_.raceResultsOffered);
    onMenu("mnuRaceResults", [this] {
        close();
        hooks_.viewRaceResults();
    });
    onMenu("mnuSummary", [this] {
        close();
        hooks_.viewSummary();
    });
    onMenu("mnuSortByLapTime", [this] { hooks_.sortBy(true); });
    onMenu("mnuSortByLap", [this] { hooks_.sortBy(false); });

    progress_ = new QProgressBar(this);
    progress_->setObjectName("PrgBar1");
    statusBar()->addWidget(progress_, 1);
    progress_->hide();
    sizeCells(laneCount);
}

void FrmQelViewLaps::sizeCells(int laneCount) {
    GridModel& model = grid_->model();
    model.setCols(laneCount + 1);
    model.setColWidth(0, kLapColumnTwips);
    for (int col = 1; col <= laneCount; ++col)
        model.setColWidth(col, kLaneColumnTwips);
    const int gridTwips = laneCount * kLaneColumnTwips + 910;
    resize(twipsToPixelsX(*this, gridTwips + 100), twipsToPixelsY(*this, kHeightTwips));
}

void FrmQelViewLaps::setSortMenu(bool enabled, bool sortedByLapTime) {
    menu_.menu("mnuSort")->menuAction()->setEnabled(enabled);
    menu_.action("mnuSortByLapTime")->setEnabled(enabled && !sortedByLapTime);
    menu_.action("mnuSortByLap")->setEnabled(enabled && sortedByLapTime);
}

void FrmQelViewLaps::showProgress(int maximum, int value) {
    progress_->setMaximum(maximum > 0 ? maximum : 1);
    progress_->setValue(value < maximum ? value : maximum);
}

}  // namespace qel::ui
