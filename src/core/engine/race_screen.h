#pragma once
// The race board redraws: in a race the rows are the lanes in running order,
// in practice each row is its lane. The cells shown depend on the headers.
#include "core/engine/race_setup.h"
#include "core/state/heat_tables.h"
#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

// The result windows the redraw tick refreshes when they are open.
class ResultViews {
  public:
    virtual ~ResultViews() = default;
    virtual void refreshResults() = 0;  // race results grid
    virtual void refreshLapTimes() = 0;
    virtual void refreshSummary() = 0;
};

class RaceScreen {
  public:
    RaceScreen(RaceState& state, RaceSetup setup, HeatTables& heats, RaceBoard& board,
               ResultViews* views = nullptr)
        : state_(state), setup_(setup), heats_(heats), board_(board), views_(views) {}

    // The open result views refreshed after a redraw; nullptr: none.
    void attachViews(ResultViews* views) { views_ = views; }

    void UpdateRaceScreen();
    void UpdatePracticeScreen();

  private:
    bool laneInSequence(int lane) const;
    std::string lapTimeText(int lane) const;
    std::string bestLapText(int lane) const;
    std::string medianOf(int lane);
    // The lap-time cell stays empty for a lane that is disabled, out of sold
    // time or not used by the heat's lane sequence.
    bool lapTimeHidden(int lane, const BoardRow& row) const;

    RaceState& state_;
    RaceSetup setup_;
    HeatTables& heats_;
    RaceBoard& board_;
    ResultViews* views_;
    bool sortedThisRedraw_ = false;
};

}  // namespace qel
