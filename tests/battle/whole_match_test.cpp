// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Whole matches through the rules: when a match ends, and one full match scored by hand,
// with what its strikes and its summary report.
#include "battle/dealt_digits_source.h"
#include "match_fixture.h"

#include <algorithm>
#include <vector>

namespace rz6::test {
namespace {

using WholeMatchTest = MatchFixture;

TEST_F(WholeMatchTest, LastTurnOnATechniqueEndsOnlyOnceTheWindowHasClosed) {
    start("1231231231231231");
    for (int turn = 0; turn < 9; ++turn)
        strikeKeepingBoard("999");
    ASSERT_EQ(match.turnsLeft(), 1);
    strikeKeepingBoard("123");
    EXPECT_EQ(match.turnsLeft(), 0);
    ticks(1);
    strikeKeepingBoard("123"); // free while the gauge drains
    EXPECT_EQ(match.turnsLeft(), 0);
    EXPECT_EQ(match.comboCount(), 1);

    for (int tick = 0; tick < 12; ++tick)
        ASSERT_EQ(match.tick(), TickEffect::Drained) << tick;
    EXPECT_TRUE(match.matchRunning());
    EXPECT_EQ(match.tick(), TickEffect::MatchEnded);
    EXPECT_EQ(match.phase(), MatchPhase::Ended);
    EXPECT_FALSE(match.matchRunning());
    EXPECT_FALSE(match.clockNeeded());
    EXPECT_FALSE(match.windowOpen());
    EXPECT_EQ(match.tick(), TickEffect::Nothing);
    EXPECT_EQ(match.score(), -900 + 100 + 100);
}

// A player who types many strikes ahead gets ten turns, not more: the strikes queued behind
// the last turn's pause, and keys typed before the ending tick, are dropped uncounted.
TEST_F(WholeMatchTest, TypingAheadNeverRunsPastTheTenthTurn) {
    start("1231231231231231");
    type("999999999"); // a miss; fourteen more queue behind its pause
    for (int strike = 1; strike < 15; ++strike)
        type("999999999");
    type("123\r"); // a technique and Enter, were they still counted
    for (int turn = 1; turn < 10; ++turn) {
        ASSERT_TRUE(match.pausing()) << turn;
        endPause();
    }
    ASSERT_TRUE(match.pausing());
    EXPECT_EQ(match.turnsLeft(), 0);
    endPause();
    EXPECT_EQ(match.queuedKeys(), 0u);
    EXPECT_FALSE(match.pausing());
    type("1230\r"); // before the ending tick
    EXPECT_EQ(match.inputText(), "");
    EXPECT_EQ(match.turnsLeft(), 0);
    EXPECT_EQ(match.score(), -1000);
    EXPECT_EQ(results.size(), 10u);
    EXPECT_EQ(match.summary().turnsSpent, 10);
    EXPECT_EQ(match.summary().misses, 10);
    EXPECT_EQ(match.summary().abandons, 0);
    EXPECT_EQ(match.tick(), TickEffect::MatchEnded);
}

// The same at the end of a combo: the gauge drained, the window not yet closed.
TEST_F(WholeMatchTest, NoStrikeBetweenTheEmptyGaugeAndTheEndingTick) {
    start("1231231231231231");
    for (int turn = 0; turn < 9; ++turn)
        strikeKeepingBoard("999");
    strikeKeepingBoard("123");
    ticks(12);
    ASSERT_TRUE(match.windowOpen());
    type("1230");
    EXPECT_FALSE(match.pausing());
    EXPECT_EQ(match.turnsLeft(), 0);
    EXPECT_EQ(match.tick(), TickEffect::MatchEnded);
}

TEST_F(WholeMatchTest, ScriptedMatchScoresAsWorkedOutByHand) {
    match.setScoreMultiplier(1.1);
    match.setWindowLength(1100);
    start("1234567891212534"); // 1 and 2 three times, 5 twice

    strikeKeepingBoard("741"); // turn 1: 165, fresh
    ticks(1);
    strikeKeepingBoard("963"); // combo 1: 165
    ticks(1);
    strikeKeepingBoard("124"); // countered at combo 2: -220
    EXPECT_EQ(match.score(), 110);
    EXPECT_EQ(match.turnsLeft(), 9);
    ticks(12);                 // 11 draining, 1 closing
    type("\r");                // -50
    strikeKeepingBoard("555"); // turn 2: miss, -100
    strikeKeepingBoard("321"); // turn 3: blocked
    EXPECT_EQ(match.score(), -40);
    strikeKeepingBoard("123456789"); // turn 4: 440, fresh
    ticks(11);                       // gauge empty, window still open
    strikeKeepingBoard("852");       // turn 5 and combo 1: 165
    EXPECT_EQ(match.score(), 565);
    EXPECT_EQ(match.turnsLeft(), 5);
    ticks(12);
    strikeKeepingBoard("111"); // turn 6: 55
    strikeKeepingBoard("222"); // gauge full, window not yet open: free and fresh, 55
    EXPECT_EQ(match.turnsLeft(), 4);
    ticks(12);
    strikeKeepingBoard("321"); // turns 7, 8, 9: blocked
    strikeKeepingBoard("321");
    strikeKeepingBoard("124");
    strikeKeepingBoard("186734925"); // turn 10: 1100
    EXPECT_EQ(match.turnsLeft(), 0);
    ticks(1);
    strikeKeepingBoard("789"); // free, combo 1: 110

    std::vector<TickEffect> lastTicks;
    for (int tick = 0; tick < 12; ++tick)
        lastTicks.push_back(match.tick());
    EXPECT_EQ(std::count(lastTicks.begin(), lastTicks.end(), TickEffect::Drained), 11);
    EXPECT_EQ(lastTicks.back(), TickEffect::MatchEnded);

    EXPECT_EQ(match.score(), 1885);
    EXPECT_EQ(match.turnsLeft(), 0);
    std::array<bool, 40> used{};
    for (int id : {0, 5, 8, 9, 14, 15})
        used[id] = true;
    EXPECT_EQ(match.usedThisMatch(), used);

    MatchSummary expected;
    expected.score = 1885;
    expected.landings[0] = 2;
    expected.landings[5] = 1;
    expected.landings[8] = 2;
    expected.landings[9] = 1;
    expected.landings[14] = 1;
    expected.landings[15] = 1;
    expected.longestCombo = 3; // 741, 963, then the counter
    expected.misses = 1;
    expected.blocks = 4;
    expected.counters = 1;
    expected.abandons = 1;
    expected.turnsSpent = 10;
    expected.character = 1; // the second character's window and multiplier
    EXPECT_EQ(match.summary(), expected);
    EXPECT_EQ(match.summary().techniquesLanded(), used);

    // Each strike and the Enter reported once, in order; their points add up to the score.
    ASSERT_EQ(results.size(), 15u);
    std::int32_t total = 0;
    int turns = 0;
    for (const StrikeResult& result : results) {
        total += result.points;
        turns += result.turnSpent;
    }
    EXPECT_EQ(total, 1885);
    EXPECT_EQ(turns, 10);
    EXPECT_EQ(results[1].comboCount, 1);
    EXPECT_EQ(results[2].outcome, StrikeOutcome::Counter);
    EXPECT_EQ(results[3].outcome, StrikeOutcome::Abandon);
    EXPECT_EQ(results[4].missingDigit, 5);
    EXPECT_EQ(results[13].keys, "186734925");
    EXPECT_EQ(results[13].turnsLeft, 0);
    EXPECT_EQ(results[14].points, 110);
    EXPECT_FALSE(results[14].turnSpent);
}

// A rehearsal deals its row of digits over and over, from the start at every match; only
// a row of the digits 1..9 makes one.
TEST(RehearsalBoard, DealsItsRowFromTheStartOfEveryMatch) {
    for (const char* bad : {"", "120", "12a", " 1"})
        EXPECT_FALSE(DealtDigitsSource::fromDigits(bad)) << bad;
    auto source = DealtDigitsSource::fromDigits("129");
    ASSERT_TRUE(source);
    for (int match = 0; match < 2; ++match) {
        Match rehearsal(*source);
        rehearsal.start();
        for (int cell = 0; cell < Match::cellCount; ++cell)
            EXPECT_EQ(rehearsal.cellDigit(cell), "129"[cell % 3] - '0') << cell;
    }
}

} // namespace
} // namespace rz6::test
