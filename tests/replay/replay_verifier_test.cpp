// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// A stored match plays again to what happened: its log, fed to a session dealt from its seed,
// ends in its summary; a keys-only match of an earlier version is rebuilt on the clock's own
// ticks; a match played under other rules, or whose log was changed, is refused with why.
#include "battle/clock_random_source.h"
#include "played_match.h"
#include "replay/replay_verifier.h"

#include <gtest/gtest.h>

namespace rz6::test {
namespace {

class RecordedMatch : public ::testing::TestWithParam<int> {};

TEST_P(RecordedMatch, ReplaysToTheSameSummaryAndIsRebuiltFromItsKeys) {
    const int characterIndex = GetParam();
    const PlayedMatch played = playMatch(0x5eed0000u + characterIndex, characterIndex, 3);
    // The match on trial shows everything a replay has to get right.
    const MatchSummary& s = played.summary;
    ASSERT_GT(s.longestCombo, 1);
    ASSERT_GT(s.misses, 0);
    ASSERT_GT(s.abandons, 0);
    ASSERT_GT(s.blocks + s.counters, 0);
    ASSERT_GT(played.log.size(), 100u);

    const ReplayCheck check = verifyReplay(played.replay);
    EXPECT_EQ(check.verdict, ReplayVerdict::Faithful);
    EXPECT_EQ(check.replayed, played.summary);
    EXPECT_EQ(check.events, played.log);
    EXPECT_TRUE(verdictText(check.verdict).empty());

    // Played on a clock that ticked on time, the keys alone give back the whole log.
    const ReplayCheck rebuilt = verifyReplay(keysOnly(played.replay));
    EXPECT_EQ(rebuilt.verdict, ReplayVerdict::Rebuilt);
    EXPECT_EQ(rebuilt.events, played.log);
    EXPECT_TRUE(rebuilt.playable());
}

INSTANTIATE_TEST_SUITE_P(EveryCharacter, RecordedMatch, ::testing::Range(0, characterCount));

// Each way a stored match can fail to be the match that was played, and what is said.
TEST(ReplayRefusal, SaysWhyAndPlaysNothing) {
    const PlayedMatch played = playMatch(77, 1, 0);
    const ReplayMatch good = played.replay;
    auto changed = [&](auto change) {
        ReplayMatch m = good;
        change(m);
        return m;
    };
    const auto firstKey =
        std::find_if(
            good.events.begin(), good.events.end(),
            [](auto& e) { return e.kind == MatchEventKind::Key && e.key != Match::enterKey; }) -
        good.events.begin();
    const struct {
        const char* what;
        ReplayMatch match;
        ReplayVerdict verdict;
    } cases[] = {
        {"other rules", changed([](ReplayMatch& m) { m.rules.rulesHash ^= 1; }),
         ReplayVerdict::RulesChanged},
        {"a key changed",
         changed([&](ReplayMatch& m) { m.events[firstKey].key = Match::enterKey; }),
         ReplayVerdict::Mismatch},
        {"a figure changed", changed([](ReplayMatch& m) { m.figures.blocks += 1; }),
         ReplayVerdict::Mismatch},
        {"cut short", changed([](ReplayMatch& m) { m.events.pop_back(); }),
         ReplayVerdict::Mismatch},
        {"an event after the end",
         changed([](ReplayMatch& m) { m.events.push_back(m.events.back()); }),
         ReplayVerdict::Mismatch},
        {"time going back", changed([](ReplayMatch& m) { m.events.back().atMs = -1; }),
         ReplayVerdict::Damaged},
        {"a key no match takes", changed([&](ReplayMatch& m) { m.events[firstKey].key = u'a'; }),
         ReplayVerdict::Damaged},
        {"a newer log", changed([](ReplayMatch& m) { m.logFormat = currentLogFormat + 1; }),
         ReplayVerdict::NewerFormat},
        {"no character", changed([](ReplayMatch& m) { m.character = -1; }),
         ReplayVerdict::UnknownCharacter},
        {"keys only, ending otherwise", changed([](ReplayMatch& m) {
             m = keysOnly(m);
             m.figures.score += 10;
         }),
         ReplayVerdict::EarlierVersion},
    };
    for (const auto& c : cases) {
        const ReplayCheck check = verifyReplay(c.match);
        EXPECT_EQ(check.verdict, c.verdict) << c.what;
        EXPECT_FALSE(check.playable()) << c.what;
        EXPECT_TRUE(check.events.empty()) << c.what;
        EXPECT_FALSE(verdictText(check.verdict).empty()) << c.what;
    }
    EXPECT_EQ(verdictText(ReplayVerdict::EarlierVersion),
              "以前の版で記録された試合です。再生しても実際の試合とは一致しません。");
    // Another game version with the same rules plays all the same.
    EXPECT_EQ(verifyReplay(changed([](ReplayMatch& m) { m.rules.gameVersion = "0.1"; })).verdict,
              ReplayVerdict::Faithful);
}

// The rules' hash is FNV-1a 64 as published, over the documented bytes.
TEST(RulesFingerprint, IsFnv1aOverTheRules) {
    EXPECT_EQ(fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(fnv1a64("foobar"), 0x85944171f73967e8ull);
    EXPECT_EQ(rulesHash(), fnv1a64(rulesBytes()));
    EXPECT_NE(currentRules().gameVersion, "");
}

// The replay deals as the game dealt: the game's own source, whatever seed the clock gave it,
// and the replay's source from that seed draw the same numbers.
TEST(SeedRandomSource, DealsAsTheGameDid) {
    ClockRandomSource game;
    game.seedFromClock();
    SeedRandomSource replay(game.seed());
    replay.seedFromClock();
    for (int draw = 0; draw < 64; ++draw)
        ASSERT_EQ(replay.next(), game.next()) << draw;
}

} // namespace
} // namespace rz6::test
