#pragma once
// The mouse pointer and tool tip over each part of the board: a hand where a
// click does something, the racer pointer where a name can be chosen.
#include <optional>
#include <string>

#include "core/engine/race_setup.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

enum class BoardPointer { Unchanged, Normal, Hand, Racer };

enum class BoardTarget { LagHeader, BestHeader, LapHeader, RaceFormat, BestCell, NameCell, Other };

struct PointerChoice {
    BoardPointer pointer = BoardPointer::Normal;
    std::optional<std::string> toolTip;  // nullopt leaves the tip as it is
};

// row: the board row for the cells, ignored elsewhere.
PointerChoice pointerOver(BoardTarget target, int row, const RaceState& state,
                          const RaceSetup& setup, const RaceBoard& board, bool raceTickRunning);

}  // namespace qel
