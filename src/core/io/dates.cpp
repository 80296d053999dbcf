#include "core/io/dates.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace qel {

namespace {

// Day 0, 30 Dec 1899, counted from 1 Jan 1970 (proleptic Gregorian calendar).
constexpr int64_t kDayZeroFromCivil = -25569;

int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;  // days since 1 Jan 1970
}

void civilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int64_t civilDay(double dayCount) {
    // Days since 1 Jan 1970 of the calendar date a day count stands for.
    return static_cast<int64_t>(std::trunc(dayCount)) + kDayZeroFromCivil;
}

constexpr std::array<std::string_view, 12> kMonthShort = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> kMonthLong = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kWeekdayShort = {"Sun", "Mon", "Tue", "Wed",
                                                           "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 7> kWeekdayLong = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

template <std::size_t N>
std::string_view pick(const std::array<std::string_view, N>& names, int oneBased) {
    return oneBased >= 1 && oneBased <= static_cast<int>(N) ? names[oneBased - 1] : "";
}

}  // namespace

double dateSerial(int year, int month, int day) {
    // Months run over into years first, then days run over freely.
    const int64_t months = static_cast<int64_t>(year) * 12 + (month - 1);
    const int64_t y = months >= 0 ? months / 12 : -((-months + 11) / 12);
    const int64_t m = months - y * 12 + 1;
    return static_cast<double>(daysFromCivil(y, m, 1) + (day - 1) - kDayZeroFromCivil);
}

double timeSerial(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
}

double toDayCount(const DateTimeParts& parts) {
    const double days = dateSerial(parts.year, parts.month, parts.day);
    const double time = timeSerial(parts.hour, parts.minute, parts.second);
    return days < 0 ? days - time : days + time;
}

DateTimeParts fromDayCount(double dayCount) {
    DateTimeParts parts;
    if (!std::isfinite(dayCount) || std::fabs(dayCount) > 3.0e6) return parts;
    int64_t day = civilDay(dayCount);
    auto seconds = static_cast<int64_t>(
        std::llround(std::fabs(dayCount - std::trunc(dayCount)) * kSecondsPerDay));
    if (seconds >= static_cast<int64_t>(kSecondsPerDay)) {
        // 23:59:59.6 is shown as midnight of the next calendar day.
        seconds = 0;
        ++day;
    }
    civilFromDays(day, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    // 1 Jan 1970 was a Thursday (weekday 5).
    parts.weekday = static_cast<int>(((day + 4) % 7 + 7) % 7) + 1;
    parts.dayOfYear = static_cast<int>(day - daysFromCivil(parts.year, 1, 1)) + 1;
    return parts;
}

std::optional<double> parseTimeOfDay(std::string_view text) {
    std::array<int, 3> values{};
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    while (count < values.size()) {
        int digits = 0;
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 3) {
            value = value * 10 + (text[i] - '0');
            ++digits;
            ++i;
        }
        if (digits == 0) return std::nullopt;
        values[count++] = value;
        if (i < text.size() && text[i] == ':') {
            ++i;
            continue;
        }
        break;
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i != text.size() || count < 2) return std::nullopt;
    if (values[0] > 23 || values[1] > 59 || values[2] > 59) return std::nullopt;
    return timeSerial(values[0], values[1], values[2]);
}

std::string_view monthShortName(int month) {
    return pick(kMonthShort, month);
}
std::string_view monthLongName(int month) {
    return pick(kMonthLong, month);
}
std::string_view weekdayShortName(int weekday) {
    return pick(kWeekdayShort, weekday);
}
std::string_view weekdayLongName(int weekday) {
    return pick(kWeekdayLong, weekday);
}

}  // namespace qel
