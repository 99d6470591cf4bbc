// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/technique_catalogue.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace rz6 {

// How a launched strike ended, or Abandon for a sequence given up with Enter.
enum class StrikeOutcome { None, Miss, Technique, Block, Counter, Abandon };

// What one strike (or one Enter) did to the match, as the rules hand it back. The program
// object counts a landed technique into the record from this; nothing else of the match
// needs to be read back to learn what happened.
struct StrikeResult {
    StrikeOutcome outcome = StrikeOutcome::None;
    std::string keys;               // the digits as typed and launched ("" for Enter)
    std::optional<int> techniqueId; // the technique that landed
    int missingDigit = 0;           // for a miss: the first digit no cell showed
    std::int32_t points = 0;        // what the score gained (negative for a penalty)
    int comboCount = 0;             // the combo count after the strike (0: a fresh strike)
    bool turnSpent = false;         // launched on an empty gauge: it cost a turn
    int turnsLeft = 0;              // after the strike
    bool matchEnded = false;        // the match is over with this

    bool operator==(const StrikeResult&) const = default;
};

// Everything a finished match did, in the game's terms: what the result screen rates and
// what a history of matches keeps.
struct MatchSummary {
    std::int32_t score = 0;
    // How often each technique (by id) landed in this match.
    std::array<int, techniqueCount> landings{};
    // The most strikes chained in one combo (a lone technique or counter is 1; 0 when
    // nothing scored).
    int longestCombo = 0;
    int misses = 0;
    int blocks = 0;
    int counters = 0;
    int abandons = 0;   // sequences given up with Enter
    int turnsSpent = 0; // strikes that cost a turn (never more than the ten)
    // The character fought as: its index in the characters table, or nothing when the
    // match ran with settings no character has.
    std::optional<int> character;

    // Whether each technique landed at least once.
    std::array<bool, techniqueCount> techniquesLanded() const {
        std::array<bool, techniqueCount> landed{};
        std::transform(landings.begin(), landings.end(), landed.begin(),
                       [](int count) { return count > 0; });
        return landed;
    }

    bool operator==(const MatchSummary&) const = default;
};

} // namespace rz6
