#include "replay_race.h"

#include "core/engine/race_start.h"
#include "core/heats/race_formats.h"
#include "core/heats/rotation.h"

namespace qel::replay {

// The prompter, the sound player and the race-end hand-over of a replay: each
// records what it was asked, with the race clock at that moment.
class ReplayRace::Recorders : public Prompter, public SoundPlayer, public RaceEndHandover {
  public:
    Recorders(EventLog& log, const RaceState& state) : log_(log), state_(state) {}

    MessageAnswer message(const std::string& text, const std::string&, MessageIcon,
                          MessageButtons buttons) override {
        note("message", text);
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }

    void PlaySoundFile(const std::string& fileName) override { note("sound", fileName); }

    // The windows and files a race end hands over to are not part of a
    // replay: it records that the hand-over happened and when, nothing more.
    void saveHeatToLog() override { note("handover", "saveHeatToLog"); }
    void scoreHeat() override { note("handover", "scoreHeat"); }
    void prepareNextHeatDisplay() override { note("handover", "prepareNextHeatDisplay"); }
    void startBetweenHeatDelay() override { note("handover", "startBetweenHeatDelay"); }
    void reopenOpenViews() override { note("handover", "reopenOpenViews"); }
    void showRaceResults() override { note("handover", "showRaceResults"); }
    void autoPrint() override { note("handover", "autoPrint"); }
    void enableFileMenu() override { note("handover", "enableFileMenu"); }

    void note(const char* type, std::string value) {
        log_.push_back({state_.elapsedMs, type, std::move(value)});
    }

  private:
    EventLog& log_;
    const RaceState& state_;
};

namespace {

void configureFormat(RaceState& s, HeatTables& heats, const ReplayOptions& o) {
    const RaceFormatRule& rule = raceFormatRule(o.format);
    s.raceFormat = static_cast<int16_t>(o.format);
    s.raceLimitKind = std::string(rule.length == RaceLength::Laps ? kLapsCaption : kMinutesCaption);
    s.practiceMode = rule.practiceMode;
    s.heatRotation = rule.heatRotation;
    s.raceLaps = static_cast<int16_t>(o.laps);
    s.raceMinutes = static_cast<float>(o.minutes);
    heats.currentHeat = 1;
    if (!s.heatRotation) return;
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
      recorders_(std::make_unique<Recorders>(events, *state_)) {
    RaceState& s = *state_;
    s.laneCount = static_cast<int16_t>(options.lanes);
    s.demoMode = options.demo ? 1 : 0;
    s.minLapTime = static_cast<float>(options.minLap);
    s.firstLapOffset = static_cast<int16_t>(options.firstLap - 1);
    s.coastTimeMs = static_cast<int32_t>(options.coastSeconds * 1000 + 0.5);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        s.laneRacerName[lane] = "Lane " + std::to_string(lane);
        s.laneColor[lane] = kWhite;
    }
    configureFormat(s, *heats_, options);
    sounds_.raceSoundEnabled.fill(true);
    port_.setWriteObserver(
        [this](std::string_view bytes) { recorders_->note("command", std::string(bytes)); });

    link_ = std::make_unique<TimingLink>(port_, clock_, *recorders_, s, installation_);
    counter_ = std::make_unique<LapCounter>(s, *heats_, board_);
    demo_ = std::make_unique<DemoGenerator>(s, random_);
    screen_ = std::make_unique<RaceScreen>(s, *heats_, board_);
    finish_ = std::make_unique<RaceFinish>(FinishContext{
        s, *heats_, board_, *screen_, *link_, raceTick_, clock_, sounds_, *recorders_, *recorders_,
        [this](int picture) { recorders_->note("flag", std::to_string(picture)); }});
    tick_ = std::make_unique<RaceTick>(s, *heats_, *link_, *counter_, *demo_, *screen_, *finish_);
}

ReplayRace::~ReplayRace() = default;

void ReplayRace::start() {
    PrepareFreshRace(*state_, *heats_, board_, *demo_);
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
