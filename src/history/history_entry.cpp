// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_entry.h"

namespace rz6 {

HistoryMatch historyMatch(const MatchSummary& summary, const MatchRating& rating,
                          std::uint64_t boardSeed, std::vector<TimedKey> keys, MatchEnd end) {
    HistoryMatch m;
    m.endedUtcMs = end.utcMs;
    m.utcOffsetSeconds = end.utcOffsetSeconds;
    m.character = summary.character.value_or(-1);
    m.score = rating.score;
    m.techniquePoints = rating.techniquePoints;
    m.overallScore = rating.overallScore;
    m.rankClass = rating.rankClass;
    for (int id = 0; id < techniqueCount; ++id) {
        const int count = summary.landings[static_cast<std::size_t>(id)];
        if (count > 0) {
            m.techniques.push_back({id, count});
            m.landings += count;
        }
    }
    m.longestCombo = summary.longestCombo;
    m.blocks = summary.blocks;
    m.misses = summary.misses;
    m.counters = summary.counters;
    m.abandons = summary.abandons;
    m.boardSeed = boardSeed;
    m.keys = std::move(keys);
    return m;
}

HistoryMatch historyMatch(const MatchSession& session, const MatchRating& rating, MatchEnd end) {
    std::vector<TimedKey> keys;
    for (const MatchEvent& event : session.log())
        if (event.kind == MatchEventKind::Key)
            keys.push_back({event.key, event.atMs});
    HistoryMatch m =
        historyMatch(session.summary(), rating, session.boardSeed(), std::move(keys), end);
    m.logFormat = currentLogFormat;
    m.events = session.log();
    m.rules = currentRules();
    return m;
}

ReplayMatch replayMatch(const HistoryMatch& match) {
    ReplayMatch r;
    r.logFormat = match.logFormat;
    r.rules = match.rules;
    r.character = match.character;
    r.boardSeed = match.boardSeed;
    r.figures = {match.score,  match.techniques, match.landings, match.longestCombo,
                 match.misses, match.blocks,     match.counters, match.abandons};
    if (match.logFormat == 0)
        for (const TimedKey& key : match.keys)
            r.events.push_back({MatchEventKind::Key, key.key, key.atMs});
    else
        r.events = match.events;
    return r;
}

} // namespace rz6
