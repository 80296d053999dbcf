#pragma once
// The platform's Date: a double day count. Day 0 is 30 Dec 1899, one day is
// 1.0 and the fraction is the time of day, so 1.5 is noon on 31 Dec 1899.
// Durations (a lane's sold time, the pause debounce) are day counts too:
// 2 seconds are 2 / 86400. Before day 0 the whole part counts back while the
// fraction still runs forward (-1.25 is 29 Dec 1899, 06:00), as the platform
// stores it.
#include <optional>
#include <string_view>

namespace qel {

inline constexpr double kSecondsPerDay = 86400.0;

struct DateTimeParts {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 7;  // 1 = Sunday .. 7 = Saturday
    int dayOfYear = 364;

    bool operator==(const DateTimeParts&) const = default;
};

// Whole days of a calendar date; the month and day may run over (month 13 is
// January of the next year), as the platform's DateSerial allows.
double dateSerial(int year, int month, int day);
// A time of day or a duration: hours, minutes and seconds may run over.
double timeSerial(int hour, int minute, int second);
// A calendar date with its time, encoded as the platform stores it.
double toDayCount(const DateTimeParts& parts);

// The calendar date and time of a day count, rounded to the nearest second.
DateTimeParts fromDayCount(double dayCount);

// A time of day typed or shown as "h:mm" or "h:mm:ss" ("00:00:02", "01:30"),
// as a day fraction. Hours 0..23, minutes and seconds 0..59; anything else
// is no time.
std::optional<double> parseTimeOfDay(std::string_view text);

// "Jan".."Dec" and "January".."December"; "Sun".."Sat" and "Sunday".."Saturday".
std::string_view monthShortName(int month);
std::string_view monthLongName(int month);
std::string_view weekdayShortName(int weekday);
std::string_view weekdayLongName(int weekday);

}  // namespace qel
