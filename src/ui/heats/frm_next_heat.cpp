#include "ui/heats/frm_next_heat.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "qt/qt_text.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/required_hooks.h"
#include "ui/widgets/twips.h"

namespace qel::ui {

FrmNextHeat::FrmNextHeat(NextHeatSources sources, TimerService& timers, Prompter& prompter,
                         PrintSurface& printer, NextHeatHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(sources, timers, prompter, printer),
      hooks_(std::move(hooks)) {
    requireHooks("frmNextHeat", {{"closed", bool(hooks_.closed)}});
    setObjectName("frmNextHeat");
    // No layout: the grid takes the size the fill gives it.
    grdgrid_ = new FlexGrid(model_.grid(), this);
    grdgrid_->setObjectName("grdgrid");
    connect(grdgrid_, &FlexGrid::cellClicked, this, [this](int row, int col, Qt::MouseButton) {
        model_.grdgrid_MouseDown(row, col, dotsPerInchX(*this));
    });

    applySize(model_.load(screenHeightTwips()));
    setWindowTitle(toQt(kNextHeatCaption));
}

void FrmNextHeat::refill() {
    applySize(model_.refill(screenHeightTwips()));
}

void FrmNextHeat::markHeatRows() {
    model_.markHeatRows();
}

int FrmNextHeat::screenHeightTwips() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const int pixels = shown ? shown->geometry().height() : 768;
    return pixelsToTwipsY(*this, pixels);
}

void FrmNextHeat::applySize(TwipsSize size) {
    resize(twipsToPixelsX(*this, size.width), twipsToPixelsY(*this, size.height));
}

void FrmNextHeat::closeEvent(QCloseEvent* event) {
    hooks_.closed();
    QWidget::closeEvent(event);
}

}  // namespace qel::ui
