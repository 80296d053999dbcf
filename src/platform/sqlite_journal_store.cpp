#include "platform/sqlite_journal_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <string>
#include <system_error>

#include "core/io/errors.h"
#include "core/state/heat_tables.h"

namespace qel::platform {

namespace {

// The journal's layout. A journal of an older layout is read as it stands:
// the tables only ever gain columns, and migrate() adds the ones it lacks.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS journal_info(key TEXT PRIMARY KEY, value TEXT);
INSERT OR IGNORE INTO journal_info VALUES('layout', '2');
CREATE TABLE IF NOT EXISTS races(
  id INTEGER PRIMARY KEY,
  started REAL NOT NULL, ended REAL, outcome TEXT,
  format INTEGER, format_name TEXT, title TEXT, demo INTEGER, lanes INTEGER,
  laps INTEGER, minutes REAL, first_lap_offset INTEGER, min_lap_seconds REAL, coast_ms INTEGER,
  heat INTEGER, heat_count INTEGER, active_sequence TEXT DEFAULT '',
  racer_count INTEGER DEFAULT 0);
CREATE TABLE IF NOT EXISTS race_lanes(
  race INTEGER NOT NULL REFERENCES races(id), lane INTEGER NOT NULL,
  racer TEXT, colour INTEGER, disabled INTEGER, speed_factor REAL,
  PRIMARY KEY(race, lane));
CREATE TABLE IF NOT EXISTS laps(
  race INTEGER NOT NULL REFERENCES races(id), lane INTEGER NOT NULL, lap INTEGER NOT NULL,
  lap_ms INTEGER, race_ms INTEGER, best_ms INTEGER, racer TEXT,
  PRIMARY KEY(race, lane, lap));
CREATE TABLE IF NOT EXISTS events(
  race INTEGER NOT NULL REFERENCES races(id), race_ms INTEGER, kind TEXT, detail TEXT);
CREATE TABLE IF NOT EXISTS heat_racers(
  race INTEGER NOT NULL REFERENCES races(id), racer INTEGER NOT NULL, name TEXT,
  start_lane INTEGER, laps_in_lane TEXT, total_laps INTEGER, points_in_lane TEXT,
  total_points INTEGER, sit_out_number INTEGER DEFAULT 0, best_lap_in_lane TEXT DEFAULT '',
  adjust_in_lane TEXT DEFAULT '', PRIMARY KEY(race, racer));
CREATE TABLE IF NOT EXISTS heat_racers_at_start(
  race INTEGER NOT NULL REFERENCES races(id), racer INTEGER NOT NULL, name TEXT,
  start_lane INTEGER, laps_in_lane TEXT, total_laps INTEGER, points_in_lane TEXT,
  total_points INTEGER, sit_out_number INTEGER DEFAULT 0, best_lap_in_lane TEXT DEFAULT '',
  adjust_in_lane TEXT DEFAULT '', PRIMARY KEY(race, racer));
CREATE TABLE IF NOT EXISTS box_input(
  race INTEGER NOT NULL REFERENCES races(id), race_ms INTEGER, bytes BLOB);
)sql";

// The columns later layouts added to a table of the first one, with the value
// an older row reads as.
struct AddedColumn {
    const char* table;
    const char* column;
    const char* declaration;
};
constexpr AddedColumn kAddedColumns[] = {
    {"races", "active_sequence", "TEXT DEFAULT ''"},
    {"races", "racer_count", "INTEGER DEFAULT 0"},
    {"heat_racers", "sit_out_number", "INTEGER DEFAULT 0"},
    {"heat_racers", "best_lap_in_lane", "TEXT DEFAULT ''"},
    {"heat_racers", "adjust_in_lane", "TEXT DEFAULT ''"},
};
constexpr const char* kLayout = "2";

// A heat racer's columns in the order both racer tables are written and read.
constexpr const char* kHeatRacerColumns =
    "racer, name, start_lane, laps_in_lane, total_laps, points_in_lane, total_points, "
    "sit_out_number, best_lap_in_lane, adjust_in_lane";

}  // namespace

// A prepared statement, finalized however its use ends.
class SqliteJournalStore::Statement {
  public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) fail();
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, int64_t value) {
        check(sqlite3_bind_int64(statement_, index, value));
        return *this;
    }
    Statement& bind(int index, double value) {
        check(sqlite3_bind_double(statement_, index, value));
        return *this;
    }
    Statement& bind(int index, const std::string& text) {
        check(sqlite3_bind_text(statement_, index, text.c_str(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    Statement& blob(int index, const std::string& bytes) {
        check(sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    // Runs it; true while it gives a row.
    bool step() {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) return true;
        if (result != SQLITE_DONE) fail();
        return false;
    }
    void again() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    int64_t column(int index) const { return sqlite3_column_int64(statement_, index); }
    // A number as an int, held at the int's limits rather than wrapped: a damaged
    // file's huge racer number never reads as a small one.
    int integer(int index) const {
        return static_cast<int>(std::clamp<int64_t>(column(index), std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max()));
    }
    double real(int index) const { return sqlite3_column_double(statement_, index); }
    std::string text(int index) const {
        const unsigned char* value = sqlite3_column_text(statement_, index);
        return value ? reinterpret_cast<const char*>(value) : "";
    }

  private:
    void check(int result) {
        if (result != SQLITE_OK) fail();
    }
    [[noreturn]] void fail() { throw QelError(sqlite3_errmsg(db_)); }

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

SqliteJournalStore::SqliteJournalStore(std::filesystem::path path) : path_(std::move(path)) {}

SqliteJournalStore::~SqliteJournalStore() {
    sqlite3_close(db_);
}

void SqliteJournalStore::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string why = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        throw QelError(why);
    }
}

sqlite3* SqliteJournalStore::db() {
    if (db_) return db_;
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    sqlite3* opened = nullptr;
    if (sqlite3_open(path_.c_str(), &opened) != SQLITE_OK) {
        const std::string why = opened ? sqlite3_errmsg(opened) : "out of memory";
        sqlite3_close(opened);
        throw QelError("Cannot open the race journal " + path_.filename().string() + ": " + why);
    }
    db_ = opened;
    try {
        // Another program reading the journal waits a moment rather than failing a race tick.
        sqlite3_busy_timeout(db_, 200);
        exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
        // The layout and any migration go in whole: a crash mid-way leaves the
        // file as it was, to be migrated at the next start.
        exec("BEGIN IMMEDIATE");
        try {
            exec(kSchema);
            migrate();
            exec("COMMIT");
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
    return db_;
}

void SqliteJournalStore::migrate() {
    for (const AddedColumn& added : kAddedColumns) {
        Statement has(db_, "SELECT count(*) FROM pragma_table_info(?) WHERE name = ?");
        has.bind(1, std::string(added.table)).bind(2, std::string(added.column));
        if (has.step() && has.column(0) > 0) continue;
        const std::string alter = std::string("ALTER TABLE ") + added.table + " ADD COLUMN " +
                                  added.column + " " + added.declaration;
        exec(alter.c_str());
    }
    // A journal of a later layout keeps its number.
    Statement layout(db_,
                     "UPDATE journal_info SET value = ? WHERE key = 'layout' AND "
                     "CAST(value AS INTEGER) < CAST(? AS INTEGER)");
    layout.bind(1, std::string(kLayout)).bind(2, std::string(kLayout));
    layout.step();
}

int64_t SqliteJournalStore::beginRace(const JournalRace& race,
                                      const std::vector<JournalLane>& lanes,
                                      const std::vector<JournalHeatRacer>& heatRacers) {
    sqlite3* d = db();
    exec("BEGIN");
    try {
        Statement insert(d,
                         "INSERT INTO races(started, format, format_name, title, demo, lanes, "
                         "laps, minutes, first_lap_offset, min_lap_seconds, coast_ms, heat, "
                         "heat_count, active_sequence, racer_count) "
                         "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        insert.bind(1, race.startedAt)
            .bind(2, int64_t{race.format})
            .bind(3, race.formatName)
            .bind(4, race.title)
            .bind(5, int64_t{race.demo})
            .bind(6, int64_t{race.lanes})
            .bind(7, int64_t{race.laps})
            .bind(8, race.minutes)
            .bind(9, int64_t{race.firstLapOffset})
            .bind(10, race.minLapSeconds)
            .bind(11, int64_t{race.coastMs})
            .bind(12, int64_t{race.heat})
            .bind(13, int64_t{race.heatCount})
            .bind(14, race.activeSequence)
            .bind(15, int64_t{race.racerCount});
        insert.step();
        const int64_t id = sqlite3_last_insert_rowid(d);
        Statement lane(d,
                       "INSERT INTO race_lanes(race, lane, racer, colour, disabled, "
                       "speed_factor) VALUES(?,?,?,?,?,?)");
        for (const JournalLane& l : lanes) {
            lane.bind(1, id)
                .bind(2, int64_t{l.lane})
                .bind(3, l.racer)
                .bind(4, int64_t{l.colour})
                .bind(5, int64_t{l.disabled})
                .bind(6, l.speedFactor);
            lane.step();
            lane.again();
        }
        // The table as the heat starts, kept as it is; heat_racers starts
        // from it and is rewritten at the heat's end.
        writeHeatRacers("heat_racers_at_start", id, heatRacers);
        writeHeatRacers("heat_racers", id, heatRacers);
        exec("COMMIT");
        return id;
    } catch (...) {
        sqlite3_exec(d, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteJournalStore::record(int64_t race, const JournalBatch& batch) {
    if (batch.empty()) return;
    sqlite3* d = db();
    exec("BEGIN");
    try {
        Statement lap(d,
                      "INSERT OR REPLACE INTO laps(race, lane, lap, lap_ms, race_ms, best_ms, "
                      "racer) VALUES(?,?,?,?,?,?,?)");
        for (const JournalLap& l : batch.laps) {
            lap.bind(1, race)
                .bind(2, int64_t{l.lane})
                .bind(3, int64_t{l.lap})
                .bind(4, int64_t{l.lapMs})
                .bind(5, int64_t{l.raceMs})
                .bind(6, int64_t{l.bestMs})
                .bind(7, l.racer);
            lap.step();
            lap.again();
        }
        if (!batch.boxInput.empty()) {
            Statement input(d, "INSERT INTO box_input(race, race_ms, bytes) VALUES(?,?,?)");
            input.bind(1, race).bind(2, int64_t{batch.boxInputMs}).blob(3, batch.boxInput);
            input.step();
        }
        Statement event(d, "INSERT INTO events(race, race_ms, kind, detail) VALUES(?,?,?,?)");
        for (const JournalEvent& e : batch.events) {
            event.bind(1, race).bind(2, int64_t{e.raceMs}).bind(3, e.kind).bind(4, e.detail);
            event.step();
            event.again();
        }
        exec("COMMIT");
    } catch (...) {
        sqlite3_exec(d, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteJournalStore::writeHeatRacers(const char* table, int64_t race,
                                         const std::vector<JournalHeatRacer>& racers) {
    const std::string sql = std::string("INSERT OR REPLACE INTO ") + table + "(race, " +
                            kHeatRacerColumns + ") VALUES(?,?,?,?,?,?,?,?,?,?,?)";
    Statement insert(db_, sql.c_str());
    for (const JournalHeatRacer& r : racers) {
        insert.bind(1, race)
            .bind(2, int64_t{r.racer})
            .bind(3, r.name)
            .bind(4, int64_t{r.startLane})
            .bind(5, r.lapsInLane)
            .bind(6, int64_t{r.totalLaps})
            .bind(7, r.pointsInLane)
            .bind(8, int64_t{r.totalPoints})
            .bind(9, int64_t{r.sitOutNumber})
            .bind(10, r.bestLapInLane)
            .bind(11, r.adjustInLane);
        insert.step();
        insert.again();
    }
}

void SqliteJournalStore::recordHeatRacers(int64_t race,
                                          const std::vector<JournalHeatRacer>& racers) {
    if (racers.empty()) return;
    sqlite3* d = db();
    exec("BEGIN");
    try {
        writeHeatRacers("heat_racers", race, racers);
        exec("COMMIT");
    } catch (...) {
        sqlite3_exec(d, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteJournalStore::endRace(int64_t race, double endedAt, const std::string& outcome) {
    Statement update(db(), "UPDATE races SET ended = ?, outcome = ? WHERE id = ?");
    update.bind(1, endedAt).bind(2, outcome).bind(3, race);
    update.step();
}

std::optional<int64_t> SqliteJournalStore::interruptedRace() {
    if (!db_ && !std::filesystem::exists(path_)) return std::nullopt;
    Statement find(db(), "SELECT id FROM races WHERE ended IS NULL ORDER BY id DESC LIMIT 1");
    if (find.step()) return find.column(0);
    return std::nullopt;
}

std::optional<int64_t> SqliteJournalStore::lastRace() {
    if (!db_ && !std::filesystem::exists(path_)) return std::nullopt;
    Statement find(db(), "SELECT max(id) FROM races");
    if (find.step() && find.column(0) > 0) return find.column(0);
    return std::nullopt;
}

std::optional<JournalRecord> SqliteJournalStore::loadRace(int64_t race) {
    sqlite3* d = db();
    Statement head(d,
                   "SELECT started, format, format_name, title, demo, lanes, laps, minutes, "
                   "first_lap_offset, min_lap_seconds, coast_ms, heat, heat_count, "
                   "active_sequence, racer_count FROM races WHERE id = ?");
    head.bind(1, race);
    if (!head.step()) return std::nullopt;
    JournalRecord record;
    JournalRace& r = record.race;
    r.startedAt = head.real(0);
    r.format = static_cast<int>(head.column(1));
    r.formatName = head.text(2);
    r.title = head.text(3);
    r.demo = head.column(4) != 0;
    r.lanes = static_cast<int>(head.column(5));
    r.laps = static_cast<int>(head.column(6));
    r.minutes = head.real(7);
    r.firstLapOffset = static_cast<int>(head.column(8));
    r.minLapSeconds = head.real(9);
    r.coastMs = static_cast<int>(head.column(10));
    r.heat = static_cast<int>(head.column(11));
    r.heatCount = static_cast<int>(head.column(12));
    r.activeSequence = head.text(13);
    r.racerCount = head.integer(14);
    Statement lanes(d,
                    "SELECT lane, racer, colour, disabled, speed_factor FROM race_lanes "
                    "WHERE race = ? ORDER BY lane");
    lanes.bind(1, race);
    while (lanes.step()) {
        record.lanes.push_back({static_cast<int>(lanes.column(0)), lanes.text(1),
                                static_cast<int32_t>(lanes.column(2)), lanes.column(3) != 0,
                                lanes.real(4)});
    }
    Statement laps(d,
                   "SELECT lane, lap, lap_ms, race_ms, best_ms, racer FROM laps WHERE race = ? "
                   "ORDER BY race_ms, lane");
    laps.bind(1, race);
    while (laps.step()) {
        record.laps.push_back({static_cast<int>(laps.column(0)), static_cast<int>(laps.column(1)),
                               static_cast<int32_t>(laps.column(2)),
                               static_cast<int32_t>(laps.column(3)),
                               static_cast<int32_t>(laps.column(4)), laps.text(5)});
    }
    Statement events(d, "SELECT race_ms, kind, detail FROM events WHERE race = ? ORDER BY rowid");
    events.bind(1, race);
    while (events.step()) {
        record.events.push_back(
            {static_cast<int32_t>(events.column(0)), events.text(1), events.text(2)});
    }
    // More racers than a series holds is a damaged file: one row beyond is
    // enough to tell, and a flood of rows is not read whole.
    const std::string racersAtStart = std::string("SELECT ") + kHeatRacerColumns +
                                      " FROM heat_racers_at_start WHERE race = ? ORDER BY racer "
                                      "LIMIT " +
                                      std::to_string(kMaxRacers + 1);
    Statement racers(d, racersAtStart.c_str());
    racers.bind(1, race);
    while (racers.step()) {
        record.heatRacers.push_back({racers.integer(0), racers.text(1), racers.integer(2),
                                     racers.text(3), racers.integer(4), racers.text(5),
                                     racers.integer(6), racers.integer(7), racers.text(8),
                                     racers.text(9)});
    }
    return record;
}

}  // namespace qel::platform
