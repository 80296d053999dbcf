#include "ui/heats/frm_qel_results.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QResizeEvent>
#include <QScreen>

#include "qt/qt_text.h"
#include "ui/widgets/required_hooks.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

namespace {

constexpr int kFrameTwips = 680;
constexpr int kScreenMarginTwips = 4000;
// Below this height the grid keeps its size; above it, it fills the window.
constexpr int kFollowHeightTwips = 1500;
constexpr int kGridMarginTwips = 800;

}  // namespace

FrmQelResults::FrmQelResults(HeatResults& model, ResultsHooks hooks, QWidget* parent)
    : QMainWindow(parent, Qt::Window), model_(model), hooks_(std::move(hooks)) {
    requireHooks("frmQelResults", {{"showSummary", bool(hooks_.showSummary)},
                                   {"showLapTimes", bool(hooks_.showLapTimes)},
                                   {"showRaceResults", bool(hooks_.showRaceResults)},
                                   {"print", bool(hooks_.print)},
                                   {"saveToExcel", bool(hooks_.saveToExcel)},
                                   {"boardChanged", bool(hooks_.boardChanged)},
                                   {"corrected", bool(hooks_.corrected)}});
    setObjectName("frmQelResults");
    grid_ = new FlexGrid(model_.grdRR(), this);
    grid_->setObjectName("grdRR");
    setCentralWidget(grid_);
    connect(grid_, &FlexGrid::cellClicked, this,
            [this](int row, int col, Qt::MouseButton button) { cellPressed(row, col, button); });
    buildMenus();

    model_.setObserver([this] { refresh(); });
    model_.load();
    sizeToGrid();
}

FrmQelResults::~FrmQelResults() {
    model_.setObserver({});
}

void FrmQelResults::onMenu(const char* item, std::function<void()> action) {
    connect(menu_.action(item), &QAction::triggered, this,
            [action = std::move(action)] { action(); });
}

void FrmQelResults::buildMenus() {
    menu_ = buildMenuBar(
        *this,
        {{"mnuFile",
          "&File",
          {{"mnuSaveToExcel", "&Save to Excel"}, {"mnuPrint", "&Print"}, {"mnuExit", "&Exit"}}},
         {"mnuEdit",
          "&Edit",
          {{"mnuAdjustLaps", "Adjust &Laps"}, {"mnuAdjustPoints", "Adjust &Points"}}},
         {"mnuView",
          "&View",
          {{"mnuSummary", "Summary"},
           {"mnuLaps", "Laps"},
           {"mnuBestLaps", "Best Laps"},
           {"mnuRaceResults", "&Race Results"}}}});
    const auto shortcut = [this](const char* item, Qt::Key key) {
        menu_.action(item)->setShortcut(QKeySequence(Qt::CTRL | key));
    };
    shortcut("mnuSaveToExcel", Qt::Key_S);
    shortcut("mnuPrint", Qt::Key_P);
    shortcut("mnuExit", Qt::Key_Q);
    shortcut("mnuSummary", Qt::Key_U);
    shortcut("mnuLaps", Qt::Key_L);
    shortcut("mnuBestLaps", Qt::Key_B);

    onMenu("mnuSaveToExcel", hooks_.saveToExcel);
    onMenu("mnuPrint", hooks_.print);
    onMenu("mnuExit", [this] { close(); });
    onMenu("mnuAdjustLaps", [this] { model_.mnuAdjustLaps(); });
    onMenu("mnuAdjustPoints", [this] { model_.mnuAdjustPoints(); });
    onMenu("mnuSummary", hooks_.showSummary);
    onMenu("mnuLaps", [this] {
        close();
        hooks_.showLapTimes();
    });
    onMenu("mnuBestLaps", [this] { model_.mnuBestLaps(); });
    onMenu("mnuRaceResults", [this] {
        model_.mnuRaceResults();
        hooks_.showRaceResults();
    });
}

void FrmQelResults::sizeToGrid() {
    // Every racer in view, unless the screen is too small for them all.
    int gridTwips = model_.grdRR().rowHeight(1) * (model_.racerRows() + 2);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int screenTwips = pixelsToTwipsY(*this, screen->availableGeometry().height());
        if (gridTwips > screenTwips) gridTwips = screenTwips - kScreenMarginTwips;
    }
    resize(width(), twipsToPixelsY(*this, gridTwips + kFrameTwips));
    refresh();
}

void FrmQelResults::place(std::optional<QRect> remembered) {
    if (!remembered) return;
    move(remembered->topLeft());
    resize(width(), remembered->height());
}

void FrmQelResults::refresh() {
    setWindowTitle(toQt(model_.caption()));
    const ResultsMenus menus = model_.menus();
    menu_.action("mnuAdjustLaps")->setEnabled(menus.adjustLaps);
    menu_.action("mnuAdjustPoints")->setEnabled(menus.adjustPoints);
    menu_.action("mnuRaceResults")->setEnabled(menus.raceResults);
    // A grid filled for more lanes widens the window, unless the race
    // director has it minimised or maximised.
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (normal && model_.grdRR().width() > 0)
        resize(twipsToPixelsX(*this, model_.windowWidthTwips()), height());
}

void FrmQelResults::cellPressed(int row, int col, Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    const CellPress done = model_.cellPressed(
        row, col, button == Qt::LeftButton ? PressButton::Left : PressButton::Right);
    if (done == CellPress::Ignored) return;
    hooks_.corrected();
    if (done == CellPress::LapCorrected) hooks_.boardChanged();
}

void FrmQelResults::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int heightTwips = pixelsToTwipsY(*this, height());
    if (heightTwips >= kFollowHeightTwips) model_.grdRR().setHeight(heightTwips - kGridMarginTwips);
}

void FrmQelResults::closeEvent(QCloseEvent* event) {
    if (!isMinimized()) emit closedAt(QRect(pos(), size()));
    QMainWindow::closeEvent(event);
    emit closed();
}

}  // namespace qel::ui
