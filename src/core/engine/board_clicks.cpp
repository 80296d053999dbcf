#include "core/engine/board_clicks.h"

#include <algorithm>

#include "core/engine/board_headers.h"

namespace qel {

void BoardClicks::storeHeaders() {
    state_.lagCaption = board_.lagHeader;
    state_.bestLapCaption = board_.bestHeader;
    try {
        writeRaceLagFile(folder_,
                         {state_.lagCaption, state_.bestLapCaption, state_.timeIncrementIndex});
    } catch (const std::exception& error) {
        prompter_.inform(error.what());
    }
}

// An idle board has no race to redraw: the rows are the lanes at rest.
void BoardClicks::redraw() {
    if (board_.idle()) return;
    if (setup_.practiceMode()) {
        screen_.UpdatePracticeScreen();
    } else {
        screen_.UpdateRaceScreen();
    }
}

void BoardClicks::lblLag_Click() {
    names_.CloseComboNames();
    board_.lagHeader = nextLagCaption(board_.lagHeader, setup_.practiceMode());
    storeHeaders();
    redraw();
}

void BoardClicks::lblBestLap_Click() {
    names_.CloseComboNames();
    const std::string before = board_.bestHeader;
    board_.bestHeader = nextBestLapCaption(before, setup_.practiceMode(), state_.sellTimeEnabled);
    // MPH needs a lap after the change to show; the next redraw tick brings it.
    const bool waitForNextRedraw =
        !setup_.practiceMode() && before == "Best Lap" && board_.bestHeader == "MPH";
    if (!waitForNextRedraw) redraw();
    storeHeaders();
}

void BoardClicks::lblLapNumber_Click() {
    if (setup_.raceFormat() < kRoundRobin || setup_.raceFormat() > kRotationRaceLapHeats) return;
    board_.lapHeader = nextLapCaption(board_.lapHeader, setup_.raceFormat());
    redraw();
}

void BoardClicks::lblRaceFormat_Click() {
    board_.raceDescription =
        board_.raceDescription == state_.raceTitle ? state_.trackName : state_.raceTitle;
}

void BoardClicks::clearBest(int row, const std::string& practiceHeader, BoardCell BoardRow::*cell) {
    if (row < 1 || row > kMaxLanes) return;
    if (practiceHeader == "Best Lap" && setup_.practiceMode()) {
        state_.bestLapMs[row] = kNoBestLap;
        (board_.rows[row].*cell).text.clear();
    }
    const int lane = state_.runningOrder[row];
    if (board_.bestHeader != "Median" && board_.bestHeader != "MPH" && lane >= 1 &&
        lane <= std::clamp<int>(state_.laneCount, 0, kMaxLanes) && raceTick_.enabled()) {
        state_.bestLapMs[lane] = kNoBestLap;
        (board_.rows[row].*cell).text.clear();
    }
}

void BoardClicks::lblBest_Click(int row) {
    clearBest(row, board_.bestHeader, &BoardRow::best);
}

void BoardClicks::lblLagTime_Click(int row) {
    clearBest(row, board_.lagHeader, &BoardRow::lagTime);
}

void BoardClicks::ReduceFontSize() {
    if (board_.cellFontSize > kSmallestCellFontSize) --board_.cellFontSize;
}

void BoardClicks::IncreaseFontSize() {
    if (board_.cellFontSize < kLargestCellFontSize) ++board_.cellFontSize;
}

}  // namespace qel
