#pragma once
// Where the race journal keeps what a race did as it happened: the race with
// its set-up and lanes, every counted lap and every race event, one batch per
// race tick, so a crash or a power cut loses at most the tick under way.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qel {

struct JournalRace {
    double startedAt = 0;  // time of day as a day count
    int format = 0;
    std::string formatName;
    std::string title;
    bool demo = false;
    int lanes = 0;
    int laps = 0;        // a lap race's length
    double minutes = 0;  // a timed race's length
    int firstLapOffset = 0;
    double minLapSeconds = 0;
    int coastMs = 0;
    int heat = 0;  // 0 outside the heat formats
    int heatCount = 0;
    // What rebuilding a heat series needs besides its racers: the lane sequence
    // as the rotation runs it (padded with sit-outs "0") and the number of
    // racers. Empty and 0 outside the heat formats, and in a journal written
    // before they were kept.
    std::string activeSequence;
    int racerCount = 0;
};

struct JournalLane {
    int lane = 0;
    std::string racer;
    int32_t colour = 0;
    bool disabled = false;
    double speedFactor = 0;
};

// A racer of a heat series as the heat found it: where they started (a lane,
// or a sit-out slot), their laps, points, best laps and the race director's
// corrections in every lane so far (comma-separated, lanes 1..8) and totals.
struct JournalHeatRacer {
    int racer = 0;
    std::string name;
    int startLane = 0;
    std::string lapsInLane;
    int totalLaps = 0;
    std::string pointsInLane;
    int totalPoints = 0;
    int sitOutNumber = 0;
    std::string bestLapInLane;  // ms, 999999 where the racer has no lap yet
    std::string adjustInLane;
    bool operator==(const JournalHeatRacer&) const = default;
};

struct JournalLap {
    int lane = 0;
    int lap = 0;
    int32_t lapMs = 0;
    int32_t raceMs = 0;  // the race clock at the crossing
    int32_t bestMs = 0;  // the lane's best lap once this one is counted
    std::string racer;
};

struct JournalEvent {
    int32_t raceMs = 0;
    std::string kind;  // "start", "pause", "continue", "flag", "end", "stop"
    std::string detail;
};

// What one race tick adds.
struct JournalBatch {
    std::vector<JournalLap> laps;
    std::vector<JournalEvent> events;
    // What the box sent since the last batch, as it came, and the race clock after it.
    std::string boxInput;
    int32_t boxInputMs = 0;
    bool empty() const { return laps.empty() && events.empty() && boxInput.empty(); }
};

// A race read back whole, laps in the order they were counted.
struct JournalRecord {
    JournalRace race;
    std::vector<JournalLane> lanes;
    std::vector<JournalLap> laps;
    std::vector<JournalEvent> events;
    // A heat of a series: the racer table as the heat started, before any of
    // its laps, ordered by racer. Empty outside the heat formats.
    std::vector<JournalHeatRacer> heatRacers;
};

class JournalStore {
  public:
    virtual ~JournalStore() = default;
    // The race with its lanes and, for a heat of a series, the racer table as
    // the heat starts, written whole or not at all; returns the race's number
    // in the journal.
    virtual int64_t beginRace(const JournalRace& race, const std::vector<JournalLane>& lanes,
                              const std::vector<JournalHeatRacer>& heatRacers) = 0;
    // The racer table of a heat series as the heat left it, at its end.
    virtual void recordHeatRacers(int64_t race, const std::vector<JournalHeatRacer>& racers) = 0;
    // One batch, written whole or not at all.
    virtual void record(int64_t race, const JournalBatch& batch) = 0;
    // outcome: "finished" (the race ended under the flag) or "stopped" (reset or aborted).
    virtual void endRace(int64_t race, double endedAt, const std::string& outcome) = 0;
    // The last race the journal holds that never ended: the program stopped mid-race.
    virtual std::optional<int64_t> interruptedRace() = 0;
    virtual std::optional<JournalRecord> loadRace(int64_t race) = 0;
    // Where the journal is, for the race director.
    virtual std::string location() const = 0;
};

}  // namespace qel
