#pragma once
// What the spectators see of the race: the board as the race director's
// screen shows it (title, clock, flag, banner, one row per lane in running
// order) and, in a race run in heats, the heat of the count, who races the
// next heat and the results so far. Taken from the board and the race state
// after every redraw, as a plain value the live board sends out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine/race_setup.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

// The lap time column has the one caption; the others follow the board's headers.
inline constexpr std::string_view kLapTimeColumn = "Lap Time";

struct LiveBoardRow {
    int position = 0;  // the row on the board: the place in a race, the lane in practice
    int lane = 0;
    int32_t color = kWhite;
    // The cells as the board shows them, blanks trimmed.
    std::string racer;
    std::string laps;
    std::string lastLap;
    std::string gap;
    std::string best;

    bool operator==(const LiveBoardRow&) const = default;
};

struct LiveBoardLaneRacer {
    int lane = 0;
    std::string racer;

    bool operator==(const LiveBoardLaneRacer&) const = default;
};

struct LiveBoardStanding {
    int place = 0;  // racers level on the ranking share a place
    std::string racer;
    int laps = 0;
    int points = 0;

    bool operator==(const LiveBoardStanding&) const = default;
};

struct LiveBoardHeat {
    int number = 0;
    int count = 0;
    // The heat after this one and its racers by lane; none after the last heat.
    std::optional<int> nextNumber;
    std::vector<LiveBoardLaneRacer> nextRacers;
    // Ranked by points in a championship, by laps otherwise.
    std::vector<LiveBoardStanding> results;

    bool operator==(const LiveBoardHeat&) const = default;
};

struct LiveBoardSnapshot {
    std::string track;
    std::string title;
    std::string clock;
    std::string flag;    // "green", "yellow", "white", "red", "checkered" or "none"
    std::string banner;  // "" while the board shows none
    std::string state;   // "ready", "racing", "paused", "heatOver", "betweenHeats", "over"
    // The captions of the columns whose content the race director chooses.
    std::string lapsColumn;
    std::string lastLapColumn;
    std::string gapColumn;
    std::string bestColumn;
    std::vector<LiveBoardRow> rows;
    std::optional<LiveBoardHeat> heat;

    bool operator==(const LiveBoardSnapshot&) const = default;
};

struct LiveBoardSources {
    const RaceBoard& board;
    const RaceState& race;
    const HeatTables& heats;
    RaceSetup setup;
};

LiveBoardSnapshot takeLiveBoardSnapshot(const LiveBoardSources& sources);

// The words the snapshot uses for a flag picture and a Start button state.
std::string_view liveBoardFlagName(int flagPicture);
std::string_view liveBoardStateName(StartState state);

}  // namespace qel
