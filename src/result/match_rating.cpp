// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "result/match_rating.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace rz6 {

namespace {

// Lower bounds of ranks 1..9; anything below the last one is rank 10.
constexpr std::array<std::int64_t, rankClassCount - 1> rankFloors = {15000, 10000, 7000, 5500, 4000,
                                                                     3000,  2500,  1500, 0};

std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

int distinctTechniques(const std::array<bool, techniqueCount>& usedThisMatch) {
    return static_cast<int>(std::count(usedThisMatch.begin(), usedThisMatch.end(), true));
}

std::int64_t overallScore(int distinct, std::int32_t score) {
    // The order matters: −50 with one technique is −55.00000000000001 in double, which
    // rounds down to −56.
    const double factor = static_cast<double>(distinct) / 10.0 + 1.0;
    return static_cast<std::int64_t>(std::floor(factor * static_cast<double>(score)));
}

int rankClass(std::int64_t overall) {
    for (std::size_t i = 0; i < rankFloors.size(); ++i) {
        if (overall >= rankFloors[i])
            return static_cast<int>(i) + 1;
    }
    return rankClassCount;
}

std::string_view rankName(int rank) {
    return rankNames.at(static_cast<std::size_t>(rank - 1));
}

MatchRating rateMatch(std::int32_t score, const std::array<bool, techniqueCount>& usedThisMatch) {
    MatchRating rating;
    rating.score = score;
    rating.distinctTechniques = distinctTechniques(usedThisMatch);
    rating.overallScore = overallScore(rating.distinctTechniques, score);
    rating.techniquePoints = techniquePoints(rating.overallScore, score);
    rating.rankClass = rankClass(rating.overallScore);
    return rating;
}

void updateBestTotals(RecordTable& recordTable, std::int64_t overall) {
    std::array<std::int32_t, bestTotalCount + 1> totals{};
    std::copy_n(recordTable.begin(), bestTotalCount, totals.begin());
    totals.back() = clampToInt32(overall);
    // The old five need not be in order (the record file is the player's to edit), so all
    // six are ranked afresh and the smallest is dropped.
    std::sort(totals.begin(), totals.end(), std::greater<>());
    std::copy_n(totals.begin(), bestTotalCount, recordTable.begin());
}

} // namespace rz6
