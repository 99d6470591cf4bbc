// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The battle screen to a player without sight or mouse: state labels read and announce what
// they show, and the label-buttons are buttons that never take a key away from the match.
#include "accessible_probe.h"
#include "battle_window_fixture.h"
#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QSignalSpy>

#include <functional>
#include <map>

namespace rz6::test {
namespace {

class BattleWindowAccessTest : public BattleWindowFixture {};

// Calls back on every event of one type that reaches the watched object.
class EventWatch : public QObject {
public:
    EventWatch(QObject* watched, QEvent::Type type, std::function<void()> seen)
        : type_(type), seen_(std::move(seen)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_)
            seen_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> seen_;
};

// Each state label is read by its text at every moment of a match, and says what it is in
// its description; red cells and the pink (open) input are told there too.
TEST_F(BattleWindowAccessTest, StateLabelsReadTheirTextThroughAMatch) {
    const std::map<QString, QString> roles{{"InputLabel", "入力"},
                                           {"RenLabel", "連撃"},
                                           {"MesLabel", "メッセージ"},
                                           {"GetPtLabel", "得点"},
                                           {"TurnLabel", "残りターン"}};
    std::map<QString, QStringList> seen;
    auto look = [&] {
        for (const auto& [name, role] : roles) {
            QLabel* shown = label(name);
            EXPECT_EQ(accessibleText(shown), shown->text()) << name.toStdString();
            EXPECT_TRUE(shown->accessibleDescription().startsWith(role)) << name.toStdString();
            seen[name] << shown->text();
        }
    };
    start("7418529637418529");
    type("12");
    look();
    enter(); // 姿勢を崩した！ -50
    look();
    random.queueDigits("741");
    type("7410"); // a technique
    look();
    EXPECT_EQ(cell(0)->accessibleDescription(), QStringLiteral("盤 1行1列（使用済み）"));
    EXPECT_EQ(cell(3)->accessibleDescription(), QStringLiteral("盤 1行4列"));
    session->endPause();
    EXPECT_EQ(cell(0)->accessibleDescription(), QStringLiteral("盤 1行1列"));
    EXPECT_EQ(label("InputLabel")->accessibleDescription(), QStringLiteral("入力（連撃受付中）"));
    random.queueDigits("852");
    type("8520"); // on in the open window: 2連撃
    look();
    session->endPause();
    for (int tick = 0; tick < 30; ++tick)
        session->tick();
    look();
    EXPECT_EQ(label("InputLabel")->accessibleDescription(), QStringLiteral("入力"));
    for (auto [name, texts] : seen) {
        texts.removeDuplicates();
        EXPECT_GT(texts.size(), 1) << name.toStdString() << " never changed";
    }
}

// A screen reader speaks a notification as it is shown, so every outcome shows the
// notification once, named by its phrase, as it reaches the screen: never for a typed digit,
// a step of the gauge or a tick that changes nothing a player hears.
TEST_F(BattleWindowAccessTest, EveryOutcomeIsAnnouncedOnceAsItShows) {
    QWidget* notification = widget<QWidget>(QStringLiteral("Announcement"));
    ASSERT_NE(notification, nullptr);
    EXPECT_EQ(accessibleRole(notification), QAccessible::Notification);
    EXPECT_EQ(accessibleRole(widget<QWidget>(QStringLiteral("StatusBar1"))),
              QAccessible::StatusBar);
    QStringList heard;
    EventWatch shows(notification, QEvent::Show, [&] { heard << notification->accessibleName(); });
    start("1234567812345678"); // no 9 on the board
    type("12");
    enter();
    random.queueDigits("123");
    type("1230");
    session->endPause(); // the window opens at once
    random.queueDigits("456");
    type("4560");
    type("7"); // queued during the pause, then dropped by a queued Enter
    enter();
    session->endPause();
    for (int tick = 0; tick < 30; ++tick)
        session->tick();
    type("9990");
    EXPECT_EQ(heard, (QStringList{"姿勢を崩した！、-50点", "金剛撃、100点、残り9ターン",
                                  "旋風斬、100点、2連撃", "姿勢を崩した！、-50点",
                                  "空振 9、-100点、残り8ターン"}));
    EXPECT_TRUE(notification->geometry().isEmpty()) << "the notification must draw nothing";
}

// Tab walks the window and its four buttons; Space, Enter and the bus's press action press
// them; a click presses without taking the focus, so a mouse player sees no focus mark.
TEST_F(BattleWindowAccessTest, LabelButtonsAreButtonsToKeyboardAndBus) {
    window->setFocus();
    QWidget* order[] = {window.get(), button(0), button(1), button(2), button(3), window.get()};
    for (QWidget* expected : order) {
        EXPECT_EQ(QApplication::focusWidget(), expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(accessibleRole(button(i)), QAccessible::Button);
        EXPECT_EQ(accessibleText(button(i), QAccessible::Name), button(i)->text());
    }

    LabelButton* quit = button(3); // only sends a request nobody takes up here
    QSignalSpy pressed(quit, &LabelButton::clicked);
    QTest::mouseClick(quit, Qt::LeftButton);
    EXPECT_FALSE(quit->hasFocus());
    quit->setFocus();
    QTest::keyClick(quit, Qt::Key_Space);
    QTest::keyClick(quit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(quit, Qt::Key_Escape);
    // Space or Enter with Ctrl, Alt or Shift is another command, not a press; a key held
    // down presses once, not again with every repeat.
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return})
        for (const Qt::KeyboardModifier modifier :
             {Qt::ControlModifier, Qt::AltModifier, Qt::ShiftModifier})
            QTest::keyClick(quit, key, modifier);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(quit, &repeat);
    }
    EXPECT_EQ(pressed.count(), 3);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(quit);
    ASSERT_NE(iface->actionInterface(), nullptr);
    EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(pressed.count(), 4);
}

// With a label-button focused the match still gets every digit, 0 and Enter.
TEST_F(BattleWindowAccessTest, FocusedButtonNeverTakesAKeyFromTheMatch) {
    start("7418529637418529");
    for (int i = 0; i < 4; ++i) {
        QSignalSpy pressed(button(i), &LabelButton::clicked);
        button(i)->setFocus();
        QTest::keyClicks(button(i), QStringLiteral("12"));
        EXPECT_EQ(text("InputLabel"), QStringLiteral("12"));
        QTest::keyClick(button(i), Qt::Key_Return);
        QTest::keyClick(button(i), Qt::Key_3, Qt::KeypadModifier);
        QTest::keyClick(button(i), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(text("MesLabel"), QStringLiteral("姿勢を崩した！"));
        EXPECT_EQ(session->match().score(), -100 * (i + 1));
        EXPECT_EQ(pressed.count(), 0) << i;
    }
    button(0)->setFocus();
    random.queueDigits("741");
    QTest::keyClicks(button(0), QStringLiteral("7410"));
    EXPECT_EQ(session->match().lastOutcome(), StrikeOutcome::Technique);
}

} // namespace
} // namespace rz6::test
