#include "core/io/format.h"

#include <gtest/gtest.h>

#include "core/io/dates.h"

namespace qel {
namespace {

struct NumberCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatNumber, PatternsOfTheBoardFilesAndPrintouts) {
    const NumberCase cases[] = {
        // Clock minutes and seconds, millisecond digits of a total time.
        {7, "00", "07"},
        {75, "00", "75"},
        {0, "00", "00"},
        {5, "000", "005"},
        {42, "000", "042"},
        {1234, "0", "1234"},
        // Lap times, gaps, best laps and speeds.
        {65.4, "00", "65"},
        {59.5, "00", "60"},
        {4.567, "0.00", "4.57"},
        {0.125, "0.00", "0.13"},
        {9.996, "0.00", "10.00"},
        {99.9996, "0.000", "100.000"},
        {2.675, "0.00", "2.68"},
        {1.0045, "0.000", "1.005"},
        {0.0, "0.000", "0.000"},
        {123.456, "0.0", "123.5"},
        {-1.25, "0.0", "-1.3"},
        {-0.001, "0.00", "0.00"},
        {-4.5, "0", "-5"},
        // Stored lap times: at least two integer digits and at most three decimals.
        {4.567, "00.###", "04.567"},
        {12.5, "00.###", "12.5"},
        {123.4567, "00.###", "123.457"},
        {1, "00.###", "01."},
        {0.0005, "00.###", "00.001"},
        // Lap differences.
        {2, "#Lap", "2Lap"},
        {12, "#Lap", "12Lap"},
        {0, "#Lap", "Lap"},
        {-3, "#Lap", "-3Lap"},
        {0.5, "#.##", ".5"},
        {1.5, ".00", "1.50"},
        // Grouping, percent, literals and sections.
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {999.999, "#,##0.00", "1,000.00"},
        {12, "#,##0", "12"},
        {-1234, "#,##0", "-1,234"},
        {0.256, "0%", "26%"},
        {7, "\"Lane \"0", "Lane 7"},
        {7, "\\#0", "#7"},
        {1234, "00-00", "12-34"},
        {5, "0;(0)", "5"},
        {-5, "0;(0)", "(5)"},
        {0, "0;(0);\"none\"", "none"},
        {0.001, "0.0;-0.0;\"zero\"", "zero"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected)
            << c.value << " with \"" << c.pattern << '"';
    }
}

TEST(FormatNumber, SinglesRoundOnTheirOwnSevenDigits) {
    EXPECT_EQ(formatSingle(1.005f, "0.00"), "1.01");
    EXPECT_EQ(formatNumber(1.005f, "0.00"), "1.00");
    EXPECT_EQ(formatSingle(25.3f, "0.000"), "25.300");
    EXPECT_EQ(formatSingle(-0.25f, "0.0"), "-0.3");
}

TEST(FormatNumber, EmptyPatternGivesThePlainNumber) {
    EXPECT_EQ(formatNumber(0.5, ""), "0.5");
    EXPECT_EQ(formatNumber(-0.5, ""), "-0.5");
    EXPECT_EQ(formatNumber(12, ""), "12");
}

TEST(FormatNumber, ReadingBackTheStoredLapTimeGivesMilliseconds) {
    // A lap time is stored as its milliseconds / 1000 through "00.###".
    for (const int ms : {1, 999, 4567, 10000, 59999, 123456}) {
        const std::string text = formatNumber(ms / 1000.0, "00.###");
        EXPECT_EQ(std::stod(text), ms / 1000.0) << text;
    }
}

TEST(FormatDate, PatternsOfStampsCaptionsAndArchives) {
    const double friday = toDayCount({2004, 11, 5, 9, 7, 3, 0, 0});
    const double evening = toDayCount({2024, 12, 31, 23, 59, 30, 0, 0});
    struct Case {
        double dayCount;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {friday, "MMM-DD, H-MM", "Nov-05, 9-07"},
        {evening, "MMM-DD, H-MM", "Dec-31, 23-59"},
        {friday, "MMM-DD, H:MM", "Nov-05, 9:07"},
        {friday, "MMM. DD YYYY, H:MM", "Nov. 05 2004, 9:07"},
        {friday, "yyyy mm dd, H-MM", "2004 11 05, 9-07"},
        {evening, "hh:mm:ss", "23:59:30"},
        {friday, "hh:mm:ss", "09:07:03"},
        {friday, "h:nn", "9:07"},
        {friday, "m/d/yy", "11/5/04"},
        {friday, "dddd, mmmm d", "Friday, November 5"},
        {friday, "ddd y", "Fri 310"},
        {friday, "mm:ss", "07:03"},
        {evening, "h:mm AM/PM", "11:59 PM"},
        {friday, "hh:mm a/p", "09:07 a"},
        {friday, "\"Heat \"h\\h", "Heat 9h"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDate(c.dayCount, c.pattern), c.expected) << c.pattern;
    }
    // The archive name takes the first seven characters: year and month.
    EXPECT_EQ(formatDate(friday, "yyyy mm dd, H-MM").substr(0, 7), "2004 11");
}

TEST(FormatDate, DurationsShowAsTimesOfDay) {
    struct Case {
        int seconds;
        const char* expected;
    };
    const Case cases[] = {{3909, "1:05:09"}, {0, "0:00:00"}, {59, "0:00:59"}, {36000, "10:00:00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatDate(timeSerial(0, 0, c.seconds), "h:mm:ss"), c.expected);
    }
}

TEST(FormatText, FixedWidthFieldsForTextColumns) {
    struct Case {
        const char* text;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {"Bob", "!@@@@@@@", "Bob    "},
        {"Alexander", "!@@@@@@@", "Alexand"},
        {"", "!@@@", "   "},
        {"José", "!@@@@@", "José "},
        {"Renée Müller", "!@@@@@@", "Renée "},
        {"Bob", "@@@@@", "  Bob"},
        {"Bob", "&&&&&", "Bob"},
        {"ab", "(@@@@)", "(  ab)"},
        {"Bob", ">!@@@@", "BOB "},
        {"BoB", "<@@@", "bob"},
        {"as is", "", "as is"},
        {"Bob", ">", "BOB"},
        {"Bob", "Racer: ", "Racer: Bob"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatText(c.text, c.pattern), c.expected) << c.text << " with " << c.pattern;
    }
}

}  // namespace
}  // namespace qel
