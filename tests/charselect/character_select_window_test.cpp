// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "charselect/character_select_window.h"

#include "charselect/character_target.h"

#include <gtest/gtest.h>

#include "accessible_probe.h"
#include "qt_test_support.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QImage>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QWindow>

namespace rz6 {
namespace {

// Stands in for the battle window and writes down every call in order.
class RecordingTarget : public CharacterTarget {
public:
    void setStatusText(const QString& text) override { calls << QStringLiteral("status ") + text; }
    void setWindowLength(int length) override { calls << QStringLiteral("length %1").arg(length); }
    void setScoreMultiplier(double multiplier) override {
        calls << QStringLiteral("multiplier %1").arg(multiplier);
    }
    void setPortrait(const QString& pictureName) override {
        calls << QStringLiteral("portrait ") + pictureName;
    }

    QStringList calls;
};

QStringList choiceCalls(const QString& name, int length, const QString& multiplier) {
    return {QStringLiteral("status 使用キャラ　:　") + name,
            QStringLiteral("length %1").arg(length), QStringLiteral("multiplier ") + multiplier};
}

const QString ren = QStringLiteral("灰原　蓮");
const QString yukina = QStringLiteral("灰原　雪菜");
const QString sakon = QStringLiteral("真壁　左近");

// Colour the widget paints its background with, as 0x00BBGGRR.
unsigned int backColor(const QWidget* widget) {
    return test::bgrOf(widget->palette().color(widget->backgroundRole()));
}

// Colour actually painted near the widget's bottom right corner, clear of text and marks.
unsigned int paintedColor(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    return test::bgrOf(image.pixelColor(image.width() - 3, image.height() - 3));
}

// Counts palette changes, i.e. repaints caused by a colour being written.
class PaletteWatch : public QObject {
public:
    explicit PaletteWatch(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange)
            ++changes;
        return false;
    }
    int changes = 0;
};

class CharacterSelectWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::testApplication();
        owner = std::make_unique<QWidget>();
        window = new CharacterSelectWindow(target, owner.get());
        spy = std::make_unique<QSignalSpy>(window.data(), &CharacterSelectWindow::confirmed);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    void TearDown() override {
        spy.reset();
        delete window.data();
    }

    template <typename W = QWidget> W* child(const QString& name) {
        auto* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton); }
    void moveOver(const QString& name) { QTest::mouseMove(child(name)); }
    // A spot of bare background, left of the first portrait column.
    void moveOverBackground() { QTest::mouseMove(window, QPoint(20, 300)); }
    // Through the window system, so the key reaches whichever widget holds the focus, with
    // the text a keyboard would send.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QString text;
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            text = QChar(key);
        else if (key == Qt::Key_Return || key == Qt::Key_Enter)
            text = QStringLiteral("\r");
        QTest::sendKeyEvent(QTest::Click, window->windowHandle(), key, text, modifiers);
    }

    bool windowDeleted() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

    QStringList visibleReadyPortraits() {
        QStringList visible;
        for (const char* box : {"Picture1(1)", "Picture2(1)", "Picture3(1)"}) {
            if (child(QLatin1String(box))->isVisible())
                visible << QLatin1String(box);
        }
        return visible;
    }

    std::unique_ptr<QWidget> owner; // the battle window, never shown here
    RecordingTarget target;
    QPointer<CharacterSelectWindow> window;
    std::unique_ptr<QSignalSpy> spy;
};

TEST_F(CharacterSelectWindowTest, OpeningAppliesTheFirstCharacterAtOnceButNotItsPortrait) {
    EXPECT_EQ(target.calls, choiceCalls(ren, 1200, QStringLiteral("1")));
    EXPECT_TRUE(child<QRadioButton>(QStringLiteral("Option1(0)"))->isChecked());
    EXPECT_EQ(visibleReadyPortraits(), QStringList{QStringLiteral("Picture1(1)")});
    EXPECT_EQ(window->windowTitle(), QStringLiteral("使用キャラ選択"));
    EXPECT_EQ(spy->count(), 0);

    // Every picture tells a screen reader what it shows.
    for (const char* name : {"Image1", "Picture1(0)", "Picture1(1)", "Picture2(0)", "Picture2(1)",
                             "Picture3(0)", "Picture3(1)"}) {
        EXPECT_FALSE(child(QLatin1String(name))->accessibleName().isEmpty()) << name;
    }
}

TEST_F(CharacterSelectWindowTest, ChoosingYukinaThenConfirmingHandsOverHerReadyPortrait) {
    target.calls.clear();
    click(QStringLiteral("Option1(1)"));
    EXPECT_EQ(target.calls, choiceCalls(yukina, 1100, QStringLiteral("1.1")));
    EXPECT_EQ(spy->count(), 0);

    click(QStringLiteral("Label1"));
    EXPECT_EQ(target.calls.mid(3), QStringList{QStringLiteral("portrait portrait_yukina_ready")});
    EXPECT_EQ(spy->count(), 1);
    EXPECT_TRUE(windowDeleted());
}

TEST_F(CharacterSelectWindowTest, OnlyTheChosenCharacterStandsReady) {
    click(QStringLiteral("Option1(2)"));
    EXPECT_EQ(visibleReadyPortraits(), QStringList{QStringLiteral("Picture3(1)")});
    for (const char* rest : {"Picture1(0)", "Picture2(0)", "Picture3(0)"})
        EXPECT_TRUE(child(QLatin1String(rest))->isVisible()) << rest;

    click(QStringLiteral("Option1(1)"));
    EXPECT_EQ(visibleReadyPortraits(), QStringList{QStringLiteral("Picture2(1)")});
}

TEST_F(CharacterSelectWindowTest, OptionButtonsNeverKeepTheFocus) {
    auto* option = child(QStringLiteral("Option1(1)"));
    click(QStringLiteral("Option1(1)"));
    EXPECT_NE(QApplication::focusWidget(), option);

    // Focus forced onto a button is moved on to the first portrait at once.
    option->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), child(QStringLiteral("Picture1(0)")));

    // The keys still work with the focus parked there.
    press(Qt::Key_3);
    EXPECT_EQ(window->chosenIndex(), 2);
}

TEST_F(CharacterSelectWindowTest, OptionHighlightsStayUntilThePointerCrossesTheBackground) {
    auto* first = child(QStringLiteral("Option1(0)"));
    auto* second = child(QStringLiteral("Option1(1)"));
    auto* confirm = child(QStringLiteral("Label1"));
    EXPECT_EQ(backColor(first), 0x00C0FFFFu);

    moveOver(QStringLiteral("Option1(0)"));
    moveOver(QStringLiteral("Option1(1)"));
    EXPECT_EQ(backColor(first), 0x0080FF80u);
    EXPECT_EQ(backColor(second), 0x0080FF80u);
    EXPECT_EQ(paintedColor(second), 0x0080FF80u);
    EXPECT_EQ(backColor(confirm), 0x00FFC0C0u);

    moveOverBackground();
    EXPECT_EQ(backColor(first), 0x00C0FFFFu);
    EXPECT_EQ(backColor(second), 0x00C0FFFFu);
    EXPECT_EQ(paintedColor(second), 0x00C0FFFFu);
    EXPECT_EQ(backColor(confirm), 0x00FFC0C0u);

    // Back at rest, further moves about the background write no colour.
    PaletteWatch watch(first);
    QTest::mouseMove(window, QPoint(22, 310));
    moveOverBackground();
    EXPECT_EQ(watch.changes, 0);
}

TEST_F(CharacterSelectWindowTest, ConfirmStaysBlueOverAPortraitUntilTheBackground) {
    auto* confirm = child(QStringLiteral("Label1"));
    moveOver(QStringLiteral("Label1"));
    EXPECT_EQ(backColor(confirm), 0x00FF0000u);

    moveOver(QStringLiteral("Picture2(0)"));
    moveOver(QStringLiteral("Image1"));
    EXPECT_EQ(backColor(confirm), 0x00FF0000u);

    moveOverBackground();
    EXPECT_EQ(backColor(confirm), 0x00FFC0C0u);
}

// Closing through the frame must not leave the battle window disabled: it confirms.
TEST_F(CharacterSelectWindowTest, ClosingThroughTheFrameConfirmsTheChoice) {
    click(QStringLiteral("Option1(2)"));
    target.calls.clear();

    window->windowHandle()->close();
    EXPECT_EQ(target.calls, QStringList{QStringLiteral("portrait portrait_sakon_ready")});
    EXPECT_EQ(spy->count(), 1);
    EXPECT_TRUE(windowDeleted());
}

TEST_F(CharacterSelectWindowTest, ConfirmedIsReportedOnceWhateverTheRoute) {
    click(QStringLiteral("Label1"));
    window->close();
    press(Qt::Key_Return);
    EXPECT_EQ(spy->count(), 1);
    EXPECT_EQ(target.calls.count(QStringLiteral("portrait portrait_ren_ready")), 1);
}

TEST_F(CharacterSelectWindowTest, DigitsAndArrowsChooseLikeAClick) {
    target.calls.clear();
    press(Qt::Key_3);
    EXPECT_EQ(window->chosenIndex(), 2);
    EXPECT_EQ(target.calls, choiceCalls(sakon, 1000, QStringLiteral("1.2")));
    EXPECT_EQ(visibleReadyPortraits(), QStringList{QStringLiteral("Picture3(1)")});
    EXPECT_TRUE(child<QRadioButton>(QStringLiteral("Option1(2)"))->isChecked());

    // The keypad's digits count as digits.
    press(Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(window->chosenIndex(), 1);

    // Digits that name no character change nothing.
    target.calls.clear();
    press(Qt::Key_0);
    press(Qt::Key_4);
    EXPECT_TRUE(target.calls.isEmpty());

    // Arrows step through the row and wrap round at either end.
    press(Qt::Key_Left);
    EXPECT_EQ(window->chosenIndex(), 0);
    EXPECT_EQ(target.calls, choiceCalls(ren, 1200, QStringLiteral("1")));
    press(Qt::Key_Up);
    EXPECT_EQ(window->chosenIndex(), 2);
    press(Qt::Key_Right);
    EXPECT_EQ(window->chosenIndex(), 0);
    press(Qt::Key_Down);
    EXPECT_EQ(window->chosenIndex(), 1);
    EXPECT_EQ(spy->count(), 0);
}

TEST_F(CharacterSelectWindowTest, EnterConfirmsLikeTheButton) {
    press(Qt::Key_2);
    target.calls.clear();
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(target.calls, QStringList{QStringLiteral("portrait portrait_yukina_ready")});
    EXPECT_EQ(spy->count(), 1);
    EXPECT_TRUE(windowDeleted());
}

// Escape leaves the screen the way "決　　定" does; to the bus the screen is a named dialog.
TEST_F(CharacterSelectWindowTest, EscapeConfirmsLikeTheButton) {
    EXPECT_EQ(test::accessibleRole(window), QAccessible::Dialog);
    EXPECT_EQ(test::accessibleText(window), QStringLiteral("使用キャラ選択"));
    press(Qt::Key_3);
    target.calls.clear();
    press(Qt::Key_Escape);
    EXPECT_EQ(target.calls, QStringList{QStringLiteral("portrait portrait_sakon_ready")});
    EXPECT_EQ(spy->count(), 1);
    EXPECT_TRUE(windowDeleted());
}

TEST_F(CharacterSelectWindowTest, ReturnConfirmsTheFirstCharacterWhenNothingWasChosen) {
    target.calls.clear();
    press(Qt::Key_Return);
    EXPECT_EQ(target.calls, QStringList{QStringLiteral("portrait portrait_ren_ready")});
    EXPECT_EQ(spy->count(), 1);
}

} // namespace
} // namespace rz6

namespace rz6 {
namespace {

// The battle window disables itself while the screen is open; the screen must stay usable.
TEST(CharacterSelectWindowOwner, ScreenStaysUsableWhileItsOwnerIsDisabled) {
    test::testApplication();
    QWidget owner;
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    RecordingTarget target;
    QPointer<CharacterSelectWindow> screen = new CharacterSelectWindow(target, &owner);
    QSignalSpy confirmed(screen.data(), &CharacterSelectWindow::confirmed);
    QObject::connect(screen.data(), &CharacterSelectWindow::confirmed, &owner,
                     [&owner] { owner.setEnabled(true); });
    screen->show();
    owner.setEnabled(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
    EXPECT_TRUE(screen->isEnabled());
    EXPECT_EQ(screen->windowHandle()->transientParent(), owner.windowHandle());

    QTest::mouseClick(screen->findChild<QWidget*>(QStringLiteral("Option1(2)")), Qt::LeftButton);
    QTest::mouseClick(screen->findChild<QWidget*>(QStringLiteral("Label1")), Qt::LeftButton);
    EXPECT_EQ(target.calls.last(), QStringLiteral("portrait portrait_sakon_ready"));
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_TRUE(owner.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
}

TEST(CharacterSelectWindowOwner, ScreenGoesQuietlyWithItsOwner) {
    test::testApplication();
    RecordingTarget target;
    auto owner = std::make_unique<QWidget>();
    QPointer<CharacterSelectWindow> screen = new CharacterSelectWindow(target, owner.get());
    QSignalSpy confirmed(screen.data(), &CharacterSelectWindow::confirmed);
    screen->show();
    target.calls.clear();

    owner.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(target.calls.isEmpty());
    EXPECT_EQ(confirmed.count(), 0);
}

} // namespace
} // namespace rz6
