// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The game in English keeps every window's size and layout: each text fits the widget that
// shows it, at that widget's own font, on every screen. The widgets measured are the real
// ones of each open screen, found by walking its children. With RZ6_SCREENSHOT_DIR set, every
// screen is also saved there as a picture, to be looked at.
#include "app/game_program.h"
#include "history/history_window.h"
#include "app/game_style.h"
#include "battle/scripted_random_source.h"
#include "battle/technique_catalogue.h"
#include "charselect/characters.h"
#include "common/language.h"
#include "common/qt_text.h"
#include "program_play.h"
#include "qt_test_support.h"
#include "record/technique_record_entries.h"
#include "result/match_rating.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

// Built twice: at the ordinary scale and, with RZ6_TEST_SCALE, as on a high-density screen.
#ifndef RZ6_TEST_SCALE
#define RZ6_TEST_SCALE 1
#endif

namespace rz6::test {
namespace {

// Why a text does not fit its label, or nothing.
QString labelMisfit(const QLabel* label, const QString& text) {
    if (text.isEmpty() || Qt::mightBeRichText(text))
        return {};
    const QFontMetrics metrics(label->font());
    const int indent = label->indent() > 0 ? label->indent() : 0;
    const QRect room = label->contentsRect().adjusted(indent, 0, -indent, 0);
    const QRect needed =
        label->wordWrap()
            ? metrics.boundingRect(room, Qt::TextWordWrap | int(label->alignment()), text)
            : metrics.boundingRect(QRect(room.topLeft(), QSize(100000, 100000)),
                                   int(label->alignment() & ~Qt::AlignRight & ~Qt::AlignHCenter),
                                   text);
    if (needed.width() <= room.width() && (!label->wordWrap() || needed.height() <= room.height()))
        return {};
    return QStringLiteral("%1 \"%2\" needs %3×%4, has %5×%6")
        .arg(label->objectName(), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

// Whether a text still holds Japanese: kana or kanji.
bool holdsJapanese(const QString& text) {
    for (const QChar c : text)
        if ((c.unicode() >= 0x3040 && c.unicode() <= 0x30ff) ||
            (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff))
            return true;
    return false;
}

// Japanese that stays on purpose: the menu items that name the languages in themselves, and
// the Japanese name a technique's description gives on its first line ("Arm Breaker — 落腕撃
// (rakuwan-geki)"), so that players can talk about it in either language.
bool japaneseOnPurpose(const QString& text) {
    if (text == QStringLiteral("言語 / Language") || text == QStringLiteral("日本語"))
        return true;
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    return firstLine.contains(QStringLiteral(" \u2014 ")) &&
           !holdsJapanese(text.section(QLatin1Char('\n'), 1));
}

// Every text on a screen that does not fit its widget or was left in Japanese.
QStringList misfits(QWidget* screen) {
    QStringList found;
    QList<QWidget*> widgets = screen->findChildren<QWidget*>();
    widgets.prepend(screen);
    QStringList texts{screen->windowTitle(), screen->accessibleName(),
                      screen->accessibleDescription()};
    for (QWidget* widget : widgets) {
        texts << widget->accessibleName() << widget->accessibleDescription() << widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << group->title();
        if (auto* tabs = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        for (QAction* action : widget->actions())
            texts << action->text();
    }
    for (const QString& text : std::as_const(texts))
        if (holdsJapanese(text) && !japaneseOnPurpose(text))
            found << QStringLiteral("untranslated \"%1\"").arg(text);
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(screen) && widget != screen)
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            // A mnemonic's "&" is not drawn.
            const QString text =
                label->buddy() ? QString(label->text()).remove(QLatin1Char('&')) : label->text();
            if (const QString misfit = labelMisfit(label, text); !misfit.isEmpty())
                found << misfit;
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // A push button's own size hint has a style's minimum width; its text needs only
            // its advance and the frame. A radio button's hint is its mark and its text.
            const QString text = QString(button->text()).remove(QLatin1Char('&'));
            const int needed = qobject_cast<QPushButton*>(button)
                                   ? QFontMetrics(button->font()).horizontalAdvance(text) + 4
                                   : button->sizeHint().width();
            if (!text.isEmpty() && needed > button->width())
                found << QStringLiteral("button %1 \"%2\" needs %3, has %4")
                             .arg(button->objectName(), text)
                             .arg(needed)
                             .arg(button->width());
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            const int needed = QFontMetrics(group->font()).horizontalAdvance(group->title());
            if (needed > group->width() / 2)
                found << QStringLiteral("frame %1 \"%2\"").arg(group->objectName(), group->title());
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabRect(i).width() <
                    QFontMetrics(tabs->font()).horizontalAdvance(tabs->tabText(i)))
                    found << QStringLiteral("tab \"%1\"").arg(tabs->tabText(i));
        }
    }
    return found;
}

class EnglishScreensTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (RZ6_TEST_SCALE != 1)
            qputenv("QT_SCALE_FACTOR", QByteArray::number(RZ6_TEST_SCALE));
        testApplication();
        installGameStyle();
    }
    void SetUp() override {
        ASSERT_TRUE(applyLanguage(Language::English)) << "the English translation is missing";
        writeFullRecord();
        program = makeTestProgram(folder.filePath(QStringLiteral("rz6.DAT")), random, messages);
        program->start();
        settle();
    }
    void TearDown() override {
        program.reset();
        applyLanguage(Language::Japanese);
    }
    // A record in which every technique has landed and the five best totals are large, so
    // that every row of the record screen shows.
    void writeFullRecord() {
        QByteArray bytes;
        auto put = [&bytes](std::int32_t value) {
            for (int i = 0; i < 4; ++i)
                bytes.append(
                    static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff));
        };
        for (int i = 0; i < bestTotalCount; ++i)
            put(2000000000 - i);
        for (int id = 0; id < techniqueCount; ++id)
            put(99999);
        QFile file(folder.filePath(QStringLiteral("rz6.DAT")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // Checks one screen and keeps its picture when pictures are asked for.
    void check(QWidget* screen, const char* name) {
        ASSERT_NE(screen, nullptr) << name;
        settle();
        const QStringList found = misfits(screen);
        EXPECT_TRUE(found.isEmpty()) << name << ":\n"
                                     << found.join(QLatin1Char('\n')).toStdString();
        const QString folderName = qEnvironmentVariable("RZ6_SCREENSHOT_DIR");
        if (!folderName.isEmpty()) {
            QDir().mkpath(folderName);
            EXPECT_TRUE(screen->grab().save(QDir(folderName)
                                                .filePath(QStringLiteral("%1@%2x.png")
                                                              .arg(QString::fromLatin1(name))
                                                              .arg(RZ6_TEST_SCALE))));
        }
    }

    // Lands 落腕撃, so that the battle screen shows a technique's name and points.
    void landOnce() { test::landOnce(*program->battleWindow(), random); }

    // Plays the match out; the result screen opens.
    void finishMatch() {
        test::finishMatch(*program, random);
        settle();
    }

    QTemporaryDir folder;
    ScriptedRandomSource random;
    QStringList messages;
    std::unique_ptr<GameProgram> program;
};

// The battle screen's own texts, and every text its labels can come to show: each technique's
// name in the message label, each character's status, a long combo.
TEST_F(EnglishScreensTest, BattleScreenFitsEveryTextItCanShow) {
    BattleWindow* w = program->battleWindow();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sword Rhythm II"));
    check(w, "battle");
    auto* message = w->findChild<QLabel*>(QStringLiteral("MesLabel"));
    auto* status = w->findChild<QLabel*>(QStringLiteral("Panel(1)"));
    auto* combo = w->findChild<QLabel*>(QStringLiteral("RenLabel"));
    QStringList failures;
    for (int id = 0; id < techniqueCount; ++id)
        if (const auto technique = techniqueById(id))
            failures << labelMisfit(message, translatedText("Game", technique->name))
                     << (holdsJapanese(translatedText("Game", technique->name))
                             ? QString::fromUtf8(technique->name.data(), technique->name.size())
                             : QString());
    for (const char* outcome : {"防がれた！", "反撃を受けた！", "姿勢を崩した！"})
        failures << labelMisfit(message, translatedText("Game", outcome));
    failures << labelMisfit(message, translatedText("Game", "空振 ") + QStringLiteral("9"));
    for (const Character& c : characters()) {
        w->showCharacter(fromUtf8(statusText(c)), fromUtf8(c.readyPicture));
        failures << labelMisfit(status, status->text());
    }
    failures << labelMisfit(combo, BattleWindow::tr("%1連撃").arg(99));
    failures.removeAll(QString());
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();

    landOnce();
    EXPECT_EQ(message->text(), QStringLiteral("Arm Breaker"));
    check(w, "battle_strike");
    for (QMenu* menu : w->menuBar()->findChildren<QMenu*>()) {
        menu->adjustSize();
        check(menu, qPrintable(QStringLiteral("menu_") + menu->objectName()));
    }
}

// The program's message boxes are titled with the game's English name, as its windows are.
TEST_F(EnglishScreensTest, MessageBoxIsTitledInEnglish) {
    program.reset();
    program =
        std::make_unique<GameProgram>(QFile::encodeName(folder.filePath(QStringLiteral("rz6.DAT"))),
                                      random); // real message boxes
    program->start();
    program->tell(QStringLiteral("note"));
    settle();
    QStringList titles;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QStringLiteral("ReportBox") && top->isVisible())
            titles << top->windowTitle();
    EXPECT_EQ(titles, QStringList{QStringLiteral("Sword Rhythm II")});
}

// The About box speaks English: the English name leads, the Japanese title stands beside it
// only, and no line is joined by Japanese spacing.
TEST_F(EnglishScreensTest, AboutBoxIsInEnglish) {
    BattleWindow* w = program->battleWindow();
    w->showAbout();
    auto* box = w->findChild<QMessageBox*>(QStringLiteral("AboutBox"));
    ASSERT_NE(box, nullptr);
    const QStringList lines = box->text().split(QLatin1Char('\n'));
    box->accept();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Sword Rhythm II (ソードリズム！第弐章)")))
        << lines[0].toStdString();
    for (const QString& line : lines.mid(1))
        EXPECT_FALSE(holdsJapanese(line) || line.contains(QChar(0x3000))) << line.toStdString();
    EXPECT_TRUE(lines[6].startsWith(QStringLiteral("Latest version: https://")));
}

TEST_F(EnglishScreensTest, CharacterSelectFits) {
    program->battleWindow()->chooseCharacter();
    check(program->subScreen(), "character_select");
}

TEST_F(EnglishScreensTest, ResultScreenFitsEveryRank) {
    landOnce();
    finishMatch();
    ResultWindow* result = program->resultWindow();
    ASSERT_NE(result, nullptr);
    check(result, "result");
}

TEST_F(EnglishScreensTest, RecordScreenFitsBothTabs) {
    landOnce();
    program->session()->endPause();
    program->battleWindow()->showRecord();
    QWidget* record = program->subScreen();
    ASSERT_NE(record, nullptr);
    check(record, "record_scores");
    record->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
    check(record, "record_techniques");
}

TEST_F(EnglishScreensTest, HistoryAndHelpFit) {
    landOnce();
    finishMatch();
    ASSERT_NE(program->resultWindow(), nullptr);
    emit program->resultWindow()->rematchRequested();
    settle();
    program->battleWindow()->showHelp();
    check(program->helpWindow(), "help");
    program->battleWindow()->showHistory();
    check(program->subScreen(), "history");
}

// Switching to English and back leaves the Japanese battle screen exactly as it was built.
TEST_F(EnglishScreensTest, JapaneseBattleScreenReturnsPixelForPixel) {
    applyLanguage(Language::Japanese);
    program->startFreshMatch();
    settle();
    BattleWindow* w = program->battleWindow();
    const QImage japanese = w->grab().toImage();
    applyLanguage(Language::English);
    settle();
    EXPECT_NE(w->grab().toImage(), japanese);
    applyLanguage(Language::Japanese);
    settle();
    EXPECT_EQ(w->grab().toImage(), japanese);
}

} // namespace
} // namespace rz6::test
