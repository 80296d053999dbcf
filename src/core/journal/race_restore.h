#pragma once
// A race the program never saw end, put back from the journal: the set-up it
// ran with, its racers, and every counted lap counted again in order, so the
// lap store, the best laps and the positions are as they were at the last
// counted lap; the race stands paused, for the race director to continue.
#include <optional>
#include <string>

#include "core/engine/race_engine.h"
#include "core/journal/race_journal.h"
#include "core/seams/journal_store.h"

namespace qel {

// The question at start-up: "The last race was interrupted (10 Lap Race, 23 laps counted).
// Restore it?"
std::string interruptedRaceQuestion(const JournalRecord& record);
inline constexpr const char* kInterruptedRaceTitle = "Race Journal";

// Whether the journalled race can be put back: the heat series of a heat
// format is not in the journal yet, so only single races and practice are.
bool restorable(const JournalRecord& record);

// Puts the race back into the engine's state and board, paused; the journal
// writer goes on with the same race.
void RestoreRace(const JournalRecord& record, int64_t race, RaceEngine& engine,
                 RaceJournal& journal);

// At start-up: a race that never ended is offered once. Yes restores it; No
// (or a heat of a series) leaves it in the journal as interrupted and the
// program starts clean. Nothing to offer, or a journal that cannot be read:
// nothing happens.
void OfferInterruptedRace(JournalStore& store, RaceEngine& engine, RaceJournal& journal);

}  // namespace qel
