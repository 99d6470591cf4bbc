// The match clock: draining and closing the combo window, the tick interval, and the pause.
#include "match_fixture.h"

namespace rz6::test {
namespace {

using ClockTest = MatchFixture;

class WindowLengthTest : public MatchFixture, public ::testing::WithParamInterface<int> {};

TEST_P(WindowLengthTest, FullGaugeDrainsInOneTickPerHundredThenCloses) {
    const int length = GetParam();
    match.setWindowLength(length);
    start("1231231231231231");
    strikeKeepingBoard("123");
    ASSERT_EQ(match.comboWindow(), length);
    ASSERT_EQ(match.comboWindowMax(), length);
    EXPECT_FALSE(match.windowOpen());

    // The tick that empties the gauge still shows the window open.
    for (int tick = 1; tick <= length / 100; ++tick) {
        EXPECT_EQ(match.tick(), TickEffect::Drained) << tick;
        EXPECT_EQ(match.comboWindow(), length - 100 * tick);
        EXPECT_TRUE(match.windowOpen());
        EXPECT_EQ(match.tickInterval(), 200);
    }
    EXPECT_EQ(match.tick(), TickEffect::Closed);
    EXPECT_FALSE(match.windowOpen());
    EXPECT_EQ(match.comboWindow(), 0);
    EXPECT_EQ(match.tick(), TickEffect::Closed);
}

INSTANTIATE_TEST_SUITE_P(EveryCharacter, WindowLengthTest, ::testing::Values(1200, 1100, 1000));

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
