// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

// A whole match as a player would type it, on a virtual clock that ticks on time, dealt from a
// seed: strikes that land (a digit the board shows three times, typed three times), blocks and
// counters, misses, an Enter now and then, keys typed during the pause, combos kept up by
// quick strikes and windows let close by slow ones. The same seed and style give the same
// match, so the replays have a known match to come back to.

#include "battle/match_session.h"
#include "battle/virtual_match_clock.h"
#include "charselect/characters.h"
#include "replay/replay_match.h"
#include "replay/rules_fingerprint.h"
#include "replay/seed_random_source.h"

#include <array>
#include <memory>
#include <string>

namespace rz6::test {

struct PlayedMatch {
    std::vector<MatchEvent> log;
    MatchSummary summary;
    ReplayMatch replay; // as the history keeps it now
};

// The keys of the next move, picked from the board by the move's number.
inline std::string nextMove(const Match& match, unsigned move) {
    std::array<int, 10> count{};
    for (const std::uint8_t digit : match.boardDigits())
        ++count[digit];
    std::string keys;
    switch (move % 7) {
    case 0:
        return "\r";
    case 1:
        for (char digit = '1'; digit <= '9'; ++digit)
            if (count[digit - '0'] == 0)
                return std::string(3, digit) + "0"; // a miss
        break;
    default:
        break;
    }
    if (move % 7 < 5)
        for (int digit = 1 + static_cast<int>(move % 9), n = 0; n < 9; ++n, digit = digit % 9 + 1)
            if (count[digit] >= 3)
                return std::string(3, static_cast<char>('0' + digit)) + "0";
    for (const std::uint8_t digit : match.boardDigits())
        if (digit != 0 && keys.size() < 3)
            keys.push_back(static_cast<char>('0' + digit));
    return keys + "0";
}

inline PlayedMatch playMatch(std::uint64_t seed, int characterIndex, unsigned style) {
    const Character& c = character(characterIndex);
    SeedRandomSource random(seed);
    auto* clock = new VirtualMatchClock(5000);
    MatchSession session(random, std::unique_ptr<MatchClock>(clock),
                         {c.windowLength, c.scoreMultiplier});
    session.start();
    for (unsigned move = style; session.phase() == MatchPhase::Running && move < style + 200;
         ++move) {
        for (const char key : nextMove(session.match(), move)) {
            clock->advance(40 + move % 5 * 30);
            session.press(static_cast<char16_t>(key == '\r' ? Match::enterKey : key));
        }
        // Quick moves chain combos (and land in the pause); slow ones let the window close.
        clock->advance(move % 3 == 0 ? 1700 : 150);
    }
    while (session.phase() == MatchPhase::Running && clock->ticking())
        clock->advance(Match::startTickInterval);
    PlayedMatch played{session.log(), session.summary(), {}};
    played.replay = {currentLogFormat,          currentRules(), characterIndex, seed,
                     figuresOf(played.summary), played.log};
    return played;
}

// The same match as the history kept it before the whole log was: its keys alone.
inline ReplayMatch keysOnly(ReplayMatch match) {
    std::erase_if(match.events,
                  [](const MatchEvent& event) { return event.kind != MatchEventKind::Key; });
    match.logFormat = 0;
    match.rules = {};
    return match;
}

} // namespace rz6::test
