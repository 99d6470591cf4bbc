// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Key input: what each character does to the typed sequence, and when keys count at all.
#include "match_fixture.h"

#include <array>
#include <string>

namespace rz6::test {
namespace {

using KeysTest = MatchFixture;

TEST_F(KeysTest, FreshScreenWaitsForTheStartAndIgnoresKeys) {
    const auto expectDesignValues = [this] {
        EXPECT_EQ(match.phase(), MatchPhase::Idle);
        EXPECT_EQ(match.inputText(), "");
        EXPECT_EQ(match.digitCount(), 0);
        EXPECT_EQ(match.score(), 0);
        EXPECT_EQ(match.turnsLeft(), 10);
        EXPECT_EQ(match.message(), "");
        EXPECT_EQ(match.pointsText(), "");
        EXPECT_FALSE(match.windowOpen());
        EXPECT_EQ(match.tickInterval(), 200);
        EXPECT_FALSE(match.pausing());
        EXPECT_EQ(shownBoard(), "1111111111111111");
        EXPECT_EQ(spentCells(), "................");
        for (int digit = 1; digit <= 9; ++digit)
            EXPECT_TRUE(match.keypadShown(digit)) << digit;
    };
    expectDesignValues();
    EXPECT_EQ(match.windowLength(), 1200);
    EXPECT_EQ(match.scoreMultiplier(), 1);

    type("741\r0123456789\r");
    expectDesignValues();
    for (int tick = 0; tick < 30; ++tick)
        EXPECT_NE(match.tick(), TickEffect::MatchEnded);
    expectDesignValues();
    EXPECT_FALSE(match.clockNeeded());
    EXPECT_EQ(random.seedCount(), 0);
}

TEST_F(KeysTest, StartSeedsThenDealsTheBoardOnce) {
    start("1234569912345699");
    EXPECT_EQ(match.phase(), MatchPhase::Running);
    EXPECT_EQ(random.seedCount(), 1);
    EXPECT_EQ(random.drawsBeforeSeed(), 0);
    EXPECT_EQ(shownBoard(), "1234569912345699");
    EXPECT_EQ(board(), "1234569912345699");
    expectKeypadMatchesBoard();
    EXPECT_FALSE(match.keypadShown(7));
    EXPECT_FALSE(match.keypadShown(8));
    EXPECT_EQ(match.turnsLeft(), 10);
    EXPECT_EQ(match.score(), 0);

    match.start(); // a running match is not dealt again
    EXPECT_EQ(random.seedCount(), 1);
    EXPECT_EQ(board(), "1234569912345699");
}

TEST_F(KeysTest, DigitsAreStoredInTypingOrderAndZeroLaunchesAtThree) {
    start("7411111111111111");
    type("74");
    type("0");
    EXPECT_FALSE(match.pausing());
    EXPECT_EQ(match.inputText(), "74");
    type("1");
    EXPECT_EQ(match.inputText(), "741");
    EXPECT_EQ(match.digitCount(), 3);
    random.queueDigits("741");
    type("0");
    EXPECT_TRUE(match.pausing());
    EXPECT_EQ(match.message(), "落腕撃");
}

TEST_F(KeysTest, ZeroLaunchesOnlyAfterThreeOrSixDigits) {
    start("1111111111111111");
    for (std::size_t count = 0; count <= 8; ++count) {
        const std::string digits(count, '1');
        type(digits);
        const bool launches = count == 3 || count == 6;
        if (launches)
            random.queueDigits(digits);
        type("0");
        EXPECT_EQ(match.pausing(), launches) << count;
        EXPECT_EQ(match.inputText(), digits) << "a 0 is never shown";
        EXPECT_EQ(match.digitCount(), static_cast<int>(count));
        if (launches)
            match.endPause();
        else
            type("\r");
    }
}

TEST_F(KeysTest, NinthDigitLaunchesWithoutZero) {
    start("1234567891111111");
    type("1234567");
    type("0"); // seven digits: 0 no longer launches
    type("8");
    type("0");
    EXPECT_FALSE(match.pausing());
    EXPECT_EQ(match.inputText(), "12345678");
    random.queueDigits("123456789");
    type("9");
    EXPECT_TRUE(match.pausing());
    EXPECT_EQ(match.message(), "奥義・明鏡止水");

    type("0"); // the start of the next, empty sequence
    match.endPause();
    EXPECT_FALSE(match.pausing());
    EXPECT_EQ(match.inputText(), "");
    EXPECT_EQ(match.digitCount(), 0);
}

TEST_F(KeysTest, EnterDropsTheSequenceForExactlyFiftyPoints) {
    match.setScoreMultiplier(1.2);
    start("1231231231231231");
    type("\r");
    EXPECT_EQ(match.score(), -50);
    EXPECT_EQ(match.message(), "姿勢を崩した！");
    EXPECT_EQ(match.pointsText(), "-50");

    // Inside a combo: the penalty is not scaled, and only the sequence is dropped.
    strikeKeepingBoard("123"); // +120
    ticks(1);
    strikeKeepingBoard("123"); // +120, combo 1
    ticks(1);
    type("12");
    type("\r");
    EXPECT_EQ(match.score(), 140);
    EXPECT_EQ(match.inputText(), "");
    EXPECT_EQ(match.digitCount(), 0);
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.comboCount(), 1);
    EXPECT_EQ(match.comboText(), "2連撃");
    EXPECT_EQ(match.comboWindow(), 1100);
    EXPECT_TRUE(match.windowOpen());
    EXPECT_EQ(board(), "1231231231231231");

    // The next sequence starts clean.
    launch("123", "123");
    EXPECT_EQ(match.message(), "金剛撃");
}

TEST_F(KeysTest, OtherCharactersAreIgnored) {
    start("7411111111111111");
    type("74");
    // A character beyond the basic plane arrives as two surrogate units (here U+10031).
    for (char16_t key : {u'a', u'Z', u' ', u'\b', char16_t{27}, u'\n', u'\t', u'-', u'.', u'/',
                         u':', u'１', u'０', char16_t{0xD800}, char16_t{0xDC31}}) {
        match.press(key);
        EXPECT_EQ(match.inputText(), "74") << static_cast<std::uint32_t>(key);
    }
    EXPECT_EQ(match.digitCount(), 2);
    EXPECT_EQ(match.score(), 0);
    EXPECT_EQ(match.message(), "");
    EXPECT_FALSE(match.pausing());
}

TEST_F(KeysTest, KeysDuringThePauseAreHandledAfterItInOrder) {
    start("1234561111111111");
    launch("123", "123");
    type("4560");
    type("7\r89");
    EXPECT_EQ(match.queuedKeys(), 8u);
    EXPECT_EQ(match.inputText(), "123"); // nothing typed shows while the outcome is up
    EXPECT_EQ(match.message(), "金剛撃");

    random.queueDigits("456");
    match.endPause();
    // "4560" launched the next strike at once; the rest waits for its pause to end.
    EXPECT_TRUE(match.pausing());
    EXPECT_EQ(match.message(), "旋風斬");
    EXPECT_EQ(match.queuedKeys(), 4u);
    EXPECT_EQ(match.score(), 200);

    match.endPause();
    EXPECT_EQ(match.queuedKeys(), 0u);
    EXPECT_EQ(match.inputText(), "89");
    EXPECT_EQ(match.digitCount(), 2);
    EXPECT_EQ(match.score(), 150);
    EXPECT_EQ(match.message(), "姿勢を崩した！");
}

TEST_F(KeysTest, KeysAfterTheEndAreIgnored) {
    start("1111111111111111");
    for (int turn = 0; turn < 10; ++turn) {
        launch("999", "");
        match.endPause();
    }
    ASSERT_EQ(match.tick(), TickEffect::MatchEnded);
    type("\r111");
    type("0");
    match.start();
    EXPECT_EQ(match.phase(), MatchPhase::Ended);
    EXPECT_EQ(match.score(), -1000);
    EXPECT_EQ(match.inputText(), "");
    EXPECT_FALSE(match.pausing());
    EXPECT_EQ(random.seedCount(), 1);
}

} // namespace
} // namespace rz6::test
