#pragma once
// One headless race on the program's own engine, wired as the race board
// wires it, with the box replaced by a recorded stream (or the demo
// generator) and the windows by a record of what they would have been told.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/engine/demo_generator.h"
#include "core/engine/lane_names.h"
#include "core/engine/lap_counting.h"
#include "core/engine/race_control.h"
#include "core/engine/race_finish.h"
#include "core/engine/race_screen.h"
#include "core/engine/race_tick.h"
#include "core/engine/race_title.h"
#include "core/engine/timing_link.h"
#include "core/heats/heat_race_end.h"
#include "core/heats/heat_results.h"
#include "core/heats/point_system.h"
#include "core/records/race_records.h"
#include "core/seams/uniform_random.h"
#include "replay.h"
#include "stream_port.h"

namespace qel::replay {

// The box clock is the only clock of a replay; waits pass no race time.
class ReplayClock : public Clock {
  public:
    int64_t tickCountMs() const override { return ticks_; }
    double now() const override { return 46000.5; }
    void sleepMs(int ms) override { ticks_ += ms > 0 ? ms : 0; }

  private:
    int64_t ticks_ = 0;
};

// The race tick of a replay: the replay's loop does the ticking; this only
// says whether the program's timer would still be running.
class ReplayTimer : public Timer {
  public:
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void setHandler(Handler) override {}

  private:
    int interval_ = 100;
    bool enabled_ = false;
};

class ReplayRace {
  public:
    using EventLog = std::vector<ReplayEvent>;

    // streamBytes: what the box sent (ignored in demo mode).
    ReplayRace(const ReplayOptions& options, std::string streamBytes, EventLog& events);
    ~ReplayRace();
    ReplayRace(const ReplayRace&) = delete;
    ReplayRace& operator=(const ReplayRace&) = delete;

    // Heat 1: a freshly started program, then the instant start. After
    // rotate(): the heat the rotation made current, started the same way.
    void start();
    // One race tick, paced on the box clock. False once the race end has been
    // handled, the race ran past the options' limit, or a recorded stream is
    // used up and the clock no longer moves.
    bool step();
    // After the last step of a heat. Throws QelError when the heat's end
    // could not put the heat into the heat log.
    void heatEnded();
    // The heat is over with another to follow: the Start button's Rotate is
    // pressed at once (under "Auto Delay" too, as the delay's end presses
    // it), so the next heat's racers stand on their lanes, and the recorded
    // stream goes back to its start. False, changing nothing, when the heat
    // did not end or was the last.
    bool rotate();
    // The race's records as the record windows keep them at its end: the
    // summary filled as its window fills it (so the figures the summary
    // writes back are in the state), then the saves the options ask for.
    // Then the spreadsheets and printouts asked for, the printouts on
    // printers made for their PDF files. Throws QelError when a save, an
    // export or a printout fails.
    // In a heat format the race results grid is filled as its window fills
    // it first, and exported when asked.
    void keepRecords(const PdfPrinters& printers = {});
    // The rows of the race results grid as keepRecords left it; none outside
    // the heat formats.
    std::vector<RacerStanding> standings() const;

    RaceState& state() { return *state_; }
    RaceSetup setup() const { return {raceSettings_, optionsSettings_}; }
    HeatTables& heats() { return *heats_; }
    RaceBoard& board() { return board_; }
    RaceTick& tick() { return *tick_; }
    UniformRandom& random() { return random_; }

  private:
    class Recorders;
    class RaceEndRecorder;
    class ChosenFiles;
    class ControlWindows;
    class ScratchFolder;

    // The settings of the application folder, as the program loads them.
    void loadAppFolder(const AppFolder& folder);
    void overrideWithCommandLine();
    // The format, the sequence and the field, as the Race Format and Select
    // Racers dialogs' OK leave them.
    void configureFormat();
    void chooseSequence();
    void placeRacers();
    bool heatRotation() const;

    ReplayOptions options_;
    std::unique_ptr<RaceState> state_;
    std::unique_ptr<HeatTables> heats_;
    RaceBoard board_;
    InstallationSettings installation_;  // relay "None": no power commands
    RaceFormatSettings raceSettings_;
    OptionsSettings optionsSettings_;
    SoundTable sounds_;
    PointSystem points_;
    RecordsState records_;
    StreamPort port_;
    ReplayClock clock_;
    ReplayTimer raceTick_;
    UniformRandom random_;
    std::unique_ptr<Recorders> recorders_;
    std::unique_ptr<RaceEndRecorder> raceEnd_;
    RaceEndHandover handover_;
    std::unique_ptr<ChosenFiles> files_;
    std::unique_ptr<AppFolder> folder_;
    std::unique_ptr<RaceRecords> raceRecords_;
    std::unique_ptr<TimingLink> link_;
    std::unique_ptr<LapCounter> counter_;
    std::unique_ptr<DemoGenerator> demo_;
    std::unique_ptr<RaceScreen> screen_;
    std::unique_ptr<RaceFinish> finish_;
    std::unique_ptr<RaceTick> tick_;
    std::unique_ptr<HeatRaceEnd> heatRaceEnd_;
    // What the Select Racers OK keeps of the field (the lane names), for the
    // Rotate press to read back, kept apart from the application folder.
    std::unique_ptr<ScratchFolder> scratch_;
    std::unique_ptr<LaneNames> names_;
    std::unique_ptr<RaceTitle> title_;
    std::unique_ptr<ControlWindows> controlWindows_;
    std::unique_ptr<RaceControl> control_;
    std::unique_ptr<HeatResults> results_;
    int64_t ticks_ = 0;
};

}  // namespace qel::replay
