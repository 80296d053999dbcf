#pragma once
// The passage from one heat to the next when the heats roll on by
// themselves ("Auto-Delay between Heats"): a view delay in which the drivers
// read the heat's result, the rotation to the next heat, and a count-down
// the race director can pause or skip, which starts the heat at zero. Both
// steps press the Start button in code, so a timed rotation or start runs
// exactly the steps of a press by the race director.
#include <memory>
#include <optional>
#include <string>

#include "core/engine/race_control.h"
#include "core/engine/race_setup.h"
#include "core/seams/prompter.h"
#include "core/seams/timer_service.h"
#include "core/sound/sound_table.h"
#include "core/state/race_board.h"
#include "core/state/race_end.h"

namespace qel {

inline constexpr const char* kCountDownPauseCaption = "&Pause";
inline constexpr const char* kCountDownContinueCaption = "&Continue";
inline constexpr const char* kRotateNowBanner = "Rotate Now";
inline constexpr const char* kCloseOptionMenuText = "Please close \"Option Menu\" to continue Race";
inline constexpr const char* kAutoDelayTitle = "Auto-Delay";

// The windows the between-heat delays need; the program's composition
// implements them over the real windows.
class BetweenHeatsWindows {
  public:
    virtual ~BetweenHeatsWindows() = default;
    // The Options dialog is on screen; the view delay closes it as its
    // Cancel does, so nothing half-changed is stored mid-event.
    virtual bool optionsDialogVisible() = 0;
    virtual void cancelOptionsDialog() = 0;
    // Some modal window holds the program (the Options dialog, a message
    // box of another handler): the count-down cannot come up over it.
    virtual bool modalWindowOpen() = 0;
    // frmRotationCountDown, loaded if it was closed and shown not modally;
    // the window reads the count and the pause caption from BetweenHeats. Its
    // load closes a visible results window (frmQelResults) and puts it back
    // where it last stood.
    virtual void showCountDown() = 0;
    // frmRotationCountDown unloaded; harmless when it is not loaded.
    virtual void closeCountDown() = 0;
    // The board changed (the rotation, the banner, the start): show it.
    virtual void boardChanged() = 0;
};

struct BetweenHeatsContext {
    RaceBoard& board;
    RaceSetup setup;
    RaceControl& control;
    const SoundTable& sounds;
    SoundPlayer& player;
    Prompter& prompter;
    TimerService& timers;
    BetweenHeatsWindows& windows;
};

class BetweenHeats : public RaceEndSubsystem {
  public:
    static constexpr int kIntervalMs = 1000;

    explicit BetweenHeats(BetweenHeatsContext context);
    ~BetweenHeats() override;
    BetweenHeats(const BetweenHeats&) = delete;
    BetweenHeats& operator=(const BetweenHeats&) = delete;

    // The heat is over with more to follow and Auto-Delay ticked: the view
    // delay begins with the seconds set in force now.
    void startBetweenHeatDelay() override;

    // frmRotationCountDown's buttons. Pause holds the count where it stands
    // and Continue goes on from there; Skip starts the heat at the next tick,
    // paused or not.
    void cmdPause_Click();
    void cmdSkip_Click();
    // Both delays end where they stand and the count-down window goes (a
    // start the count-down made was refused by the race director).
    void stop();

    // What the count-down window shows.
    int count() const { return shownCount_; }
    std::string countText() const { return std::to_string(shownCount_); }
    const std::string& pauseCaption() const { return pauseCaption_; }

    // Seconds still to go in each delay (working values; the settings stay as set).
    int viewSecondsLeft() const { return viewSeconds_; }
    int rotateSecondsLeft() const { return rotateSeconds_; }
    const Timer& tmrDelayView() const { return *tmrDelayView_; }
    const Timer& tmrDelayRotate() const { return *tmrDelayRotate_; }

  private:
    void tmrDelayView_Timer();
    void tmrDelayRotate_Timer();
    // One tick with its own error handler: the error's description is shown
    // and the next tick runs as usual.
    void guarded(void (BetweenHeats::*tick)());

    BetweenHeatsContext c_;
    std::unique_ptr<Timer> tmrDelayView_;
    std::unique_ptr<Timer> tmrDelayRotate_;
    int viewSeconds_ = 0;
    int rotateSeconds_ = 0;
    int shownCount_ = 0;
    std::string pauseCaption_ = kCountDownPauseCaption;
    // A tick is under way (a message box of it may be open, and the timers
    // keep ticking under a message box): a tick that comes meanwhile is let
    // go, so the boxes never pile up and a start is never made twice.
    bool inTick_ = false;
};

// The race format label of the main window's Select Racers item in demo
// mode: "Demo - " and the format's short name ("Demo - " alone for a format
// without one).
std::string demoRaceFormatLabel(int raceFormat);
// The label to show when Select Racers is chosen: only in demo mode with heats.
std::optional<std::string> selectRacersDemoLabel(const RaceSetup& setup);

}  // namespace qel
