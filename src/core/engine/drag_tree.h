#pragma once
// The drag-racing tree: three ambers half a second apart, then the green.
#include "core/engine/start_lights.h"

namespace qel {

class DragRacingTree : public StartLights {
  public:
    static constexpr int kIntervalMs = 500;

    DragRacingTree(TimerService& timers, StartSequenceServices services, StartSequenceHooks hooks);

  private:
    void runStep(int step) override;
};

}  // namespace qel
