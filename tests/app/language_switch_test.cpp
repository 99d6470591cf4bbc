// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// A language switch reaches every screen that is open at the time, and the boxes left open
// over them: each writes its texts again, and switching back gives the Japanese it had.
#include "battle/battle_window.h"
#include "battle/scripted_random_source.h"
#include "battle/virtual_match_clock.h"
#include "charselect/character_select_window.h"
#include "charselect/character_target.h"
#include "charselect/characters.h"
#include "common/language.h"
#include "common/qt_text.h"
#include "history/history_window.h"
#include "qt_test_support.h"
#include "record/technique_record_entries.h"
#include "record/technique_record_window.h"
#include "result/match_rating.h"
#include "result/result_window.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QMessageBox>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rz6::test {
namespace {

QString tr(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

// Where a text is shown, and what it should read in the language the game speaks now.
struct ShownText {
    const char* where;
    std::function<QString()> shown;
    std::function<QString()> expected;
};

TEST(LanguageSwitch, EveryOpenScreenAndBoxFollowsAndComesBack) {
    testApplication();
    ASSERT_EQ(currentLanguage(), Language::Japanese);
    ScriptedRandomSource random;
    MatchSession session(random, std::make_unique<VirtualMatchClock>());
    BattleWindow battle(session);
    battle.show();
    battle.showAbout();

    auto* result = new ResultWindow(MatchRating{}, &battle);
    struct : CharacterTarget {
        void setStatusText(const QString&) override {}
        void setWindowLength(int) override {}
        void setScoreMultiplier(double) override {}
        void setPortrait(const QString&) override {}
    } nextMatch;
    auto* characterSelect = new CharacterSelectWindow(nextMatch, &battle);
    constexpr int landed = 8; // 落腕撃
    RecordTable record{};
    record[firstCountElement + landed] = 1;
    auto* techniques = new TechniqueRecordWindow(record, &battle);
    HistoryMatch match;
    match.endedUtcMs = 1'780'000'000'000;
    auto* history = new HistoryWindow({match}, QString(), &battle, 9 * 3600);
    for (QWidget* screen :
         std::initializer_list<QWidget*>{result, characterSelect, techniques, history})
        screen->show();
    techniques->findChild<QTabBar*>()->setCurrentIndex(1);
    QTest::mouseClick(techniques->findChild<QLabel*>(indexedName("Label1", landed)),
                      Qt::LeftButton);
    const auto* box = techniques->findChild<QMessageBox*>(QStringLiteral("DescriptionBox"));
    ASSERT_NE(box, nullptr);

    auto text = [](QWidget* screen, const char* name) {
        QWidget* found = screen->findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* label = qobject_cast<QLabel*>(found))
            return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(found))
            return button->text();
        return found ? found->windowTitle() : QStringLiteral("(no %1)").arg(QLatin1String(name));
    };
    const QTableView* table = history->findChild<QTableView*>();
    const QChart* chart = history->findChild<QChartView*>()->chart();
    const TechniqueRecordEntry& entry = techniqueRecordEntries()[landed];
    const std::vector<ShownText> texts{
        {"About box", [&] { return text(&battle, "AboutBox"); },
         [] { return BattleWindow::tr("制作"); }},
        {"result title", [&] { return result->windowTitle(); },
         [] { return tr("rz6::ResultWindow", "競技終了"); }},
        {"result button", [&] { return text(result, "BtnLabel(0)"); },
         [] { return tr("rz6::ResultWindow", "再試合"); }},
        {"character select title", [&] { return characterSelect->windowTitle(); },
         [] { return tr("rz6::CharacterSelectWindow", "使用キャラ選択"); }},
        {"character option", [&] { return text(characterSelect, "Option1(1)"); },
         [] { return translatedText("Game", characters()[1].name); }},
        {"record title", [&] { return techniques->windowTitle(); },
         [] {
             return QCoreApplication::translate("rz6::TechniqueRecordWindow", "技履歴", "window");
         }},
        {"record name", [&] { return text(techniques, "Label1(8)"); },
         [&] { return translatedText("Game", entry.nameCaption); }},
        {"description box", [&] { return box->text(); },
         [&] {
             return translatedText("Game", entry.description)
                 .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
         }},
        {"history title", [&] { return history->windowTitle(); },
         [] { return tr("rz6::HistoryWindow", "戦績"); }},
        {"history time heading",
         [&] { return table->model()->headerData(0, Qt::Horizontal).toString(); },
         [] { return tr("rz6::HistoryWindow", "日時（%1）").arg(QStringLiteral("UTC+09:00")); }},
        {"history axis", [&] { return chart->axes(Qt::Vertical).front()->titleText(); },
         [] { return tr("rz6::HistoryWindow", "総合評価"); }},
    };

    std::vector<std::string> japanese;
    for (const ShownText& row : texts)
        japanese.push_back(row.shown().toStdString());
    for (const Language language : {Language::English, Language::Japanese}) {
        ASSERT_TRUE(applyLanguage(language));
        QCoreApplication::processEvents(); // the switch is posted to every window
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string shown = texts[i].shown().toStdString();
            EXPECT_EQ(shown, texts[i].expected().toStdString()) << texts[i].where;
            if (language == Language::English)
                EXPECT_NE(shown, japanese[i]) << texts[i].where;
            else
                EXPECT_EQ(shown, japanese[i]) << texts[i].where;
        }
    }
}

} // namespace
} // namespace rz6::test
