#pragma once
// The Formula 1 lights: four reds one second apart, then, after a wait the
// drivers cannot guess, all four green at once.
#include "core/engine/start_lights.h"
#include "core/seams/random.h"

namespace qel {

class Formula1Lights : public StartLights {
  public:
    static constexpr int kIntervalMs = 1000;
    // After green the window stays half a second so the drivers see it.
    static constexpr int kGreenShownMs = 500;
    static constexpr int kShortestWaitMs = 1000;
    static constexpr int kWaitSpreadMs = 3000;

    Formula1Lights(TimerService& timers, Random& random, StartSequenceServices services,
                   StartSequenceHooks hooks);

  private:
    void prepare() override;
    void runStep(int step) override;

    Random& random_;
};

}  // namespace qel
