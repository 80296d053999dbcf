#pragma once
// The race journal in an SQLite file of the statistics folder, readable with
// the sqlite3 tool. Write-ahead logging, one transaction per batch: a crash
// or a kill mid-write leaves the journal as it was after the last whole batch.
#include <filesystem>
#include <memory>

#include "core/seams/journal_store.h"

struct sqlite3;

namespace qel::platform {

class SqliteJournalStore : public JournalStore {
  public:
    // The file and its folder are made at the first race, not before.
    explicit SqliteJournalStore(std::filesystem::path path);
    ~SqliteJournalStore() override;
    SqliteJournalStore(const SqliteJournalStore&) = delete;
    SqliteJournalStore& operator=(const SqliteJournalStore&) = delete;

    int64_t beginRace(const JournalRace& race, const std::vector<JournalLane>& lanes,
                      const std::vector<JournalHeatRacer>& heatRacers) override;
    void record(int64_t race, const JournalBatch& batch) override;
    void recordHeatRacers(int64_t race, const std::vector<JournalHeatRacer>& racers) override;
    void endRace(int64_t race, double endedAt, const std::string& outcome) override;
    std::optional<int64_t> interruptedRace() override;
    std::optional<JournalRecord> loadRace(int64_t race) override;
    // The race journalled last, ended or not.
    std::optional<int64_t> lastRace();
    std::string location() const override { return path_.string(); }

  private:
    class Statement;
    sqlite3* db();
    void exec(const char* sql);
    // A journal of an older layout gains what this one adds; its rows stay.
    void migrate();
    // One of the two racer tables of a heat series, inside the caller's transaction.
    void writeHeatRacers(const char* table, int64_t race,
                         const std::vector<JournalHeatRacer>& racers);

    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
};

}  // namespace qel::platform
