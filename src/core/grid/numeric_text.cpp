#include "core/grid/numeric_text.h"

#include <charconv>
#include <cmath>

namespace qel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> numericValue(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // Check the shape by hand: the conversion below would also take "inf", "nan" and hex forms.
    std::size_t i = 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
        i = j;
    }
    if (i != text.size()) return std::nullopt;

    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Still a number to the reader: an enormous one, or one too small to tell from zero.
        const auto e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos
                              ? text.substr(e + 1).starts_with('-')
                              : text.starts_with("0") || text.starts_with(".");
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (error != std::errc{}) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace qel
