#pragma once
// Format patterns: how numbers, dates and fixed-width texts become the text
// shown on the board, printed, or written into names and files.
//
// Numbers (formatNumber):
//   0   a digit, always shown ("00" shows 7 as "07")
//   #   a digit shown only when significant (0 with "#Lap" gives "Lap")
//   .   the decimal point; it is shown even when no decimal follows, as the
//       platform does (1 with "00.###" gives "01.")
//   ,   between integer digits: group thousands ("#,##0.00")
//   %   multiplies by 100 and shows "%"
//   ;   separates the pattern for positive values from the one for negative
//       values (shown without a minus sign) and the one for zero
//   \x  the character x as it stands; "text" in double quotes as it stands
//   Every other character is copied. Shown decimals are rounded half away
//   from zero on the value's 15 significant digits (7 for formatSingle), so
//   9.996 with "0.00" gives "10.00" and 2.675 gives "2.68". A value that
//   rounds to zero shows no minus sign. An empty pattern gives the plain
//   decimal form ("0.5", "-12").
//
// Dates and times (formatDate), letters in either case:
//   d dd       day without / with a leading zero; ddd dddd: "Mon", "Monday"
//   m mm       month without / with a leading zero, or minutes when they
//              follow an hour or precede seconds ("H-MM", "h:mm:ss")
//   mmm mmmm   "Jan", "January"
//   n nn       minutes
//   h hh       hours 0..23 (1..12 with AM/PM or A/P in the pattern)
//   s ss       seconds
//   yy yyyy    two- and four-digit year; y: day of the year
//   AM/PM am/pm A/P a/p   the half of the day
//   \x and "text" as for numbers; every other character is copied.
//
// Texts (formatText):
//   @   a character or a blank; &: a character or nothing
//   !   fill the placeholders from the left ("!@@@@" left-aligns in 4
//       characters); without it they fill from the right
//   < > the text in lower / upper case
//   A text longer than its placeholders is cut to them, so columns stay put.
//   A pattern without placeholders shows the whole text after its copied
//   characters (">" alone gives the text in upper case).
//   Every other character is copied.
#include <string>
#include <string_view>

namespace qel {

std::string formatNumber(double value, std::string_view pattern);
// A Single carries 7 significant digits: 1.005f with "0.00" gives "1.01".
std::string formatSingle(float value, std::string_view pattern);
// dayCount as in dates.h.
std::string formatDate(double dayCount, std::string_view pattern);
std::string formatText(std::string_view text, std::string_view pattern);

}  // namespace qel
