#pragma once
// frmQelDragRacing: the drag-racing tree upright against the right edge.
#include "core/engine/drag_tree.h"
#include "ui/board/frm_start_lights.h"

namespace qel::ui {

class FrmQelDragRacing : public FrmStartLights {
    Q_OBJECT

  public:
    // Loads at once: the Start button is held and the first half second begins.
    FrmQelDragRacing(TimerService& timers, StartSequenceServices services, StartSequenceHooks hooks,
                     QWidget* parent = nullptr);

  private:
    DragRacingTree tree_;
};

}  // namespace qel::ui
