// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/technique_catalogue.h"
#include "common/translatable_text.h"
#include "save/record_table.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace rz6 {

// How a finished match is rated: a tenth of the score is added for every different
// technique that landed, and the sum (the overall score) falls in one of ten ranks.
inline constexpr int rankClassCount = 10;

// The ten rank names, best first, as the result screen lists them. Each is four characters
// wide: two-character names are padded with ideographic spaces (U+3000), "中 目 録" and
// "入 門 者" with ordinary spaces. UTF-8.
inline constexpr std::array<std::string_view, rankClassCount> rankNames = {
    RZ6_TRANSLATABLE("Game", "剣　　聖"), RZ6_TRANSLATABLE("Game", "剣　　神"),
    RZ6_TRANSLATABLE("Game", "剣　　鬼"), RZ6_TRANSLATABLE("Game", "剣　　豪"),
    RZ6_TRANSLATABLE("Game", "剣　　士"), RZ6_TRANSLATABLE("Game", "免許皆伝"),
    RZ6_TRANSLATABLE("Game", "目　　録"), RZ6_TRANSLATABLE("Game", "中 目 録"),
    RZ6_TRANSLATABLE("Game", "門　　人"), RZ6_TRANSLATABLE("Game", "入 門 者"),
};

// Number of techniques marked as landed in this match (0..40).
int distinctTechniques(const std::array<bool, techniqueCount>& usedThisMatch);

// (distinct ÷ 10 + 1) × score, worked in double in exactly that order and rounded down.
// Returned as a 64-bit value: with many techniques and a score near the 32-bit limit it
// goes past that limit.
std::int64_t overallScore(int distinct, std::int32_t score);

// The part of the overall score earned by the techniques.
constexpr std::int64_t techniquePoints(std::int64_t overall, std::int32_t score) {
    return overall - score;
}

// 1 (best, 15000 and above) to 10 (below 0).
int rankClass(std::int64_t overall);

// The name of a rank, 1..10.
std::string_view rankName(int rankClass);

// Everything the result screen shows about one match.
struct MatchRating {
    std::int32_t score = 0;
    int distinctTechniques = 0;
    std::int64_t overallScore = 0;
    std::int64_t techniquePoints = 0;
    int rankClass = 9;
};

MatchRating rateMatch(std::int32_t score, const std::array<bool, techniqueCount>& usedThisMatch);

// Enters a match's overall score into the five best totals (elements 0..4, best first):
// the five largest of the old five and the new one, compared as numbers, so negative totals
// rank below every non-negative one. Equal totals stay separate entries. An overall score
// beyond the 32-bit range is kept at that range's limit, which is all the record can hold.
// The landing counts are left alone.
void updateBestTotals(RecordTable& recordTable, std::int64_t overall);

} // namespace rz6
