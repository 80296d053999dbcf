#pragma once
// The race tick: every 100 ms while a race is live it refreshes the clock,
// reads the box (or generates demo laps), redraws the board every sixth tick
// and runs the finish check.
#include <functional>

#include "core/engine/demo_generator.h"
#include "core/engine/lap_counting.h"
#include "core/engine/race_finish.h"
#include "core/engine/race_screen.h"
#include "core/engine/timing_link.h"

namespace qel {

class RaceTick {
  public:
    RaceTick(RaceState& state, HeatTables& heats, RaceSetup setup, TimingLink& link,
             LapCounter& counter, DemoGenerator& demo, RaceScreen& screen, RaceFinish& finish)
        : state_(state),
          heats_(heats),
          setup_(setup),
          link_(link),
          counter_(counter),
          demo_(demo),
          screen_(screen),
          finish_(finish),
          decoder_(state, {[this](int lane) { counter_.CountLap(lane); },
                           [this] {
                               if (trackCall_) trackCall_();
                           }}) {}

    // A "W" from the box: the track-call button was pressed.
    void setTrackCallHandler(std::function<void()> handler) { trackCall_ = std::move(handler); }

    void Timer1_Timer(int milliseconds);

    BoxDecoder& decoder() { return decoder_; }

  private:
    RaceState& state_;
    HeatTables& heats_;
    RaceSetup setup_;
    TimingLink& link_;
    LapCounter& counter_;
    DemoGenerator& demo_;
    RaceScreen& screen_;
    RaceFinish& finish_;
    std::function<void()> trackCall_;
    BoxDecoder decoder_;
};

}  // namespace qel
