#pragma once
// frmNextHeat: the rotation sequence, who races in which lane in every
// heat, with the heats run so far in yellow. A press on "Print Grid" prints
// it. The window is thin over the core's NextHeatGrid.
#include <QWidget>
#include <functional>

#include "core/heats/next_heat_grid.h"

namespace qel::ui {

class FlexGrid;

struct NextHeatHooks {
    // The window was closed; it goes with it, and whoever made it lets it go.
    std::function<void()> closed;
};

class FrmNextHeat : public QWidget {
    Q_OBJECT

  public:
    // Form_Load, hidden: the rotation rebuilt, the grid filled and the heats
    // run so far marked, and the window sized to the grid and the screen.
    // Only the menu item shows it.
    FrmNextHeat(NextHeatSources sources, TimerService& timers, Prompter& prompter,
                PrintSurface& printer, NextHeatHooks hooks, QWidget* parent = nullptr);

    // The refill at each rotation (FillNextHeatGrid), sized again.
    void refill();
    // The heats run so far marked (a timed heat whose time is up).
    void markHeatRows();

    NextHeatGrid& model() { return model_; }
    FlexGrid& grid() { return *grdgrid_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    int screenHeightTwips() const;
    void applySize(TwipsSize size);

    NextHeatGrid model_;
    NextHeatHooks hooks_;
    FlexGrid* grdgrid_ = nullptr;
};

}  // namespace qel::ui
