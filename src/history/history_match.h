// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_event.h"
#include "replay/replay_match.h"
#include "replay/rules_fingerprint.h"

#include <cstdint>
#include <vector>

namespace rz6 {

// One key of a match and when it was typed, in milliseconds from the start command.
struct TimedKey {
    char16_t key = 0;
    std::int64_t atMs = 0;

    friend bool operator==(const TimedKey&, const TimedKey&) = default;
};

// Everything the history keeps about one finished match: what the 戦績 screen and the CSV
// show, and what a replay of the match needs (the board's seed, the rules it was played under
// and the whole log of what drove it, each event in time). A match recorded before the log was
// kept (log format 0) has its keys alone.
struct HistoryMatch {
    std::int64_t endedUtcMs = 0;             // when the result screen appeared, ms since 1970 UTC
    int utcOffsetSeconds = 0;                // the player's local offset from UTC at that moment
    int character = 0;                       // 0..2, as the character select screen orders them
    std::int32_t score = 0;                  // 評価点
    std::int64_t techniquePoints = 0;        // 技術点
    std::int64_t overallScore = 0;           // 総合評価
    int rankClass = 10;                      // 1 (best) .. 10
    std::vector<LandedTechnique> techniques; // by technique id, each landed at least once
    int longestCombo = 0;
    int landings = 0;
    int blocks = 0;
    int misses = 0;
    int counters = 0;
    int abandons = 0;               // sequences given up with Enter
    std::uint64_t boardSeed = 0;    // the seed the board's digits were drawn from
    std::vector<TimedKey> keys;     // every key of the match, in typing order
    int logFormat = 0;              // 0: keys only; else the format of events (currentLogFormat)
    std::vector<MatchEvent> events; // the session's whole log, in order (empty for format 0)
    RulesFingerprint rules;         // what it was played under (empty for format 0)

    friend bool operator==(const HistoryMatch&, const HistoryMatch&) = default;
};

} // namespace rz6
