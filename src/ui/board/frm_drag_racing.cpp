#include "ui/board/frm_drag_racing.h"

namespace qel::ui {

FrmQelDragRacing::FrmQelDragRacing(TimerService& timers, StartSequenceServices services,
                                   StartSequenceHooks hooks, QWidget* parent)
    : FrmStartLights("frmQelDragRacing", parent),
      tree_(timers, services, withWindow(std::move(hooks))) {
    start(tree_, &dragTreeGeometry);
}

}  // namespace qel::ui
