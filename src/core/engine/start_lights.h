#pragma once
// The life of a start-light window, whichever lights it shows: it opens with
// the Start button held, steps once per tick of its own timer, gives the green
// light at step 6 and closes at step 7. A right click hurries it to the green;
// Esc abandons the start.
#include <array>
#include <memory>

#include "core/engine/start_light_geometry.h"
#include "core/engine/start_sequences.h"
#include "core/seams/timer_service.h"

namespace qel {

class StartLights {
  public:
    static constexpr int kGreenStep = 6;
    static constexpr int kLastStep = 7;

    virtual ~StartLights();
    StartLights(const StartLights&) = delete;
    StartLights& operator=(const StartLights&) = delete;

    // Form_Load: the Start button held, power on early when the race director
    // wants it "Before Green Light", "Get Ready", and the first step.
    void load();

    // A right mouse button on the window: the next tick is the green light.
    // Once the green has been given the race is running, and a second green
    // would tell the box to start again, so it does nothing then.
    void rightMouseDown();

    // Esc before the green: the lights go out, power that came on early goes
    // off again (no car runs untimed), and the race screen is reset. After the
    // green the race is already timed, so Esc only hurries the last step.
    void escapePressed();

    const std::array<Lamp, kLampCount>& lamps() const { return lamps_; }
    int step() const { return step_; }
    bool isOpen() const { return open_; }
    bool greenGiven() const { return green_; }
    const Timer& timer() const { return *timer_; }

  protected:
    StartLights(TimerService& timers, StartSequenceServices services, StartSequenceHooks hooks,
                int intervalMs);

    // Whatever a sequence does at load before the common steps.
    virtual void prepare() {}
    virtual void runStep(int step) = 0;

    void setLamp(int index, Lamp lamp) { lamps_.at(index) = lamp; }
    void beep() { services_.player.PlaySoundFile(kBeepFile); }
    // The green light's timing actions; from here on the race runs.
    void startTiming();
    // The last step: the Start button free again, "Auto Delay" when the heats
    // roll on by themselves, the caption "Pause", the window closed.
    // pauseOnlyFromIdle: the caption becomes "Pause" only from "Start" or "Continue".
    void finish(bool pauseOnlyFromIdle);

    Timer& stepTimer() { return *timer_; }
    StartSequenceServices& services() { return services_; }
    const StartSequenceHooks& hooks() const { return hooks_; }

  private:
    void tick();
    void close();
    void notifyBoard() const;

    StartSequenceServices services_;
    StartSequenceHooks hooks_;
    std::unique_ptr<Timer> timer_;
    int intervalMs_;
    std::array<Lamp, kLampCount> lamps_{};
    int step_ = 1;
    bool open_ = false;
    bool green_ = false;
    bool poweredEarly_ = false;
    // The main window may let go of the sequence from its closed hook.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace qel
