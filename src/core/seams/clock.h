#pragma once
// Time as the race engine sees it: a millisecond tick count, the time of day,
// and a blocking wait. Real in the program, virtual in tests and replays.
#include <cstdint>

namespace qel {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual int64_t tickCountMs() const = 0;
    // Local date and time as a day count (see io/dates.h): whole days since
    // 30 Dec 1899, fraction = time of day.
    virtual double now() const = 0;
    // Holds the caller for at least ms milliseconds without spinning the CPU.
    // Nothing else runs meanwhile; timers that fell due fire afterwards.
    virtual void sleepMs(int ms) = 0;
};

}  // namespace qel
