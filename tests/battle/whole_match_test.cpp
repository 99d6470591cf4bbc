// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Whole matches through the rules: when a match ends, and one full match scored by hand.
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

TEST_F(WholeMatchTest, StrikeAfterTheLastTurnBeforeTheTickGoesBelowZero) {
    start("1111111111111111");
    for (int turn = 0; turn < 11; ++turn)
        strikeKeepingBoard("999");
    EXPECT_EQ(match.turnsLeft(), -1);
    EXPECT_EQ(match.tick(), TickEffect::MatchEnded);
}

TEST_F(WholeMatchTest, ScriptedMatchScoresAsWorkedOutByHand) {
    record[0] = 5000;
    record[0 + 5] = 7;
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

    RecordTable expected{};
    expected[0] = 5000;
    expected[0 + 5] = 9;
    expected[5 + 5] = 1;
    expected[8 + 5] = 2;
    expected[9 + 5] = 1;
    expected[14 + 5] = 1;
    expected[15 + 5] = 1;
    EXPECT_EQ(record, expected);
}

} // namespace
} // namespace rz6::test
