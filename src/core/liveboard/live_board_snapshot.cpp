#include "core/liveboard/live_board_snapshot.h"

#include <algorithm>
#include <string_view>

namespace qel {

namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return "";
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

int lanesInUse(const RaceState& race) {
    return std::clamp<int>(race.laneCount, 0, kMaxLanes);
}

// In a race row r shows the lane in place r; in practice each row is its lane.
int laneOfRow(const LiveBoardSources& s, int row) {
    if (s.setup.practiceMode()) return row;
    const int lane = s.race.runningOrder[row];
    return lane >= 1 && lane <= lanesInUse(s.race) ? lane : row;
}

std::vector<LiveBoardRow> rowsOf(const LiveBoardSources& s) {
    std::vector<LiveBoardRow> rows;
    for (int r = 1; r <= lanesInUse(s.race); ++r) {
        const BoardRow& shown = s.board.rows[r];
        if (!shown.visible) continue;
        LiveBoardRow row;
        row.position = r;
        row.lane = laneOfRow(s, r);
        row.color = s.race.laneColor[row.lane];
        row.racer = trimmed(shown.name.text);
        row.laps = trimmed(shown.lapNum.text);
        row.lastLap = trimmed(shown.lapTime.text);
        row.gap = trimmed(shown.lagTime.text);
        row.best = trimmed(shown.best.text);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<LiveBoardStanding> resultsOf(const LiveBoardSources& s) {
    const HeatTables& heats = s.heats;
    const int racers = std::clamp<int>(heats.racerCount, 0, kMaxRacers);
    const bool byPoints = s.setup.raceFormat() == kChampionship;
    const auto ranking = [&](int racer) {
        const HeatRacer& r = heats.heatRacers[racer];
        return byPoints ? std::pair<int, int>{r.totalPoints, r.totalLaps}
                        : std::pair<int, int>{r.totalLaps, r.totalPoints};
    };
    std::vector<int> order;
    for (int racer = 1; racer <= racers; ++racer)
        order.push_back(racer);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return ranking(a) > ranking(b); });
    std::vector<LiveBoardStanding> results;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const HeatRacer& racer = heats.heatRacers[order[i]];
        const bool level = i > 0 && ranking(order[i]) == ranking(order[i - 1]);
        results.push_back({level ? results.back().place : static_cast<int>(i) + 1,
                           trimmed(racer.name), racer.totalLaps, racer.totalPoints});
    }
    return results;
}

std::optional<LiveBoardHeat> heatOf(const LiveBoardSources& s) {
    const HeatTables& heats = s.heats;
    if (!s.setup.heatRotation() || heats.heatCount < 1) return std::nullopt;
    LiveBoardHeat heat;
    heat.count = std::clamp<int>(heats.heatCount, 0, kMaxHeats);
    heat.number = std::clamp<int>(heats.currentHeat, 0, heat.count);
    if (heat.number < heat.count) {
        const int next = heat.number + 1;
        heat.nextNumber = next;
        const int racers = std::clamp<int>(heats.racerCount, 0, kMaxRacers);
        for (int lane = 1; lane <= lanesInUse(s.race); ++lane) {
            const int racer = heats.laneRacer[lane][next];
            if (racer >= 1 && racer <= racers)
                heat.nextRacers.push_back({lane, trimmed(heats.heatRacers[racer].name)});
        }
    }
    heat.results = resultsOf(s);
    return heat;
}

}  // namespace

std::string_view liveBoardFlagName(int flagPicture) {
    switch (flagPicture) {
        case kFlagGreen:
            return "green";
        case kFlagWhite:
            return "white";
        case kFlagRed:
            return "red";
        case kFlagYellow:
            return "yellow";
        case kFlagCheckered:
            return "checkered";
        default:
            return "none";
    }
}

std::string_view liveBoardStateName(StartState state) {
    switch (state) {
        case StartState::Start:
            return "ready";
        case StartState::Pause:
            return "racing";
        case StartState::Continue:
            return "paused";
        case StartState::Reset:
            return "over";
        case StartState::Rotate:
            return "heatOver";
        case StartState::AutoDelay:
            return "betweenHeats";
    }
    return "ready";
}

LiveBoardSnapshot takeLiveBoardSnapshot(const LiveBoardSources& s) {
    LiveBoardSnapshot snapshot;
    snapshot.track = trimmed(s.race.trackName);
    snapshot.title = trimmed(s.board.raceDescription);
    snapshot.clock = s.board.clock;
    snapshot.flag = liveBoardFlagName(s.board.flagPicture);
    snapshot.banner = s.board.bannerVisible ? trimmed(s.board.banner) : "";
    snapshot.state = liveBoardStateName(s.board.startState);
    snapshot.lapsColumn = s.board.lapHeader;
    snapshot.lastLapColumn = kLapTimeColumn;
    snapshot.gapColumn = s.board.lagHeader;
    snapshot.bestColumn = s.board.bestHeader;
    snapshot.rows = rowsOf(s);
    snapshot.heat = heatOf(s);
    return snapshot;
}

}  // namespace qel
