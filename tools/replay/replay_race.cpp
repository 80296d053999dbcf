#include "replay_race.h"

#include "core/engine/race_start.h"
#include "core/engine/race_title.h"
#include "core/heats/race_formats.h"
#include "core/heats/rotation.h"
#include "core/io/errors.h"
#include "core/records/race_printouts.h"
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

namespace {

void configureFormat(const RaceState& s, RaceFormatSettings& race, HeatTables& heats,
                     const ReplayOptions& o) {
    const RaceFormatRule& rule = raceFormatRule(o.format);
    race.raceFormat = static_cast<int16_t>(o.format);
    race.raceFormatName = std::string(rule.text);
    race.raceLimitKind =
        std::string(rule.length == RaceLength::Laps ? kLapsCaption : kMinutesCaption);
    race.heatRotation = rule.heatRotation ? -1 : 0;
    race.raceLaps = static_cast<int16_t>(o.laps);
    race.raceMinutes = static_cast<float>(o.minutes);
    heats.currentHeat = 1;
    if (!rule.heatRotation) return;
    // Heat 1 of a rotation on the straight sequence: racer n starts in lane n.
    for (int lane = 1; lane <= o.lanes; ++lane) {
        auto& racer = heats.heatRacers[lane];
        racer.name = s.laneRacerName[lane];
        racer.startLane = static_cast<int16_t>(lane);
        racer.sitOutNumber = 0;
    }
    heats.racerCount = static_cast<int16_t>(o.lanes);
    std::string sequence = straightSequence(o.lanes);
    BuildRotation(heats, o.lanes, sequence);
    heats.activeSequence = sequence;
}

}  // namespace

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
    configureFormat(s, raceSettings_, *heats_, options_);
    handover_.add(*raceEnd_);
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

void ReplayRace::start() {
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
