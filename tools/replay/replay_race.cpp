#include "replay_race.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

#include "core/engine/race_start.h"
#include "core/engine/race_title.h"
#include "core/heats/define_racers.h"
#include "core/heats/heat_racer_files.h"
#include "core/heats/race_formats.h"
#include "core/heats/racer_placement.h"
#include "core/heats/rotation.h"
#include "core/io/errors.h"
#include "core/records/race_printouts.h"
#include "core/records/spreadsheet_export.h"
#include "core/setup/installation_file.h"
#include "core/setup/roster.h"

namespace qel::replay {

// The prompter and the sound player of a replay: each
// records what it was asked, with the race clock at that moment.
class ReplayRace::Recorders : public Prompter, public SoundPlayer {
  public:
    Recorders(EventLog& log, const RaceState& state) : log_(log), state_(state) {}

    MessageAnswer message(const std::string& text, const std::string&, MessageIcon,
                          MessageButtons buttons, DefaultButton = DefaultButton::First) override {
        note("message", text);
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }

    void PlaySoundFile(const std::string& fileName) override { note("sound", fileName); }

    void note(const char* type, std::string value) {
        log_.push_back({state_.elapsedMs, type, std::move(value)});
    }

  private:
    EventLog& log_;
    const RaceState& state_;
};

// The windows and files a race end hands over to are not part of a replay:
// it records that the hand-over happened and when, nothing more.
class ReplayRace::RaceEndRecorder : public RaceEndSubsystem {
  public:
    explicit RaceEndRecorder(Recorders& recorders) : recorders_(recorders) {}

    void saveHeatToLog() override { note("saveHeatToLog"); }
    void scoreHeat() override { note("scoreHeat"); }
    void prepareNextHeatDisplay() override { note("prepareNextHeatDisplay"); }
    void startBetweenHeatDelay() override { note("startBetweenHeatDelay"); }
    void reopenOpenViews() override { note("reopenOpenViews"); }
    void showRaceResults() override { note("showRaceResults"); }
    void autoPrint() override { note("autoPrint"); }
    void enableFileMenu() override { note("enableFileMenu"); }

  private:
    void note(const char* step) { recorders_.note("handover", step); }
    Recorders& recorders_;
};

// The save dialogs of a replay: the name the command line chose is the one
// picked; nothing is opened on the desktop.
class ReplayRace::ChosenFiles : public FileDialog, public Shell {
  public:
    void choose(std::string path) { chosen_ = std::move(path); }
    std::optional<std::string> showSave(const FileDialogRequest&) override { return chosen_; }
    std::optional<std::string> showOpen(const FileDialogRequest&) override { return std::nullopt; }
    bool openDocument(const std::string&) override { return false; }
    bool showHelp(const std::string&) override { return false; }
    bool showPage(const std::string&) override { return false; }

  private:
    std::optional<std::string> chosen_;
};

// The race control's windows in a replay: a Rotate press opens none but
// the next-heat window, which a replay has not got. A press that would open
// a start or abort window is not one a replay makes, and says so.
class ReplayRace::ControlWindows : public RaceControlWindows {
  public:
    void boardChanged() override {}
    void showStartCountdown(std::function<void()>) override { refuse("start countdown"); }
    void showDragTree() override { refuse("drag tree"); }
    void showFormula1() override { refuse("start lights"); }
    void showRaceFormatForLength() override { refuse("race format"); }
    bool showAbortChoice() override {
        refuse("heat abort");
        return false;
    }
    void refreshNextHeat() override {}
    void closeNextHeat() override {}
    void stopRotateDelay() override {}

  private:
    [[noreturn]] static void refuse(const char* window) {
        throw std::logic_error(std::string("A replay has no ") + window + " window.");
    }
};

// A folder of the replay's own, removed with everything in it at the end.
class ReplayRace::ScratchFolder {
  public:
    ScratchFolder() {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device draw;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path path =
                base / ("qeltimer-replay-" + std::to_string(draw()) + std::to_string(draw()));
            std::error_code ec;
            if (std::filesystem::create_directory(path, ec)) {
                folder_ = std::make_unique<AppFolder>(path);
                return;
            }
        }
        throw QelError("The replay could not make a folder of its own in " + base.string() + ".");
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_->root(), ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const AppFolder& folder() const { return *folder_; }

  private:
    std::unique_ptr<AppFolder> folder_;
};

namespace {

std::string oneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') continue;
        line += c == '\r' ? ' ' : c;
    }
    return line;
}

bool inSequence(std::string_view sequence, int lane) {
    return sequence.find(static_cast<char>('0' + lane)) != std::string_view::npos;
}

}  // namespace

bool ReplayRace::heatRotation() const {
    return raceFormatRule(options_.format).heatRotation;
}

void ReplayRace::configureFormat() {
    const RaceFormatRule& rule = raceFormatRule(options_.format);
    RaceFormatSettings& race = raceSettings_;
    race.raceFormat = static_cast<int16_t>(options_.format);
    race.raceFormatName = std::string(rule.text);
    race.raceLimitKind =
        std::string(rule.length == RaceLength::Laps ? kLapsCaption : kMinutesCaption);
    race.heatRotation = rule.heatRotation ? -1 : 0;
    race.raceLaps = static_cast<int16_t>(options_.laps);
    race.raceMinutes = static_cast<float>(options_.minutes);
    heats_->currentHeat = 1;
    // The heats are scored with the point system in force, as at start-up.
    heats_->pointsForPlace = points_.pointsForPlace;
    chooseSequence();
    if (options_.exportResults && !rule.heatRotation)
        throw QelError("--export-results needs a heat format: only a heat race has race results.");
    placeRacers();
}

// The Race Format dialog's sequence choice, refused as its OK refuses a
// custom text, and refused too when it races no lane at all.
void ReplayRace::chooseSequence() {
    const std::string& text = options_.sequence;
    RaceFormatSettings& race = raceSettings_;
    if (text == "straight") {
        race.sequenceOption = 0;
    } else if (text == "european") {
        race.sequenceOption = 1;
    } else {
        const int lanes = state_->laneCount;
        if (const auto problem = customSequenceProblem(text, lanes))
            throw QelError("--sequence \"" + text + "\" is refused: " + oneLine(*problem));
        if (CountSequenceLanes(text, lanes) == 0)
            throw QelError("--sequence \"" + text + "\" is refused: it races none of lanes 1.." +
                           std::to_string(lanes) + ".");
        race.sequenceOption = 2;
        race.sequenceText[2] = text;
    }
}

// The field as the Select Racers OK commits it: numbered racers, then the
// rotation from their start places. A list the window could not have placed
// whole is refused, as its OK refuses a placement with a gap or a racer left over.
void ReplayRace::placeRacers() {
    RaceState& s = *state_;
    HeatTables& h = *heats_;
    const int lanes = s.laneCount;
    const bool rotation = heatRotation();
    if (rotation) h.activeSequence = sequenceInForce(raceSettings_, lanes);
    const auto raced = [&](int lane) { return !rotation || inSequence(h.activeSequence, lane); };

    if (!options_.racersFile) {
        if (!rotation) return;
        // One racer for each lane of the sequence, named as the lane.
        int racer = 0;
        for (int lane = 1; lane <= lanes; ++lane) {
            if (!raced(lane)) continue;
            HeatRacer& r = h.heatRacers[++racer];
            r.name = s.laneRacerName[lane];
            r.startLane = static_cast<int16_t>(lane);
            r.sitOutNumber = 0;
        }
        h.racerCount = static_cast<int16_t>(racer);
    } else {
        const std::string& file = *options_.racersFile;
        const std::vector<std::string> names = readQualifiersFile(file);
        Placement placement;
        std::size_t next = 0;
        for (int lane = 1; lane <= lanes; ++lane) {
            if (!raced(lane)) continue;
            // A single race may leave a lane without a racer; a rotation may not.
            if (next == names.size() && !rotation) break;
            if (next == names.size())
                throw QelError(file + " names " + std::to_string(names.size()) + " racers: Lane " +
                               std::to_string(lane) + " cannot be empty. Insert racer in Lane " +
                               std::to_string(lane) + " or change sequence in race format.");
            placement.laneNames[lane] = names[next++];
        }
        const bool sitOuts = rotation && options_.format != kRotationRace;
        const std::size_t sitOutPlaces = sitOuts ? kMaxSitOuts : 0;
        if (names.size() - next > sitOutPlaces)
            throw QelError(file + " names " + std::to_string(names.size()) + " racers: " +
                           (sitOuts
                                ? "the lanes and the " + std::to_string(kMaxSitOuts) +
                                      " sit-out places hold " + std::to_string(next + sitOutPlaces)
                                : "this race format races one racer in each of its " +
                                      std::to_string(next) + " lanes") +
                           ".");
        placement.sitOutNames.assign(names.begin() + static_cast<std::ptrdiff_t>(next),
                                     names.end());
        h.racerCount = static_cast<int16_t>(DefineRacers(placement, lanes, rotation, h, s, board_));
    }
    if (rotation) BuildRotation(h, h.racerCount, h.activeSequence);
}

ReplayRace::ReplayRace(const ReplayOptions& options, std::string streamBytes, EventLog& events)
    : options_(options),
      state_(std::make_unique<RaceState>()),
      heats_(std::make_unique<HeatTables>()),
      port_(options.demo ? std::string() : std::move(streamBytes), state_->elapsedMs),
      random_(options.seed),
      recorders_(std::make_unique<Recorders>(events, *state_)),
      raceEnd_(std::make_unique<RaceEndRecorder>(*recorders_)),
      files_(std::make_unique<ChosenFiles>()) {
    RaceState& s = *state_;
    s.laneCount = static_cast<int16_t>(options.lanes);
    raceSettings_.demoMode = options.demo ? 1 : 0;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        s.laneRacerName[lane] = "Lane " + std::to_string(lane);
        s.laneColor[lane] = kWhite;
    }
    if (options.appFolder) {
        folder_ = std::make_unique<AppFolder>(*options.appFolder);
        loadAppFolder(*folder_);
        overrideWithCommandLine();
    } else {
        folder_ = std::make_unique<AppFolder>(std::filesystem::path());
        options_.given = {"--lanes", "--min-lap", "--first-lap", "--coast"};
        overrideWithCommandLine();
    }
    configureFormat();
    const RaceSetup raceSetup = setup();
    sounds_.raceSoundEnabled.fill(true);
    port_.setWriteObserver(
        [this](std::string_view bytes) { recorders_->note("command", std::string(bytes)); });

    link_ =
        std::make_unique<TimingLink>(port_, clock_, *recorders_, s, installation_, raceSettings_);
    counter_ = std::make_unique<LapCounter>(s, *heats_, board_, raceSetup);
    demo_ = std::make_unique<DemoGenerator>(s, random_);
    screen_ = std::make_unique<RaceScreen>(s, raceSetup, *heats_, board_);
    finish_ = std::make_unique<RaceFinish>(FinishContext{
        s, raceSetup, *heats_, board_, *screen_, *link_, raceTick_, clock_, sounds_, *recorders_,
        handover_, [this](int picture) { recorders_->note("flag", std::to_string(picture)); }});
    tick_ = std::make_unique<RaceTick>(s, *heats_, raceSetup, *link_, *counter_, *demo_, *screen_,
                                       *finish_);
    raceRecords_ = std::make_unique<RaceRecords>(
        RecordSources{s, raceSetup, installation_, board_, points_, records_}, *heats_,
        RecordServices{*folder_, *files_, *recorders_, *files_, clock_});
    results_ = std::make_unique<HeatResults>(
        HeatResultsContext{s, *heats_, raceSetup, installation_, *recorders_, *folder_});

    // The race end's subsystems in the program's order: the heat scored, then
    // logged (into an application folder only: without one there is no
    // statistics folder to write to), then what a replay records of the rest.
    heatRaceEnd_ = std::make_unique<HeatRaceEnd>(*heats_, s);
    handover_.add(*heatRaceEnd_);
    if (options_.appFolder) handover_.add(*raceRecords_);
    handover_.add(*raceEnd_);

    // The Rotate press reads the lane names back from where the Select
    // Racers OK keeps them; the replay keeps them in a folder of its own, so
    // the application folder's lane names stay as they are.
    if (options_.allHeats && heatRotation() && heats_->heatCount > 1) {
        scratch_ = std::make_unique<ScratchFolder>();
        writeLaneRacerNames(scratch_->folder(), s.laneRacerName);
    }
    const AppFolder& namesFolder = scratch_ ? scratch_->folder() : *folder_;
    names_ = std::make_unique<LaneNames>(namesFolder, s, raceSetup, *heats_, board_, installation_,
                                         *recorders_);
    title_ = std::make_unique<RaceTitle>(options_.appFolder ? *folder_ : namesFolder, s, *heats_,
                                         board_, raceSetup, [this] { finish_->clock(); });
    controlWindows_ = std::make_unique<ControlWindows>();
    control_ = std::make_unique<RaceControl>(
        RaceControlContext{s, *heats_, board_, raceSetup, *link_, raceTick_, clock_, *recorders_,
                           sounds_, *recorders_, *demo_, *names_, *title_, *controlWindows_});
}

void ReplayRace::loadAppFolder(const AppFolder& folder) {
    RaceState& s = *state_;
    // Each file on its own, as the program's start-up reads them: one that is
    // missing or damaged leaves its defaults and is named among the events.
    const auto load = [this](const char* what, const auto& read) {
        try {
            read();
        } catch (const QelError& e) {
            recorders_->note("message", std::string(what) + ": " + e.what());
        }
    };
    load("installation", [&] {
        readInstallationFile(folder, installation_);
        readSpeedMultiplierFile(folder, installation_);
        // The board's power commands stay out of a replay, whatever relay the track has.
        installation_.relayIndex = kRelayNone;
        applyInstallation(installation_, s);
    });
    load("options", [&] { readOptionsFile(folder, optionsSettings_); });
    load("lane names", [&] { readLaneRacerNames(folder, s.laneRacerName); });
    load("point system", [&] {
        const std::string problem = LoadPointSystem(folder, points_);
        if (!problem.empty()) throw QelError(problem);
    });
}

void ReplayRace::overrideWithCommandLine() {
    const auto given = [this](const char* option) { return options_.given.count(option) != 0; };
    RaceState& s = *state_;
    if (given("--lanes")) {
        s.laneCount = static_cast<int16_t>(options_.lanes);
        installation_.laneCount = s.laneCount;
    }
    options_.lanes = s.laneCount;
    // The options are positions in the Options lists, as the program keeps them.
    if (given("--min-lap"))
        optionsSettings_.minLapTimeIndex = minLapTimePositionOf(options_.minLap).value_or(0);
    if (given("--first-lap"))
        optionsSettings_.firstLapIndex = static_cast<int16_t>(options_.firstLap);
    if (given("--coast"))
        optionsSettings_.coastTimeIndex = coastTimePositionOf(options_.coastSeconds).value_or(0);
}

void ReplayRace::keepRecords(const PdfPrinters& printers) {
    if (heatRotation()) results_->FillResultsGrid();
    if (options_.exportResults) writeGridSpreadsheet(results_->grdRR(), *options_.exportResults);
    raceRecords_->fillSummary();
    if (options_.saveSummary) {
        files_->choose(*options_.saveSummary);
        if (!raceRecords_->saveSummary())
            throw QelError("The summary was not saved to " + *options_.saveSummary + ".");
    }
    if (options_.saveLaps) {
        raceRecords_->fillLaps();
        files_->choose(*options_.saveLaps);
        if (!raceRecords_->saveLaps())
            throw QelError("The lap times were not saved to " + *options_.saveLaps + ".");
    }
    if (options_.exportSummary) raceRecords_->exportSummaryTo(*options_.exportSummary);
    if (options_.exportLaps) {
        raceRecords_->fillLaps();
        raceRecords_->exportLapsTo(*options_.exportLaps);
    }
    const auto print = [&](const std::optional<std::string>& pdf, const char* what,
                           const std::function<bool(RacePrintouts&)>& printout) {
        if (!pdf) return;
        if (!printers) throw QelError(std::string("No printer to print the ") + what + " on.");
        const std::unique_ptr<PrintSurface> printer = printers(*pdf);
        RacePrintouts printouts(raceRecords_->sources(), *heats_, {*printer, *recorders_, clock_});
        if (!printout(printouts))
            throw QelError(std::string("The ") + what + " was not printed to " + *pdf + ".");
    };
    print(options_.printSummary, "summary",
          [](RacePrintouts& printouts) { return printouts.PrintSummary(true); });
    print(options_.printLaps, "lap list",
          [](RacePrintouts& printouts) { return printouts.PrintLaps(); });
}

ReplayRace::~ReplayRace() = default;

std::vector<RacerStanding> ReplayRace::standings() const {
    std::vector<RacerStanding> rows;
    if (!heatRotation()) return rows;
    const GridModel& grid = results_->grdRR();
    const int averageCol = results_->laneCount() + 3;
    for (int row = 1; row < grid.rows(); ++row) {
        const int racer = std::atoi(grid.textMatrix(row, 0).c_str());
        if (racer < 1 || racer > kMaxRacers) continue;
        rows.push_back({racer, std::strtof(grid.textMatrix(row, averageCol).c_str(), nullptr)});
    }
    return rows;
}

void ReplayRace::heatEnded() {
    // The heats go on in the program, the race director reading on the board
    // what was not logged; a replay has nobody to read it and stops.
    if (options_.appFolder && heatRotation() && state_->raceOverHandled != 0 &&
        !board_.recordsNotice.empty())
        throw QelError(board_.recordsNotice);
}

bool ReplayRace::rotate() {
    if (state_->raceOverHandled == 0 || heats_->currentHeat >= heats_->heatCount) return false;
    if (board_.startState != StartState::Rotate && board_.startState != StartState::AutoDelay)
        return false;
    board_.startState = StartState::Rotate;
    control_->cmdStart_Click();
    recorders_->note("heat", std::to_string(heats_->currentHeat));
    port_.rewind();
    return true;
}

void ReplayRace::start() {
    ticks_ = 0;
    PrepareFreshRace(*state_, setup(), *heats_, board_, *demo_);
    if (std::optional<std::string> title = raceTitleOf(setup(), *heats_))
        state_->raceTitle = *title;
    finish_->clock();
    InstantStart(board_, raceTick_, *link_, *recorders_,
                 [this](int picture) { recorders_->note("flag", std::to_string(picture)); });
}

bool ReplayRace::step() {
    RaceState& s = *state_;
    if (!raceTick_.enabled() || s.raceOverHandled != 0 || s.elapsedMs >= options_.maxRaceMs) {
        return false;
    }
    ++ticks_;
    const int32_t before = s.elapsedMs;
    port_.setReadLimit(ticks_ * options_.tickMs);
    tick_->Timer1_Timer(options_.tickMs);
    return options_.demo || !port_.exhausted() || s.elapsedMs != before;
}

}  // namespace qel::replay
