#pragma once
// What the summary and lap-time windows share: a grid over the records' grid
// model, a File menu for opening, saving, exporting, printing and previewing
// the printout, and a place on the screen remembered for the run when the
// window is closed.
#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <optional>

#include "core/grid/grid_model.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/menu_bar.h"

namespace qel::ui {

struct RecordWindowHooks {
    std::function<void()> open;            // the main window's Open command
    std::function<void()> saveToTextFile;  // the window's save
    std::function<void()> saveToExcel;     // the window's grid as a spreadsheet
    std::function<void()> print;           // the window's printout
    std::function<void()> printPreview;    // the printout on screen first
    // The window was closed: where it stood, unless it was minimised. The
    // window goes with it; whoever made it lets it go.
    std::function<void(std::optional<QPoint>)> closed;
};

class RecordWindow : public QMainWindow {
    Q_OBJECT
  public:
    WindowMenu& menu() { return menu_; }
    FlexGrid& grid() { return *grid_; }

  protected:
    // The window is made on first use and goes on close; it opens where it
    // last stood, when it stood anywhere yet.
    RecordWindow(const char* name, GridModel& model, RecordWindowHooks hooks,
                 std::optional<QPoint> position, QWidget* parent);
    // The File menu both windows share, wired. The captions of Open and Exit
    // differ between the windows.
    void buildFileMenu(const char* openCaption, const char* exitCaption);
    void onMenu(const char* item, std::function<void()> action);
    void closeEvent(QCloseEvent* event) override;

  private:
    RecordWindowHooks hooks_;

  protected:
    FlexGrid* grid_ = nullptr;
    WindowMenu menu_;
};

}  // namespace qel::ui
