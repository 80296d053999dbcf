#pragma once
// What the race director does on the board itself: the header toggles, the
// race description toggle, clearing a best lap by hand and the font size.
#include "core/engine/lane_names.h"
#include "core/engine/race_screen.h"
#include "core/engine/race_setup.h"
#include "core/io/data_folder.h"
#include "core/seams/prompter.h"
#include "core/seams/timer_service.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

class BoardClicks {
  public:
    BoardClicks(const AppFolder& folder, RaceState& state, RaceSetup setup, RaceBoard& board,
                RaceScreen& screen, const Timer& raceTick, LaneNames& names, Prompter& prompter)
        : folder_(folder),
          state_(state),
          setup_(setup),
          board_(board),
          screen_(screen),
          raceTick_(raceTick),
          names_(names),
          prompter_(prompter) {}

    void lblLag_Click();        // also F4
    void lblBestLap_Click();    // also F5
    void lblLapNumber_Click();  // only the heat formats that total laps
    void lblRaceFormat_Click();
    // A best or gap cell of row: clears that lane's best lap by hand (a
    // crossing the sensor should not have counted). Keys 1..8 press the best cells.
    void lblBest_Click(int row);
    void lblLagTime_Click(int row);
    void ReduceFontSize();    // F8
    void IncreaseFontSize();  // F9
    // The flag opens the About window only while the track is idle.
    bool flagOpensAbout() const { return board_.idle(); }

    // The header choices into RaceLag.dat.
    void storeHeaders();

  private:
    void redraw();
    void clearBest(int row, const std::string& practiceHeader, BoardCell BoardRow::*cell);

    const AppFolder& folder_;
    RaceState& state_;
    RaceSetup setup_;
    RaceBoard& board_;
    RaceScreen& screen_;
    const Timer& raceTick_;
    LaneNames& names_;
    Prompter& prompter_;
};

}  // namespace qel
