#pragma once
// The Start and Abort buttons: the Start button's caption is the race's
// state ("Start", "Pause", "Continue", "Reset", "Rotate", "Auto Delay") and a
// press moves the race on from it; the track call and the W key press it too.
#include <cstdint>
#include <functional>
#include <optional>

#include "core/engine/demo_generator.h"
#include "core/engine/lane_names.h"
#include "core/engine/race_setup.h"
#include "core/engine/race_title.h"
#include "core/engine/timing_link.h"
#include "core/engine/track_call.h"
#include "core/heats/race_format_settings.h"
#include "core/seams/clock.h"
#include "core/seams/prompter.h"
#include "core/seams/timer_service.h"
#include "core/setup/options_file.h"
#include "core/sound/sound_table.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

// A track call handled this soon after the pause's coast wait let the program
// go was made while the wait held it: the marshal's button bouncing, or a
// second press meant for the same pause. It is dropped.
inline constexpr int64_t kHeldTrackCallMs = 250;

// The windows the race control opens or closes.
class RaceControlWindows {
  public:
    virtual ~RaceControlWindows() = default;
    // The board must show what changed before the program holds (coast wait).
    virtual void boardChanged() = 0;
    // The start-delay countdown, modal: then runs once it has closed.
    virtual void showStartCountdown(std::function<void()> then) = 0;
    virtual void showDragTree() = 0;
    virtual void showFormula1() = 0;
    // The race format dialog with the focus on its time list.
    virtual void showRaceFormatForLength() = 0;
    // The heat abort window; false when the program offers none.
    virtual bool showAbortChoice() = 0;
    // The next-heat window refilled for the heat to come, or closed.
    virtual void refreshNextHeat() = 0;
    virtual void closeNextHeat() = 0;
    // The between-heat rotate countdown stops.
    virtual void stopRotateDelay() = 0;
};

struct RaceControlContext {
    RaceState& state;
    HeatTables& heats;
    RaceBoard& board;
    RaceSetup setup;
    TimingLink& link;
    Timer& raceTick;  // Timer1
    Clock& clock;
    Prompter& prompter;
    const SoundTable& sounds;
    SoundPlayer& player;
    DemoGenerator& demo;
    LaneNames& names;
    RaceTitle& title;
    RaceControlWindows& windows;
};

inline constexpr int32_t kYellow = 65535;

// The board of a paused race: "Paused" on yellow under the yellow flag, the
// Start button on "Continue".
void showPaused(RaceBoard& board);

class RaceControl {
  public:
    explicit RaceControl(RaceControlContext context);

    void cmdStart_Click();
    // The press the between-heat count-down makes at zero: the drivers have
    // been counted onto the track already, so the heat goes to its start
    // lights without the start-delay countdown, and so does a Continue after
    // a pause in that heat. Any other state is a plain press.
    void cmdStart_ClickWithoutStartDelay();
    void cmdAbort_Click();
    // The track call ("W" from the box or the W key) at the given day count.
    void PauseButton(double thisTime);

    void StartMethod();
    void InstantStart();
    void ReSet();
    void DisableMenu();
    void EnableMenu();
    // The box vanished mid-race: the race stops where it stands as after a
    // pause, with nothing sent to the box (it cannot hear) and no coast
    // timed. Installation stays open, so another port can be chosen.
    void BoxLost();

  private:
    void Start(bool startDelayWaived = false);
    void Pause();
    void Continue();
    void Rotate();
    void Reset();
    void abortRace();
    bool lanesNamed();
    bool sameNamesAccepted();
    bool raceLengthChosen() const;
    void showLights(qel::StartMethod method);
    int lanes() const;

    RaceControlContext c_;
    TrackCall trackCall_;
    // When the pause's coast wait last let the program go (tick count).
    std::optional<int64_t> coastWaitEndedMs_;
    // The heat under way was started by the between-heat count-down.
    bool startDelayWaived_ = false;
};

}  // namespace qel
