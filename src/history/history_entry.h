// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_session.h"
#include "battle/match_summary.h"
#include "history/history_match.h"
#include "replay/replay_match.h"
#include "result/match_rating.h"

#include <cstdint>
#include <vector>

namespace rz6 {

// When a match ended: milliseconds since 1970 UTC and the player's local offset then.
struct MatchEnd {
    std::int64_t utcMs = 0;
    int utcOffsetSeconds = 0;
};

// What the history keeps of a finished match, from what the rules summed up, how the result
// screen rated it, the seed its board was drawn from and the keys typed with their times.
// A match fought with settings no character has is kept with character -1.
HistoryMatch historyMatch(const MatchSummary& summary, const MatchRating& rating,
                          std::uint64_t boardSeed, std::vector<TimedKey> keys, MatchEnd end);
// The same from the session that played the match: its summary, its board's seed, its whole
// log (and the keys of it) and this program's rules.
HistoryMatch historyMatch(const MatchSession& session, const MatchRating& rating, MatchEnd end);

// What a replay needs of a match in the history; a keys-only one gives its keys as events.
ReplayMatch replayMatch(const HistoryMatch& match);

} // namespace rz6
