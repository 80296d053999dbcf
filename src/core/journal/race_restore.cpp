#include "core/journal/race_restore.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>
#include <limits>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/engine/lap_counting.h"
#include "core/engine/race_start.h"
#include "core/heats/race_formats.h"
#include "core/heats/rotation.h"
#include "core/io/errors.h"

namespace qel {

namespace {

template <typename T>
bool fits(int64_t value) {
    return value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
}

// "0,7,0,0,0,0,0,0": one whole number per lane 1..8, each one the table can
// hold; anything else is no list.
template <typename T>
std::optional<LaneTable<T>> perLaneOf(std::string_view text) {
    LaneTable<T> values{};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (lane > 1) {
            if (at == end || *at != ',') return std::nullopt;
            ++at;
        }
        int64_t value = 0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc{} || !fits<T>(value)) return std::nullopt;
        values[lane] = static_cast<T>(value);
        at = next;
    }
    if (at != end) return std::nullopt;
    return values;
}

std::optional<HeatRacer> heatRacerOf(const JournalHeatRacer& row, int lanes) {
    const auto laps = perLaneOf<int16_t>(row.lapsInLane);
    const auto points = perLaneOf<int16_t>(row.pointsInLane);
    const auto adjust = perLaneOf<int16_t>(row.adjustInLane);
    const auto best = perLaneOf<int32_t>(row.bestLapInLane);
    if (!laps || !points || !adjust || !best) return std::nullopt;
    if (row.startLane < 0 || row.startLane > lanes) return std::nullopt;
    if (row.sitOutNumber < 0 || row.sitOutNumber > kMaxRacers) return std::nullopt;
    if (!fits<int16_t>(row.totalLaps) || !fits<int16_t>(row.totalPoints)) return std::nullopt;
    HeatRacer racer;
    racer.name = row.name;
    racer.bestLap = *best;
    racer.lapsInLane = *laps;
    racer.totalLaps = static_cast<int16_t>(row.totalLaps);
    racer.pointsInLane = *points;
    racer.totalPoints = static_cast<int16_t>(row.totalPoints);
    racer.adjustInLane = *adjust;
    racer.startLane = static_cast<int16_t>(row.startLane);
    racer.sitOutNumber = static_cast<int16_t>(row.sitOutNumber);
    return racer;
}

// The series as the heat started, then the rotation rebuilt from it and the
// heat's racers named on their lanes.
void restoreSeries(const JournalledSeries& series, HeatTables& heats, int laneCount,
                   RaceState& state, RaceBoard& board) {
    heats.racerCount = static_cast<int16_t>(series.racerCount);
    heats.activeSequence = series.sequence;
    for (int racer = 1; racer <= kMaxRacers; ++racer) {
        heats.heatRacers[racer] = racer <= series.racerCount ? series.racers[racer] : HeatRacer{};
    }
    BuildRotation(heats, heats.racerCount, heats.activeSequence);
    heats.currentHeat = static_cast<int16_t>(series.heat);
    ShowHeatRacers(heats, laneCount, state, board);
}

}  // namespace

std::string interruptedRaceQuestion(const JournalRecord& record) {
    return "The last race was interrupted (" + record.race.title + ", " +
           std::to_string(record.laps.size()) + " laps counted). Restore it?";
}

std::optional<JournalledSeries> journalledSeries(const JournalRecord& record) {
    const JournalRace& race = record.race;
    if (race.lanes < 1 || race.lanes > kMaxLanes) return std::nullopt;
    if (race.racerCount < 1 || race.racerCount > kMaxRacers) return std::nullopt;
    const std::string& sequence = race.activeSequence;
    if (sequence.empty() || sequence.size() > static_cast<std::size_t>(kMaxHeats) ||
        !ValidSequence(sequence, race.lanes)) {
        return std::nullopt;
    }
    // Every racer of the series once, in order: the store reads them by racer.
    if (record.heatRacers.size() != static_cast<std::size_t>(race.racerCount)) {
        return std::nullopt;
    }
    JournalledSeries series;
    series.sequence = sequence;
    series.racerCount = race.racerCount;
    series.racers.resize(static_cast<std::size_t>(race.racerCount) + 1);
    for (int racer = 1; racer <= race.racerCount; ++racer) {
        const JournalHeatRacer& row = record.heatRacers[static_cast<std::size_t>(racer) - 1];
        if (row.racer != racer) return std::nullopt;
        std::optional<HeatRacer> read = heatRacerOf(row, race.lanes);
        if (!read) return std::nullopt;
        series.racers[static_cast<std::size_t>(racer)] = std::move(*read);
    }
    // The rotation gives one heat per sequence position, and no fewer heats than racers.
    const int heats = std::max(race.racerCount, static_cast<int>(sequence.size()));
    if (race.heatCount != heats || race.heat < 1 || race.heat > heats) return std::nullopt;
    series.heat = race.heat;
    return series;
}

bool restorable(const JournalRecord& record) {
    const JournalRace& race = record.race;
    if (race.format < kPractice || race.format > kRotationRaceLapHeats) return false;
    if (race.lanes < 1 || race.lanes > kMaxLanes) return false;
    return !raceFormatRule(race.format).heatRotation || journalledSeries(record).has_value();
}

void RestoreRace(const JournalRecord& record, int64_t race, RaceEngine& engine,
                 RaceJournal& journal) {
    if (!restorable(record)) {
        throw QelError(
            "The race journal cannot put this race back: what it holds of the race "
            "is incomplete or damaged.");
    }
    AppState& app = engine.app();
    RaceState& s = app.race;
    RaceBoard& b = app.board;
    const JournalRace& from = record.race;
    const RaceFormatRule& rule = raceFormatRule(from.format);
    const std::optional<JournalledSeries> series =
        rule.heatRotation ? journalledSeries(record) : std::nullopt;

    // The set-up the race ran with, as the Race Format dialog's OK would leave it.
    RaceFormatSettings& settings = app.raceSettings;
    settings.raceFormat = static_cast<int16_t>(from.format);
    settings.raceFormatName = from.formatName;
    settings.raceLimitKind =
        std::string(rule.length == RaceLength::Laps ? kLapsCaption : kMinutesCaption);
    settings.heatRotation = rule.heatRotation ? -1 : 0;
    settings.raceLaps = static_cast<int16_t>(from.laps);
    settings.raceMinutes = static_cast<float>(from.minutes);
    settings.demoMode = from.demo ? 1 : 0;
    for (const JournalLane& lane : record.lanes) {
        if (lane.lane >= 1 && lane.lane <= kMaxLanes) s.laneRacerName[lane.lane] = lane.racer;
    }

    // A fresh race, then every crossing the journal holds counted again at its moment.
    const RaceSetup setup = engine.setup();
    PrepareFreshRace(s, setup, app.heats, b, engine.demo());
    // The series as this heat started it, put back after the fresh race's
    // reset of a first heat's table: the earlier heats' laps and points in,
    // this heat's racers on their lanes, so its laps are counted to them.
    if (series) restoreSeries(*series, app.heats, s.laneCount, s, b);
    engine.title().UpdateRaceTitle();
    LapCounter counter(s, app.heats, b, setup);
    // The corrections from the results window come back where they fell
    // among the laps: one that moved a lane's counter numbers the laps after it.
    std::vector<std::pair<int32_t, ResultCorrection>> corrections;
    if (series) {
        for (const JournalEvent& event : record.events) {
            if (event.kind != kCorrectionEvent) continue;
            if (const auto made = parseCorrection(event.detail))
                corrections.emplace_back(event.raceMs, *made);
        }
    }
    std::size_t next = 0;
    for (const JournalLap& lap : record.laps) {
        for (; next < corrections.size() && corrections[next].first < lap.raceMs; ++next)
            applyCorrection(app.heats, s, corrections[next].second);
        s.elapsedMs = lap.raceMs;
        counter.CountLap(lap.lane);
    }
    for (; next < corrections.size(); ++next)
        applyCorrection(app.heats, s, corrections[next].second);
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
    showPaused(b);
    b.startEnabled = true;
    b.abortEnabled = true;
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
