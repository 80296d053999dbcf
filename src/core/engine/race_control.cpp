#include "core/engine/race_control.h"

#include <algorithm>
#include <string>

#include "core/engine/race_resets.h"
#include "core/engine/race_start.h"
#include "core/engine/unsaved_prompts.h"
#include "core/heats/race_formats.h"
#include "core/heats/rotation.h"

namespace qel {
namespace {

// The hourglass for as long as the program holds the race director.
class BusyPointer {
  public:
    explicit BusyPointer(RaceBoard& board) : board_(board) { board_.busy = true; }
    ~BusyPointer() { board_.busy = false; }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    RaceBoard& board_;
};

bool listHasEntry(int16_t index, const std::vector<std::string>& entries) {
    return index >= 0 && index < static_cast<int>(entries.size());
}

}  // namespace

void showPaused(RaceBoard& board) {
    board.startState = StartState::Continue;
    board.bannerColor = kYellow;
    board.banner = "Paused";
    board.bannerVisible = true;
    board.flagPicture = kFlagYellow;
}

RaceControl::RaceControl(RaceControlContext context)
    : c_(context), trackCall_(context.state, context.board, [this] { cmdStart_Click(); }) {}

int RaceControl::lanes() const {
    return std::clamp<int>(c_.state.laneCount, 0, kMaxLanes);
}

void RaceControl::cmdStart_Click() {
    switch (c_.board.startState) {
        case StartState::Start:
            Start();
            break;
        case StartState::Pause:
            Pause();
            break;
        case StartState::Continue:
            Continue();
            break;
        case StartState::Reset:
            Reset();
            break;
        case StartState::Rotate:
            Rotate();
            break;
        case StartState::AutoDelay:
            // The heats roll on by themselves; a press does nothing.
            break;
    }
}

void RaceControl::cmdStart_ClickWithoutStartDelay() {
    if (c_.board.startState == StartState::Start) {
        Start(true);
    } else {
        cmdStart_Click();
    }
}

void RaceControl::PauseButton(double thisTime) {
    // What the box or the keyboard held back during the coast wait comes in
    // the moment the program is free again.
    if (coastWaitEndedMs_ && c_.clock.tickCountMs() - *coastWaitEndedMs_ < kHeldTrackCallMs) return;
    trackCall_.PauseButton(thisTime);
}

bool RaceControl::lanesNamed() {
    for (int lane = 1; lane <= lanes(); ++lane) {
        if (trimmedName(c_.board.rows[lane].name.text) == "Select Name") {
            c_.prompter.inform("Please select name for Lane " + std::to_string(lane),
                               "Select Name");
            return false;
        }
    }
    return true;
}

bool RaceControl::sameNamesAccepted() {
    for (int j = 1; j <= lanes(); ++j) {
        const std::string& name = c_.board.rows[j].name.text;
        if (trimmedName(name).empty() || name == kDisabledName || isEmptyLane(name)) continue;
        for (int k = j + 1; k <= lanes(); ++k) {
            if (c_.board.rows[k].name.text != name) continue;
            const MessageAnswer answer = c_.prompter.message(
                "Warning, names in Lanes " + std::to_string(j) + " and " + std::to_string(k) +
                    " are the same\r\nDo you want to continue race?",
                "Same Names", MessageIcon::Question, MessageButtons::YesNo, DefaultButton::Second);
            if (answer != MessageAnswer::Yes) {
                c_.windows.stopRotateDelay();
                ReSet();
                return false;
            }
        }
    }
    return true;
}

void RaceControl::Start(bool startDelayWaived) {
    startDelayWaived_ = startDelayWaived;
    {
        BusyPointer busy(c_.board);
        if (!c_.setup.demoMode()) {
            // A box plugged in since start-up is taken into use at the start.
            TimingPort& port = c_.link.port();
            if (!port.isOpen() && port.open(c_.state.commPort)) c_.link.SendBoxSetup();
            // Without an open port there is no box to ask; the start goes no further.
            if (!port.isOpen()) {
                c_.prompter.inform("Com Port Not Found");
                return;
            }
            c_.windows.boardChanged();
            if (c_.link.ProbeTimingInterface().empty()) return;
        }
    }
    RaceState& s = c_.state;
    s.lapsUnsaved = true;
    s.summaryUnsaved = true;
    if (!lanesNamed()) return;
    s.raceStamp.clear();
    if (!c_.setup.practiceMode() && !sameNamesAccepted()) return;

    DisableMenu();
    ClearLapTimes(s);
    ResetSortedLapTimesArray(s);
    StartReset(s, c_.setup, c_.demo);
    if (c_.heats.currentHeat == 1) ResetRacerArrays(s, c_.heats);
    StartMethod();
}

void RaceControl::showLights(qel::StartMethod method) {
    if (method == qel::StartMethod::Formula1) {
        c_.windows.showFormula1();
    } else {
        c_.windows.showDragTree();
    }
}

void RaceControl::StartMethod() {
    const qel::StartMethod method = c_.setup.startMethod();
    const int16_t format = c_.setup.raceFormat();
    if (format == kPractice || method == qel::StartMethod::Instant) {
        InstantStart();
        return;
    }
    // From the second heat on the drivers are on the track already.
    const bool countdownFirst =
        !startDelayWaived_ && c_.setup.startDelay() >= 1 &&
        (format == kLapRace || format == kTimedRace || c_.heats.currentHeat <= 1);
    if (countdownFirst) {
        c_.windows.showStartCountdown([this, method] { showLights(method); });
    } else {
        showLights(method);
    }
}

void RaceControl::InstantStart() {
    qel::InstantStart(c_.board, c_.raceTick, c_.link, c_.player);
}

void RaceControl::Pause() {
    BusyPointer busy(c_.board);
    c_.link.SetTrackPower(false);
    showPaused(c_.board);
    playRaceSound(c_.sounds, c_.player, kSoundYellowFlag);
    if (c_.setup.demoMode()) c_.raceTick.setEnabled(false);
    // The cars coast to a stop while the box still times them; what it
    // reports meanwhile is read at the next tick.
    c_.windows.boardChanged();
    c_.link.Wait(c_.setup.coastTimeMs());
    coastWaitEndedMs_ = c_.clock.tickCountMs();
    c_.link.SendBoxCommand("P");
    c_.board.abortEnabled = true;
}

void RaceControl::BoxLost() {
    if (c_.board.startState != StartState::Pause) return;
    showPaused(c_.board);
    playRaceSound(c_.sounds, c_.player, kSoundYellowFlag);
    c_.board.abortEnabled = true;
    c_.board.menu.installation = true;
    c_.windows.boardChanged();
}

bool RaceControl::raceLengthChosen() const {
    const RaceFormatSettings& chosen = c_.setup.raceSettings();
    return listHasEntry(chosen.lapsListIndex, lapsEntries()) ||
           listHasEntry(chosen.timeListIndex, minutesEntries());
}

void RaceControl::Continue() {
    DisableMenu();
    c_.state.raceOverHandled = 0;
    c_.board.abortEnabled = false;
    if (raceLengthChosen()) {
        c_.board.bannerVisible = false;
        StartMethod();
    } else {
        c_.prompter.inform("Please select Time or Laps ");
        c_.windows.showRaceFormatForLength();
    }
}

void RaceControl::Rotate() {
    ReSet();
    StartReset(c_.state, c_.setup, c_.demo);
    c_.windows.refreshNextHeat();
    if (c_.heats.currentHeat >= c_.heats.heatCount) {
        c_.windows.closeNextHeat();
        c_.heats.currentHeat = 1;
    } else {
        ++c_.heats.currentHeat;
        ShowHeatRacers(c_.heats, lanes(), c_.state, c_.board);
    }
    c_.title.UpdateRaceTitle();
}

void RaceControl::Reset() {
    RaceState& s = c_.state;
    if (!ConfirmResetUnsaved(s, c_.prompter)) return;
    // The racers' lap totals go only once the race director has agreed to
    // lose the race: a No leaves the result as it stood.
    const int racers = std::clamp<int>(c_.heats.racerCount, 0, kMaxRacers);
    for (int racer = 1; racer <= racers; ++racer)
        c_.heats.heatRacers[racer].totalLaps = 0;
    if (c_.heats.currentHeat == c_.heats.heatCount || !c_.setup.heatRotation()) {
        c_.board.flagPicture = kFlagIdle;
    }
    EnableMenu();
    c_.heats.currentHeat = 1;
    ReSet();
    StartReset(s, c_.setup, c_.demo);
    ClearLapTimes(s);
    ResetSortedLapTimesArray(s);
    c_.windows.closeNextHeat();
}

void RaceControl::cmdAbort_Click() {
    if (c_.setup.heatRotation() && c_.windows.showAbortChoice()) return;
    if (c_.state.raceOverHandled == 0) {
        const MessageAnswer answer =
            c_.prompter.message("Are you sure you want to abort?\r\nAll Data will be lost", "Abort",
                                MessageIcon::Question, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) return;
    }
    abortRace();
}

void RaceControl::abortRace() {
    BusyPointer busy(c_.board);
    RaceState& s = c_.state;
    // The paused race tick stops with the race, so nothing the box may still
    // send is counted on an idle board.
    c_.raceTick.setEnabled(false);
    c_.board.startState = StartState::Start;
    c_.board.flagPicture = kFlagIdle;
    s.lapsUnsaved = false;
    s.summaryUnsaved = false;
    ReSet();
    StartReset(s, c_.setup, c_.demo);
    ClearLapTimes(s);
    ResetSortedLapTimesArray(s);
    s.raceOverHandled = 0;
}

void RaceControl::ReSet() {
    RaceState& s = c_.state;
    RaceBoard& b = c_.board;
    b.menu.timeVisible = s.sellTimeEnabled != 0;
    c_.names.LoadNames();
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        BoardRow& row = b.rows[lane];
        const bool inUse = lane <= lanes();
        if (inUse) {
            row.lapTime.text.clear();
            row.lapNum.text.clear();
            row.best.text.clear();
            row.lagTime.text.clear();
            s.lastHitMs[lane] = kNoHitYet;
        }
        const int32_t back = inUse ? s.laneColor[lane] : 0;
        for (BoardCell* cell : {&row.name, &row.lapTime, &row.lapNum, &row.best, &row.lagTime}) {
            cell->backColor = back;
        }
    }
    b.bannerVisible = false;
    s.leaderFinished = false;
    s.whiteFlagShown = false;
    s.elapsedMs = 0;
    b.startEnabled = true;
    b.startState = StartState::Start;
    b.abortEnabled = false;
    if (!c_.setup.heatRotation()) EnableMenu();
    c_.title.UpdateRaceTitle();
}

void RaceControl::DisableMenu() {
    MenuStates& menu = c_.board.menu;
    menu.file = menu.raceFormat = menu.racers = menu.help = menu.installation = false;
}

void RaceControl::EnableMenu() {
    MenuStates& menu = c_.board.menu;
    menu.file = menu.raceFormat = menu.racers = menu.help = menu.installation = true;
}

}  // namespace qel
