// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Strike resolution: the four outcomes, the red cells and their refill, combo scoring and
// the turn rules at the edges of the gauge.
#include "battle/technique_catalogue.h"
#include "match_fixture.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace rz6::test {
namespace {

using StrikeTest = MatchFixture;

TEST_F(StrikeTest, TechniqueOnAnEmptyGaugeUsesATurnAndStartsAfresh) {
    match.setScoreMultiplier(1.1);
    start("5121323555555555");
    launch("123", "444");

    EXPECT_EQ(match.lastOutcome(), StrikeOutcome::Technique);
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.message(), "金剛撃");
    EXPECT_EQ(match.pointsText(), "110");
    EXPECT_EQ(match.score(), 110);
    EXPECT_EQ(match.strikePoints(), 100);
    EXPECT_EQ(match.comboWindow(), 1200);
    EXPECT_EQ(match.comboWindowMax(), 1200);
    EXPECT_EQ(match.comboCount(), 0);
    EXPECT_EQ(match.comboText(), "");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].outcome, StrikeOutcome::Technique);
    EXPECT_EQ(results[0].keys, "123");
    EXPECT_EQ(results[0].techniqueId, 3);
    EXPECT_EQ(results[0].points, 110);
    EXPECT_EQ(results[0].comboCount, 0);
    EXPECT_TRUE(results[0].turnSpent);
    EXPECT_EQ(results[0].turnsLeft, 9);
    EXPECT_FALSE(results[0].matchEnded);
    EXPECT_TRUE(match.usedThisMatch()[3]);
    EXPECT_EQ(std::count(match.usedThisMatch().begin(), match.usedThisMatch().end(), true), 1);

    // On show during the pause: the first 1, 2 and 3 in cell order are red and still show
    // their digits; the new digits are already drawn but not shown, nor is the keypad changed.
    EXPECT_EQ(match.pauseLength(), 1000);
    EXPECT_EQ(spentCells(), ".RR.R...........");
    EXPECT_EQ(shownBoard(), "5121323555555555");
    EXPECT_EQ(board(), "5441423555555555");
    EXPECT_EQ(match.inputText(), "123");
    EXPECT_FALSE(match.keypadShown(4));

    match.endPause();
    EXPECT_FALSE(match.pausing());
    EXPECT_EQ(shownBoard(), "5441423555555555");
    EXPECT_EQ(spentCells(), "................");
    EXPECT_EQ(match.inputText(), "");
    EXPECT_EQ(match.message(), "");
    EXPECT_EQ(match.pointsText(), "");
    EXPECT_EQ(match.digitCount(), 0);
    expectKeypadMatchesBoard();
    EXPECT_FALSE(match.keypadShown(9));
    EXPECT_EQ(match.comboWindow(), 1200); // the pause leaves the gauge alone
}

// A strike, the refill of the cells it spent, and the keypad marks shown after the pause.
struct RefillCase {
    const char* name;
    std::string_view sequence, refill, marksAfter;
};
void PrintTo(const RefillCase& c, std::ostream* out) {
    *out << c.name;
}
class KeypadAfterRefillTest : public MatchFixture,
                              public ::testing::WithParamInterface<RefillCase> {};

// The keypad marks keep the outcome's board through the pause and follow the refill after
// it: a digit whose last cell the strike spent loses its mark, even on a miss.
TEST_P(KeypadAfterRefillTest, MarksFollowTheRefilledBoardOnceThePauseIsOver) {
    const RefillCase& c = GetParam();
    start("1236666666666666");
    launch(c.sequence, c.refill);
    EXPECT_TRUE(match.keypadShown(1) && match.keypadShown(2));
    match.endPause();
    std::string marks;
    for (int digit = 1; digit <= 9; ++digit)
        if (match.keypadShown(digit))
            marks += static_cast<char>('0' + digit);
    EXPECT_EQ(marks, c.marksAfter);
}

INSTANTIATE_TEST_SUITE_P(Strike, KeypadAfterRefillTest,
                         ::testing::Values(RefillCase{"Technique", "123", "457", "4567"},
                                           RefillCase{"Miss", "129", "66", "36"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StrikeTest, StrikesInTheOpenWindowContinueTheCombo) {
    match.setScoreMultiplier(1.1);
    start("1231231231231231");
    strikeKeepingBoard("123");
    ticks(1);
    EXPECT_TRUE(match.windowOpen());

    launch("123", "123");
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.comboCount(), 1);
    EXPECT_EQ(match.comboText(), "2連撃");
    EXPECT_EQ(match.pointsText(), "110");
    EXPECT_EQ(match.score(), 220);
    match.endPause();
    EXPECT_EQ(match.comboText(), "2連撃"); // stays up until the window closes

    ticks(1);
    launch("123", "123");
    EXPECT_EQ(match.comboText(), "3連撃");
    EXPECT_EQ(match.pointsText(), "220");
    EXPECT_EQ(match.score(), 440);
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.summary().landings[3], 3);
    EXPECT_EQ(results.back().comboCount, 2);
    EXPECT_EQ(results.back().points, 220);
    EXPECT_FALSE(results.back().turnSpent);
}

// Every technique with every character's multiplier, through a combo that runs past the
// bound: the points gained are whole numbers, exactly base x multiplier x combo.
class StrikePointsTest : public MatchFixture,
                         public ::testing::WithParamInterface<std::tuple<std::string, int>> {};

TEST_P(StrikePointsTest, GainsAreExactWholeNumbers) {
    const auto& [sequence, multiplierTenths] = GetParam();
    const auto technique = lookupTechnique(sequence);
    ASSERT_TRUE(technique.has_value());
    match.setScoreMultiplier(multiplierTenths / 10.0);
    // The sequence fills the first cells, so its strikes always spend exactly those.
    start(sequence + std::string(16 - sequence.size(), '1'));

    std::int64_t expectedScore = 0;
    int combo = 0;
    for (int strike = 0; strike < 13; ++strike) {
        if (strike > 0) {
            ticks(1);
            combo = std::min(combo, 10) + 1;
        }
        launch(sequence, sequence);
        const std::int64_t gained =
            std::int64_t{technique->basePoints} * multiplierTenths * std::max(combo, 1) / 10;
        expectedScore += gained;
        EXPECT_EQ(match.pointsText(), std::to_string(gained)) << "strike " << strike;
        EXPECT_EQ(match.comboText(), combo ? std::to_string(combo + 1) + "連撃" : "");
        match.endPause();
    }
    EXPECT_EQ(match.score(), expectedScore);
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.summary().landings[technique->techniqueId], 13);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTechnique, StrikePointsTest,
    ::testing::Combine(::testing::Values("111", "111111", "111111111", "123", "456", "789", "159",
                                         "753", "741", "852", "258", "951753", "456852",
                                         "123456789", "186734925", "741963", "957", "858", "798",
                                         "789321", "963741852", "951753654", "753951456", "953",
                                         "751", "525", "917382645", "785231469", "731946825"),
                       ::testing::Values(10, 11, 12)));

TEST_F(StrikeTest, RepeatedDigitTakesAsManyCellsWhereverTheyAre) {
    start("5152666666666665");
    launch("555", "789");
    EXPECT_EQ(match.message(), "三連突");
    EXPECT_EQ(spentCells(), "R.R............R");
    match.endPause();
    EXPECT_EQ(shownBoard(), "7182666666666669");
}

TEST_F(StrikeTest, MissingDigitMissesAndKeepsTheTurnSpent) {
    start("5152666666666666");
    launch("555", "77");
    EXPECT_EQ(match.lastOutcome(), StrikeOutcome::Miss);
    EXPECT_EQ(match.message(), "空振 5");
    EXPECT_EQ(match.score(), -100);
    EXPECT_EQ(match.pointsText(), "-100");
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.comboWindow(), 0);
    EXPECT_EQ(spentCells(), "R.R.............");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].outcome, StrikeOutcome::Miss);
    EXPECT_EQ(results[0].missingDigit, 5);
    EXPECT_EQ(results[0].points, -100);
    EXPECT_FALSE(results[0].techniqueId.has_value());
    EXPECT_TRUE(results[0].turnSpent);
    match.endPause();
    EXPECT_EQ(shownBoard(), "7172666666666666");

    // The first digit already missing: nothing turns red and nothing is drawn.
    launch("841", "");
    EXPECT_EQ(match.message(), "空振 8");
    EXPECT_EQ(spentCells(), "................");
    EXPECT_EQ(match.score(), -200);
}

TEST_F(StrikeTest, MissInsideACombo) {
    start("1231231231231231");
    strikeKeepingBoard("123");
    ticks(1);
    strikeKeepingBoard("123");
    ticks(1);
    launch("444", "");
    // No turn, and the combo, its display and the gauge stay as they were.
    EXPECT_EQ(match.message(), "空振 4");
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.comboCount(), 1);
    EXPECT_EQ(match.comboText(), "2連撃");
    EXPECT_EQ(match.comboWindow(), 1100);
    EXPECT_EQ(match.score(), 100);
}

TEST_F(StrikeTest, UnknownSequenceIsBlockedWithTheWindowClosed) {
    start("1243111111111111");
    type("\r");
    launch("124", "999");
    EXPECT_EQ(match.lastOutcome(), StrikeOutcome::Block);
    EXPECT_EQ(match.message(), "防がれた！");
    EXPECT_EQ(match.turnsLeft(), 9);
    // A block changes neither score, points, combo nor gauge.
    EXPECT_EQ(match.score(), -50);
    EXPECT_EQ(match.pointsText(), "-50");
    EXPECT_EQ(match.comboWindow(), 0);
    EXPECT_EQ(match.comboText(), "");
    EXPECT_EQ(spentCells(), "RRR.............");
    match.endPause();
    EXPECT_EQ(shownBoard(), "9993111111111111");
}

TEST_F(StrikeTest, UnknownSequenceIsCounteredInTheOpenWindow) {
    start("1234123412341234");
    strikeKeepingBoard("123"); // +100
    ticks(1);
    strikeKeepingBoard("123"); // +100, combo 1
    ticks(1);
    strikeKeepingBoard("123"); // +200, combo 2
    ticks(1);
    launch("124", "124");
    EXPECT_EQ(match.lastOutcome(), StrikeOutcome::Counter);
    EXPECT_EQ(match.message(), "反撃を受けた！");
    EXPECT_EQ(match.strikePoints(), -100);
    EXPECT_EQ(match.comboCount(), 3);
    EXPECT_EQ(match.comboText(), "4連撃");
    EXPECT_EQ(match.pointsText(), "-300");
    EXPECT_EQ(match.score(), 100);
    EXPECT_EQ(match.comboWindow(), 1200);
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(results.back().outcome, StrikeOutcome::Counter);
    EXPECT_EQ(results.back().points, -300);
    EXPECT_EQ(match.summary().landings[3], 3);
}

TEST_F(StrikeTest, GaugeFilledButNotYetDrainedCostsNoTurnAndStartsAfresh) {
    start("1231231231231231");
    strikeKeepingBoard("123");
    launch("123", "123");
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.comboCount(), 0);
    EXPECT_EQ(match.comboText(), "");
    EXPECT_EQ(match.pointsText(), "100");
    match.endPause();

    // A block meanwhile costs no turn either.
    launch("321", "321");
    EXPECT_EQ(match.message(), "防がれた！");
    EXPECT_EQ(match.turnsLeft(), 9);
}

TEST_F(StrikeTest, GaugeJustDrainedWithTheWindowStillOpenCostsATurnAndContinues) {
    start("1231231231231231");
    strikeKeepingBoard("123");
    ticks(11);
    ASSERT_EQ(match.comboWindow(), 100);
    strikeKeepingBoard("123"); // the last step of the gauge still saves the turn
    EXPECT_EQ(match.turnsLeft(), 9);
    EXPECT_EQ(match.comboCount(), 1);

    ticks(12);
    ASSERT_EQ(match.comboWindow(), 0);
    ASSERT_TRUE(match.windowOpen());
    launch("123", "123");
    EXPECT_EQ(match.turnsLeft(), 8);
    EXPECT_EQ(match.comboCount(), 2);
    EXPECT_EQ(match.comboText(), "3連撃");
    EXPECT_EQ(match.score(), 400);
    match.endPause();

    // Once the closing tick has come, the next strike starts afresh.
    ticks(13);
    EXPECT_FALSE(match.windowOpen());
    EXPECT_EQ(match.comboText(), "");
    launch("123", "123");
    EXPECT_EQ(match.turnsLeft(), 7);
    EXPECT_EQ(match.comboCount(), 0);
    EXPECT_EQ(match.pointsText(), "100");
}

// Strikes between two ticks keep the window open and raise the combo each time, so the score
// can be driven to either end of its range quickly.
TEST_F(StrikeTest, ScoreStopsAtTheTopInsteadOfWrapping) {
    match.setScoreMultiplier(1.2);
    start("1867349251111111");
    strikeKeepingBoard("186734925");
    ticks(1);
    std::int32_t previous = match.score();
    for (int strike = 0; strike < 3000 && match.score() < INT32_MAX; ++strike) {
        strikeKeepingBoard("186734925");
        ASSERT_GT(match.score(), previous);
        previous = match.score();
    }
    ASSERT_EQ(match.score(), INT32_MAX);
    strikeKeepingBoard("186734925");
    EXPECT_EQ(match.score(), INT32_MAX);

    launch("186", "186"); // a counter now takes its points off the top
    EXPECT_EQ(match.message(), "反撃を受けた！");
    EXPECT_EQ(std::int64_t{match.score()}, INT32_MAX + std::stoll(match.pointsText()));
}

TEST_F(StrikeTest, ScoreStopsAtTheBottomInsteadOfWrapping) {
    match.setScoreMultiplier(1.2);
    start("1867349251111111");
    strikeKeepingBoard("186734925");
    ticks(1);
    std::int32_t previous = match.score();
    for (int strike = 0; strike < 10000 && match.score() > INT32_MIN; ++strike) {
        strikeKeepingBoard("186");
        ASSERT_LT(match.score(), previous);
        previous = match.score();
    }
    ASSERT_EQ(match.score(), INT32_MIN);
    strikeKeepingBoard("186");
    type("\r");
    EXPECT_EQ(match.pointsText(), "-50");
    launch("222", "2");
    EXPECT_EQ(match.message(), "空振 2");
    EXPECT_EQ(match.score(), INT32_MIN);
}

} // namespace
} // namespace rz6::test
