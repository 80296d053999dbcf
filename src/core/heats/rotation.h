#pragma once
// The heat rotation: every racer moves one step along the lane sequence from
// heat to heat, racers beyond the lanes sit out in turn, and laps and points
// are totalled per racer over the heats run so far.
#include <string>
#include <string_view>

#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

// Lanes in ascending order: "1234".
std::string straightSequence(int laneCount);
// Odd lanes up, then even lanes down: "1342"; one or two lanes as straight.
std::string europeanSequence(int laneCount);

struct SequenceLabels {
    std::string straight;
    std::string european;
};
// The two standard sequences the Race Format dialog shows for the track.
SequenceLabels SetSequenceLabels(int laneCount);

// True when every character is a digit from 0 up to lanes; repeats, missing
// lanes and the length are not judged here. An empty text is valid.
bool ValidSequence(std::string_view text, int lanes);

// Lanes 1..laneCount whose digit occurs in the sequence, and the others.
int CountSequenceLanes(std::string_view sequence, int laneCount);
int CountUnusedLanes(std::string_view sequence, int laneCount);

// 1-based position at which a racer starts: the first occurrence of its start
// lane, or the sitOutNumber-th "0" for a sit-out racer; 0 when there is none.
int getSeqOffset(int startLane, int sitOutNumber, std::string_view sequence);

// Rebuilds heatCount, heatLane and laneRacer for racers 1..racerCount from
// their start places. The sequence is padded with "0" up to racerCount, in
// place. The tables hold 200 heats: a longer sequence is cut to its first 200
// positions (the dialog refuses such a custom text before it gets here), and
// racerCount is bounded to the 200 racers the table holds. A character that is
// not a lane digit 1..8 is a sit-out position.
void BuildRotation(HeatTables& tables, int racerCount, std::string& sequence);

// Names the racers of the current heat on their lanes; lanes nobody races in
// this heat keep what they showed.
void ShowHeatRacers(const HeatTables& tables, int laneCount, RaceState& state, RaceBoard& board);

// Every racer's totalLaps over heats 1..currentHeat.
void SumRacerLaps(HeatTables& tables);
// Points for the current heat from the lanes' finishing places (a lane without
// a place 1..8 earns only its corrections), then every racer's totalPoints.
void ScoreHeatPoints(HeatTables& tables, const LaneTable<int16_t>& lanePosition);
// Every racer's totalPoints after a manual correction.
void SumRacerPoints(HeatTables& tables);

}  // namespace qel
