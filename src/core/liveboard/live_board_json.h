#pragma once
// The live board's message: the snapshot as the JSON text every viewer is
// sent and GET /api/race answers. docs/live-board.md lists its fields; a
// field is only ever added, so a club's scoreboard script keeps working.
#include <string>

#include "core/liveboard/live_board_snapshot.h"

namespace qel {

inline constexpr int kLiveBoardJsonVersion = 1;

std::string liveBoardJson(const LiveBoardSnapshot& snapshot);

// A lane colour as the page paints it: "#rrggbb".
std::string liveBoardColor(int32_t color);

}  // namespace qel
