#pragma once
// What the race board shows: the view model the engine writes as it would
// write the board's labels, and the main window renders.
#include <cstdint>
#include <string>

#include "core/state/race_state.h"

namespace qel {

inline constexpr int32_t kWhite = 16777215;
inline constexpr int32_t kRed = 255;

struct BoardCell {
    std::string text;
    int32_t backColor = kWhite;
    int32_t foreColor = 0;
    std::string toolTip;
};

// One row of the board; in a race row r shows the lane in position r.
struct BoardRow {
    BoardCell name{" Select Name", kWhite, 0, ""};  // lblName
    BoardCell lapNum;                               // lblLapNum
    BoardCell lapTime;                              // lblLapTime
    BoardCell lagTime;                              // lblLagTime
    BoardCell best;                                 // lblBest
    bool visible = true;
};

// Flag pictures in their fixed order.
enum FlagPicture : int {
    kFlagGreen = 1,
    kFlagIdle,
    kFlagWhite,
    kFlagRed,
    kFlagYellow,
    kFlagCheckered
};

struct RaceBoard {
    LaneTable<BoardRow> rows{};
    std::string lapHeader = "Lap";         // lblLapNumber
    std::string lagHeader = "Lag Behind";  // lblLag
    std::string bestHeader = "Best Lap";   // lblBestLap
    std::string raceDescription;           // lblRaceFormat
    std::string clock = "00:00";           // lblClock
    std::string banner = "Race  Over";     // lblRaceOver
    int32_t bannerColor = 0;
    bool bannerVisible = false;
    int flagPicture = kFlagIdle;         // imgKestrova
    std::string startCaption = "Start";  // cmdStart
    bool startEnabled = true;
    bool abortEnabled = false;  // cmdAbort
    std::string windowTitle;

    // The window is idle when no race or heat is under way.
    bool idle() const { return startCaption == "Start"; }
};

}  // namespace qel
