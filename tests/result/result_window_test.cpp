// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The result screen: what it shows for a finished match, the hover rule of its two buttons,
// and the one action each screen sends.
#include "result/result_window.h"

#include "common/label_button.h"
#include "common/screen_units.h"

#include "accessible_probe.h"
#include "qt_test_support.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTextDocument>
#include <QWindow>

#include <gtest/gtest.h>

#include <limits>

namespace rz6 {
namespace {

constexpr unsigned int restColor = 0x00FFC0C0;
constexpr unsigned int hoverColor = 0x00FF0000;

std::array<bool, techniqueCount> usedTechniques(std::initializer_list<int> ids) {
    std::array<bool, techniqueCount> used{};
    for (int id : ids)
        used[static_cast<std::size_t>(id)] = true;
    return used;
}

std::array<bool, techniqueCount> allTechniques() {
    std::array<bool, techniqueCount> used{};
    used.fill(true);
    return used;
}

class ResultWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() { test::testApplication(); }

    void TearDown() override {
        if (window)
            window->closeWithoutAction();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ResultWindow* open(std::int32_t score, const std::array<bool, techniqueCount>& used) {
        window = new ResultWindow(rateMatch(score, used));
        window->show();
        return window;
    }

    template <typename T> T* find(const QString& name) {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    LabelButton* button(int i) { return find<LabelButton>(QStringLiteral("BtnLabel(%1)").arg(i)); }
    QSlider* slider() { return find<QSlider>(QStringLiteral("Slider1")); }

    QPointer<ResultWindow> window;
};

TEST_F(ResultWindowTest, ShowsTheRatingOfTheFinishedMatch) {
    open(1000, usedTechniques({0, 8, 39}));
    EXPECT_EQ(window->objectName(), QStringLiteral("gmend"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("競技終了"));
    EXPECT_EQ(text(QStringLiteral("Label2")), QStringLiteral("1000"));
    EXPECT_EQ(text(QStringLiteral("Label4")), QStringLiteral("300"));
    EXPECT_EQ(text(QStringLiteral("Label5")), QStringLiteral("1300"));
    EXPECT_EQ(slider()->value(), 9);
}

TEST_F(ResultWindowTest, NegativeScoreRoundsDownAndRanksLast) {
    open(-50, usedTechniques({12}));
    EXPECT_EQ(text(QStringLiteral("Label2")), QStringLiteral("-50"));
    EXPECT_EQ(text(QStringLiteral("Label4")), QStringLiteral("-6"));
    EXPECT_EQ(text(QStringLiteral("Label5")), QStringLiteral("-56"));
    EXPECT_EQ(slider()->value(), 10);
}

// Regression: a total past the 32-bit range used to stop the program while it was ranked.
TEST_F(ResultWindowTest, HugeTotalIsShownWhole) {
    constexpr std::int32_t top = std::numeric_limits<std::int32_t>::max();
    open(top, allTechniques());
    EXPECT_EQ(text(QStringLiteral("Label2")), QStringLiteral("2147483647"));
    EXPECT_EQ(text(QStringLiteral("Label4")), QStringLiteral("8589934588"));
    EXPECT_EQ(text(QStringLiteral("Label5")), QStringLiteral("10737418235"));
    EXPECT_EQ(slider()->value(), 1);
}

TEST_F(ResultWindowTest, FixedScreenShowsAllTenRanksBesideTheSlider) {
    open(0, {});
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);

    EXPECT_EQ(slider()->orientation(), Qt::Vertical);
    EXPECT_EQ(slider()->minimum(), 1);
    EXPECT_EQ(slider()->maximum(), 10);
    EXPECT_TRUE(slider()->invertedAppearance()); // position 1 at the top

    auto* list = find<QTextEdit>(QStringLiteral("Text1"));
    EXPECT_TRUE(list->isReadOnly());
    EXPECT_EQ(list->toPlainText(),
              QStringLiteral("剣\u3000\u3000聖\n剣\u3000\u3000神\n剣\u3000\u3000鬼\n"
                             "剣\u3000\u3000豪\n剣\u3000\u3000士\n免許皆伝\n目\u3000\u3000録\n"
                             "中 目 録\n門\u3000\u3000人\n入 門 者"));
    // All ten names show at once, without scrolling.
    EXPECT_LE(list->document()->size().height(), list->viewport()->height());

    for (int i = 0; i < 3; ++i) {
        auto* heading = find<QLabel>(QStringLiteral("Image1(%1)").arg(i));
        EXPECT_FALSE(heading->pixmap().isNull()) << i;
        EXPECT_FALSE(heading->accessibleName().isEmpty()) << i;
    }
    EXPECT_EQ(button(1)->backColor(), bgrColor(restColor));
}

TEST_F(ResultWindowTest, PlayerCannotMoveTheRankSlider) {
    open(1000, usedTechniques({1, 2, 3}));
    QTest::mouseClick(slider(), Qt::LeftButton, {}, QPoint(12, 380));
    QTest::keyClick(slider(), Qt::Key_Down);
    QTest::keyClick(slider(), Qt::Key_End);
    EXPECT_EQ(slider()->value(), 9);
}

// Moving over a button highlights only it; the bare form puts both back to rest; any other
// control leaves them as they are.
TEST_F(ResultWindowTest, HoverFollowsTheLabelButtonRule) {
    open(1000, {});
    const QPoint bareForm(300, 140);
    ASSERT_EQ(window->childAt(bareForm), nullptr);

    QTest::mouseMove(button(0), QPoint(10, 10));
    EXPECT_EQ(button(0)->backColor(), bgrColor(hoverColor));
    EXPECT_EQ(button(1)->backColor(), bgrColor(restColor));

    QTest::mouseMove(button(1), QPoint(10, 10));
    EXPECT_EQ(button(0)->backColor(), bgrColor(hoverColor));
    EXPECT_EQ(button(1)->backColor(), bgrColor(hoverColor));

    // Over the labels, the rank list and the slider nothing changes, even when the move is
    // handed on to the form.
    for (const char* name : {"Label5", "Image1(1)", "Text1", "Slider1"}) {
        QWidget* control = find<QWidget>(QString::fromLatin1(name));
        QTest::mouseMove(control, QPoint(5, 5));
        QTest::mouseMove(window, control->geometry().topLeft() + QPoint(5, 5));
        EXPECT_TRUE(button(0)->isHighlighted()) << name;
        EXPECT_TRUE(button(1)->isHighlighted()) << name;
    }

    QTest::mouseMove(window, bareForm);
    EXPECT_EQ(button(0)->backColor(), bgrColor(restColor));
    EXPECT_EQ(button(1)->backColor(), bgrColor(restColor));
}

TEST_F(ResultWindowTest, RematchIsTheOnlyActionAndClosingAfterItSendsNoQuit) {
    open(1000, {});
    QSignalSpy rematch(window.data(), &ResultWindow::rematchRequested);
    QSignalSpy quit(window.data(), &ResultWindow::quitRequested);
    QTest::mouseClick(button(0), Qt::LeftButton);
    QTest::mouseClick(button(1), Qt::LeftButton); // a second choice is ignored
    QTest::mouseClick(button(0), Qt::LeftButton);
    EXPECT_EQ(rematch.count(), 1);
    EXPECT_EQ(quit.count(), 0);

    // What the program does once the battle window is rebuilt.
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(quit.count(), 0);
    EXPECT_TRUE(window.isNull()); // deleted on close
}

// A keyboard player starts on "再試合" and Tabs between the two buttons; Escape ends
// nothing, so a slip of the finger never quits the game. To the bus it is a named dialog.
TEST_F(ResultWindowTest, KeyboardStartsOnRematchAndEscapeEndsNothing) {
    open(1000, {});
    QSignalSpy rematch(window.data(), &ResultWindow::rematchRequested);
    QSignalSpy quit(window.data(), &ResultWindow::quitRequested);
    EXPECT_EQ(test::accessibleRole(window), QAccessible::Dialog);
    EXPECT_EQ(test::accessibleText(window), QStringLiteral("競技終了"));
    EXPECT_EQ(window->focusWidget(), button(0));
    for (LabelButton* next : {button(1), button(0)}) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(window->focusWidget(), next);
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(rematch.count() + quit.count(), 0);
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(rematch.count(), 1);
    EXPECT_EQ(quit.count(), 0);
}

TEST_F(ResultWindowTest, QuitButtonSendsQuitOnce) {
    open(1000, {});
    QSignalSpy rematch(window.data(), &ResultWindow::rematchRequested);
    QSignalSpy quit(window.data(), &ResultWindow::quitRequested);
    QTest::mouseClick(button(1), Qt::LeftButton);
    window->close();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_EQ(rematch.count(), 0);
}

TEST_F(ResultWindowTest, ClosingThroughTheFrameMeansQuitOnce) {
    open(1000, {});
    QSignalSpy quit(window.data(), &ResultWindow::quitRequested);
    // The program closes the screen when it hears quit, as it will in the game.
    QObject::connect(window.data(), &ResultWindow::quitRequested, window.data(),
                     [w = window.data()] { w->close(); });
    ASSERT_NE(window->windowHandle(), nullptr);
    window->windowHandle()->close();
    if (window)
        window->close();
    EXPECT_EQ(quit.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(ResultWindowTest, ClosingWithoutActionSendsNothing) {
    open(1000, {});
    QSignalSpy rematch(window.data(), &ResultWindow::rematchRequested);
    QSignalSpy quit(window.data(), &ResultWindow::quitRequested);
    window->closeWithoutAction();
    EXPECT_EQ(quit.count() + rematch.count(), 0);
}

} // namespace
} // namespace rz6
