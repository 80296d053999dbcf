#include "core/engine/race_finish.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/io/format.h"
#include "core/io/rounding.h"

namespace qel {

namespace {

constexpr const char* kMinutes = "Number of Minutes";
constexpr const char* kLaps = "Number of Laps";

int32_t clampToClock(double ms) {
    const double rounded = roundHalfEven(ms);
    return static_cast<int32_t>(
        std::clamp(rounded, static_cast<double>(std::numeric_limits<int32_t>::min()),
                   static_cast<double>(std::numeric_limits<int32_t>::max())));
}

}  // namespace

bool RaceFinish::timedRace() const {
    return c_.setup.raceLimitKind() == kMinutes;
}

bool RaceFinish::lastHeat() const {
    return !c_.setup.heatRotation() || (c_.heats.currentHeat == c_.heats.heatCount &&
                                        c_.setup.raceFormat() != kPracticeWithRotation);
}

void RaceFinish::flag(int picture) {
    c_.board.flagPicture = picture;
    if (c_.flagShown) c_.flagShown(picture);
}

void RaceFinish::clock() {
    auto& s = c_.state;
    int64_t seconds;
    if (timedRace() && c_.setup.raceFormat() != kPractice) {
        const int64_t left = clampToClock(c_.setup.raceMinutes() * 60.0 * 1000.0) -
                             static_cast<int64_t>(s.elapsedMs);
        seconds = std::max<int64_t>(left / 1000, 0);
    } else {
        seconds = s.elapsedMs / 1000;
    }
    s.clockMinutes = static_cast<int32_t>(seconds / 60);
    s.clockSeconds = static_cast<int32_t>(seconds % 60);
    c_.board.clock = formatNumber(s.clockMinutes, "00") + ":" + formatNumber(s.clockSeconds, "00");
}

void RaceFinish::freezeFinishLaps() {
    auto& s = c_.state;
    const int lanes = std::clamp<int>(s.laneCount, 0, kMaxLanes);
    for (int p = 2; p <= lanes; ++p) {
        const int lane = s.runningOrder[p];
        s.finishLap[lane] = static_cast<int16_t>(std::min<int>(s.lapCount[lane] + 1, kMaxLap));
    }
    const int leader = s.runningOrder[1];
    s.finishLap[leader] = s.lapCount[leader];
}

int RaceFinish::finishedLanes() const {
    const auto& s = c_.state;
    int finished = 0;
    for (int lane = 1; lane <= std::clamp<int>(s.laneCount, 0, kMaxLanes); ++lane) {
        if (s.lapCount[lane] == c_.setup.firstLapOffset() || s.lapCount[lane] >= s.finishLap[lane])
            ++finished;
    }
    return finished;
}

void RaceFinish::CheckFinish() {
    if (c_.state.laneCount < 1 || c_.state.runningOrder[1] < 1) return;
    if (c_.setup.raceLimitKind() == kLaps) {
        CheckLapRace();
    } else if (timedRace()) {
        CheckTimedRace();
    }
}

void RaceFinish::CheckLapRace() {
    auto& s = c_.state;
    // Nothing happens until the leader's row shows a lap.
    const std::string& firstRowLap = c_.board.rows[1].lapNum.text;
    if (firstRowLap.empty() || std::atoi(firstRowLap.c_str()) < 1) return;
    const int leader = s.runningOrder[1];

    const int16_t raceLaps = c_.setup.raceLaps();
    if (raceLaps == s.lapCount[leader] + 1 && !s.whiteFlagShown) {
        playRaceSound(c_.sounds, c_.player, kSoundWhiteFlag);
        flag(kFlagWhite);
        s.whiteFlagShown = true;
    }
    if (raceLaps == s.lapCount[leader] && !s.leaderFinished) {
        playRaceSound(c_.sounds, c_.player, kSoundCheckeredFlag);
        c_.board.bannerColor = kRed;
        flag(kFlagCheckered);
        freezeFinishLaps();
        s.coastDeadlineMs = clampToClock(s.elapsedMs + s.bestLapMs[leader] * 1.7);
        s.leaderFinished = true;
    }
    if (!s.leaderFinished) return;

    const bool lapHeats = c_.setup.raceFormat() == kRoundRobinLapHeats ||
                          c_.setup.raceFormat() == kRotationRaceLapHeats;
    const int finished = lapHeats ? s.laneCount : finishedLanes();
    if ((finished == s.laneCount || s.elapsedMs > s.coastDeadlineMs) && s.raceOverHandled == 0) {
        s.raceOverHandled = 1;
        c_.raceTick.setEnabled(false);
        s.raceStamp = formatDate(c_.clock.now(), "MMM-DD, H-MM");
        c_.link.SendBoxCommand("P");
        c_.link.SetTrackPower(false);
        s.redrawCountdown = 0;
        RaceOrHeatOver();
        // Auto-Print serves the lap heats as it serves the timed ones.
        if (c_.setup.raceFormat() != kPracticeWithRotation && c_.setup.autoPrint())
            c_.handover.autoPrint();
    }
}

void RaceFinish::CheckTimedRace() {
    auto& s = c_.state;
    const int64_t raceMs = clampToClock(c_.setup.raceMinutes() * 60.0 * 1000.0);
    if (s.elapsedMs >= raceMs - 10000 && s.tenSecondWarned == 0) {
        s.tenSecondWarned = 1;
        playRaceSound(c_.sounds, c_.player, kSound10SecondsLeft);
    }
    if (s.elapsedMs >= raceMs && !s.leaderFinished) {
        c_.link.SetTrackPower(false);
        if (lastHeat()) {
            playRaceSound(c_.sounds, c_.player, kSoundCheckeredFlag);
            c_.board.bannerColor = kRed;
            flag(kFlagCheckered);
        } else {
            playRaceSound(c_.sounds, c_.player, kSoundRedFlag);
            flag(kFlagRed);
            c_.board.bannerColor = kRed;
        }
        if (c_.setup.heatRotation()) {
            // Every lap in the coast time still counts.
            s.coastDeadlineMs =
                clampToClock(static_cast<double>(s.elapsedMs) + c_.setup.coastTimeMs());
        } else {
            freezeFinishLaps();
            const int leader = s.runningOrder[1];
            if (s.lapCount[leader] >= 3) {
                s.coastDeadlineMs = clampToClock(s.elapsedMs + s.bestLapMs[leader] * 1.8);
            } else {
                const double minimumMs = roundHalfEven(c_.setup.minLapTime()) * 1000.0;
                s.coastDeadlineMs = clampToClock(s.elapsedMs + 1.9 * minimumMs);
            }
        }
        s.leaderFinished = true;
        if (c_.setup.heatRotation()) c_.handover.prepareNextHeatDisplay();
    }
    if (!s.leaderFinished) return;

    if ((finishedLanes() == s.laneCount || s.elapsedMs > s.coastDeadlineMs) &&
        s.raceOverHandled == 0) {
        s.raceOverHandled = 1;
        c_.link.SendBoxCommand("P");
        c_.link.SetTrackPower(false);
        c_.link.Wait(500);
        c_.raceTick.setEnabled(false);
        s.raceStamp = formatDate(c_.clock.now(), "MMM-DD, H-MM");
        s.redrawCountdown = 0;
        RaceOrHeatOver();
        if (c_.setup.raceFormat() == kPracticeWithRotation) {
            c_.screen.UpdatePracticeScreen();
        } else {
            c_.screen.UpdateRaceScreen();
            if (c_.setup.autoPrint()) c_.handover.autoPrint();
        }
    }
}

void RaceFinish::RaceOrHeatOver() {
    c_.board.bannerColor = kRed;
    if (lastHeat()) {
        playRaceSound(c_.sounds, c_.player, kSoundRaceOver);
        c_.board.banner = "Race Over";
        c_.board.startState = StartState::Reset;
    } else {
        playRaceSound(c_.sounds, c_.player, kSoundHeatOver);
        c_.board.banner = "Heat Over";
        if (c_.setup.autoDelay()) {
            c_.board.startState = StartState::AutoDelay;
            c_.handover.startBetweenHeatDelay();
        } else {
            c_.board.startState = StartState::Rotate;
        }
    }
    c_.board.bannerVisible = true;
    c_.handover.enableFileMenu();
    if (!c_.setup.practiceMode()) c_.screen.UpdateRaceScreen();
    c_.handover.scoreHeat();
    // The heat log records the heat with its laps and points counted in.
    if (c_.setup.heatRotation()) c_.handover.saveHeatToLog();
    c_.handover.reopenOpenViews();
    if (c_.setup.autoDisplayResults() && c_.setup.heatRotation()) c_.handover.showRaceResults();
}

}  // namespace qel
