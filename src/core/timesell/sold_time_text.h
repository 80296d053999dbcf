#pragma once
// How sold time reads in the Time window and on the board: the time sold to
// a lane as hours and minutes, the time it has left as hours, minutes and
// seconds.
#include <string>

namespace qel {

// The sold display holds two-digit hours: one minute short of a day is the
// most one lane can be sold at a time.
inline constexpr int kMostSoldMinutes = 23 * 60 + 59;

// "hh:mm": 65 minutes read "01:05", none "00:00".
std::string soldTimeText(int minutes);

// "h:mm:ss" of a time left as a day count: "1:05:09"; none (or less) "0:00:00".
std::string remainingTimeText(double dayCount);

}  // namespace qel
