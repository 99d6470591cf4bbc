// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

// A match as a player might play it, on a virtual clock, from a generator the benchmark seeds:
// strikes that land, blocks, misses, Enter, quick combos and slow waits, until the ten turns
// are spent (about two hundred and seventy events on average).

#include "battle/match_session.h"
#include "battle/virtual_match_clock.h"
#include "charselect/characters.h"
#include "replay/replay_match.h"
#include "replay/rules_fingerprint.h"
#include "replay/seed_random_source.h"

#include <array>
#include <memory>
#include <random>
#include <string>

namespace rz6::bench {

// The keys of one move: often a digit the board shows three times (a technique), else the
// first three digits it shows (a block or a counter), now and then an Enter.
inline std::string move(const Match& match, std::mt19937_64& random) {
    std::array<int, 10> count{};
    for (const std::uint8_t digit : match.boardDigits())
        ++count[digit];
    if (random() % 12 == 0)
        return "\r";
    if (random() % 3 != 0)
        for (int digit = 1; digit <= 9; ++digit)
            if (count[digit] >= 3)
                return std::string(3, char('0' + digit)) + "0";
    std::string keys;
    for (const std::uint8_t digit : match.boardDigits())
        if (digit != 0 && keys.size() < 3)
            keys.push_back(char('0' + digit));
    return keys + "0";
}

// One finished match and the session that played it.
struct GeneratedMatch {
    explicit GeneratedMatch(std::mt19937_64& random)
        : character(int(random() % characterCount)), dealer(random()),
          session(
              dealer, std::unique_ptr<MatchClock>(clock = new VirtualMatchClock),
              {rz6::character(character).windowLength, rz6::character(character).scoreMultiplier}) {
        session.start();
        // A slow move lets the combo window close, so the next strike costs a turn.
        for (int moves = 0; session.phase() == MatchPhase::Running && moves < 400; ++moves) {
            for (const char key : move(session.match(), random)) {
                clock->advance(std::int64_t(60 + random() % 120));
                session.press(key == '\r' ? Match::enterKey : char16_t(key));
            }
            clock->advance(random() % 3 == 0 ? 3000 : std::int64_t(100 + random() % 200));
        }
        while (session.phase() == MatchPhase::Running && clock->ticking())
            clock->advance(Match::startTickInterval);
    }

    ReplayMatch replay() const {
        return {currentLogFormat,
                currentRules(),
                character,
                session.boardSeed(),
                figuresOf(session.summary()),
                session.log()};
    }

    int character;
    SeedRandomSource dealer;
    VirtualMatchClock* clock = nullptr;
    MatchSession session;
};

} // namespace rz6::bench
