#include "core/engine/race_start.h"

#include <algorithm>

#include "core/engine/race_resets.h"

namespace qel {

void PrepareFreshRace(RaceState& state, const RaceSetup& setup, HeatTables& heats, RaceBoard& board,
                      DemoGenerator& demo) {
    const int lanes = std::clamp<int>(state.laneCount, 0, kMaxLanes);
    for (int lane = 1; lane <= lanes; ++lane) {
        state.lastHitMs[lane] = kNoHitYet;
        board.rows[lane].name.text = state.laneRacerName[lane] + " ";
    }
    state.elapsedMs = 0;
    state.redrawCountdown = 0;
    state.lapsUnsaved = state.summaryUnsaved = true;
    state.raceStamp.clear();
    ClearLapTimes(state);
    ResetSortedLapTimesArray(state);
    StartReset(state, setup, demo);
    if (heats.currentHeat <= 1) ResetRacerArrays(state, heats);
}

void InstantStart(RaceBoard& board, Timer& raceTick, TimingLink& link, SoundPlayer& player,
                  const std::function<void(int picture)>& flagShown) {
    // The instant start says "Go" whatever the sound settings.
    player.PlaySoundFile("Go.wav");
    board.flagPicture = kFlagGreen;
    if (flagShown) flagShown(kFlagGreen);
    board.bannerVisible = false;
    board.startState = StartState::Pause;
    raceTick.setEnabled(true);
    link.SendBoxCommand("S");
    link.SetTrackPower(true);
}

}  // namespace qel
