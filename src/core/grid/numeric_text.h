#pragma once
// Whether a cell's text reads as a number: decides how the results grid ranks its rows, how the
// export writes a cell, and where general alignment puts the text.
#include <optional>
#include <string_view>

namespace qel {

// Accepts optional blanks around the figure, an optional sign, digits with at most one decimal
// point (at least one digit in all) and an optional exponent ("e" or "E", optional sign, digits).
// The decimal point is always ".", whatever the desktop's regional settings say, because the
// system writes its own figures that way.
std::optional<double> numericValue(std::string_view text);

inline bool isNumericText(std::string_view text) {
    return numericValue(text).has_value();
}

}  // namespace qel
