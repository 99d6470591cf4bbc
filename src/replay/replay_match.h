// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_event.h"
#include "battle/match_summary.h"
#include "replay/rules_fingerprint.h"

#include <cstdint>
#include <vector>

namespace rz6 {

// The format of the log this program records with every match: 1, every event the session
// handled (key, tick, pause end) with its time. 0 stands for a match recorded before the log
// was kept, which has its keys alone.
inline constexpr int currentLogFormat = 1;

// A technique that landed in a match, and how often.
struct LandedTechnique {
    int techniqueId = 0;
    int count = 0;

    friend bool operator==(const LandedTechnique&, const LandedTechnique&) = default;
};

// What a finished match did, as a replay must do it again: the figures the history shows.
struct ReplayFigures {
    std::int32_t score = 0;
    std::vector<LandedTechnique> techniques; // by technique id, each landed at least once
    int landings = 0;                        // all techniques' counts together
    int longestCombo = 0;
    int misses = 0;
    int blocks = 0;
    int counters = 0;
    int abandons = 0;

    friend bool operator==(const ReplayFigures&, const ReplayFigures&) = default;
};

ReplayFigures figuresOf(const MatchSummary& summary);

// One finished match as a replay needs it, from the history or from a replay file.
struct ReplayMatch {
    int logFormat = currentLogFormat; // 0: keys only
    RulesFingerprint rules;           // empty for a match of log format 0
    int character = 0;                // 0..2 in the characters table, -1 for none
    std::uint64_t boardSeed = 0;
    ReplayFigures figures;
    std::vector<MatchEvent> events; // the whole log; for log format 0 the keys alone

    friend bool operator==(const ReplayMatch&, const ReplayMatch&) = default;
};

} // namespace rz6
