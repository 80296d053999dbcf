#include "core/seams/uniform_random.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace qel {
namespace {

std::vector<double> draws(Random& random, int count) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(random.next());
    return values;
}

TEST(UniformRandom, DrawsStayInTheHalfOpenUnitRangeAndSpreadOverIt) {
    UniformRandom random(12345);
    std::array<int, 10> buckets{};
    for (const double value : draws(random, 100000)) {
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        ++buckets[static_cast<std::size_t>(value * 10)];
    }
    for (const int count : buckets)
        EXPECT_NEAR(count, 10000, 600);
}

TEST(UniformRandom, TheSameSeedReplaysTheSameDraws) {
    UniformRandom first;
    UniformRandom second;
    first.seed(42);
    second.seed(42);
    const auto replay = draws(first, 20);
    EXPECT_EQ(replay, draws(second, 20));
    first.seed(43);
    EXPECT_NE(replay, draws(first, 20));
    first.seed(42);
    EXPECT_EQ(replay, draws(first, 20));
}

TEST(UniformRandom, ClockSeedsDifferBetweenStarts) {
    UniformRandom first;
    UniformRandom second;
    first.seedFromClock();
    second.seedFromClock();
    EXPECT_NE(draws(first, 4), draws(second, 4));
}

}  // namespace
}  // namespace qel
