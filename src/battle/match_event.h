// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>

namespace rz6 {

// One thing that drove a match, as its session handled it: a key (a digit or Enter), a tick
// of the clock, or the end of the pause after a strike.
enum class MatchEventKind { Key, Tick, PauseEnd };

// An entry of a match's log. The match depends only on the order of the entries; the time is
// kept for pacing a replay and for the history, and nothing in the rules reads it.
struct MatchEvent {
    MatchEventKind kind = MatchEventKind::Key;
    char16_t key = 0;      // for a key: the character, '0'..'9' or Enter (13)
    std::int64_t atMs = 0; // milliseconds from the start command

    friend bool operator==(const MatchEvent&, const MatchEvent&) = default;
};

} // namespace rz6
