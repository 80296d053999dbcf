#pragma once
// The race journal's writer: after every showing of the board it puts what
// changed since the last one into the journal (a race begun with its set-up
// and lanes, the laps counted, the flags, pauses and the end), one batch per
// showing, so a crash or a power cut loses nothing the board already showed.
// A journal that cannot be written never stops the race: the board's status
// line says so.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/engine/race_setup.h"
#include "core/heats/heat_results.h"
#include "core/journal/journalled_port.h"
#include "core/seams/clock.h"
#include "core/seams/journal_store.h"
#include "core/setup/installation_settings.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

struct RaceJournalSources {
    const RaceState& state;
    RaceBoard& board;
    RaceSetup setup;
    const HeatTables& heats;
    const InstallationSettings& installation;
    Clock& clock;
    // The box's line, whose input goes into the journal; nullptr: none kept.
    JournalledPort* boxLine = nullptr;
};

// The event a correction from the results window leaves in its heat, with
// its detail "racer,lane,delta,points|laps[,board]" (board: the lane's lap
// counter moved with it).
inline constexpr const char* kCorrectionEvent = "correction";
std::string correctionText(const ResultCorrection& made);
// nullopt for a detail that is not a correction the window can make.
std::optional<ResultCorrection> parseCorrection(const std::string& text);

class RaceJournal {
  public:
    RaceJournal(JournalStore& store, RaceJournalSources sources) : store_(store), s_(sources) {}

    // The board was shown: a race begun, laps counted, a flag, a pause, the end.
    void boardShown();

    // A race put back from the journal goes on being journalled as itself,
    // paused, with the laps it holds.
    void resume(int64_t race);

    // The race being journalled, while one runs.
    std::optional<int64_t> race() const { return race_; }

    // A correction from the results window: kept with the heat under way, or
    // with the heat just run when the series stands between heats, with the
    // racer table as it now stands.
    void correction(const ResultCorrection& made);

  private:
    void begin();
    // The series' racer table as it stands; empty outside the heat formats.
    std::vector<JournalHeatRacer> heatRacers() const;
    void recordHeatRacers(int64_t race);
    void collectLaps(JournalBatch& batch);
    void end(JournalBatch& batch, const char* outcome);
    void write(const std::function<void()>& action);

    JournalStore& store_;
    RaceJournalSources s_;
    std::optional<int64_t> race_;
    // The heat journalled last, which a correction between heats belongs to.
    std::optional<int64_t> lastRace_;
    // The last lap of each lane already in the journal.
    LaneTable<int16_t> journalled_{};
    StartState lastStart_ = StartState::Start;
    int lastFlag_ = 0;
};

}  // namespace qel
