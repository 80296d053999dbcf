// The race journal's SQLite file: what goes in reads back with SQLite itself,
// in write-ahead mode, and a race that never ended is found again.
#include "platform/sqlite_journal_store.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/heats/race_formats.h"
#include "core/io/data_folder.h"
#include "core/journal/race_journal.h"
#include "core/journal/race_restore.h"
#include "core/seams/virtual_time.h"
#include "support/fake_timing_port.h"
#include "support/journal_query.h"
#include "support/race_setup.h"
#include "support/recording_sound_device.h"
#include "support/scripted_prompter.h"
#include "support/scripted_random.h"
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
        store.beginRace(race, {{1, "Ann", 255, false, 654.5}, {2, "Zoë", 65280, true, 0}}, {});
    JournalBatch batch;
    batch.laps = {{1, 1, 4200, 4200, 4200, "Ann"}, {1, 2, 4100, 8300, 4100, "Ann"}};
    batch.events = {{0, "start", ""}, {8300, "flag", "3"}};
    store.record(first, batch);
    store.endRace(first, 46000.6, "finished");

    const int64_t second = store.beginRace(race, {{1, "Ann", 255, false, 654.5}}, {});
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
        store.beginRace({}, {}, {});
        FAIL() << "the journal opened";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("RaceJournal.sqlite"), std::string::npos) << e.what();
    }
}

// A heat keeps the series' table it started with beside the one it left, and
// what rebuilding the series needs reads back as it went in.
TEST(SqliteJournalStore, AHeatKeepsTheTableItStartedWithAndTheSeriesReadsBack) {
    test::TempFolder folder;
    const auto file = folder.path() / "Stats" / "RaceJournal.sqlite";
    platform::SqliteJournalStore store(file);
    JournalRace race;
    race.format = kRoundRobin;
    race.title = "Round Robin #3/6";
    race.lanes = 4;
    race.heat = 3;
    race.heatCount = 6;
    race.activeSequence = "123400";
    race.racerCount = 2;
    const std::vector<JournalHeatRacer> atStart{
        {1, "Ann", 1, "9,8,0,0,0,0,0,0", 17, "4,2,0,0,0,0,0,0", 6, 0,
         "4100,4250,999999,999999,0,0,0,0", "0,-1,0,0,0,0,0,0"},
        {2, "Eve", 0, "0,0,7,0,0,0,0,0", 7, "0,0,3,0,0,0,0,0", 3, 1,
         "999999,999999,4300,999999,0,0,0,0", "0,0,2,0,0,0,0,0"}};
    const int64_t heat = store.beginRace(race, {{1, "Eve", 255, false, 1}}, atStart);
    store.record(heat, {{{3, 1, 4000, 4000, 4000, "Ann"}}, {{0, "start", ""}}, "", 0});
    std::vector<JournalHeatRacer> atEnd = atStart;
    atEnd[0].lapsInLane = "9,8,1,0,0,0,0,0";
    atEnd[0].totalLaps = 18;
    store.recordHeatRacers(heat, atEnd);

    const std::optional<JournalRecord> record = store.loadRace(heat);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->race.activeSequence, "123400");
    EXPECT_EQ(record->race.racerCount, 2);
    EXPECT_EQ(record->heatRacers, atStart);
    // heat_racers is the table as the heat left it.
    EXPECT_EQ(test::journalQuery(file, "SELECT laps_in_lane FROM heat_racers WHERE racer = 1"),
              "9,8,1,0,0,0,0,0");
    EXPECT_EQ(test::journalQuery(file, "SELECT sit_out_number FROM heat_racers WHERE racer = 2"),
              "1");
    EXPECT_EQ(test::journalQuery(file, "SELECT value FROM journal_info WHERE key = 'layout'"), "2");
}

// The journal as the program's previous version made it, tables and rows
// written with SQLite itself.
constexpr const char* kFirstLayout = R"sql(
CREATE TABLE journal_info(key TEXT PRIMARY KEY, value TEXT);
INSERT INTO journal_info VALUES('layout', '1');
CREATE TABLE races(
  id INTEGER PRIMARY KEY,
  started REAL NOT NULL, ended REAL, outcome TEXT,
  format INTEGER, format_name TEXT, title TEXT, demo INTEGER, lanes INTEGER,
  laps INTEGER, minutes REAL, first_lap_offset INTEGER, min_lap_seconds REAL, coast_ms INTEGER,
  heat INTEGER, heat_count INTEGER);
CREATE TABLE race_lanes(
  race INTEGER NOT NULL REFERENCES races(id), lane INTEGER NOT NULL,
  racer TEXT, colour INTEGER, disabled INTEGER, speed_factor REAL,
  PRIMARY KEY(race, lane));
CREATE TABLE laps(
  race INTEGER NOT NULL REFERENCES races(id), lane INTEGER NOT NULL, lap INTEGER NOT NULL,
  lap_ms INTEGER, race_ms INTEGER, best_ms INTEGER, racer TEXT,
  PRIMARY KEY(race, lane, lap));
CREATE TABLE events(
  race INTEGER NOT NULL REFERENCES races(id), race_ms INTEGER, kind TEXT, detail TEXT);
CREATE TABLE heat_racers(
  race INTEGER NOT NULL REFERENCES races(id), racer INTEGER NOT NULL, name TEXT,
  start_lane INTEGER, laps_in_lane TEXT, total_laps INTEGER, points_in_lane TEXT,
  total_points INTEGER, PRIMARY KEY(race, racer));
CREATE TABLE box_input(
  race INTEGER NOT NULL REFERENCES races(id), race_ms INTEGER, bytes BLOB);
INSERT INTO races VALUES(1, 46000.5, 46000.6, 'finished', 2, 'Lap Race', '5 Lap Race', 1, 2,
  5, 0, 0, 1.5, 2000, 0, 0);
INSERT INTO laps VALUES(1, 1, 1, 4200, 4200, 4200, 'Ann');
INSERT INTO races VALUES(2, 46001.5, NULL, NULL, 5, 'Round Robin', 'Round Robin #2/4', 1, 4,
  0, 0.5, 0, 1.5, 2000, 2, 4);
INSERT INTO race_lanes VALUES(2, 1, 'Dee', 255, 0, 1);
INSERT INTO laps VALUES(2, 1, 1, 4300, 4300, 4300, 'Dee');
INSERT INTO heat_racers VALUES(2, 1, 'Ann', 1, '12,0,0,0,0,0,0,0', 12, '4,0,0,0,0,0,0,0', 4);
INSERT INTO heat_racers VALUES(2, 2, 'Bob', 2, '0,11,0,0,0,0,0,0', 11, '0,3,0,0,0,0,0,0', 3);
)sql";

void writeWithSqlite(const std::filesystem::path& file, const char* sql) {
    std::filesystem::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int result = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const std::string why = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(result, SQLITE_OK) << why;
}

TEST(SqliteJournalStore, AJournalOfThePreviousLayoutOpensWholeAndItsHeatIsNotOffered) {
    test::TempFolder folder;
    test::layOutApplicationFolder(folder);
    const auto file = folder.path() / "Stats" / "RaceJournal.sqlite";
    writeWithSqlite(file, kFirstLayout);

    platform::SqliteJournalStore store(file);
    ASSERT_EQ(store.interruptedRace(), 2);
    const std::optional<JournalRecord> old = store.loadRace(2);
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(old->race.heat, 2);
    EXPECT_EQ(old->race.activeSequence, "");
    EXPECT_TRUE(old->heatRacers.empty());
    ASSERT_EQ(old->laps.size(), 1u);
    EXPECT_FALSE(restorable(*old));
    // Every old row is still there, the new columns read as their defaults.
    EXPECT_EQ(test::journalQuery(file, "SELECT count(*) FROM laps"), "2");
    EXPECT_EQ(test::journalQuery(file, "SELECT group_concat(total_laps) FROM heat_racers"),
              "12,11");
    EXPECT_EQ(test::journalQuery(file, "SELECT sit_out_number FROM heat_racers WHERE racer = 2"),
              "0");
    EXPECT_EQ(test::journalQuery(file, "SELECT racer_count FROM races WHERE id = 1"), "0");
    EXPECT_EQ(test::journalQuery(file, "SELECT value FROM journal_info WHERE key = 'layout'"), "2");

    // At start-up the old heat is not offered and is kept as interrupted.
    AppFolder appFolder(folder.path());
    test::FakeTimingPort port;
    VirtualScheduler time{46002.5};
    test::ScriptedRandom random;
    test::ScriptedPrompter prompter;
    test::RecordingSoundDevice device;
    std::unique_ptr<AppState> app = makeAppState();
    RaceEngine engine(*app, {appFolder, port, time, time, random, prompter, device});
    RaceJournal journal(
        store, {app->race, app->board, engine.setup(), app->heats, app->installation, time});
    OfferInterruptedRace(store, engine, journal);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(test::journalQuery(file, "SELECT outcome FROM races WHERE id = 2"), "interrupted");
    EXPECT_EQ(store.interruptedRace(), std::nullopt);

    // A heat journalled now goes into the old file with its series.
    JournalRace race = old->race;
    race.activeSequence = "1234";
    race.racerCount = 1;
    const JournalHeatRacer ann{1,
                               "Ann",
                               1,
                               "0,0,0,0,0,0,0,0",
                               0,
                               "0,0,0,0,0,0,0,0",
                               0,
                               0,
                               "999999,999999,999999,999999,0,0,0,0",
                               "0,0,0,0,0,0,0,0"};
    const int64_t next = store.beginRace(race, old->lanes, {ann});
    EXPECT_EQ(next, 3);
    EXPECT_EQ(store.loadRace(next)->heatRacers, std::vector<JournalHeatRacer>{ann});
    store.endRace(next, 46003.0, "finished");

    // Opened again, the migrated journal is opened as it stands.
    platform::SqliteJournalStore again(file);
    EXPECT_EQ(again.loadRace(next)->race.activeSequence, "1234");
    EXPECT_EQ(again.loadRace(1)->laps.size(), 1u);
}

}  // namespace
}  // namespace qel
