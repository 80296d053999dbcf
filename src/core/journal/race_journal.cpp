#include "core/journal/race_journal.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <string>

namespace qel {

namespace {

bool racing(StartState state) {
    return state == StartState::Pause || state == StartState::Continue;
}

// The end of a race or heat under the flag leaves the Start button on what comes next.
bool ended(StartState state) {
    return state == StartState::Reset || state == StartState::Rotate ||
           state == StartState::AutoDelay;
}

template <typename T>
std::string perLane(const LaneTable<T>& values) {
    std::string text;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (lane > 1) text += ',';
        text += std::to_string(values[lane]);
    }
    return text;
}

int32_t lapMsOf(float seconds) {
    return static_cast<int32_t>(std::lround(static_cast<double>(seconds) * 1000.0));
}

}  // namespace

void RaceJournal::write(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        // The race goes on; the race director learns the journal is behind.
        s_.board.recordsNotice = std::string("The race journal could not be written: ") + e.what();
    }
}

void RaceJournal::begin() {
    const RaceState& s = s_.state;
    JournalRace race;
    race.startedAt = s_.clock.now();
    race.format = s_.setup.raceFormat();
    race.formatName = s_.setup.raceSettings().raceFormatName;
    race.title = s.raceTitle;
    race.demo = s_.setup.demoMode();
    race.lanes = s.laneCount;
    race.laps = s_.setup.raceLaps();
    race.minutes = s_.setup.raceMinutes();
    race.firstLapOffset = s_.setup.firstLapOffset();
    race.minLapSeconds = s_.setup.minLapTime();
    race.coastMs = s_.setup.coastTimeMs();
    if (s_.setup.heatRotation()) {
        race.heat = s_.heats.currentHeat;
        race.heatCount = s_.heats.heatCount;
        race.activeSequence = s_.heats.activeSequence;
        race.racerCount = std::clamp<int>(s_.heats.racerCount, 0, kMaxRacers);
    }
    std::vector<JournalLane> lanes;
    for (int lane = 1; lane <= s.laneCount && lane <= kMaxLanes; ++lane) {
        lanes.push_back({lane, s.laneRacerName[lane], s.laneColor[lane],
                         s_.installation.laneDisabled[lane] != 0, s.speedMultiplier[lane]});
    }
    // The table as the heat starts goes in with the race, so a heat in the
    // journal always has what putting the series back needs.
    const std::vector<JournalHeatRacer> racers = heatRacers();
    write([&] { race_ = store_.beginRace(race, lanes, racers); });
    lastRace_ = race_;
    // A lane's count starts one below its first lap; only laps above it are counted ones.
    journalled_.fill(static_cast<int16_t>(s_.setup.firstLapOffset()));
}

std::vector<JournalHeatRacer> RaceJournal::heatRacers() const {
    std::vector<JournalHeatRacer> racers;
    if (!s_.setup.heatRotation()) return racers;
    const int count = std::clamp<int>(s_.heats.racerCount, 0, kMaxRacers);
    for (int racer = 1; racer <= count; ++racer) {
        const HeatRacer& r = s_.heats.heatRacers[racer];
        racers.push_back({racer, r.name, r.startLane, perLane(r.lapsInLane), r.totalLaps,
                          perLane(r.pointsInLane), r.totalPoints, r.sitOutNumber,
                          perLane(r.bestLap), perLane(r.adjustInLane)});
    }
    return racers;
}

void RaceJournal::recordHeatRacers(int64_t race) {
    if (!s_.setup.heatRotation()) return;
    const std::vector<JournalHeatRacer> racers = heatRacers();
    write([&] { store_.recordHeatRacers(race, racers); });
}

std::string correctionText(const ResultCorrection& made) {
    return std::to_string(made.racer) + "," + std::to_string(made.lane) + "," +
           std::to_string(made.delta) + "," + (made.points ? "points" : "laps") +
           (made.boardLap ? ",board" : "");
}

std::optional<ResultCorrection> parseCorrection(const std::string& text) {
    ResultCorrection made;
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(',', start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    if (parts.size() < 4 || parts.size() > 5) return std::nullopt;
    try {
        made.racer = std::stoi(parts[0]);
        made.lane = std::stoi(parts[1]);
        made.delta = std::stoi(parts[2]);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (parts[3] != "points" && parts[3] != "laps") return std::nullopt;
    made.points = parts[3] == "points";
    if (parts.size() == 5 && parts[4] != "board") return std::nullopt;
    made.boardLap = parts.size() == 5;
    if (made.racer < 1 || made.racer > kMaxRacers || made.lane < 1 || made.lane > kMaxLanes ||
        (made.delta != 1 && made.delta != -1))
        return std::nullopt;
    return made;
}

void RaceJournal::correction(const ResultCorrection& made) {
    const std::optional<int64_t> race = race_ ? race_ : lastRace_;
    if (!race || !s_.setup.heatRotation()) return;
    // The lane's counter moved with the correction: the journal's count of
    // the lane's laps moves too, so the next crossing is journalled as the
    // lap it is, and no lap is taken for one counted.
    if (race_ && made.boardLap && made.lane >= 1 && made.lane <= kMaxLanes)
        journalled_[made.lane] = static_cast<int16_t>(journalled_[made.lane] + made.delta);
    JournalBatch batch;
    batch.events.push_back({s_.state.elapsedMs, kCorrectionEvent, correctionText(made)});
    const int64_t id = *race;
    write([&] { store_.record(id, batch); });
    recordHeatRacers(id);
}

void RaceJournal::collectLaps(JournalBatch& batch) {
    const RaceState& s = s_.state;
    for (int lane = 1; lane <= s.laneCount && lane <= kMaxLanes; ++lane) {
        const int counted = std::min<int>(s.lapCount[lane], kMaxLap);
        if (counted <= journalled_[lane]) continue;
        // The crossings of laps counted since the last showing, back from the last one.
        std::vector<JournalLap> laps;
        int32_t raceMs = s.lastPassMs[lane];
        for (int lap = counted; lap > journalled_[lane] && lap >= 0; --lap) {
            const int32_t lapMs = lapMsOf(s.lapTimes[lane][lap]);
            laps.push_back({lane, lap, lapMs, raceMs, s.bestLapMs[lane], s.laneRacerName[lane]});
            raceMs -= lapMs;
        }
        batch.laps.insert(batch.laps.end(), laps.rbegin(), laps.rend());
        journalled_[lane] = static_cast<int16_t>(counted);
    }
}

void RaceJournal::end(JournalBatch& batch, const char* outcome) {
    batch.events.push_back(
        {s_.state.elapsedMs, outcome == std::string("finished") ? "end" : "stop", ""});
    const int64_t race = *race_;
    write([&] { store_.record(race, batch); });
    // The series' table with this heat's laps and points in.
    recordHeatRacers(race);
    write([&] { store_.endRace(race, s_.clock.now(), outcome); });
    race_.reset();
}

void RaceJournal::resume(int64_t race) {
    race_ = race;
    lastRace_ = race;
    for (int lane = 1; lane <= kMaxLanes; ++lane)
        journalled_[lane] = s_.state.lapCount[lane];
    lastStart_ = StartState::Continue;
    lastFlag_ = s_.board.flagPicture;
}

void RaceJournal::boardShown() {
    const RaceBoard& b = s_.board;
    const StartState now = b.startState;
    if (!race_ && racing(now) && !racing(lastStart_)) {
        begin();
        if (race_) {
            JournalBatch batch;
            batch.events.push_back({s_.state.elapsedMs, "start", ""});
            write([&] { store_.record(*race_, batch); });
        }
    }
    // What the box sent outside a race (the diagnostics, a probe) is no race's.
    std::string input = s_.boxLine ? s_.boxLine->takeInput() : std::string();
    if (race_) {
        JournalBatch batch;
        batch.boxInput = std::move(input);
        batch.boxInputMs = s_.state.elapsedMs;
        collectLaps(batch);
        const int32_t at = s_.state.elapsedMs;
        if (lastStart_ == StartState::Pause && now == StartState::Continue)
            batch.events.push_back({at, "pause", ""});
        if (lastStart_ == StartState::Continue && now == StartState::Pause)
            batch.events.push_back({at, "continue", ""});
        if (b.flagPicture != lastFlag_)
            batch.events.push_back({at, "flag", std::to_string(b.flagPicture)});
        if (ended(now)) {
            end(batch, "finished");
        } else if (now == StartState::Start) {
            end(batch, "stopped");
        } else if (!batch.empty()) {
            write([&] { store_.record(*race_, batch); });
        }
    }
    lastStart_ = now;
    lastFlag_ = b.flagPicture;
}

}  // namespace qel
