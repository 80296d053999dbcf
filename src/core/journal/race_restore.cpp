#include "core/journal/race_restore.h"

#include <exception>

#include "core/engine/lap_counting.h"
#include "core/engine/race_start.h"
#include "core/heats/race_formats.h"

namespace qel {

std::string interruptedRaceQuestion(const JournalRecord& record) {
    return "The last race was interrupted (" + record.race.title + ", " +
           std::to_string(record.laps.size()) + " laps counted). Restore it?";
}

bool restorable(const JournalRecord& record) {
    return record.race.format >= kPractice && record.race.format <= kRotationRaceLapHeats &&
           !raceFormatRule(static_cast<int16_t>(record.race.format)).heatRotation &&
           record.race.lanes >= 1 && record.race.lanes <= kMaxLanes;
}

void RestoreRace(const JournalRecord& record, int64_t race, RaceEngine& engine,
                 RaceJournal& journal) {
    AppState& app = engine.app();
    RaceState& s = app.race;
    RaceBoard& b = app.board;
    const JournalRace& from = record.race;

    // The set-up the race ran with, as the Race Format dialog's OK would leave it.
    RaceFormatSettings& settings = app.raceSettings;
    const RaceFormatRule& rule = raceFormatRule(static_cast<int16_t>(from.format));
    settings.raceFormat = static_cast<int16_t>(from.format);
    settings.raceFormatName = from.formatName;
    settings.raceLimitKind =
        std::string(rule.length == RaceLength::Laps ? kLapsCaption : kMinutesCaption);
    settings.heatRotation = 0;
    settings.raceLaps = static_cast<int16_t>(from.laps);
    settings.raceMinutes = static_cast<float>(from.minutes);
    settings.demoMode = from.demo ? 1 : 0;
    for (const JournalLane& lane : record.lanes) {
        if (lane.lane >= 1 && lane.lane <= kMaxLanes) s.laneRacerName[lane.lane] = lane.racer;
    }
    engine.title().UpdateRaceTitle();

    // A fresh race, then every crossing the journal holds counted again at its moment.
    const RaceSetup setup = engine.setup();
    PrepareFreshRace(s, setup, app.heats, b, engine.demo());
    LapCounter counter(s, app.heats, b, setup);
    for (const JournalLap& lap : record.laps) {
        s.elapsedMs = lap.raceMs;
        counter.CountLap(lap.lane);
    }
    for (const JournalEvent& event : record.events) {
        if (event.raceMs > s.elapsedMs) s.elapsedMs = event.raceMs;
        if (event.kind == "flag" && event.detail == std::to_string(kFlagWhite))
            s.whiteFlagShown = true;
    }
    s.redrawCountdown = 0;
    if (setup.practiceMode()) {
        engine.screen().UpdatePracticeScreen();
    } else {
        engine.screen().UpdateRaceScreen();
    }
    engine.finish().clock();

    // Paused, as after the Pause button: Continue carries the race on.
    engine.control().DisableMenu();
    b.startState = StartState::Continue;
    b.startEnabled = true;
    b.abortEnabled = true;
    b.bannerColor = kYellow;
    b.banner = "Paused";
    b.bannerVisible = true;
    b.flagPicture = kFlagYellow;
    journal.resume(race);
}

void OfferInterruptedRace(JournalStore& store, RaceEngine& engine, RaceJournal& journal) {
    try {
        const std::optional<int64_t> race = store.interruptedRace();
        if (!race) return;
        const std::optional<JournalRecord> record = store.loadRace(*race);
        if (record && restorable(*record) &&
            engine.seams().prompter.message(interruptedRaceQuestion(*record), kInterruptedRaceTitle,
                                            MessageIcon::Question,
                                            MessageButtons::YesNo) == MessageAnswer::Yes) {
            RestoreRace(*record, *race, engine, journal);
            return;
        }
        // Kept for the record, never offered again.
        store.endRace(*race, engine.seams().clock.now(), "interrupted");
    } catch (const std::exception& e) {
        engine.board().recordsNotice =
            std::string("The race journal could not be read: ") + e.what();
    }
}

}  // namespace qel
