#pragma once
// A race the program never saw end, put back from the journal: the set-up it
// ran with, its racers, and every counted lap counted again in order, so the
// lap store, the best laps and the positions are as they were at the last
// counted lap; the race stands paused, for the race director to continue.
#include <optional>
#include <string>
#include <vector>

#include "core/engine/race_engine.h"
#include "core/journal/race_journal.h"
#include "core/seams/journal_store.h"
#include "core/state/heat_tables.h"

namespace qel {

// The question at start-up: "The last race was interrupted (10 Lap Race, 23 laps counted).
// Restore it?"
std::string interruptedRaceQuestion(const JournalRecord& record);
inline constexpr const char* kInterruptedRaceTitle = "Race Journal";

// A heat series as a journalled heat started it, checked against the tables
// it goes back into.
struct JournalledSeries {
    std::string sequence;
    int racerCount = 0;
    int heat = 0;
    // Racers 1..racerCount as the heat found them; entry 0 unused.
    std::vector<HeatRacer> racers;
};

// The series of a journalled heat, or nullopt when the journal does not hold
// it (a heat journalled before the series was kept) or holds anything a
// series cannot have: a racer count, lane, sit-out slot, heat or sequence
// character out of range, a racer missing or twice, a per-lane list that is
// not one number per lane, or a heat count the sequence does not give.
std::optional<JournalledSeries> journalledSeries(const JournalRecord& record);

// Whether the journalled race can be put back: a single race or practice, or
// a heat whose series the journal holds whole.
bool restorable(const JournalRecord& record);

// Puts the race back into the engine's state and board, paused; the journal
// writer goes on with the same race. A heat comes back as the heat it was,
// the earlier heats' results in the series' table, so the series goes on
// from it. A record that is not restorable throws QelError and changes nothing.
void RestoreRace(const JournalRecord& record, int64_t race, RaceEngine& engine,
                 RaceJournal& journal);

// At start-up: a race that never ended is offered once. Yes restores it; No
// (or a race the journal cannot put back) leaves it in the journal as
// interrupted and the program starts clean. Nothing to offer, or a journal that cannot be read:
// nothing happens.
void OfferInterruptedRace(JournalStore& store, RaceEngine& engine, RaceJournal& journal);

}  // namespace qel
