// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Rating a finished match: technique points, the overall score, its rank, and the five best
// totals it enters.
#include "result/match_rating.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace rz6 {
namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

std::array<bool, techniqueCount> usedTechniques(int count) {
    std::array<bool, techniqueCount> used{};
    // Spread over the table so counting does not depend on the marks being at the front.
    for (int i = 0; i < count; ++i)
        used[static_cast<std::size_t>((i * 7) % techniqueCount)] = true;
    return used;
}

RecordTable tableWithBest(std::array<std::int32_t, bestTotalCount> best) {
    RecordTable table{};
    for (int i = 0; i < recordTableSize; ++i)
        table[static_cast<std::size_t>(i)] = 100 + i; // landing counts must stay as they are
    std::copy(best.begin(), best.end(), table.begin());
    return table;
}

std::array<std::int32_t, bestTotalCount> bestOf(const RecordTable& table) {
    std::array<std::int32_t, bestTotalCount> best{};
    std::copy_n(table.begin(), bestTotalCount, best.begin());
    return best;
}

// Every different technique is worth a tenth of the score, rounded down.
TEST(MatchRating, WorkedMatches) {
    struct Case {
        std::int32_t score;
        int techniques;
        std::int64_t overall;
        std::int64_t points;
        int rank;
    };
    const Case cases[] = {
        {1000, 3, 1300, 300, 9},
        {1499, 1, 1648, 149, 8}, // 1648.9 rounds down
        {-50, 1, -56, -6, 10},   // −55.00000000000001 in double rounds down to −56
        {2345, 0, 2345, 0, 8},   // no technique: nothing added
        {0, 0, 0, 0, 9},
        {0, 40, 0, 0, 9},
        {10000, 5, 15000, 5000, 1},
        {1000, 40, 5000, 4000, 5}, // all forty: five times the score
        {-1000, 40, -5000, -4000, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.score << " with " << c.techniques);
        const MatchRating rating = rateMatch(c.score, usedTechniques(c.techniques));
        EXPECT_EQ(rating.score, c.score);
        EXPECT_EQ(rating.distinctTechniques, c.techniques);
        EXPECT_EQ(rating.overallScore, c.overall);
        EXPECT_EQ(rating.techniquePoints, c.points);
        EXPECT_EQ(rating.rankClass, c.rank);
    }
}

TEST(MatchRating, OverallScoreBeyondThe32BitRangeIsKeptWhole) {
    const MatchRating top = rateMatch(int32Max, usedTechniques(40));
    EXPECT_EQ(top.overallScore, std::int64_t{int32Max} * 5);
    EXPECT_EQ(top.techniquePoints, std::int64_t{int32Max} * 4);
    EXPECT_EQ(top.rankClass, 1);

    const std::int32_t bottom = std::numeric_limits<std::int32_t>::min();
    const MatchRating low = rateMatch(bottom, usedTechniques(40));
    EXPECT_EQ(low.overallScore, std::int64_t{bottom} * 5);
    EXPECT_EQ(low.rankClass, 10);
}

// Both sides of every band edge.
TEST(MatchRating, RankBandEdges) {
    const std::pair<std::int64_t, int> edges[] = {
        {15000, 1},
        {14999, 2},
        {10000, 2},
        {9999, 3},
        {7000, 3},
        {6999, 4},
        {5500, 4},
        {5499, 5},
        {4000, 5},
        {3999, 6},
        {3000, 6},
        {2999, 7},
        {2500, 7},
        {2499, 8},
        {1500, 8},
        {1499, 9},
        {0, 9},
        {-1, 10},
        {std::int64_t{int32Max} * 5, 1},
    };
    for (const auto& [overall, rank] : edges)
        EXPECT_EQ(rankClass(overall), rank) << overall;
}

TEST(MatchRating, RankNamesAreFourCharactersWithTheirOwnSpaces) {
    EXPECT_EQ(rankName(1), "剣\u3000\u3000聖");
    EXPECT_EQ(rankName(6), "免許皆伝");
    EXPECT_EQ(rankName(8), "中 目 録");
    EXPECT_EQ(rankName(9), "門\u3000\u3000人");
    EXPECT_EQ(rankName(10), "入 門 者");
    // Four characters each: 12 bytes of three-byte UTF-8, or 10 with two ASCII spaces.
    for (int rank = 1; rank <= rankClassCount; ++rank) {
        const auto name = rankName(rank);
        const bool asciiSpaced = name.find(' ') != std::string_view::npos;
        EXPECT_EQ(name.size(), asciiSpaced ? 11u : 12u) << rank;
    }
}

TEST(BestTotals, NewTotalTakesItsPlaceAndEqualTotalsStaySeparate) {
    RecordTable table = tableWithBest({5000, 3000, 3000, 1000, 0});
    const RecordTable before = table;
    updateBestTotals(table, 2000);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{5000, 3000, 3000, 2000, 1000}));
    for (int i = firstCountElement; i < recordTableSize; ++i)
        EXPECT_EQ(table[static_cast<std::size_t>(i)], before[static_cast<std::size_t>(i)]);
}

TEST(BestTotals, TotalsBelowAllFiveOrEqualToTheLastChangeNothing) {
    RecordTable table = tableWithBest({5000, 3000, 3000, 1000, 500});
    updateBestTotals(table, 100);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{5000, 3000, 3000, 1000, 500}));
    updateBestTotals(table, 500);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{5000, 3000, 3000, 1000, 500}));
    updateBestTotals(table, 5000);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{5000, 5000, 3000, 3000, 1000}));
}

// Regression: ranking the totals as text put −56 above −100 and could rank a negative
// total above zero; they are compared as numbers.
TEST(BestTotals, NegativeTotalsRankNumerically) {
    RecordTable table = tableWithBest({0, 0, 0, 0, 0});
    updateBestTotals(table, -56);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{0, 0, 0, 0, 0}));

    table = tableWithBest({300, 20, -5, -100, -2000});
    updateBestTotals(table, -56);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{300, 20, -5, -56, -100}));
    updateBestTotals(table, -1);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{300, 20, -1, -5, -56}));
}

TEST(BestTotals, UnorderedRecordIsRankedAfresh) {
    RecordTable table = tableWithBest({10, 4000, -3, 700, 700});
    updateBestTotals(table, 50);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{4000, 700, 700, 50, 10}));
}

// Regression: a total past 2,147,483,647 used to stop the program when it was ranked; it is
// kept at the limit instead.
TEST(BestTotals, HugeTotalsAreKeptAtTheLimit) {
    RecordTable table = tableWithBest({5000, 3000, 3000, 1000, 0});
    updateBestTotals(table, std::int64_t{int32Max} * 5);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{int32Max, 5000, 3000, 3000, 1000}));
    updateBestTotals(table, std::int64_t{int32Max} + 1);
    EXPECT_EQ(bestOf(table), (std::array<std::int32_t, 5>{int32Max, int32Max, 5000, 3000, 3000}));

    constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
    table = tableWithBest({int32Min, int32Min, int32Min, int32Min, int32Min});
    updateBestTotals(table, std::int64_t{int32Min} * 5);
    EXPECT_EQ(bestOf(table),
              (std::array<std::int32_t, 5>{int32Min, int32Min, int32Min, int32Min, int32Min}));
}

} // namespace
} // namespace rz6
