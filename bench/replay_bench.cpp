// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// How long checking every match of a large history takes, as a replay screen would before it
// lists what can be played:
//   replay_bench [MATCHES]
// plays MATCHES matches (10 000 by default) in memory, each as a player might (strikes that
// land, blocks, misses, Enter, quick combos and slow waits: about two hundred events each), on
// a virtual clock, then times verifying all of them (each played again headlessly from its
// seed and log, and its summary compared). Printed as a "name=value" line beside its goal.

#include "generated_match.h"
#include "replay/replay_verifier.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using Clock = std::chrono::steady_clock;

int main(int argc, char* argv[]) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    std::mt19937_64 random(20261208);
    std::vector<rz6::ReplayMatch> matches;
    matches.reserve(std::size_t(count));
    std::size_t events = 0;
    for (int n = 0; n < count; ++n) {
        matches.push_back(rz6::bench::GeneratedMatch(random).replay());
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
