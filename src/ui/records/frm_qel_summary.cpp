#include "ui/records/frm_qel_summary.h"

#include <QAction>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <array>
#include <cmath>

#include "qt/qt_text.h"
#include "ui/widgets/required_hooks.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

namespace {

// The share of the width each column gets: the width divided by these.
constexpr std::array<double, 13> kColumnDivisors{21.5,  8.35,  12.24, 18.36, 9.66, 13.12, 13.12,
                                                 13.12, 13.12, 13.12, 13.12, 15.3, 18.36};
constexpr int kWidthTwips = 10000;
constexpr int kGridRowsShown = 11;
constexpr int kMenuAndFrameTwips = 800;
constexpr int kScreenMarginTwips = 4000;

}  // namespace

FrmQelSummary::FrmQelSummary(GridModel& model, SummaryHooks hooks, const std::string& caption,
                             std::optional<QPoint> position, QWidget* parent)
    : RecordWindow("frmQelSummary", model, hooks.file, position, parent), hooks_(std::move(hooks)) {
    requireHooks("frmQelSummary", {{"viewLaps", bool(hooks_.viewLaps)},
                                   {"viewRaceResults", bool(hooks_.viewRaceResults)}});
    grid_->setObjectName("grdSum");
    buildFileMenu("Open", "E&xit");
    addMenus(*this, menu_,
             {{"mnuView", "&View", {{"mnuViewHeats", "&Race Results"}, {"mnuViewLaps", "&Laps"}}}});
    menu_.action("mnuViewHeats")->setEnabled(hooks_.raceResultsOffered);
    onMenu("mnuViewHeats", [this] {
        close();
        hooks_.viewRaceResults();
    });
    onMenu("mnuViewLaps", [this] {
        close();
        hooks_.viewLaps();
    });
    setWindowTitle(toQt(caption));

    // Eleven rows in view, unless the screen is too small for them.
    int gridTwips = kGridRowsShown * model.rowHeight(1);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int screenTwips = pixelsToTwipsY(*this, screen->availableGeometry().height());
        if (gridTwips > screenTwips) gridTwips = screenTwips - kScreenMarginTwips;
    }
    resize(twipsToPixelsX(*this, kWidthTwips),
           twipsToPixelsY(*this, gridTwips + kMenuAndFrameTwips));
    fitColumns();
}

void FrmQelSummary::resizeEvent(QResizeEvent* event) {
    RecordWindow::resizeEvent(event);
    fitColumns();
}

void FrmQelSummary::fitColumns() {
    const int available = pixelsToTwipsX(*this, width()) - 100;
    GridModel& model = grid_->model();
    for (int col = 0; col < static_cast<int>(kColumnDivisors.size()); ++col)
        model.setColWidth(col, static_cast<int>(std::lround(available / kColumnDivisors[col])));
}

}  // namespace qel::ui
