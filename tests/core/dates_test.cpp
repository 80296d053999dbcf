#include "core/io/dates.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

DateTimeParts at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    DateTimeParts p;
    p.year = y;
    p.month = mo;
    p.day = d;
    p.hour = h;
    p.minute = mi;
    p.second = s;
    return p;
}

TEST(Dates, DayCountsOfKnownDates) {
    struct Case {
        double dayCount;
        DateTimeParts parts;
        int weekday;
        int dayOfYear;
    };
    const Case cases[] = {
        {0.0, at(1899, 12, 30), 7, 364},
        {1.5, at(1899, 12, 31, 12), 1, 365},
        {2.0, at(1900, 1, 1), 2, 1},
        {60.0, at(1900, 2, 28), 4, 59},  // no 29 Feb 1900 in this calendar
        {61.0, at(1900, 3, 1), 5, 60},
        {36526.0, at(2000, 1, 1), 7, 1},
        {36585.0, at(2000, 2, 29), 3, 60},
        {38296.75, at(2004, 11, 5, 18), 6, 310},
        {45657.0 + 13.0 / 24 + 45.0 / 1440 + 9.0 / 86400, at(2024, 12, 31, 13, 45, 9), 3, 366},
        {-1.25, at(1899, 12, 29, 6), 6, 363},
        {2958465.0, at(9999, 12, 31), 6, 365},
    };
    for (const auto& c : cases) {
        DateTimeParts expected = c.parts;
        expected.weekday = c.weekday;
        expected.dayOfYear = c.dayOfYear;
        EXPECT_EQ(fromDayCount(c.dayCount), expected) << c.dayCount;
        EXPECT_NEAR(toDayCount(c.parts), c.dayCount, 1e-9) << c.dayCount;
    }
}

TEST(Dates, TimeRoundsToTheSecondAndCarriesIntoTheNextDay) {
    const double almostMidnight = 10.0 + (86399.6 / 86400.0);
    const auto parts = fromDayCount(almostMidnight);
    EXPECT_EQ(parts.day, 10);  // 9 Jan 1900, 23:59:59.6 shows as 10 Jan, 0:00:00
    EXPECT_EQ(parts.month, 1);
    EXPECT_EQ(parts.hour, 0);
    EXPECT_EQ(parts.second, 0);
    EXPECT_EQ(fromDayCount(1.0 + 1.4 / 86400).second, 1);
    // Garbage gives day 0 rather than a nonsense calendar.
    EXPECT_EQ(fromDayCount(1e300).year, 1899);
}

TEST(Dates, SerialsRunOverLikeThePlatformsOwn) {
    EXPECT_EQ(dateSerial(2004, 13, 1), dateSerial(2005, 1, 1));
    EXPECT_EQ(dateSerial(2004, 0, 1), dateSerial(2003, 12, 1));
    EXPECT_EQ(dateSerial(2004, 3, 0), dateSerial(2004, 2, 29));
    EXPECT_EQ(dateSerial(2004, -11, 1), dateSerial(2003, 1, 1));
    EXPECT_DOUBLE_EQ(timeSerial(0, 0, 2), 2.0 / 86400);
    EXPECT_DOUBLE_EQ(timeSerial(1, 75, 0), timeSerial(2, 15, 0));
}

TEST(Dates, TimesOfDayAreReadFromTheirText) {
    struct Case {
        const char* text;
        double seconds;  // < 0: no time
    };
    const Case cases[] = {{"00:00:02", 2}, {"01:30", 5400}, {"1:05:09", 3909}, {" 23:59 ", 86340},
                          {"00:00", 0},    {"24:00", -1},   {"12:60", -1},     {"1:2:3:4", -1},
                          {"", -1},        {"12", -1},      {"ab:cd", -1},     {"1:", -1},
                          {"0001:00", -1}};
    for (const auto& c : cases) {
        const auto value = parseTimeOfDay(c.text);
        if (c.seconds < 0) {
            EXPECT_FALSE(value.has_value()) << c.text;
        } else {
            ASSERT_TRUE(value.has_value()) << c.text;
            EXPECT_NEAR(*value * kSecondsPerDay, c.seconds, 1e-6) << c.text;
        }
    }
}

TEST(Dates, NamesOfMonthsAndDays) {
    EXPECT_EQ(monthShortName(1), "Jan");
    EXPECT_EQ(monthShortName(12), "Dec");
    EXPECT_EQ(monthLongName(9), "September");
    EXPECT_EQ(weekdayShortName(1), "Sun");
    EXPECT_EQ(weekdayLongName(7), "Saturday");
    EXPECT_EQ(monthShortName(0), "");
    EXPECT_EQ(monthShortName(13), "");
}

}  // namespace
}  // namespace qel
