#include "core/heats/define_racers.h"

#include <algorithm>

namespace qel {

namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

int DefineRacers(const Placement& placement, int laneCount, bool heatRotation, HeatTables& tables,
                 RaceState& state, RaceBoard& board) {
    int racer = 1;
    for (int lane = 1; lane <= std::clamp(laneCount, 0, kMaxLanes); ++lane) {
        const std::string name = trimmed(placement.laneNames[lane]);
        if (name.empty()) {
            state.laneRacerName[lane].clear();
            board.rows[lane].name.text.clear();
            continue;
        }
        HeatRacer& r = tables.heatRacers[racer];
        r.name = name;
        r.startLane = static_cast<int16_t>(lane);
        r.sitOutNumber = 0;
        state.laneRacerName[lane] = name;
        board.rows[lane].name.text = name + " ";
        ++racer;
    }
    if (!heatRotation) return racer - 1;

    const auto slots = std::min<std::size_t>(placement.sitOutNames.size(), kMaxSitOuts);
    for (std::size_t slot = 1; slot <= slots; ++slot) {
        std::string name = trimmed(placement.sitOutNames[slot - 1]);
        if (name.empty()) break;
        HeatRacer& r = tables.heatRacers[racer];
        r.name = std::move(name);
        r.startLane = 0;
        r.sitOutNumber = static_cast<int16_t>(slot);
        ++racer;
    }
    return racer - 1;
}

}  // namespace qel
