#pragma once
// A headless race on the program's own engine: from a recorded box stream or
// a seeded demo, paced tick by tick on the race clock, reported as JSON.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/seams/journal_store.h"
#include "core/seams/print_surface.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel::replay {

struct ReplayOptions {
    int lanes = 4;
    int format = 2;
    int laps = 10;
    double minutes = 2;
    double minLap = 1;
    int firstLap = 1;
    double coastSeconds = 2;
    int tickMs = 100;
    std::optional<std::string> streamFile;
    // A race of the race journal (the last one, or race number journalRace),
    // re-run from its counted laps as the box would have sent them.
    std::optional<std::string> journalFile;
    std::optional<int64_t> journalRace;
    // What the box sent, when it comes from elsewhere than a file (the journal).
    std::optional<std::string> streamBytes;
    bool demo = false;
    uint64_t seed = 1;
    // Safety net for races that never end by themselves (practice).
    int64_t maxRaceMs = 4LL * 60 * 60 * 1000;
    // The settings of this application folder, as the program loads them at
    // start-up; what the command line gives overrides them.
    std::optional<std::string> appFolder;
    // The records saved at the end of the race, as the summary and lap-time
    // windows save them with this name chosen.
    std::optional<std::string> saveSummary;
    std::optional<std::string> saveLaps;
    // The spreadsheets as "Save to Excel" writes them, to these files.
    std::optional<std::string> exportSummary;
    std::optional<std::string> exportLaps;
    // The printouts through the real print adapter, into these PDF files.
    std::optional<std::string> printSummary;
    std::optional<std::string> printLaps;
    // The field of a heat race: a qualifiers file, one name per field, placed
    // in the lanes of the sequence in lane order and the rest in the sit-out
    // slots. Without it, one racer per lane of the sequence, named as the lane.
    std::optional<std::string> racersFile;
    // The lane sequence: "straight", "european" or the custom digits.
    std::string sequence = "straight";
    // Every heat of the rotation, not heat 1 alone.
    bool allHeats = false;
    // The race results grid as its "Save to Excel" writes it, to this file.
    std::optional<std::string> exportResults;
    // The options the command line gave ("--lanes", "--min-lap", ...).
    std::set<std::string> given;
};

// Parses the command line; returns an error text, or "" when the options are good.
std::string parseOptions(int argc, char** argv, ReplayOptions& options);
std::string usage();

struct ReplayEvent {
    int32_t elapsedMs;
    std::string type;  // "sound", "flag", "command", "handover", "message", "heat"
    std::string value;
};

// A row of the race results grid: the racer and the average it shows.
struct RacerStanding {
    int racer = 0;
    float average = 0;
};

struct ReplayResult {
    std::unique_ptr<RaceState> state = std::make_unique<RaceState>();
    std::unique_ptr<HeatTables> heats = std::make_unique<HeatTables>();
    RaceBoard board;
    std::vector<ReplayEvent> events;
    // The lap number of a lane that has not crossed the line yet.
    int16_t firstLapOffset = 0;
    // The race results grid's rows, best average first (heat formats only).
    std::vector<RacerStanding> standings;
};

// A printer whose every job goes into the one PDF file given. The replay
// library knows no printer of its own: the executable brings the real one.
using PdfPrinters = std::function<std::unique_ptr<PrintSurface>(const std::string& pdfPath)>;

// Runs the race: heat 1, or with allHeats every heat of the rotation, the
// Rotate press between them. Throws QelError when the stream, the racers or
// the sequence can't be taken, a record cannot be written, or a printout is
// asked for without printers.
ReplayResult runReplay(const ReplayOptions& options, const PdfPrinters& printers = {});

// The box stream that gives these crossings at their race times (each a
// time report up to the crossing, then the lane's letter), then reports on
// to endMs, so the race closes as it did.
std::string streamFromLaps(const std::vector<JournalLap>& laps, int32_t endMs);
// The journalled race's set-up as the options of its replay; options the
// command line gave stay.
void useJournalledRace(const JournalRecord& record, ReplayOptions& options);

// The race as one JSON object.
std::string toJson(const ReplayResult& result);

}  // namespace qel::replay
