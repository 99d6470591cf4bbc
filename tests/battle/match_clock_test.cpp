// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The match clock: draining and closing the combo window, the tick interval, and the pause.
#include "charselect/characters.h"
#include "match_fixture.h"

#include <sstream>
#include <string>

namespace rz6::test {
namespace {

using ClockTest = MatchFixture;

// Everything a battle screen shows of a match, and what decides its next moves, as text.
std::string visibleState(const Match& m) {
    std::ostringstream out;
    out << int(m.phase()) << '|' << m.inputText() << '|' << m.digitCount() << '|' << m.score()
        << '|' << m.strikePoints() << '|' << m.turnsLeft() << '|' << m.comboCount() << '|'
        << m.comboWindow() << '|' << m.comboWindowMax() << '|' << m.windowOpen() << '|'
        << m.tickInterval() << '|' << m.message() << '|' << m.pointsText() << '|' << m.comboText()
        << '|' << int(m.lastOutcome()) << '|' << m.pausing() << '|' << m.queuedKeys() << '|';
    for (int cell = 0; cell < Match::cellCount; ++cell)
        out << m.cellDigit(cell) << m.cellSpent(cell) << int(m.boardDigits()[cell]);
    for (int digit = 1; digit <= 9; ++digit)
        out << m.keypadShown(digit);
    for (bool used : m.usedThisMatch())
        out << used;
    return out.str();
}

// Whether a tick now would change anything, tried on a copy of the match.
bool tickWouldChange(const Match& m) {
    Match copy = m;
    copy.tick();
    return visibleState(copy) != visibleState(m);
}

// The clock may stand still exactly when a tick would change nothing, and the first strike
// that gives it work again sets it going.
TEST_F(ClockTest, ClockIsNeededExactlyWhileATickCanChangeSomething) {
    const auto clockNeeded = [this](const char* when) {
        EXPECT_EQ(match.clockNeeded(), tickWouldChange(match)) << when;
        return match.clockNeeded();
    };
    EXPECT_FALSE(clockNeeded("waiting for the start"));
    start("1231231231231231");
    EXPECT_FALSE(clockNeeded("started"));
    type("12\r1");
    EXPECT_FALSE(clockNeeded("typed and abandoned"));
    launch("23", "123");
    EXPECT_FALSE(clockNeeded("pausing"));
    match.endPause();
    int ticksNeeded = 0;
    while (clockNeeded("draining or closing") && ticksNeeded < 20) {
        match.tick();
        ++ticksNeeded;
    }
    EXPECT_EQ(ticksNeeded, 12 + 1); // the drain, then the tick that closes the window
    EXPECT_FALSE(match.windowOpen());

    launch("132", "123"); // blocked: no gauge, nothing for the clock to do
    match.endPause();
    EXPECT_FALSE(clockNeeded("after a block"));
    launch("123", "123");
    match.endPause();
    EXPECT_TRUE(clockNeeded("after a technique"));

    for (int tick = 0; tick < 20 && match.clockNeeded(); ++tick)
        match.tick();
    while (match.turnsLeft() > 0) {
        EXPECT_FALSE(clockNeeded("turns left"));
        launch("999", ""); // a miss
        match.endPause();
    }
    EXPECT_TRUE(clockNeeded("turns spent: the next tick ends the match"));
    EXPECT_EQ(match.tick(), TickEffect::MatchEnded);
    EXPECT_FALSE(clockNeeded("ended"));
}

struct LastTurnTiming {
    int character;
    std::string_view points; // 金剛撃 with the character's multiplier
    int drainingTicks;
    int msToEnd; // from the launch to the tick that ends the match
};
void PrintTo(const LastTurnTiming& timing, std::ostream* out) {
    *out << "character " << timing.character + 1;
}
class LastTurnTimingTest : public MatchFixture,
                           public ::testing::WithParamInterface<LastTurnTiming> {};

// The clock as the battle window runs it: the pause, a tick at its end, then a tick every
// interval for as long as one is needed. A technique on the last turn ends the match after
// the pause, the character's full drain and the closing tick.
TEST_P(LastTurnTimingTest, TechniqueOnTheLastTurnEndsTheMatchOnTime) {
    const LastTurnTiming& expected = GetParam();
    const Character& fighter = character(expected.character);
    match.setWindowLength(fighter.windowLength);
    match.setScoreMultiplier(fighter.scoreMultiplier);
    start("1231231231231231");
    for (int turn = 0; turn < 9; ++turn)
        strikeKeepingBoard("999"); // misses
    ASSERT_FALSE(match.clockNeeded());
    launch("123", "123");
    EXPECT_EQ(match.turnsLeft(), 0);
    EXPECT_EQ(match.pointsText(), expected.points);

    int elapsed = match.pauseLength();
    match.endPause();
    int draining = 0;
    for (TickEffect effect = match.tick(); effect != TickEffect::MatchEnded;
         effect = match.tick()) {
        if (effect == TickEffect::Drained) {
            ++draining;
            EXPECT_EQ(match.comboWindow(), fighter.windowLength - 100 * draining);
            EXPECT_TRUE(match.windowOpen()); // the tick that empties the gauge too
        }
        ASSERT_TRUE(match.clockNeeded()) << "the clock stopped " << elapsed << " ms in";
        ASSERT_LT(elapsed, 10000) << "the match never ended";
        elapsed += match.tickInterval();
    }
    EXPECT_EQ(draining, expected.drainingTicks);
    EXPECT_EQ(elapsed, expected.msToEnd);
    EXPECT_FALSE(match.clockNeeded());
    EXPECT_EQ(match.tick(), TickEffect::Nothing);
}

INSTANTIATE_TEST_SUITE_P(EveryCharacter, LastTurnTimingTest,
                         ::testing::Values(LastTurnTiming{0, "100", 12, 1000 + 12 * 200},
                                           LastTurnTiming{1, "110", 11, 1000 + 11 * 200},
                                           LastTurnTiming{2, "120", 10, 1000 + 10 * 200}),
                         [](const auto& info) {
                             return "Character" + std::to_string(info.param.character + 1);
                         });

TEST_F(ClockTest, IntervalFollowsTheComboOnDrainingTicksOnly) {
    start("1231231231231231");
    launch("123", "123");
    EXPECT_EQ(match.pauseLength(), 1000);
    match.endPause();

    for (int combo = 1; combo <= 10; ++combo) {
        EXPECT_EQ(match.tick(), TickEffect::Drained);
        EXPECT_EQ(match.tickInterval(), 200 - 10 * (combo - 1));
        launch("123", "123");
        EXPECT_EQ(match.comboCount(), combo);
        EXPECT_EQ(match.pauseLength(), 5 * match.tickInterval());
        match.endPause();
    }
    ticks(1);
    EXPECT_EQ(match.tickInterval(), 100);

    // A strike on a combo of 10 reaches 11; the next draining tick sets it back to 10.
    launch("123", "123");
    EXPECT_EQ(match.comboCount(), 11);
    EXPECT_EQ(match.comboText(), "12連撃");
    EXPECT_EQ(match.pauseLength(), 500);
    match.endPause();
    EXPECT_EQ(match.tick(), TickEffect::Drained);
    EXPECT_EQ(match.comboCount(), 10);
    EXPECT_EQ(match.tickInterval(), 100);

    // Through the rest of the drain and the closed-window ticks the interval stays at 100...
    ticks(12);
    ASSERT_FALSE(match.windowOpen());
    ticks(5);
    EXPECT_EQ(match.tickInterval(), 100);
    EXPECT_EQ(match.comboCount(), 10); // kept until the next strike lands
    EXPECT_EQ(match.comboText(), "");

    // ...and a fresh strike still pauses for 500 ms, until a draining tick recomputes it.
    launch("123", "123");
    EXPECT_EQ(match.comboCount(), 0);
    EXPECT_EQ(match.pauseLength(), 500);
    match.endPause();
    EXPECT_EQ(match.tick(), TickEffect::Drained);
    EXPECT_EQ(match.tickInterval(), 200);
}

TEST_F(ClockTest, NoTickTakesEffectDuringThePause) {
    start("1231231231231231");
    launch("123", "123");
    for (int tick = 0; tick < 30; ++tick)
        EXPECT_EQ(match.tick(), TickEffect::Nothing);
    EXPECT_EQ(match.comboWindow(), 1200);
    EXPECT_FALSE(match.windowOpen());
    match.endPause();
    EXPECT_EQ(match.tick(), TickEffect::Drained);

    // Nor can the match end while the last turn's outcome is on show.
    ticks(20);
    for (int turn = 0; turn < 8; ++turn)
        strikeKeepingBoard("999");
    EXPECT_EQ(match.turnsLeft(), 1);
    launch("999", "");
    EXPECT_EQ(match.turnsLeft(), 0);
    EXPECT_EQ(match.tick(), TickEffect::Nothing);
    EXPECT_EQ(match.phase(), MatchPhase::Running);
    match.endPause();
    EXPECT_EQ(match.tick(), TickEffect::MatchEnded);
}

} // namespace
} // namespace rz6::test
