// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The program object owns the record: it reads it before the battle window is built, and
// writes and reads it back at every fresh match, and writes it once more after the window is
// destroyed, whichever way the player leaves.
#include "app/game_program.h"
#include "qt_test_support.h"
#include "battle/scripted_random_source.h"
#include "program_play.h"
#include "replay/fake_replay_timer.h"
#include "replay/played_match.h"
#include "replay/replay_file.h"
#include "replay/replay_verifier.h"
#include "replay/replay_window.h"
#include "charselect/characters.h"
#include "common/qt_text.h"
#include "history/history_store.h"
#include "history/history_window.h"
#include "save/record_lock.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <vector>

namespace rz6::test {
namespace {

QWidget* shownTopLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

void click(QWidget* screen, const char* name) {
    auto* target = screen->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(target, nullptr) << name;
    QTest::mouseClick(target, Qt::LeftButton);
    QCoreApplication::processEvents();
}

std::int32_t readInt(const QByteArray& bytes, int offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(v);
}

class GameProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testApplication(); }

    void makeProgram(const QString& path) {
        program = makeTestProgram(path, random, messages);
        finished = std::make_unique<QSignalSpy>(program.get(), &GameProgram::finished);
    }
    void SetUp() override { makeProgram(recordPath()); }

    QString recordPath() const { return folder.filePath(QStringLiteral("rz6.DAT")); }
    QByteArray file() const {
        QFile f(recordPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Starts a match and lands 落腕撃 (id 8) once; its pause ends.
    void landOnce() {
        test::landOnce(*program->battleWindow(), random);
        program->session()->endPause();
    }

    // Spends nine turns on blocked strikes and the last on 落腕撃, whose gauge then drains.
    void spendTheTurnsLandingLast() {
        BattleWindow* w = program->battleWindow();
        random.queueDigits("7418529637418529");
        w->startMatch();
        for (int turn = 0; turn < 9; ++turn) {
            strike(*w, random, "124", U"1240");
            program->session()->endPause();
        }
        strike(*w, random, "741", U"7410");
        program->session()->endPause();
        ASSERT_EQ(program->session()->match().turnsLeft(), 0);
    }

    // Plays the match out; the result screen opens.
    void finishMatch() {
        test::finishMatch(*program, random);
        settle();
    }

    QTemporaryDir folder;
    ScriptedRandomSource random;
    QStringList messages;
    std::unique_ptr<GameProgram> program;
    std::unique_ptr<QSignalSpy> finished;
};

TEST_F(GameProgramTest, FirstStartCreatesAnEmptyRecordAndShowsTheBattleWindow) {
    program->start();
    ASSERT_NE(program->battleWindow(), nullptr);
    EXPECT_TRUE(program->battleWindow()->isVisible());
    EXPECT_TRUE(QFile::exists(recordPath()));
    EXPECT_EQ(file().size(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

// The window stays where the player put it (the only way to keep its place on Wayland); the
// match in it starts again from the design values, as the first character.
TEST_F(GameProgramTest, RestartSavesThenReadsBackIntoAFreshMatchInTheSameWindow) {
    program->start();
    QPointer<BattleWindow> first = program->battleWindow();
    first->move(first->pos() + QPoint(37, 23));
    const QPoint placed = first->pos();
    const QString designPortrait =
        first->findChild<QLabel*>(QStringLiteral("ChrImg"))->accessibleName();
    first->pressButton(2); // "キャラ選択": the third character
    click(shownTopLevel("chrsel"), "Option1(2)");
    click(shownTopLevel("chrsel"), "Label1");
    ASSERT_EQ(program->session()->match().windowLength(), 1000);
    landOnce();
    first->restartMatch();
    settle();

    BattleWindow* second = program->battleWindow();
    ASSERT_EQ(second, first.data());
    EXPECT_EQ(second->pos(), placed);
    EXPECT_TRUE(second->isEnabled());
    EXPECT_EQ(second->findChild<QLabel*>(QStringLiteral("Panel(1)"))->text(),
              fromUtf8(statusText(characters()[0])));
    EXPECT_EQ(second->findChild<QLabel*>(QStringLiteral("ChrImg"))->accessibleName(),
              designPortrait);
    const QByteArray bytes = file();
    ASSERT_EQ(bytes.size(), 180);
    EXPECT_EQ(readInt(bytes, 20 + 4 * 8), 1);
    EXPECT_EQ(program->recordTable()[8 + 5], 1);
    // The fresh match starts from its design values: first character, no score.
    const MatchSession* fresh = program->session();
    EXPECT_EQ(&second->session(), fresh);
    EXPECT_EQ(fresh->match().score(), 0);
    EXPECT_EQ(fresh->match().windowLength(), 1200);
    EXPECT_DOUBLE_EQ(fresh->match().scoreMultiplier(), 1.0);
    EXPECT_EQ(fresh->phase(), MatchPhase::Idle);
    EXPECT_EQ(finished->count(), 0);
}

TEST_F(GameProgramTest, QuitThroughTheMenuSavesBeforeTheEnd) {
    program->start();
    landOnce();
    program->battleWindow()->quitGame();
    settle();
    EXPECT_EQ(finished->count(), 1);
    EXPECT_EQ(program->battleWindow(), nullptr);
    EXPECT_EQ(readInt(file(), 20 + 4 * 8), 1);
}

// Regression: with the record screen and a technique's "技詳細" box open, the clock ended the
// match behind them and "再試合" destroyed the record screen from inside the box's own loop
// (double free, the whole run's record lost). Boxes have no loops of their own now.
TEST_F(GameProgramTest, RematchWithADescriptionBoxOpenBehindTheResult) {
    program->start();
    BattleWindow* w = program->battleWindow();
    spendTheTurnsLandingLast();
    w->showRecord();
    QWidget* record = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QStringLiteral("wazahis") && top->isVisible())
            record = top;
    ASSERT_NE(record, nullptr);
    record->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
    QWidget* name = record->findChild<QWidget*>(QStringLiteral("Label1(8)"));
    ASSERT_NE(name, nullptr);
    QTest::mouseClick(name, Qt::LeftButton);
    QPointer<QMessageBox> box = record->findChild<QMessageBox*>(QStringLiteral("DescriptionBox"));
    ASSERT_FALSE(box.isNull());

    for (int tick = 0; tick < 40 && !program->resultWindow(); ++tick) {
        program->session()->tick();
        settle();
    }
    ASSERT_NE(program->resultWindow(), nullptr);
    EXPECT_FALSE(box.isNull()) << "the box stays open behind the result";
    emit program->resultWindow()->rematchRequested();
    settle();
    settle();
    EXPECT_TRUE(box.isNull());
    ASSERT_NE(program->battleWindow(), nullptr);
    EXPECT_EQ(readInt(file(), 0), 165);
    EXPECT_EQ(readInt(file(), 20 + 4 * 8), 1);
    EXPECT_EQ(finished->count(), 0);
}

TEST_F(GameProgramTest, RecordWithExtraBytesKeepsThemAcrossARun) {
    QByteArray prepared(300, '\0');
    prepared[20 + 4 * 9] = 7; // 斗波 landed 7 times
    for (int i = 180; i < 300; ++i)
        prepared[i] = static_cast<char>(i);
    {
        QFile f(recordPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(prepared);
    }
    program->start();
    EXPECT_EQ(program->recordTable()[9 + 5], 7);
    program->quit();
    EXPECT_EQ(file(), prepared);
}

TEST_F(GameProgramTest, FinishedMatchOpensTheResultAndRematchKeepsTheNewTotal) {
    program->start();
    landOnce();
    finishMatch();
    ResultWindow* result = program->resultWindow();
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->isVisible());
    EXPECT_FALSE(program->battleWindow()->isEnabled());
    // 150 points with one technique: 165 overall.
    EXPECT_EQ(result->findChild<QLabel*>(QStringLiteral("Label5"))->text(), QStringLiteral("165"));
    // Written as the result appears: a crash or kill while it waits loses nothing.
    EXPECT_EQ(readInt(file(), 0), 165);
    EXPECT_EQ(readInt(file(), 20 + 4 * 8), 1);
    const QByteArray atMatchEnd = file();

    QPointer<BattleWindow> old = program->battleWindow();
    emit result->rematchRequested();
    settle();
    settle();
    EXPECT_EQ(program->battleWindow(), old.data());
    EXPECT_TRUE(program->battleWindow()->isEnabled());
    EXPECT_EQ(program->session()->phase(), MatchPhase::Idle);
    EXPECT_EQ(program->resultWindow(), nullptr);
    EXPECT_EQ(file(), atMatchEnd); // the rematch's save writes the same bytes again
    EXPECT_EQ(finished->count(), 0);
}

// The rules only report landings; the program counts each into the record once, whether the
// strike came from a key or from keys typed ahead during a pause, and stops at the top.
// The finished match's summary is kept and handed on before the result screen opens.
TEST_F(GameProgramTest, LandingsCountOnceAndTheSummaryIsHandedOn) {
    QByteArray prepared(180, '\0');
    prepared[20 + 4 * 8] = 5;   // 落腕撃 landed 5 times
    for (int i = 0; i < 4; ++i) // 迅雷 (id 15) at the largest count
        prepared[20 + 4 * 15 + i] = static_cast<char>(i == 3 ? 0x7f : 0xff);
    {
        QFile f(recordPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(prepared);
    }
    std::vector<MatchSummary> summaries;
    QObject::connect(program.get(), &GameProgram::matchSummarised,
                     [&](const MatchSummary& summary) { summaries.push_back(summary); });
    program->start();
    landOnce();
    BattleWindow* w = program->battleWindow();
    random.queueDigits("741");
    for (char32_t key : {U'7', U'4', U'1', U'0'})
        w->pressKey(key);
    for (char32_t key : {U'7', U'4', U'1', U'0'}) // typed ahead, handled as the pause ends
        w->pressKey(key);
    random.queueDigits("741");
    program->session()->endPause();
    program->session()->endPause();
    random.queueDigits("741852963");
    for (char32_t key : U"186734925")
        if (key)
            w->pressKey(key);
    program->session()->endPause();
    EXPECT_EQ(program->recordTable()[8 + 5], 8);
    EXPECT_EQ(program->recordTable()[15 + 5], INT32_MAX);
    EXPECT_FALSE(program->lastSummary().has_value());

    finishMatch();
    ASSERT_EQ(summaries.size(), 1u);
    ASSERT_TRUE(program->lastSummary().has_value());
    const MatchSummary& summary = *program->lastSummary();
    EXPECT_EQ(summaries[0], summary);
    EXPECT_EQ(summary.landings[8], 3);
    EXPECT_EQ(summary.landings[15], 1);
    EXPECT_EQ(summary.score, program->session()->match().score());
    EXPECT_EQ(summary.character, 0);
    ASSERT_NE(program->resultWindow(), nullptr);
    EXPECT_EQ(program->recordTable()[8 + 5], 8); // the end of the match counts nothing again
    EXPECT_EQ(readInt(file(), 20 + 4 * 8), 8);
}

TEST_F(GameProgramTest, QuitFromTheResultSavesTheTotals) {
    program->start();
    landOnce();
    finishMatch();
    ASSERT_NE(program->resultWindow(), nullptr);
    emit program->resultWindow()->quitRequested();
    settle();
    EXPECT_EQ(finished->count(), 1);
    EXPECT_EQ(readInt(file(), 0), 165);
}

TEST_F(GameProgramTest, UnusableRecordPathIsReportedAndTheGameGoesOn) {
    // A regular file where the record's folder should be: nothing can be read or written.
    const QString blocker = folder.filePath(QStringLiteral("not-a-folder"));
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    makeProgram(blocker + QStringLiteral("/rz6.DAT"));
    program->start();
    ASSERT_NE(program->battleWindow(), nullptr);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("rz6.DAT")));

    landOnce();
    program->battleWindow()->restartMatch();
    settle();
    // The save failed and says so; the landing stays in memory rather than being lost to a
    // read-back of the old file.
    EXPECT_GE(messages.size(), 2);
    EXPECT_EQ(program->recordTable()[8 + 5], 1);
    program->quit();
    EXPECT_EQ(finished->count(), 1);
}

// A save that fails after a good read (the new file cannot be made beside a record whose name
// leaves no room for the temporary one): the restart keeps the landings in memory rather
// than reading the older file back over them, and the next save that works writes them.
TEST_F(GameProgramTest, FailedSaveIsNeverUndoneByReadingTheOlderFileBack) {
    const QString longName = folder.filePath(QString(250, QLatin1Char('r')));
    {
        QFile f(longName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(180, '\0'));
    }
    makeProgram(longName);
    program->start();
    ASSERT_TRUE(messages.isEmpty());
    landOnce();
    program->battleWindow()->restartMatch();
    settle();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(program->recordTable()[8 + 5], 1);
    EXPECT_NE(program->battleWindow(), nullptr);

    // Asked to end by a signal, nothing waits for the player and the status says it failed.
    program->quitOnSignal();
    settle();
    ASSERT_EQ(finished->count(), 1);
    EXPECT_EQ(finished->at(0).at(0).toInt(), 1);
    EXPECT_EQ(messages.size(), 2);
}

// With the display gone, the record is written as it stands, this match's landings in it;
// a copy that lost its place to another copy writes nothing at all.
TEST_F(GameProgramTest, SaveWithoutDisplayWritesTheLandingsUnlessAnotherCopyHoldsThePlace) {
    RecordLock lock(QFile::encodeName(folder.filePath(QStringLiteral("rz6.lock"))));
    ASSERT_TRUE(lock.lock().locked());
    program->guardSavesWith(lock);
    program->start();
    landOnce();
    EXPECT_TRUE(program->saveWithoutDisplay());
    EXPECT_EQ(readInt(file(), 20 + 4 * 8), 1);

    // The folder deleted and another copy started there: this one must not write.
    ASSERT_TRUE(QDir(folder.path()).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    RecordLock other(QFile::encodeName(folder.filePath(QStringLiteral("rz6.lock"))));
    ASSERT_TRUE(other.lock().locked());
    program->battleWindow()->restartMatch();
    settle();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(QFile::exists(recordPath()));
    EXPECT_FALSE(program->saveWithoutDisplay());
    EXPECT_FALSE(QFile::exists(recordPath()));
    program.reset(); // its last save asks the lock, which goes with this test
}

// The character select screen opens over the battle window, chooses through the program the
// character the next match is fought as (its settings for the match, its status and portrait
// on the window), and gives the window back when confirmed; a quit with it open saves and
// ends.
TEST_F(GameProgramTest, CharacterSelectChoosesTheNextMatchAndGivesTheWindowBack) {
    program->start();
    BattleWindow* w = program->battleWindow();
    const Match& next = program->session()->match();
    auto* portrait = w->findChild<QLabel*>(QStringLiteral("ChrImg"));
    const QString designPortrait = portrait->accessibleName();
    w->pressButton(2); // "キャラ選択"
    QWidget* chrsel = shownTopLevel("chrsel");
    ASSERT_NE(chrsel, nullptr);
    EXPECT_FALSE(w->isEnabled());
    click(chrsel, "Option1(2)");
    EXPECT_EQ(next.windowLength(), 1000);
    click(chrsel, "Label1");
    EXPECT_NE(portrait->accessibleName(), designPortrait);
    w->pressButton(2);
    chrsel = shownTopLevel("chrsel");
    ASSERT_NE(chrsel, nullptr);
    // Opening puts the first character's values back at once.
    EXPECT_EQ(next.windowLength(), 1200);

    click(chrsel, "Option1(1)");
    click(chrsel, "Label1");
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(shownTopLevel("chrsel"), nullptr);
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Panel(1)"))->text(),
              QStringLiteral("使用キャラ　:　灰原　雪菜"));
    EXPECT_EQ(next.windowLength(), 1100);
    EXPECT_DOUBLE_EQ(next.scoreMultiplier(), 1.1);
    EXPECT_EQ(program->session()->summary().character, 1);

    w->pressButton(2);
    QPointer<QWidget> again = shownTopLevel("chrsel");
    ASSERT_FALSE(again.isNull());
    program->quit();
    EXPECT_TRUE(again.isNull());
    EXPECT_EQ(finished->count(), 1);
    EXPECT_EQ(file().size(), 180);
}

// The record screen shows the table as it stands, blocks the battle window's keys but not
// its clock, and gives the window back when closed; a rebuild with it open takes it along.
TEST_F(GameProgramTest, RecordScreenOpensDuringAMatchAndGivesTheWindowBack) {
    program->start();
    landOnce();
    BattleWindow* w = program->battleWindow();
    w->pressButton(1); // "履　　　歴"
    QWidget* record = shownTopLevel("wazahis");
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(w->isEnabled());
    // The landing just made is already counted.
    auto* count = record->findChild<QLabel*>(QStringLiteral("Label2(8)"));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(), QStringLiteral("1"));
    w->pressKey(u'1');
    EXPECT_EQ(program->session()->match().inputText(), "");
    program->session()->tick();
    EXPECT_EQ(program->session()->match().comboWindow(), 1000);

    click(record, "ClBtn(1)");
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(shownTopLevel("wazahis"), nullptr);

    w->pressButton(1);
    QPointer<QWidget> again = shownTopLevel("wazahis");
    ASSERT_FALSE(again.isNull());
    program->startFreshMatch();
    EXPECT_TRUE(again.isNull());
    ASSERT_NE(program->battleWindow(), nullptr);
    EXPECT_TRUE(program->battleWindow()->isEnabled());
}

// The match may end while the record is open: closing it then leaves the battle window
// disabled behind the result screen.
TEST_F(GameProgramTest, MatchEndingBehindTheRecordKeepsTheBattleWindowDisabled) {
    program->start();
    BattleWindow* w = program->battleWindow();
    spendTheTurnsLandingLast();
    w->pressButton(1);
    QWidget* record = shownTopLevel("wazahis");
    ASSERT_NE(record, nullptr);
    for (int tick = 0; tick < 40 && !program->resultWindow(); ++tick) {
        program->session()->tick();
        settle();
    }
    ASSERT_NE(program->resultWindow(), nullptr);
    click(record, "ClBtn(1)");
    EXPECT_EQ(shownTopLevel("wazahis"), nullptr);
    EXPECT_FALSE(w->isEnabled());
}

// Every screen in front of the battle window is a window it owns, so the window system keeps
// it above that window and places it over it (Wayland included). Each stays usable while the
// battle window is disabled behind it, and none of a fixed size offers to maximise.
TEST_F(GameProgramTest, EveryScreenIsAWindowOwnedByTheBattleWindow) {
    program = std::make_unique<GameProgram>(QFile::encodeName(recordPath()),
                                            random); // real message boxes
    program->start();
    BattleWindow* w = program->battleWindow();
    const auto expectOwned = [w](QWidget* screen, const char* what) {
        ASSERT_NE(screen, nullptr) << what;
        EXPECT_TRUE(screen->isWindow()) << what;
        EXPECT_EQ(screen->parentWidget(), w) << what;
        EXPECT_TRUE(screen->isEnabled()) << what;
        if (screen->minimumSize() == screen->maximumSize()) {
            EXPECT_FALSE(screen->windowFlags() & Qt::WindowMaximizeButtonHint) << what;
        }
    };
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);

    // A message is not the battle window's child (the screen it is about may go first), but
    // the window system knows the battle window as its transient parent all the same.
    program->tell(QStringLiteral("お知らせ"));
    auto* report = qobject_cast<QMessageBox*>(shownTopLevel("ReportBox"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->windowHandle()->transientParent(), w->windowHandle());
    delete report;
    w->showAbout();
    expectOwned(w->findChild<QMessageBox*>(QStringLiteral("AboutBox")), "About box");
    delete w->findChild<QMessageBox*>(QStringLiteral("AboutBox"));

    w->pressButton(2); // "キャラ選択"
    ASSERT_FALSE(w->isEnabled());
    expectOwned(shownTopLevel("chrsel"), "character select");
    click(shownTopLevel("chrsel"), "Label1");
    w->pressButton(1); // "履　　　歴"
    ASSERT_FALSE(w->isEnabled());
    expectOwned(shownTopLevel("wazahis"), "record");
    click(shownTopLevel("wazahis"), "ClBtn(1)");

    w->showHelp();
    expectOwned(program->helpWindow(), "help");

    landOnce();
    finishMatch();
    ASSERT_FALSE(w->isEnabled());
    expectOwned(program->resultWindow(), "result");
    expectOwned(program->helpWindow(), "help, after the match");
}

// F1 opens one help screen, whatever the state of the match; it survives a restart and
// Escape closes it.
TEST_F(GameProgramTest, F1OpensOneHelpScreenThatEscapeCloses) {
    program->start();
    auto* mhelp = program->battleWindow()->findChild<QAction*>(QStringLiteral("mhelp"));
    ASSERT_TRUE(mhelp);
    EXPECT_EQ(mhelp->shortcut(), QKeySequence(Qt::Key_F1));
    mhelp->trigger();
    mhelp->trigger();
    QPointer<HelpWindow> help = program->helpWindow();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    int helpScreens = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        helpScreens += qobject_cast<HelpWindow*>(w) && w->isVisible();
    EXPECT_EQ(helpScreens, 1);
    EXPECT_EQ(help->findChildren<QTextBrowser*>().size(), 1);
    EXPECT_TRUE(program->battleWindow()->isEnabled()); // it blocks nothing

    program->startFreshMatch();
    EXPECT_EQ(program->helpWindow(), help.data());
    QTest::keyClick(help, Qt::Key_Escape);
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(help);
}

} // namespace
} // namespace rz6::test

namespace rz6::test {
namespace {

// A match clock whose time moves on 25 ms every time it is read.
class SteppingClock : public VirtualMatchClock {
public:
    std::int64_t nowMs() const override { return readMs_ += 25; }

private:
    mutable std::int64_t readMs_ = 1000;
};

// A finished match goes into the history beside the record as its result appears, with its
// figures, its keys as typed and timed from the start and the end time, all from the clocks
// given; the 戦績 screen lists it and the CSV export never writes over the record.
TEST_F(GameProgramTest, FinishedMatchGoesIntoTheHistoryAndTheScreen) {
    const QDateTime ended(QDate(2026, 12, 7), QTime(20, 15), Qt::OffsetFromUTC, 9 * 3600);
    program->setWallClock([&] { return ended; });
    program->setMatchClocks([] { return std::make_unique<SteppingClock>(); });
    program->start();
    const QString historyPath = folder.filePath(QStringLiteral("rz6-history.sqlite"));
    EXPECT_FALSE(QFile::exists(historyPath)); // not opened before it is needed
    landOnce();
    finishMatch();
    ASSERT_NE(program->resultWindow(), nullptr);
    const QByteArray record = file();

    const auto kept =
        HistoryStore(QFile::encodeName(historyPath)).matches(HistoryStore::Detail::Whole);
    ASSERT_EQ(kept.size(), 1u);
    const HistoryMatch& m = kept[0];
    EXPECT_EQ(m.endedUtcMs, ended.toMSecsSinceEpoch());
    EXPECT_EQ(m.utcOffsetSeconds, 9 * 3600);
    EXPECT_EQ(m.overallScore, 165);
    EXPECT_EQ(m.score, 150);
    EXPECT_EQ(m.techniques, (std::vector<LandedTechnique>{{8, 1}}));
    EXPECT_EQ(m.landings, 1);
    EXPECT_EQ(m.blocks, 9);
    std::u16string typed = u"7410";
    for (int block = 0; block < 9; ++block)
        typed += u"1240";
    ASSERT_EQ(m.keys.size(), typed.size());
    for (std::size_t i = 0; i < m.keys.size(); ++i) {
        EXPECT_EQ(m.keys[i].key, typed[i]) << i;
        if (i > 0) {
            EXPECT_GT(m.keys[i].atMs, m.keys[i - 1].atMs) << i;
        }
    }
    // The strike typed right after the start command, one clock step a key.
    EXPECT_EQ(m.keys[0], (TimedKey{u'7', 25}));
    EXPECT_EQ(m.keys[3], (TimedKey{u'0', 100}));
    EXPECT_TRUE(messages.isEmpty());

    emit program->resultWindow()->rematchRequested();
    settle();
    program->battleWindow()->findChild<QAction*>(QStringLiteral("mseki"))->trigger();
    auto* screen = qobject_cast<HistoryWindow*>(shownTopLevel("senseki"));
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(program->battleWindow()->isEnabled());
    auto* table = screen->findChild<QTableView*>(QStringLiteral("HistoryTable"));
    ASSERT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(table->model()->index(0, 2).data().toString(), QStringLiteral("165"));

    emit screen->exportRequested(recordPath());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("記録ファイルか戦績ファイル")));
    const QString csv = folder.filePath(QStringLiteral("out.csv"));
    emit screen->exportRequested(csv);
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll().count("\r\n"), 2);
    EXPECT_EQ(file(), record);
    QTest::keyClick(screen, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(program->battleWindow()->isEnabled());
}

// A history that cannot be written is reported once, naming the file; the record is saved
// as always and the game plays on.
TEST_F(GameProgramTest, UnwritableHistoryIsReportedOnceAndTheRecordIsSaved) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("rz6-history.sqlite")));
    program->start();
    for (int match = 0; match < 2; ++match) {
        landOnce();
        finishMatch();
        ASSERT_NE(program->resultWindow(), nullptr);
        emit program->resultWindow()->rematchRequested();
        settle();
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(folder.filePath(QStringLiteral("rz6-history.sqlite"))));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("フォルダ")));
    EXPECT_EQ(readInt(file(), 20 + 4 * 8), 2);
}

// A 戦績 screen that cannot be made (its library missing) is reported with the reason; the
// battle window stays usable.
TEST_F(GameProgramTest, HistoryScreenThatCannotOpenIsReported) {
    program->setHistoryScreenMaker([](std::vector<HistoryMatch>, const QString&, QWidget*,
                                      QString& problem) -> HistoryScreen* {
        problem = QStringLiteral("戦績の画面「librz6_history_screen.so」を開けませんでした。");
        return nullptr;
    });
    program->start();
    program->battleWindow()->findChild<QAction*>(QStringLiteral("mseki"))->trigger();
    settle();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("librz6_history_screen.so")));
    EXPECT_EQ(program->subScreen(), nullptr);
    EXPECT_TRUE(program->battleWindow()->isEnabled());
}

// Replays from 戦績: a match played through the program on a board dealt from a seed, kept in the
// history, then asked for from its row.
class ReplayFromHistoryTest : public GameProgramTest {
protected:
    void SetUp() override {
        program = makeTestProgram(recordPath(), seeded, messages);
        program->setMatchClocks([this] {
            auto made = std::make_unique<VirtualMatchClock>();
            clock = made.get();
            return made;
        });
        program->setReplayWindowMaker([this](const ReplayMatch& match,
                                             std::vector<MatchEvent> events, const QString& when,
                                             QWidget* parent, QString&) {
            auto made = std::make_unique<FakeReplayTimer>();
            timer = made.get();
            ++replaysOpened;
            return openReplayWindow(match, std::move(events), when, parent, std::move(made));
        });
        program->start();
        // A whole match as a player types it (played_match.h), on the program's own clock.
        program->battleWindow()->startMatch();
        MatchSession& session = *program->session();
        for (unsigned move = 0; session.phase() == MatchPhase::Running && move < 200; ++move) {
            for (const char key : nextMove(session.match(), move)) {
                clock->advance(40 + move % 5 * 30);
                program->battleWindow()->pressKey(key == '\r' ? Match::enterKey : char16_t(key));
            }
            clock->advance(move % 3 == 0 ? 1700 : 150);
        }
        while (session.phase() == MatchPhase::Running && clock->ticking())
            clock->advance(Match::startTickInterval);
        settle();
        ASSERT_NE(program->resultWindow(), nullptr);
        emit program->resultWindow()->rematchRequested();
        settle();
    }

    HistoryWindow* openHistory() {
        program->battleWindow()->findChild<QAction*>(QStringLiteral("mseki"))->trigger();
        return qobject_cast<HistoryWindow*>(shownTopLevel("senseki"));
    }

    // Every file beside the record, by name, with its bytes.
    std::map<QString, QByteArray> files() const {
        std::map<QString, QByteArray> all;
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files)) {
            QFile f(folder.filePath(name));
            all[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
        }
        return all;
    }

    SeedRandomSource seeded{20261207};
    VirtualMatchClock* clock = nullptr;
    FakeReplayTimer* timer = nullptr;
    int replaysOpened = 0;
};

// 再生 on the row opens the battle screen as it was over 戦績, run by the replay's keys; played
// out it ends with the stored figures, and the record, the history and the rest of the folder
// are byte for byte as they were.
TEST_F(ReplayFromHistoryTest, ReplayOfARowEndsInTheStoredMatchAndChangesNoFile) {
    ASSERT_TRUE(program->lastSummary());
    const MatchSummary stored = *program->lastSummary();
    HistoryWindow* screen = openHistory();
    ASSERT_NE(screen, nullptr);
    const std::map<QString, QByteArray> before = files();
    ASSERT_TRUE(before.count(QStringLiteral("rz6.DAT")));

    click(screen, "ReplayButton");
    ASSERT_EQ(replaysOpened, 1);
    auto* replay = qobject_cast<BattleWindow*>(shownTopLevel("replay"));
    ASSERT_NE(replay, nullptr);
    EXPECT_TRUE(replay->windowTitle().startsWith(QStringLiteral("再生")));
    EXPECT_TRUE(replay->isEnabled());
    auto* controls = replay->findChild<ReplayControls*>();
    ASSERT_NE(controls, nullptr);
    ReplayPlayer& player = controls->player();
    // Its keys run the replay, not a match.
    QTest::keyClick(replay, Qt::Key_Space);
    EXPECT_TRUE(player.paused());
    QTest::keyClick(replay, Qt::Key_3);
    EXPECT_EQ(player.speed(), ReplaySpeed::Double);
    QTest::keyClick(replay, Qt::Key_Right);
    EXPECT_EQ(player.session().outcomes().size(), 1u);
    EXPECT_EQ(&replay->session(), &player.session());
    QTest::keyClick(replay, Qt::Key_Home);
    EXPECT_EQ(&replay->session(), &player.session());
    EXPECT_TRUE(player.session().log().empty());
    QTest::keyClick(replay, Qt::Key_Space);
    for (int i = 0; i < 2000 && !player.finished(); ++i)
        timer->runOut();
    ASSERT_TRUE(player.finished());
    EXPECT_EQ(player.session().summary(), stored);
    EXPECT_TRUE(replay->isEnabled()); // a replay's end leaves its keys working

    const QPointer<BattleWindow> gone(replay);
    QTest::keyClick(replay, Qt::Key_Escape);
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(program->session()->phase(), MatchPhase::Idle);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(files(), before);

    // Written as a replay file, the match reads back whole and opens again from the file;
    // never over the record.
    emit screen->replayExportRequested(0, recordPath());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(files(), before);
    QTemporaryDir elsewhere;
    const QString exported = elsewhere.filePath(QStringLiteral("match.rz6replay"));
    emit screen->replayExportRequested(0, exported);
    const ReplayFileRead back = readReplayFile(QFile::encodeName(exported));
    ASSERT_TRUE(back.result.ok) << back.result.message.toStdString();
    EXPECT_EQ(back.match.figures, figuresOf(stored));
    emit screen->replayFileChosen(exported);
    EXPECT_EQ(replaysOpened, 2);
    EXPECT_NE(shownTopLevel("replay"), nullptr);
}

// A match whose stored figures were changed does not play: 戦績 says why and nothing opens.
TEST_F(ReplayFromHistoryTest, TamperedMatchIsRefusedWithItsReason) {
    sqlite3* db = nullptr;
    ASSERT_EQ(
        sqlite3_open(
            QFile::encodeName(folder.filePath(QStringLiteral("rz6-history.sqlite"))).constData(),
            &db),
        SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "UPDATE matches SET blocks = blocks + 1", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    HistoryWindow* screen = openHistory();
    ASSERT_NE(screen, nullptr);
    auto* table = screen->findChild<QTableView*>(QStringLiteral("HistoryTable"));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Return);
    settle();
    EXPECT_EQ(replaysOpened, 0);
    EXPECT_EQ(shownTopLevel("replay"), nullptr);
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("HistoryNote"))->text(),
              translatedText("Replay", verdictText(ReplayVerdict::Mismatch)));
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
} // namespace rz6::test
