#pragma once
// The platform's whole-number conversions. Averages, crash percentages and the
// median position round "to the nearest, ties to even"; Int and Fix cut off.
#include <cstdint>

namespace qel {

// Nearest whole number, halves to the even one: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
double roundHalfEven(double value);

// CInt / CLng: round half to even, then check the width. A value that does
// not fit (or is not a number) throws QelError "Overflow".
int16_t toInteger(double value);
int32_t toLong(double value);

// Int: the whole number at or below value (-2.5 -> -3).
double intPart(double value);
// Fix: the whole part, cut toward zero (-2.5 -> -2).
double fixPart(double value);

}  // namespace qel
