#include "core/io/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace qel {
namespace {

TEST(NumberText, SinglesTakeTheShortestFormOfSevenDigits) {
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {{25.3f, "25.3"},
                          {30.0f, "30"},
                          {654.54545f, "654.5455"},
                          {654.5454f, "654.5454"},
                          {0.5f, ".5"},
                          {-0.25f, "-.25"},
                          {0.1f, ".1"},
                          {-3.0f, "-3"},
                          {0.0f, "0"},
                          {-0.0f, "0"},
                          {1234567.0f, "1234567"},
                          {12345678.0f, "1.234568E+07"},
                          {10000000.0f, "1E+07"},
                          {0.0001f, ".0001"},
                          {0.000001f, "1E-06"},
                          {1.0f / 3.0f, ".3333333"}};
    for (const auto& c : cases) {
        EXPECT_EQ(singleText(c.value), c.expected) << c.value;
    }
}

TEST(NumberText, DoublesAndWholeNumbers) {
    EXPECT_EQ(doubleText(0.1), ".1");
    EXPECT_EQ(doubleText(1.0 / 3.0), ".333333333333333");
    EXPECT_EQ(doubleText(-75.042), "-75.042");
    EXPECT_EQ(doubleText(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(integerText(-32768), "-32768");
    EXPECT_EQ(integerText(0), "0");
}

TEST(NumberText, ReadsBackBothSpellingsAndNothingElse) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case good[] = {
        {".5", 0.5}, {"0.5", 0.5},   {"-.25", -0.25},    {"+3", 3},
        {"01.", 1},  {"1E+07", 1e7}, {"1.5e-3", 0.0015}, {"2147483648", 2147483648.0}};
    for (const auto& c : good) {
        const auto value = parseNumberText(c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*value, c.expected) << c.text;
    }
    const char* bad[] = {"",   ".",   "-",   " 1",  "1 ",     "1,5",   "1.2.3", "1e",
                         "e5", "0x1", "inf", "nan", "#TRUE#", "1e999", "--1",   "12a"};
    for (const char* text : bad) {
        EXPECT_FALSE(parseNumberText(text).has_value()) << '"' << text << '"';
    }
}

TEST(NumberText, EverySingleSurvivesAWriteAndReadAtSevenDigits) {
    const float values[] = {25.3f, 0.123f, 654.54545f, -1.5e-3f, 3.0e9f, 99.999f};
    for (const float value : values) {
        const auto back = parseNumberText(singleText(value));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(singleText(static_cast<float>(*back)), singleText(value));
    }
}

}  // namespace
}  // namespace qel
