// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
//
// The help screen tells the rules as the game plays them: every number it gives is checked
// here by playing a match, not by comparing text. It gives no technique away (they are there
// to be found), and a padded caption never breaks across lines.
#include "battle/match_fixture.h"
#include "battle/technique_catalogue.h"
#include "charselect/characters.h"
#include "common/qt_text.h"
#include "help/help_text.h"
#include "help/help_window.h"
#include "accessible_probe.h"
#include "qt_test_support.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace rz6::test {
namespace {

// The help as a player reads it: plain text, the padding of captions (figure spaces, which
// never break) read back as the ideographic spaces they stand for.
QString plainHelp() {
    testApplication(); // a text document measures with fonts
    QTextDocument document;
    document.setHtml(helpText());
    return document.toPlainText().replace(QChar(0x2007), QChar(0x3000));
}

// The number the help gives where `pattern` (with one capture) matches; fails when absent.
double numberIn(const QString& help, const QString& pattern) {
    const auto found = QRegularExpression(pattern).match(help);
    EXPECT_TRUE(found.hasMatch()) << pattern.toStdString();
    return found.captured(1).toDouble();
}

// A three-digit sequence that lands, and one that does not, both within `board`.
const std::string landing = [] {
    for (int id = 0; id < techniqueCount; ++id)
        for (const std::string& keys : keySequences(id))
            if (keys.size() == 3)
                return keys;
    return std::string();
}();

class HelpNumbers : public MatchFixture {
protected:
    const QString help = plainHelp();

    // Deals a board holding the landing sequence's digits twice and a spare pair of 1s and
    // 2s, then starts the match.
    void startWithTechniqueOnBoard() {
        ASSERT_EQ(landing.size(), 3u);
        start(landing + landing + "1122334455");
    }
    std::string missingDigit() const {
        for (char digit = '9'; digit >= '1'; --digit)
            if (board().find(digit) == std::string::npos)
                return std::string(1, digit);
        return {};
    }
    std::string blockedSequence() const {
        for (const std::string keys : {"112", "121", "211", "122", "221", "212"})
            if (!lookupTechnique(keys))
                return keys;
        return {};
    }
    // A strike, the board given back, then one tick as the pause's end brings.
    void strikeAndTick(const std::string& keys) {
        strikeKeepingBoard(keys);
        match.tick();
    }
};

TEST_F(HelpNumbers, PenaltiesAreWhatTheMatchTakes) {
    startWithTechniqueOnBoard();
    type("1\r");
    EXPECT_EQ(match.score(), -numberIn(help, QStringLiteral("Enter：[^。]*。(\\d+) 点引かれます")));
    const int before = match.score();
    strikeKeepingBoard("11" + missingDigit());
    EXPECT_EQ(match.score() - before, -numberIn(help, QStringLiteral("空振りで、(\\d+) 点")));
}

TEST_F(HelpNumbers, TheMatchLastsTheTurnsTheHelpGives) {
    const int turns = int(numberIn(help, QStringLiteral("持ちターンは (\\d+)")));
    startWithTechniqueOnBoard();
    for (int turn = 1; turn <= turns; ++turn) {
        EXPECT_EQ(match.phase(), MatchPhase::Running) << "before turn " << turn;
        strikeAndTick(blockedSequence());
    }
    EXPECT_EQ(match.phase(), MatchPhase::Ended);
}

// "2 連撃目は ×1、3 連撃目は ×2": the multiplier of the n-th strike of a combo is n − 1, and
// a counter within it costs the help's points times the same factor.
TEST_F(HelpNumbers, ComboMultipliersAndCounterAreWhatTheMatchScores) {
    const auto base = lookupTechnique(landing)->basePoints;
    startWithTechniqueOnBoard();
    strikeAndTick(landing);
    std::map<int, int> examples;
    const QRegularExpression example(QStringLiteral("(\\d+) 連撃目は ×(\\d+)"));
    for (const auto& found : example.globalMatch(help))
        examples[found.captured(1).toInt()] = found.captured(2).toInt();
    ASSERT_GE(examples.size(), 2u);
    for (int strike = 2; strike <= examples.rbegin()->first; ++strike) {
        const int before = match.score();
        strikeAndTick(landing);
        if (examples.contains(strike)) {
            EXPECT_EQ(match.score() - before, base * examples[strike]) << strike << " 連撃目";
        }
    }
    const int strike = examples.rbegin()->first + 1;
    const int before = match.score();
    strikeAndTick(blockedSequence());
    EXPECT_EQ(match.lastOutcome(), StrikeOutcome::Counter);
    EXPECT_EQ(match.score() - before,
              -numberIn(help, QStringLiteral("反撃を受け、(\\d+) 点")) * (strike - 1));
}

TEST_F(HelpNumbers, EachCharactersGaugeAndMultiplierAreWhatTheMatchUses) {
    const QRegularExpression line(
        QStringLiteral("(\\S+　\\S+)：ゲージ ([\\d.]+) 秒、倍率 ×([\\d.]+)"));
    int listed = 0;
    for (const auto& found : line.globalMatch(help)) {
        ++listed;
        const std::string name = found.captured(1).toStdString();
        const auto c = std::find_if(characters().begin(), characters().end(),
                                    [&](const Character& c) { return c.name == name; });
        ASSERT_NE(c, characters().end()) << name;
        ScriptedRandomSource dealer;
        Match fight(dealer);
        fight.setWindowLength(c->windowLength);
        fight.setScoreMultiplier(c->scoreMultiplier);
        dealer.queueDigits(landing + landing + "1122334455");
        fight.start();
        dealer.queueDigits(landing);
        for (char key : landing + "0")
            fight.press(static_cast<char16_t>(key));
        fight.endPause();
        EXPECT_EQ(fight.score(),
                  std::lround(lookupTechnique(landing)->basePoints * found.captured(3).toDouble()))
            << name;
        int drained = 0;
        while (fight.tick() == TickEffect::Drained)
            ++drained;
        EXPECT_EQ(drained * Match::gaugeStep, std::lround(found.captured(2).toDouble() * 1000))
            << name;
    }
    EXPECT_EQ(listed, characterCount);
}

TEST(HelpWindowText, NamesNoTechniqueAndNoSequence) {
    const QString text = plainHelp();
    for (int id = 0; id < techniqueCount; ++id) {
        if (const auto technique = techniqueById(id)) {
            EXPECT_FALSE(text.contains(fromUtf8(technique->name))) << "names technique " << id;
        }
    }
    const QRegularExpression sequence(QStringLiteral("[1-9]{3,9}"));
    for (const auto& found : sequence.globalMatch(text))
        EXPECT_FALSE(lookupTechnique(found.captured().toStdString()))
            << "gives away " << found.captured().toStdString();
}

// The help screen is a dialog to a screen reader, and its text has a keyboard caret that the
// arrow keys move line by line without ever changing the text.
TEST(HelpWindowScreen, IsADialogWhoseTextTheArrowKeysReadLineByLine) {
    testApplication();
    HelpWindow help;
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_EQ(accessibleRole(&help), QAccessible::Dialog);
    auto* text = help.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    const QString before = text->toPlainText();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Down);
    QTest::keyClick(text, Qt::Key_Down);
    EXPECT_EQ(text->textCursor().blockNumber(), 2);
    QTest::keyClicks(text, QStringLiteral("x"));
    EXPECT_EQ(text->toPlainText(), before);
}

// Laid out in the help screen's font at the width of its text and at narrower ones (still
// wider than any caption), no line ends inside a caption padded with ideographic spaces.
TEST(HelpWindowText, PaddedCaptionsNeverBreak) {
    testApplication();
    HelpWindow window;
    auto* browser = window.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    ASSERT_NE(browser, nullptr);
    QTextDocument document;
    document.setDefaultFont(browser->font());
    document.setHtml(helpText());
    const QRegularExpression padded(QStringLiteral("「(\\S\u2007+\\S)」"));
    int checked = 0;
    for (const int width : {window.width() - 40, 400, 300, 240, 200}) {
        document.setTextWidth(width);
        document.size(); // lays the whole text out
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const QTextLayout* layout = block.layout();
            for (const auto& found : padded.globalMatch(block.text())) {
                ++checked;
                const QTextLine first = layout->lineForTextPosition(found.capturedStart(1));
                const QTextLine last = layout->lineForTextPosition(found.capturedEnd(1) - 1);
                ASSERT_TRUE(first.isValid() && last.isValid());
                EXPECT_EQ(first.lineNumber(), last.lineNumber())
                    << found.captured(1).toStdString() << " at " << width << " px";
            }
        }
    }
    EXPECT_GE(checked, 5 * 4);
}

} // namespace
} // namespace rz6::test
