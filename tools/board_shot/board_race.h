#pragma once
// A race on the race director's main window, for pictures and timings of the board: the
// program's own engine and window over a scratch copy of the default application folder, run
// on virtual time with demo laps, no timing box, no sound and no message boxes on screen.
#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "core/app_state.h"
#include "core/engine/race_engine.h"
#include "core/io/data_folder.h"
#include "core/seams/uniform_random.h"
#include "core/seams/virtual_time.h"
#include "platform/live_board_server.h"
#include "ui/board/frm_qel_timer.h"

namespace qel::boardshot {

// The source tree's data/ folder: the defaults the application folder is laid out from.
std::filesystem::path defaultDataFolder();

struct BoardRaceSetup {
    // Holds QelDat/, QelSound/ and Images/, as an application folder does.
    std::filesystem::path defaults = defaultDataFolder();
    int lanes = 8;
    int laps = 50;
    // Seeds the demo paces: the same setup always runs the same race.
    uint64_t seed = 1;
    // The live board's port when the race is watched on the network; 0 leaves it off.
    int32_t liveBoardPort = 0;
};

class BoardRace {
  public:
    // The track set up as a race director would before the start: the installation's lane
    // count, a racer in every lane, an instant start, a demo lap race. Throws QelError or
    // std::runtime_error when the scratch folder cannot be made.
    explicit BoardRace(const BoardRaceSetup& setup);
    ~BoardRace();
    BoardRace(const BoardRace&) = delete;
    BoardRace& operator=(const BoardRace&) = delete;

    // Start on the board, as a click on it; true when the race went green.
    bool pressStart();
    // Moves virtual time on: the race tick fires every 100 ms and the window renders the
    // board after each, as the program's timer does. Painting is left to the caller's
    // event loop.
    void advance(int64_t ms) { time_.advance(ms); }

    ui::FrmQelTimer& window() { return program_->mainWindow(); }
    RaceEngine& engine() { return program_->engine(); }
    // What the program told the race director, in order; each box was declined.
    const std::vector<std::string>& messages() const;
    // The live board's server the race runs with.
    platform::LiveBoardServer& liveBoard();

  private:
    class Desk;

    QTemporaryDir scratch_;
    std::unique_ptr<AppFolder> folder_;
    std::unique_ptr<Desk> desk_;
    VirtualScheduler time_;
    UniformRandom random_;
    std::unique_ptr<app::Program> program_;
};

}  // namespace qel::boardshot
