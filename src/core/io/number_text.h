#pragma once
// How the platform spells a bare number in the small text files and in printed
// text: shortest decimal form, "." as the point, no grouping, and no zero
// before the point of a value below one (".5", "-.25"). Very large or very
// small values take the exponent form "1.234568E+08".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qel {

// A Single: at most 7 significant digits (25.3f -> "25.3", 30 -> "30").
std::string singleText(float value);
// A Double: at most 15 significant digits.
std::string doubleText(double value);
std::string integerText(int64_t value);

// Reads a number back: optional sign, digits with at most one point (at least
// one digit in all), optional exponent. Accepts "0.5" as well as ".5", and
// "1." as the "00.###" pattern leaves it. No blanks, no grouping, nothing else.
std::optional<double> parseNumberText(std::string_view text);

}  // namespace qel
