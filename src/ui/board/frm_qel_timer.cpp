#include "ui/board/frm_qel_timer.h"

#include <QAction>

#include "ui/board/race_board_view.h"

namespace qel::ui {

FrmQelTimer::FrmQelTimer(QWidget* parent) : FrmQelTimer(restingBoard_, parent) {
    // With no race engine behind the board, Start would do nothing: it stays
    // greyed out rather than invite a press.
    restingBoard_.startEnabled = false;
    view_->render();
}

FrmQelTimer::FrmQelTimer(const RaceBoard& board, QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmQelTimer");
    setWindowTitle("Kestrova Qel Timer");
    view_ = new RaceBoardView(board, this);
    setCentralWidget(view_);

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
