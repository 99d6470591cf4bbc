// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
//
// The help screen explains every part of a match to a player who has only the installed
// game, and gives no technique away: they are there to be found.
#include "battle/technique_catalogue.h"
#include "help/help_window.h"
#include "accessible_probe.h"
#include "qt_test_support.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace rz6::test {
namespace {

TEST(HelpWindowText, ExplainsEveryPartOfAMatchAndNamesNoTechnique) {
    const QString text = HelpWindow::helpText();
    for (const char* topic : {"F1", "F5", "Ctrl+R", "Enter", "盤", "ターン", "連撃", "ゲージ",
                              "倍率", "総合点", "rz6.DAT", "技履歴", "技の見つけ方"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;

    for (int id = 0; id < techniqueCount; ++id)
        if (const auto technique = techniqueById(id))
            EXPECT_FALSE(text.contains(
                QString::fromUtf8(technique->name.data(), qsizetype(technique->name.size()))))
                << "names technique " << id;
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

} // namespace
} // namespace rz6::test
