#include "ui/board/frm_qel_timer.h"

#include <QAction>
#include <QWidget>

namespace qel::ui {

FrmQelTimer::FrmQelTimer(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmQelTimer");
    setWindowTitle("Kestrova Qel Timer");
    auto* board = new QWidget(this);
    board->setObjectName("board");
    setCentralWidget(board);

    menu_ = buildMainMenu(*this);
    // Items whose windows are not part of the program yet stay disabled.
    for (auto* action : menu_.actions) {
        if (!action->isSeparator()) action->setEnabled(false);
    }
    QAction* exit = menu_.action("mnuExit");
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

}  // namespace qel::ui
