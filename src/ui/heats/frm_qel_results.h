#pragma once
// The heat results window: the results grid of the heats with its File, Edit
// and View menus. The grid, the caption, the tooltip and the menu states are
// the HeatResults model's; the window draws them and passes the race
// director's clicks and menu choices on.
#include <QMainWindow>
#include <QRect>
#include <functional>
#include <optional>

#include "core/heats/heat_results.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/menu_bar.h"

namespace qel::ui {

struct ResultsHooks {
    std::function<void()> showSummary;  // the main window's Summary command
    // The main window's Lap Times command; the results window has closed
    // itself before it is called.
    std::function<void()> showLapTimes;
    // The main window's Race Results command: refill the grid and show the window.
    std::function<void()> showRaceResults;
    std::function<void()> print;        // the results slip, ending the print job
    std::function<void()> saveToExcel;  // the grid as a worksheet
    // A lap correction may have changed a lane's lap counter: the board
    // shows it anew.
    std::function<void()> boardChanged;
    // A lap or point was corrected (HeatResults::lastCorrection says which),
    // before the board shows it.
    std::function<void()> corrected;
};

class FrmQelResults : public QMainWindow {
    Q_OBJECT
  public:
    // The window opens sized to its grid; place() then puts it where it stood
    // last in this run.
    FrmQelResults(HeatResults& model, ResultsHooks hooks, QWidget* parent = nullptr);
    ~FrmQelResults() override;

    // Where the window stood when it was last closed (left, top and height;
    // the width always follows the grid); nullopt keeps the size from the grid.
    void place(std::optional<QRect> remembered);

    WindowMenu& menu() { return menu_; }
    FlexGrid& grid() { return *grid_; }

  signals:
    // The window was closed, not minimised: where it stood, which whoever
    // made the window keeps for the next opening.
    void closedAt(QRect geometry);
    // Every close, minimised or not, after closedAt: the window may go.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildMenus();
    void onMenu(const char* item, std::function<void()> action);
    void sizeToGrid();
    // Caption, menu states and the width the grid asks for.
    void refresh();
    void cellPressed(int row, int col, Qt::MouseButton button);

    HeatResults& model_;
    ResultsHooks hooks_;
    FlexGrid* grid_ = nullptr;
    WindowMenu menu_;
};

}  // namespace qel::ui
