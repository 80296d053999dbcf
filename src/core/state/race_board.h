#pragma once
// What the race board shows: the view model the engine writes as it would
// write the board's labels, and the main window renders.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/state/race_state.h"

namespace qel {

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

// The main menu's states the race engine sets: while a race runs the race
// director cannot change the set-up under it.
struct MenuStates {
    bool file = true;                 // mnuFile
    bool raceFormat = true;           // mnuRaceFormat
    bool racers = true;               // mnuRaceR
    bool help = true;                 // mnuHelp
    bool installation = true;         // mnuInstallation
    bool timeVisible = false;         // mnuTime, only while time is sold
    bool raceResults = false;         // mnuRaceResults
    bool rotationSequence = false;    // mnuHeatSequence
    bool summaryRaceResults = false;  // the summary window's mnuViewHeats
};

// The racer list of a row (Select_Name), shown over its name cell. Every
// row lists the same roster: the rows share one copy of it, however large a
// club's roster grows.
struct NameList {
    using Entries = std::shared_ptr<const std::vector<std::string>>;

    const std::vector<std::string>& entries() const {
        static const std::vector<std::string> none;
        return shared ? *shared : none;
    }
    Entries shared;
    int selected = -1;
    bool visible = false;
};

// The Start button's state: its caption says what a press does next.
enum class StartState { Start, Pause, Continue, Reset, Rotate, AutoDelay };

// The caption the race director reads on the Start button in each state.
constexpr const char* startCaptionOf(StartState state) {
    switch (state) {
        case StartState::Start:
            return "Start";
        case StartState::Pause:
            return "Pause";
        case StartState::Continue:
            return "Continue";
        case StartState::Reset:
            return "Reset";
        case StartState::Rotate:
            return "Rotate";
        case StartState::AutoDelay:
            return "Auto Delay";
    }
    return "Start";
}

inline constexpr int kDefaultCellFontSize = 28;
inline constexpr int kSmallestCellFontSize = 16;
inline constexpr int kLargestCellFontSize = 59;

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
    int flagPicture = kFlagIdle;                // imgKestrova
    StartState startState = StartState::Start;  // cmdStart
    bool startEnabled = true;
    bool abortEnabled = false;  // cmdAbort
    std::string windowTitle;
    MenuStates menu;
    LaneTable<NameList> nameLists{};
    // Point size of the lane rows' cells (F8 / F9).
    int cellFontSize = kDefaultCellFontSize;
    // The window's status line: what is wrong with the timing box, or "".
    std::string statusText;
    // Also on the status line: the settings files start-up found missing or
    // damaged, whose defaults are in use.
    std::string settingsNotice;
    // Also there: a race record the program could not write by itself (the
    // heat log after a heat), so the race goes on and the director knows.
    std::string recordsNotice;
    // Also there: where spectators open the live board on the club's
    // network, or why it is off though switched on.
    std::string liveBoardNotice;
    // The hourglass while the program holds the race director (probe, coast wait).
    bool busy = false;

    // The window is idle when no race or heat is under way.
    bool idle() const { return startState == StartState::Start; }
};

}  // namespace qel
