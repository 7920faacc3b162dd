#include "bench/stats.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "bench/round_order.hpp"

namespace bench {
namespace {

struct MedianCase {
    std::string name;
    std::vector<double> samples;
    std::optional<double> expected;
};

TEST(BenchStats, MedianOfSamples) {
    const MedianCase cases[] = {
        {"none", {}, std::nullopt},
        {"one", {7.5}, 7.5},
        {"odd count, unsorted", {9.0, 1.0, 5.0}, 5.0},
        {"even count: mean of the middle two", {4.0, 1.0, 3.0, 2.0}, 2.5},
        {"an outlier does not move it", {10.0, 11.0, 12.0, 13.0, 5000.0}, 12.0},
        {"duplicates", {3.0, 3.0, 1.0, 3.0}, 3.0},
        {"two", {100.0, 200.0}, 150.0},
    };
    for (const MedianCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Median(c.samples), c.expected);
    }
}

TEST(BenchStats, MedianLeavesTheSamplesInTheirOrder) {
    const std::vector<double> samples{3.0, 1.0, 2.0};
    (void)Median(samples);
    EXPECT_EQ(samples, (std::vector<double>{3.0, 1.0, 2.0}));
}

struct RatioCase {
    std::string name;
    std::optional<double> numerator;
    std::optional<double> denominator;
    std::optional<double> expected;
};

TEST(BenchStats, RatioOfTwoFigures) {
    const RatioCase cases[] = {
        {"slower than the yardstick", 330.0, 300.0, 1.1},
        {"faster than the yardstick", 150.0, 300.0, 0.5},
        {"numerator missing", std::nullopt, 300.0, std::nullopt},
        {"denominator missing", 330.0, std::nullopt, std::nullopt},
        {"denominator zero", 330.0, 0.0, std::nullopt},
        {"denominator negative", 330.0, -1.0, std::nullopt},
    };
    for (const RatioCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> ratio = Ratio(c.numerator, c.denominator);
        ASSERT_EQ(ratio.has_value(), c.expected.has_value());
        if (c.expected) {
            EXPECT_DOUBLE_EQ(*ratio, *c.expected);
        }
    }
}

struct HeadTailCase {
    std::string name;
    std::vector<double> samples;
    std::size_t count;
    std::optional<double> head;
    std::optional<double> tail;
};

TEST(BenchStats, MediansOfBothEnds) {
    const HeadTailCase cases[] = {
        {"exactly two stretches", {1, 2, 3, 10, 20, 30}, 3, 2.0, 20.0},
        {"middle samples ignored", {1, 2, 500, 600, 700, 8, 9}, 2, 1.5, 8.5},
        {"too few to compare", {1, 2, 3, 4, 5}, 3, std::nullopt, std::nullopt},
        {"none", {}, 1, std::nullopt, std::nullopt},
        {"stretch of zero", {1, 2, 3}, 0, std::nullopt, std::nullopt},
    };
    for (const HeadTailCase& c : cases) {
        SCOPED_TRACE(c.name);
        const HeadTailMedians ends = HeadAndTailMedians(c.samples, c.count);
        EXPECT_EQ(ends.head, c.head);
        EXPECT_EQ(ends.tail, c.tail);
    }
}

TEST(BenchRoundOrder, EachRoundStartsBothProgramsOnce) {
    for (std::size_t round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto order = RoundOrder(round);
        EXPECT_NE(order[0], order[1]);
    }
}

TEST(BenchRoundOrder, ConsecutiveRoundsSwapWhoGoesFirst) {
    for (std::size_t round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(RoundOrder(round)[0], RoundOrder(round + 1)[1]);
    }
}

TEST(BenchRoundOrder, FirstPlaceIsSharedFairlyOverAnyRun) {
    for (const std::size_t rounds : {20u, 25u, 101u}) {
        SCOPED_TRACE(std::to_string(rounds) + " rounds");
        std::size_t measuredFirst = 0;
        for (std::size_t round = 0; round < rounds; ++round) {
            if (RoundOrder(round)[0] == Contender::Measured) ++measuredFirst;
        }
        const std::size_t yardstickFirst = rounds - measuredFirst;
        EXPECT_LE(measuredFirst > yardstickFirst ? measuredFirst - yardstickFirst : yardstickFirst - measuredFirst, 1u);
    }
}

}  // namespace
}  // namespace bench
