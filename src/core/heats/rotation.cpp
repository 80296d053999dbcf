#include "core/heats/rotation.h"

#include <algorithm>
#include <limits>

namespace qel {

namespace {

char laneDigit(int lane) {
    return static_cast<char>('0' + lane);
}

int boundedLanes(int laneCount) {
    return std::clamp(laneCount, 0, kMaxLanes);
}

// A lane from a sequence character; anything but 1..8 is a sit-out.
int16_t laneOf(char c) {
    return (c >= '1' && c <= '0' + kMaxLanes) ? static_cast<int16_t>(c - '0') : 0;
}

int boundedRacers(const HeatTables& tables) {
    return std::clamp<int>(tables.racerCount, 0, kMaxRacers);
}

int boundedHeat(const HeatTables& tables) {
    return std::clamp<int>(tables.currentHeat, 0, kMaxHeats);
}

// Totals over many heats could pass what the 16-bit field holds; they stop at
// its limit rather than wrap to a negative score.
int16_t saturated(int value) {
    return static_cast<int16_t>(std::clamp<int>(value, std::numeric_limits<int16_t>::min(),
                                                std::numeric_limits<int16_t>::max()));
}

// Sum of a per-lane table over the lanes a racer used in heats 1..currentHeat.
int16_t sumOverHeats(const HeatTables& tables, int racer, const LaneTable<int16_t>& perLane) {
    int sum = 0;
    for (int heat = 1; heat <= boundedHeat(tables); ++heat) {
        const int lane = tables.heatLane[racer][heat];
        if (lane >= 1 && lane <= kMaxLanes) sum += perLane[lane];
    }
    return saturated(sum);
}

}  // namespace

std::string straightSequence(int laneCount) {
    std::string sequence;
    for (int lane = 1; lane <= boundedLanes(laneCount); ++lane)
        sequence += laneDigit(lane);
    return sequence;
}

std::string europeanSequence(int laneCount) {
    const int lanes = boundedLanes(laneCount);
    std::string sequence;
    for (int lane = 1; lane <= lanes; lane += 2)
        sequence += laneDigit(lane);
    for (int lane = lanes - lanes % 2; lane >= 2; lane -= 2)
        sequence += laneDigit(lane);
    return sequence;
}

SequenceLabels SetSequenceLabels(int laneCount) {
    return {straightSequence(laneCount), europeanSequence(laneCount)};
}

bool ValidSequence(std::string_view text, int lanes) {
    const char highest = laneDigit(boundedLanes(lanes));
    return std::all_of(text.begin(), text.end(), [&](char c) { return c >= '0' && c <= highest; });
}

int CountSequenceLanes(std::string_view sequence, int laneCount) {
    int count = 0;
    for (int lane = 1; lane <= boundedLanes(laneCount); ++lane) {
        if (sequence.find(laneDigit(lane)) != std::string_view::npos) ++count;
    }
    return count;
}

int CountUnusedLanes(std::string_view sequence, int laneCount) {
    return boundedLanes(laneCount) - CountSequenceLanes(sequence, laneCount);
}

int getSeqOffset(int startLane, int sitOutNumber, std::string_view sequence) {
    if (startLane != 0) {
        if (startLane < 1 || startLane > kMaxLanes) return 0;
        const auto at = sequence.find(laneDigit(startLane));
        return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
    }
    if (sitOutNumber > 0) {
        int zeros = 0;
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            if (sequence[i] == '0' && ++zeros == sitOutNumber) return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

void BuildRotation(HeatTables& tables, int racerCount, std::string& sequence) {
    for (auto& heats : tables.heatLane)
        heats.fill(0);
    for (auto& heats : tables.laneRacer)
        heats.fill(0);

    const int n = std::clamp(racerCount, 0, kMaxRacers);
    if (sequence.size() > static_cast<std::size_t>(kMaxHeats)) sequence.resize(kMaxHeats);
    tables.heatCount = static_cast<int16_t>(std::max<int>(n, static_cast<int>(sequence.size())));
    if (sequence.size() < static_cast<std::size_t>(n)) sequence.resize(n, '0');
    const int length = static_cast<int>(sequence.size());
    if (length == 0) return;

    for (int racer = 1; racer <= n; ++racer) {
        const HeatRacer& r = tables.heatRacers[racer];
        const int start = getSeqOffset(r.startLane, r.sitOutNumber, sequence);
        for (int heat = 1; heat <= tables.heatCount; ++heat) {
            int position = (heat + start - 1) % length;
            if (position == 0) position = length;
            const int16_t lane = laneOf(sequence[position - 1]);
            tables.heatLane[racer][heat] = lane;
            if (lane != 0) tables.laneRacer[lane][heat] = static_cast<int16_t>(racer);
        }
    }
}

void ShowHeatRacers(const HeatTables& tables, int laneCount, RaceState& state, RaceBoard& board) {
    const int heat = boundedHeat(tables);
    for (int lane = 1; lane <= boundedLanes(laneCount); ++lane) {
        const int racer = tables.laneRacer[lane][heat];
        if (racer < 1 || racer > kMaxRacers) continue;
        state.laneRacerName[lane] = tables.heatRacers[racer].name;
        board.rows[lane].name.text = state.laneRacerName[lane] + " ";
    }
}

void SumRacerLaps(HeatTables& tables) {
    for (int racer = 1; racer <= boundedRacers(tables); ++racer) {
        HeatRacer& r = tables.heatRacers[racer];
        r.totalLaps = sumOverHeats(tables, racer, r.lapsInLane);
    }
}

void ScoreHeatPoints(HeatTables& tables, const LaneTable<int16_t>& lanePosition) {
    const int heat = boundedHeat(tables);
    for (int racer = 1; racer <= boundedRacers(tables); ++racer) {
        const int lane = tables.heatLane[racer][heat];
        if (lane < 1 || lane > kMaxLanes) continue;
        HeatRacer& r = tables.heatRacers[racer];
        const int place = lanePosition[lane];
        const int earned = (place >= 1 && place <= kMaxLanes) ? tables.pointsForPlace[place] : 0;
        r.pointsInLane[lane] = saturated(earned + r.adjustInLane[lane]);
        r.totalPoints = sumOverHeats(tables, racer, r.pointsInLane);
    }
}

void SumRacerPoints(HeatTables& tables) {
    for (int racer = 1; racer <= boundedRacers(tables); ++racer) {
        HeatRacer& r = tables.heatRacers[racer];
        r.totalPoints = sumOverHeats(tables, racer, r.pointsInLane);
    }
}

}  // namespace qel
