#pragma once
// The live board as a part of the program: it puts the race director's Live
// Board setting in force (the server on the club's network, or none), tells
// the status line where the page opens, and sends the viewers the board each
// time what it shows changes, and at the end of a race before any results
// window can hold the race director.
#include <string>

#include "core/io/data_folder.h"
#include "core/liveboard/live_board_settings.h"
#include "core/liveboard/live_board_snapshot.h"
#include "core/seams/live_board_host.h"
#include "core/state/race_board.h"
#include "core/state/race_end.h"

namespace qel {

struct LiveBoardContext {
    // The one home of the setting (AppState::liveBoard).
    LiveBoardSettings& settings;
    LiveBoardSources sources;
    // Where the status line's live board notice goes.
    RaceBoard& board;
    const AppFolder& folder;
    LiveBoardHost& host;
};

class LiveBoard : public RaceEndSubsystem {
  public:
    explicit LiveBoard(LiveBoardContext context) : c_(context) {}

    // At start-up: LiveBoard.dat read and put in force. A missing file
    // leaves the board off; a damaged one too, and the status line says so.
    void load();
    // The one apply routine, run by load and by Options' OK. Settings that
    // did not change leave the server and its viewers as they are.
    void apply();
    // The board as it is now goes to the viewers, when anything shown changed.
    void publish();
    // The program ends: the viewers are told the board went.
    void stop();

    // The final standings go out as soon as the heat is scored.
    void reopenOpenViews() override { publish(); }

    bool running() const { return running_; }
    // The last state sent, "" before the first.
    const std::string& lastJson() const { return lastJson_; }

  private:
    LiveBoardContext c_;
    bool running_ = false;
    LiveBoardSettings inForce_;
    std::string lastJson_;
};

// The status line's words for a server that listens (where to open the page)
// or could not (which port, and why).
std::string liveBoardNotice(const LiveBoardListening& listening, int32_t port);

}  // namespace qel
