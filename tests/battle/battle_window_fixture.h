// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/battle_window.h"
#include "battle/match_session.h"
#include "battle/virtual_match_clock.h"
#include "common/label_button.h"
#include "common/screen_units.h"
#include "qt_test_support.h"
#include "scripted_random_source.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

namespace rz6::test {

// A battle window showing a match session on a scripted board and a virtual clock, shown
// offscreen. Tests move the clock by hand, or call the session's tick and end of the pause;
// nothing waits on the wall clock.
class BattleWindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testApplication(); }

    void SetUp() override {
        auto virtualClock = std::make_unique<VirtualMatchClock>();
        clock = virtualClock.get();
        session = std::make_unique<MatchSession>(random, std::move(virtualClock));
        window = std::make_unique<BattleWindow>(*session);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QLabel> T* widget(const QString& name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLabel* label(const QString& name) const { return widget<QLabel>(name); }
    QString text(const QString& name) const { return label(name)->text(); }
    QAction* action(const char* name) const { return widget<QAction>(QString::fromLatin1(name)); }
    QColor back(const QString& name) const {
        return label(name)->palette().color(QPalette::Window);
    }
    QLabel* cell(int i) const { return label(QStringLiteral("Label1(%1)").arg(i)); }
    QLabel* keypad(int digit) const { return label(QStringLiteral("Image1(%1)").arg(digit)); }
    LabelButton* button(int i) const {
        return widget<LabelButton>(QStringLiteral("BtnLabel(%1)").arg(i));
    }
    QString panel(int i) const { return text(QStringLiteral("Panel(%1)").arg(i)); }

    void start(std::string_view board) {
        random.queueDigits(board);
        window->startMatch();
        ASSERT_EQ(random.remaining(), 0u);
    }
    // Types characters on the real keyboard path (key events to the window).
    void type(const char* keys) { QTest::keyClicks(window.get(), QString::fromLatin1(keys)); }
    void enter() { QTest::keyClick(window.get(), Qt::Key_Return); }

    ScriptedRandomSource random;
    VirtualMatchClock* clock = nullptr;
    std::unique_ptr<MatchSession> session;
    std::unique_ptr<BattleWindow> window; // goes before the session it shows
};

} // namespace rz6::test
