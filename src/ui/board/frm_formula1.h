#pragma once
// frmQelFormula1: the Formula 1 lights across the top of the screen.
#include "core/engine/formula1_lights.h"
#include "ui/board/frm_start_lights.h"

namespace qel::ui {

class FrmQelFormula1 : public FrmStartLights {
    Q_OBJECT

  public:
    // Loads at once: the Start button is held and the first second begins.
    FrmQelFormula1(TimerService& timers, Random& random, StartSequenceServices services,
                   StartSequenceHooks hooks, QWidget* parent = nullptr);

  private:
    Formula1Lights lights_;
};

}  // namespace qel::ui
