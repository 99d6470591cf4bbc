// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_event.h"
#include "battle/match_session.h"
#include "battle/match_summary.h"
#include "replay/replay_match.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace rz6 {

// What a replay of a stored match came to.
enum class ReplayVerdict {
    Faithful,         // its log plays again to exactly the stored match
    Rebuilt,          // keys only; rebuilt on the clock's own ticks, it plays to the stored match
    EarlierVersion,   // keys only, and the rebuilt match ends otherwise than the stored one
    RulesChanged,     // played under other rules (catalogue, scoring, characters, dealing)
    NewerFormat,      // its log is of a format this program does not know
    UnknownCharacter, // fought with settings no character has
    Damaged,          // its log cannot be a match's: an unknown key, time going back
    Mismatch,         // its log plays to another match than the stored one
};

struct ReplayCheck {
    ReplayVerdict verdict = ReplayVerdict::Damaged;
    // The events to play, in order (the log, or the log rebuilt from the keys); empty when the
    // match cannot be played.
    std::vector<MatchEvent> events;
    // What the replay came to, where it was played.
    MatchSummary replayed;

    bool playable() const {
        return verdict == ReplayVerdict::Faithful || verdict == ReplayVerdict::Rebuilt;
    }
};

// Plays a stored match again headlessly and says whether it is the match that was played: a
// session on a virtual clock, dealt from the stored seed with the stored character's settings,
// fed every event in order; its summary must be the stored one. A match of log format 0 is
// first rebuilt from its keys (rebuildFromKeys).
ReplayCheck verifyReplay(const ReplayMatch& match);

// The log a keys-only match would have had on a clock that ticks exactly on time: each key at
// its moment, every tick and pause end that fell due before it at theirs, then the clock run
// on until the match ends. Keys the match would not take are left out, as the game left them.
std::vector<MatchEvent> rebuildFromKeys(const std::vector<MatchEvent>& keys,
                                        std::uint64_t boardSeed, MatchSettings settings);

// What the player is told about a replay, in Japanese (translated by the screens under the
// context "Replay"); empty for a faithful one.
std::string_view verdictText(ReplayVerdict verdict);

} // namespace rz6
