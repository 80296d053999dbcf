// The lap text report: the race title, a line of lane colours, a line of
// racers, then one line per lap with every listed lane's time.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/format.h"
#include "core/records/record_texts.h"
#include "core/setup/installation_file.h"

namespace qel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kLapField = 8;
constexpr int kLaneField = 12;
// The practice racer line starts one character further left than the lap numbers.
constexpr int kPracticeNumberField = 7;

// Left-aligned in width characters; a longer value is cut so the columns stay put.
std::string field(std::string_view text, int width) {
    return formatText(text, "!" + std::string(static_cast<std::size_t>(width), '@'));
}

std::string lapLine(int lap, const RaceState& state, const std::vector<int>& lanes) {
    std::string line = field(std::to_string(lap) + " ", kLapField);
    for (const int lane : lanes) {
        line += field(formatSingle(state.lapTimes[lane][lap], "0.000"), kLaneField);
    }
    return line;
}

bool anyLaneHasTime(const RaceState& state, int lap) {
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (state.lapTimes[lane][lap] != 0.0f) return true;
    }
    return false;
}

}  // namespace

RecordText SaveLapTimesToText(const RecordSources& sources) {
    const RaceState& state = sources.state;
    const bool practice = sources.setup.practiceMode();
    const int laneCount = std::clamp<int>(state.laneCount, 0, kMaxLanes);

    // Practice lists every lane; a race lists its positions, leaving out disabled lanes.
    std::vector<int> lanes;
    for (int slot = 1; slot <= laneCount; ++slot) {
        const int lane = practice ? slot : state.runningOrder[slot];
        if (lane < 1 || lane > kMaxLanes) continue;
        if (!practice && laneDisabledIn(sources, lane)) continue;
        lanes.push_back(lane);
    }

    std::string colours = field("Lap", kLapField);
    std::string racers = field(" No", practice ? kPracticeNumberField : kLapField);
    for (const int lane : lanes) {
        colours += field(laneColourName(sources.installation, lane), kLaneField);
        // Practice names the lanes as the race screen shows them.
        racers += field(practice ? sources.board.rows[lane].name.text : state.laneRacerName[lane],
                        kLaneField);
    }

    RecordText text;
    for (const std::string_view line :
         {std::string_view(state.raceTitle), std::string_view(colours), std::string_view(racers)}) {
        text.header += line;
        text.header += kLineEnd;
    }

    const int leader = state.runningOrder[1];
    if (!practice && (leader < 1 || leader > kMaxLanes)) return text;
    for (int lap = std::max(sources.setup.firstLapOffset() + 1, 0); lap <= kMaxLap; ++lap) {
        const bool more =
            practice ? anyLaneHasTime(state, lap) : state.lapTimes[leader][lap] != 0.0f;
        if (!more) break;
        text.body += lapLine(lap, state, lanes);
        text.body += kLineEnd;
    }
    return text;
}

}  // namespace qel
