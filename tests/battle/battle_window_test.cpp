// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The battle window shows a match session and forwards keys and clicks to it; the session's
// clock moves it on.
#include "battle_window_fixture.h"
#include "charselect/characters.h"
#include "common/qt_text.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>

namespace rz6::test {
namespace {

void moveTo(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

class BattleWindowTest : public BattleWindowFixture {
protected:
    // Everything the window shows, widget by widget: texts, colours, what is visible, what
    // the bus says, the gauge and which commands are offered.
    QStringList screen() const {
        QStringList shown{QStringLiteral("enabled %1").arg(window->isEnabled())};
        for (const QLabel* l : window->findChildren<QLabel*>())
            shown << QStringLiteral("%1 '%2' %3 %4 %5 %6")
                         .arg(l->objectName(), l->text(), l->accessibleName(),
                              l->accessibleDescription(),
                              l->palette().color(QPalette::Window).name())
                         .arg(l->isVisibleTo(window.get()));
        for (const LabelButton* b : window->findChildren<LabelButton*>())
            shown << QStringLiteral("%1 %2").arg(b->objectName(), b->backColor().name());
        const auto* gauge = widget<QProgressBar>("ProgressBar1");
        shown << QStringLiteral("gauge %1/%2").arg(gauge->value()).arg(gauge->maximum());
        for (const QAction* a : window->findChildren<QAction*>())
            shown << QStringLiteral("%1 %2").arg(a->objectName()).arg(a->isEnabled());
        return shown;
    }
};

// A fresh match shows exactly what a new window showed, whatever the match before it left
// on screen; keys before the start command change nothing, and the clock sleeps.
TEST_F(BattleWindowTest, FreshMatchShowsWhatANewWindowShowedAndWaitsForTheStart) {
    const QStringList built = screen();
    type("1230");
    enter();
    EXPECT_EQ(screen(), built);
    EXPECT_TRUE(session->log().empty());
    EXPECT_FALSE(clock->ticking());

    window->showCharacter(QStringLiteral("使用キャラ　:　真壁　左近"),
                          QStringLiteral("portrait_sakon_ready"));
    start("7418529637418529");
    random.queueDigits("741");
    type("7410");
    clock->advance(1000); // the pause ends; the window opens
    type("85");
    moveTo(button(2), QPoint(5, 5));
    EXPECT_NE(screen(), built);

    ScriptedRandomSource freshRandom;
    MatchSession fresh(freshRandom, std::make_unique<VirtualMatchClock>());
    window->startFresh(fresh);
    window->showCharacter(fromUtf8(statusText(characters().front())),
                          fromUtf8(characters().front().readyPicture));
    EXPECT_EQ(screen(), built);
    window->startFresh(*session); // the fixture's session goes after the window
}

TEST_F(BattleWindowTest, PicturesCanBeToldToAScreenReaderAndTheTileHolderStaysHidden) {
    EXPECT_FALSE(label("Picture1")->isVisible());
    for (const char* name : {"Image3", "Image4", "ChrImg", "Image1(1)", "Image1(9)"})
        EXPECT_FALSE(label(QString::fromLatin1(name))->accessibleName().isEmpty()) << name;
}

TEST_F(BattleWindowTest, MenusAndLabelButtonsFollowTheMatch) {
    EXPECT_TRUE(action("mst")->isEnabled());
    EXPECT_FALSE(action("mrst")->isEnabled());
    EXPECT_TRUE(action("mwhis")->isEnabled());
    EXPECT_TRUE(action("mend")->isEnabled());
    EXPECT_TRUE(action("mchrch")->isEnabled());
    EXPECT_TRUE(action("mab")->isEnabled());
    EXPECT_FALSE(action("mwav")->isEnabled());
    EXPECT_FALSE(action("mmidi")->isEnabled());
    // 効果音 is the one item of 効果 a player can choose: on at first, and each choice told.
    QSignalSpy soundEffects(window.get(), &BattleWindow::soundEffectsChosen);
    ASSERT_TRUE(action("msound")->isEnabled() && action("msound")->isCheckable());
    EXPECT_TRUE(action("msound")->isChecked());
    action("msound")->trigger();
    ASSERT_EQ(soundEffects.count(), 1);
    EXPECT_FALSE(soundEffects.takeFirst().at(0).toBool());
    EXPECT_EQ(action("mst")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(action("mrst")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));

    // "キャラ選択" and "履　　　歴" ask for their screens; the program object opens them.
    QSignalSpy characterSelect(window.get(), &BattleWindow::characterSelectRequested);
    QSignalSpy record(window.get(), &BattleWindow::recordRequested);
    window->pressButton(2);
    window->pressButton(1);
    EXPECT_EQ(characterSelect.count(), 1);
    EXPECT_EQ(record.count(), 1);

    random.queueDigits("1234567891234567");
    window->pressButton(0); // "試合開始" starts the match
    EXPECT_EQ(session->phase(), MatchPhase::Running);
    EXPECT_FALSE(action("mst")->isEnabled());
    EXPECT_TRUE(action("mrst")->isEnabled());
    EXPECT_FALSE(action("mchrch")->isEnabled());

    // During a match "試合開始" and "キャラ選択" do nothing; the record can still be read.
    window->pressButton(0);
    window->pressButton(2);
    window->pressButton(1);
    EXPECT_EQ(characterSelect.count(), 1);
    EXPECT_EQ(record.count(), 2);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(random.remaining(), 0u);
    // Behind another screen the window asks for nothing.
    window->setEnabled(false);
    window->pressButton(1);
    EXPECT_EQ(record.count(), 2);
    window->setEnabled(true);

    QSignalSpy quit(window.get(), &BattleWindow::quitRequested);
    window->pressButton(3);
    EXPECT_EQ(quit.count(), 1);
    QSignalSpy restart(window.get(), &BattleWindow::restartRequested);
    window->restartMatch();
    EXPECT_EQ(restart.count(), 1);
}

// F10 opens the menu bar's first menu, as on the other Linux desktops.
TEST_F(BattleWindowTest, F10OpensTheFirstMenu) {
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(window->menuBar()->activeAction(), window->menuBar()->actions().constFirst());
}

TEST_F(BattleWindowTest, DealtBoardAndKeypadMarksAgree) {
    start("1122334455667788");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(cell(i)->text(), QString::number(i / 2 + 1));
    for (int d = 1; d <= 8; ++d)
        EXPECT_TRUE(keypad(d)->isVisible()) << d;
    EXPECT_FALSE(keypad(9)->isVisible());
}

TEST_F(BattleWindowTest, KeysFromBothBlocksBuildTheSequenceCommandsDoNotAndEnterAbandonsIt) {
    start("7418529637418529");
    type("74");
    QTest::keyClick(window.get(), Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(text("InputLabel"), QStringLiteral("741"));
    type("ab ");
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_3, Qt::AltModifier);
    QTest::keyClick(window.get(), Qt::Key_Backspace);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(text("InputLabel"), QStringLiteral("741"));

    QTest::keyClick(window.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(text("InputLabel"), QString());
    EXPECT_EQ(text("MesLabel"), QStringLiteral("姿勢を崩した！"));
    EXPECT_EQ(text("GetPtLabel"), QStringLiteral("-50"));
    EXPECT_EQ(panel(3), QStringLiteral("-50"));
}

TEST_F(BattleWindowTest, StrikeOutcomeStaysOnShowThroughThePauseAndQueuedKeysFollow) {
    start("7418529637418529");
    random.queueDigits("999"); // refills of cells 0, 1 and 2
    type("7410");

    // The outcome on show: spent cells red with their old digits, the clock stopped, for the
    // five tick intervals of the pause.
    EXPECT_EQ(text("MesLabel"), QStringLiteral("落腕撃"));
    EXPECT_EQ(text("GetPtLabel"), QStringLiteral("150"));
    EXPECT_EQ(panel(3), QStringLiteral("150"));
    EXPECT_EQ(text("InputLabel"), QStringLiteral("741"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back(QStringLiteral("Label1(%1)").arg(i)), bgrColor(0x000000FF));
        EXPECT_EQ(cell(i)->text(), QString::number(QStringLiteral("741")[i].digitValue()));
    }
    EXPECT_FALSE(clock->ticking());

    // Keys typed meanwhile wait; a tick does nothing.
    type("85");
    session->tick();
    clock->advance(999);
    EXPECT_EQ(text("InputLabel"), QStringLiteral("741"));
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 1200);

    clock->advance(1);
    EXPECT_EQ(text("InputLabel"), QStringLiteral("85"));
    EXPECT_EQ(text("MesLabel"), QString());
    EXPECT_EQ(text("GetPtLabel"), QString());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cell(i)->text(), QStringLiteral("9"));
        EXPECT_EQ(back(QStringLiteral("Label1(%1)").arg(i)), bgrColor(0x00C0FFFF));
    }
    EXPECT_TRUE(clock->ticking());
    EXPECT_FALSE(clock->pauseRunning());
    // The marks follow the refilled board: a digit's mark shows exactly when a cell shows it.
    QString board;
    for (int i = 0; i < 16; ++i)
        board += cell(i)->text();
    EXPECT_EQ(board, QStringLiteral("9998529637418529"));
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(keypad(d)->isVisible(), board.contains(QString::number(d))) << d;
}

TEST_F(BattleWindowTest, GaugeDrainsOnTheClockAndTheInputTurnsPinkWhileTheWindowIsOpen) {
    start("7418529637418529");
    EXPECT_FALSE(clock->ticking()); // nothing to drain yet
    random.queueDigits("741");
    type("7410");
    auto* gauge = widget<QProgressBar>("ProgressBar1");
    EXPECT_EQ(gauge->maximum(), 1200);
    EXPECT_EQ(gauge->value(), 1200);
    EXPECT_EQ(back("InputLabel"), bgrColor(0x00C0E0FF));

    // The tick that fell due during the pause comes as soon as it ends: the window opens.
    clock->advance(1000);
    EXPECT_EQ(gauge->value(), 1100);
    EXPECT_EQ(back("InputLabel"), bgrColor(0x00FFC0FF));
    EXPECT_TRUE(clock->ticking());
    clock->advance(10 * 200);
    EXPECT_EQ(gauge->value(), 100);
    clock->advance(200);
    EXPECT_EQ(gauge->value(), 0);
    EXPECT_EQ(back("InputLabel"), bgrColor(0x00FFC0FF));
    clock->advance(200);
    EXPECT_EQ(back("InputLabel"), bgrColor(0x00C0E0FF));
    EXPECT_FALSE(clock->ticking()); // closed with turns left: nothing to do
}

TEST_F(BattleWindowTest, MatchEndsAtTheTickAfterTheLastTurnAndDisablesTheWindow) {
    start("1234567891234567");
    for (int turn = 0; turn < 10; ++turn) {
        random.queueDigits("124");
        type("1240"); // blocked: no gauge, every strike costs a turn
        EXPECT_EQ(text("MesLabel"), QStringLiteral("防がれた！"));
        EXPECT_TRUE(window->isEnabled());
        session->endPause();
    }
    // The last pause's tick finds the turns spent and the gauge empty.
    EXPECT_EQ(text("TurnLabel"), QStringLiteral("0"));
    EXPECT_EQ(session->phase(), MatchPhase::Ended);
    EXPECT_FALSE(window->isEnabled());
    EXPECT_FALSE(clock->ticking());
    type("1");
    EXPECT_EQ(text("InputLabel"), QString());
}

TEST_F(BattleWindowTest, LabelButtonsLightUnderThePointerUntilItCrossesTheBackground) {
    const QColor rest = bgrColor(0x00FFC0C0);
    const QColor blue = bgrColor(0x00FF0000);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(button(i)->backColor(), rest);

    moveTo(button(1), QPoint(5, 5));
    EXPECT_EQ(button(1)->backColor(), blue);
    moveTo(button(3), QPoint(5, 5));
    EXPECT_EQ(button(3)->backColor(), blue);
    EXPECT_EQ(button(1)->backColor(), rest);

    // Over another widget the highlight stays.
    moveTo(cell(0), QPoint(5, 5));
    EXPECT_EQ(button(3)->backColor(), blue);

    moveTo(window->centralWidget(), QPoint(600, 60));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(button(i)->backColor(), rest);
}

TEST_F(BattleWindowTest, AboutBoxShowsTheVersionLineUnderItsCaption) {
    window->showAbout();
    auto* box = window->findChild<QMessageBox*>(QStringLiteral("AboutBox"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    const QString title = box->windowTitle();
    const QString body = box->text();
    box->accept();
    EXPECT_EQ(title, QStringLiteral("制作"));
    const QStringList lines = body.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], QStringLiteral("ソードリズム！第弐章 VER 0.80"));
    EXPECT_TRUE(lines[1].isEmpty());
    // The team with a way to reach it, and where each release is published.
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("制作　")) &&
                lines[2].contains(QLatin1Char('@')))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("作画　")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("設定　")));
    EXPECT_TRUE(lines[5].isEmpty());
    EXPECT_TRUE(lines[6].startsWith(QStringLiteral("最新版　https://"))) << lines[6].toStdString();
    EXPECT_TRUE(lines[7].startsWith(QStringLiteral("© 2026　")) &&
                lines[7].contains(QStringLiteral("MIT")))
        << lines[7].toStdString();
}

// The window shows the character it is given and the match its session fights with.
TEST_F(BattleWindowTest, CharacterOnShowAndTheSessionsSettingsReachTheScreen) {
    const QString portrait = label("ChrImg")->accessibleName();
    window->showCharacter(QStringLiteral("使用キャラ　:　真壁　左近"),
                          QStringLiteral("portrait_sakon_ready"));
    session->configure({1000, 1.2});
    EXPECT_EQ(panel(1), QStringLiteral("使用キャラ　:　真壁　左近"));
    EXPECT_NE(label("ChrImg")->accessibleName(), portrait);
    EXPECT_FALSE(label("ChrImg")->pixmap().isNull());

    start("1234567891234567");
    random.queueDigits("123");
    type("1230");
    EXPECT_EQ(text("GetPtLabel"), QStringLiteral("120"));
    EXPECT_EQ(widget<QProgressBar>("ProgressBar1")->value(), 1000);
}

TEST_F(BattleWindowTest, CloseFromTheWindowManagerAsksToQuitInsteadOfClosing) {
    QSignalSpy quit(window.get(), &BattleWindow::quitRequested);
    window->close();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace rz6::test
