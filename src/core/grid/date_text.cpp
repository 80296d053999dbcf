#include "core/grid/date_text.h"

#include <array>
#include <charconv>
#include <optional>
#include <string>

#include "core/io/dates.h"

namespace qel {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::optional<int> wholeNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

bool isDay(int value) {
    return value >= 1 && value <= 31;
}
bool isMonth(int value) {
    return value >= 1 && value <= 12;
}

// Three numbers joined by one separator, "/", "-" or ".": year first
// (2026-03-05), or day and month in either order with the year last.
bool isCalendarDate(std::string_view text) {
    const std::size_t first = text.find_first_of("/-.");
    if (first == std::string_view::npos) return false;
    const char separator = text[first];
    const std::size_t second = text.find(separator, first + 1);
    if (second == std::string_view::npos || text.find(separator, second + 1) != std::string::npos)
        return false;
    const std::array<std::string_view, 3> parts{
        text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)};
    std::array<int, 3> values{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::optional<int> value = wholeNumber(parts[i]);
        if (!value) return false;
        values[i] = *value;
    }
    if (parts[0].size() == 4) return isMonth(values[1]) && isDay(values[2]);
    if (parts[2].size() != 2 && parts[2].size() != 4) return false;
    return (isMonth(values[0]) && isDay(values[1])) || (isDay(values[0]) && isMonth(values[1]));
}

// "20:15", "20:15:30", "8:15 PM".
bool isTime(std::string_view text) {
    for (const std::string_view half : {" AM", " PM", " am", " pm"}) {
        if (text.ends_with(half)) {
            text.remove_suffix(half.size());
            break;
        }
    }
    return parseTimeOfDay(text).has_value();
}

}  // namespace

bool isDateText(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return false;
    const std::size_t blank = text.find(' ');
    if (blank != std::string_view::npos && isCalendarDate(text.substr(0, blank)))
        return isTime(trimmed(text.substr(blank + 1)));
    return isCalendarDate(text) || isTime(text);
}

}  // namespace qel
