#include "core/io/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qel {

namespace {

std::string shortestText(double value, int significantDigits) {
    // A value that is not a number would leave a file nobody can read back.
    if (!std::isfinite(value) || value == 0.0) return "0";

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, value);
    const std::string_view text(buffer);
    const bool negative = text.front() == '-';
    const auto ePos = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, ePos)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(buffer + ePos + 1);

    std::string out = negative ? "-" : "";
    if (exponent >= significantDigits || exponent < -5) {
        out += digits.front();
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        const std::string power = std::to_string(std::abs(exponent));
        out += (power.size() < 2 ? "0" : "") + power;
    } else if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    } else {
        out += "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string singleText(float value) {
    return shortestText(static_cast<double>(value), 7);
}

std::string doubleText(double value) {
    return shortestText(value, 15);
}

std::string integerText(int64_t value) {
    return std::to_string(value);
}

std::optional<double> parseNumberText(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    // from_chars takes neither a leading "+" nor a bare trailing point in every
    // library, so hand it the canonical spelling.
    std::string canonical(text.front() == '+' ? text.substr(1) : text);
    double value = 0.0;
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (result.ec != std::errc() || result.ptr != canonical.data() + canonical.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace qel
