#include "core/io/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/io/errors.h"

namespace qel {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbourOthersToTheNearest) {
    struct Case {
        double value;
        double expected;
    };
    const Case cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},        {3.5, 4},    {-0.5, 0},
                          {-1.5, -2}, {-2.5, -2}, {2.4999, 2},     {2.5001, 3}, {-2.6, -3},
                          {7.0, 7},   {0.0, 0},   {32767.5, 32768}};
    for (const auto& c : cases) {
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
    }
    // The median position of n laps: round(n / 2 + 1).
    const int laps[] = {1, 3, 4, 5, 7, 9};
    const int positions[] = {2, 2, 3, 4, 4, 6};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(toInteger(laps[i] / 2.0 + 1), positions[i]) << laps[i] << " laps";
    }
}

TEST(Rounding, WholeNumberConversionsCheckTheirWidth) {
    EXPECT_EQ(toInteger(32767.4), 32767);
    EXPECT_EQ(toInteger(-32768.5), -32768);
    EXPECT_THROW(toInteger(32767.5), QelError);
    EXPECT_THROW(toInteger(-32769), QelError);
    EXPECT_EQ(toLong(2147483647.0), 2147483647);
    EXPECT_THROW(toLong(2147483648.0), QelError);
    EXPECT_THROW(toLong(std::numeric_limits<double>::quiet_NaN()), QelError);
    EXPECT_THROW(toInteger(std::numeric_limits<double>::infinity()), QelError);
}

TEST(Rounding, IntCutsDownwardFixCutsTowardZero) {
    EXPECT_EQ(intPart(2.7), 2);
    EXPECT_EQ(intPart(-2.5), -3);
    EXPECT_EQ(fixPart(-2.5), -2);
    EXPECT_EQ(fixPart(2.99), 2);
    EXPECT_EQ(intPart(-3.0), -3);
}

}  // namespace
}  // namespace qel
