#include "ui/records/record_window.h"

#include <QAction>
#include <QCloseEvent>

#include "ui/widgets/required_hooks.h"

namespace qel::ui {

RecordWindow::RecordWindow(const char* name, GridModel& model, RecordWindowHooks hooks,
                           std::optional<QPoint> position, QWidget* parent)
    : QMainWindow(parent, Qt::Window), hooks_(std::move(hooks)) {
    requireHooks(name, {{"open", bool(hooks_.open)},
                        {"saveToTextFile", bool(hooks_.saveToTextFile)},
                        {"saveToExcel", bool(hooks_.saveToExcel)},
                        {"print", bool(hooks_.print)},
                        {"printPreview", bool(hooks_.printPreview)},
                        {"closed", bool(hooks_.closed)}});
    setObjectName(name);
    grid_ = new FlexGrid(model, this);
    setCentralWidget(grid_);
    if (position) move(*position);
}

void RecordWindow::onMenu(const char* item, std::function<void()> action) {
    connect(menu_.action(item), &QAction::triggered, this,
            [action = std::move(action)] { action(); });
}

void RecordWindow::buildFileMenu(const char* openCaption, const char* exitCaption) {
    menu_ = buildMenuBar(*this, {{"mnuFile",
                                  "&File",
                                  {{"mnuOpen", openCaption},
                                   {"mnuSepOpen", nullptr},
                                   {"mnuSaveToTextFile", "Save To TextFile"},
                                   {"mnuSaveToExcel", "&Save to Excel"},
                                   {"mnuSepSave", nullptr},
                                   {"mnuPrint", "&Print"},
                                   {"mnuPrintPreview", "Print Pre&view"},
                                   {"mnuSepPrint", nullptr},
                                   {"mnuExit", exitCaption}}}});
    onMenu("mnuOpen", hooks_.open);
    onMenu("mnuSaveToTextFile", hooks_.saveToTextFile);
    onMenu("mnuSaveToExcel", hooks_.saveToExcel);
    onMenu("mnuPrint", hooks_.print);
    onMenu("mnuPrintPreview", hooks_.printPreview);
    onMenu("mnuExit", [this] { close(); });
}

void RecordWindow::closeEvent(QCloseEvent* event) {
    hooks_.closed(isMinimized() ? std::nullopt : std::optional<QPoint>(pos()));
    QMainWindow::closeEvent(event);
}

}  // namespace qel::ui
