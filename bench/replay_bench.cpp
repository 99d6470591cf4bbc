// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// How long checking every match of a large history takes, as a replay screen would before it
// lists what can be played:
//   replay_bench [MATCHES]
// plays MATCHES matches (10 000 by default) in memory, each as a player might (strikes that
// land, blocks, misses, Enter, quick combos and slow waits: about two hundred events each), on
// a virtual clock, then times verifying all of them (each played again headlessly from its
// seed and log, and its summary compared). Printed as a "name=value" line beside its goal.

#include "battle/match_session.h"
#include "battle/virtual_match_clock.h"
#include "charselect/characters.h"
#include "replay/replay_verifier.h"
#include "replay/seed_random_source.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The keys of one move: often a digit the board shows three times (a technique), else the
// first three digits it shows (a block or a counter), now and then an Enter.
std::string move(const rz6::Match& match, std::mt19937_64& random) {
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

rz6::ReplayMatch playedMatch(std::mt19937_64& random) {
    const int characterIndex = int(random() % rz6::characterCount);
    const rz6::Character& c = rz6::character(characterIndex);
    const std::uint64_t seed = random();
    rz6::SeedRandomSource dealer(seed);
    auto* clock = new rz6::VirtualMatchClock;
    rz6::MatchSession session(dealer, std::unique_ptr<rz6::MatchClock>(clock),
                              {c.windowLength, c.scoreMultiplier});
    session.start();
    // Until the ten turns are spent; a slow move lets the combo window close, so the next
    // strike costs a turn.
    for (int moves = 0; session.phase() == rz6::MatchPhase::Running && moves < 400; ++moves) {
        for (const char key : move(session.match(), random)) {
            clock->advance(std::int64_t(60 + random() % 120));
            session.press(key == '\r' ? rz6::Match::enterKey : char16_t(key));
        }
        clock->advance(random() % 3 == 0 ? 3000 : std::int64_t(100 + random() % 200));
    }
    while (session.phase() == rz6::MatchPhase::Running && clock->ticking())
        clock->advance(rz6::Match::startTickInterval);
    return {rz6::currentLogFormat,
            rz6::currentRules(),
            characterIndex,
            seed,
            rz6::figuresOf(session.summary()),
            session.log()};
}

} // namespace

int main(int argc, char* argv[]) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    std::mt19937_64 random(20261208);
    std::vector<rz6::ReplayMatch> matches;
    matches.reserve(std::size_t(count));
    std::size_t events = 0;
    for (int n = 0; n < count; ++n) {
        matches.push_back(playedMatch(random));
        events += matches.back().events.size();
    }

    const auto start = Clock::now();
    int playable = 0;
    for (const rz6::ReplayMatch& match : matches)
        playable += rz6::verifyReplay(match).playable() ? 1 : 0;
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (playable != count) {
        std::fprintf(stderr, "%d of %d matches did not replay\n", count - playable, count);
        return 1;
    }
    std::printf("replay_verify_ms=%.1f matches=%d events_per_match=%.0f (goal: < 2000 ms)\n", ms,
                count, count > 0 ? double(events) / count : 0.0);
    return 0;
}
