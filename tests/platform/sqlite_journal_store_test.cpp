// The race journal's SQLite file: what goes in reads back with SQLite itself,
// in write-ahead mode, and a race that never ended is found again.
#include "platform/sqlite_journal_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/journal_query.h"
#include "support/temp_folder.h"

namespace qel {
namespace {

TEST(SqliteJournalStore, KeepsRacesLapsAndEventsAndFindsAnInterruptedRace) {
    test::TempFolder folder;
    const auto file = folder.path() / "Stats" / "RaceJournal.sqlite";
    platform::SqliteJournalStore store(file);
    EXPECT_EQ(store.interruptedRace(), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file)) << "no race, no journal";

    JournalRace race;
    race.startedAt = 46000.5;
    race.title = "5 Lap Race";
    race.lanes = 2;
    race.laps = 5;
    const int64_t first =
        store.beginRace(race, {{1, "Ann", 255, false, 654.5}, {2, "Zoë", 65280, true, 0}});
    JournalBatch batch;
    batch.laps = {{1, 1, 4200, 4200, 4200, "Ann"}, {1, 2, 4100, 8300, 4100, "Ann"}};
    batch.events = {{0, "start", ""}, {8300, "flag", "3"}};
    store.record(first, batch);
    store.endRace(first, 46000.6, "finished");

    const int64_t second = store.beginRace(race, {{1, "Ann", 255, false, 654.5}});
    store.record(second, {{{1, 1, 4300, 4300, 4300, "Ann"}}, {}, "4300\rA", 4300});
    EXPECT_EQ(store.interruptedRace(), second);
    EXPECT_NE(store.location().find("RaceJournal.sqlite"), std::string::npos);

    EXPECT_EQ(test::journalQuery(file, "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(test::journalQuery(file, "SELECT count(*) FROM races"), "2");
    EXPECT_EQ(test::journalQuery(file, "SELECT outcome FROM races WHERE id = 1"), "finished");
    EXPECT_EQ(test::journalQuery(file, "SELECT group_concat(lap_ms) FROM laps WHERE race = 1"),
              "4200,4100");
    EXPECT_EQ(test::journalQuery(file, "SELECT racer FROM race_lanes WHERE race = 1 AND lane = 2"),
              "Zoë");
    EXPECT_EQ(test::journalQuery(file, "SELECT detail FROM events WHERE kind = 'flag'"), "3");
    EXPECT_EQ(test::journalQuery(file, "SELECT ended IS NULL FROM races WHERE id = 2"), "1");
    EXPECT_EQ(test::journalQuery(file, "SELECT bytes FROM box_input WHERE race = 2"), "4300\rA");
}

TEST(SqliteJournalStore, AJournalThatCannotBeMadeSaysWhy) {
    test::TempFolder folder;
    folder.write("Stats", "a file where the folder should be");
    platform::SqliteJournalStore store(folder.path() / "Stats" / "RaceJournal.sqlite");
    try {
        store.beginRace({}, {});
        FAIL() << "the journal opened";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("RaceJournal.sqlite"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace qel
