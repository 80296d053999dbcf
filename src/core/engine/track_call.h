#pragma once
// The track-call button (and the W key): a marshal's press acts on whatever
// the Start button shows, but presses closer together than two seconds are
// one press, so a held or bouncing button can't pause and resume at once.
#include <functional>

#include "core/state/race_board.h"
#include "core/state/race_state.h"

namespace qel {

// Two seconds as a day count.
inline constexpr double kPauseDebounce = 2.0 / 86400.0;

class TrackCall {
  public:
    TrackCall(RaceState& state, const RaceBoard& board, std::function<void()> pressStart)
        : state_(state), board_(board), pressStart_(std::move(pressStart)) {}

    // thisTime: the date and time of the request, as a day count.
    void PauseButton(double thisTime);

  private:
    RaceState& state_;
    const RaceBoard& board_;
    std::function<void()> pressStart_;
};

}  // namespace qel
