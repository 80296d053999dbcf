#include "ui/board/frm_formula1.h"

namespace qel::ui {

FrmQelFormula1::FrmQelFormula1(TimerService& timers, Random& random, StartSequenceServices services,
                               StartSequenceHooks hooks, QWidget* parent)
    : FrmStartLights("frmQelFormula1", parent),
      lights_(timers, random, services, withWindow(std::move(hooks))) {
    start(lights_, &formula1Geometry);
}

}  // namespace qel::ui
