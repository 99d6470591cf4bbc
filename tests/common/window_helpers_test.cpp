// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The shared window pieces: back colours that repaint only on change, windows placed where
// the player can always reach their title bar, and fixed-size windows that stay unmaximised.
#include "common/back_color.h"
#include "common/label_button.h"
#include "common/owned_window.h"
#include "common/qt_text.h"
#include "common/screen_units.h"
#include "common/window_centring.h"
#include "qt_test_support.h"

#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

namespace rz6::test {
namespace {

class PaletteChanges : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::PaletteChange;
        return false;
    }
};

TEST(BackColor, FillsTheWidgetsOwnRoleAndRepaintsOnlyOnChange) {
    testApplication();
    QLabel label;
    QRadioButton option;
    PaletteChanges changes;
    for (QWidget* widget : {static_cast<QWidget*>(&label), static_cast<QWidget*>(&option)}) {
        widget->installEventFilter(&changes);
        changes.count = 0;
        setBackColor(widget, 0x0080FF80u);
        setBackColor(widget, 0x0080FF80u);
        EXPECT_TRUE(widget->autoFillBackground());
        EXPECT_EQ(widget->palette().color(widget->backgroundRole()), QColor(0x80, 0xFF, 0x80));
        EXPECT_EQ(changes.count, 1) << "a colour already shown is not written again";
    }
}

TEST(CentreWindow, CentresOnTheScreenAndKeepsAnOversizedWindowsTitleBarOnIt) {
    testApplication();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget small;
    small.resize(200, 100);
    centreWindow(&small);
    EXPECT_EQ(small.frameGeometry().center(), area.center());

    QWidget huge;
    huge.resize(area.width() * 2, area.height() * 2);
    centreWindow(&huge);
    EXPECT_EQ(huge.frameGeometry().topLeft(), area.topLeft());
}

TEST(IndexedName, NamesAMemberOfAWidgetArray) {
    EXPECT_EQ(indexedName("Label1", 3), QStringLiteral("Label1(3)"));
    EXPECT_EQ(fromUtf8("終\u3000了").size(), 3);
}

// Qt's own title bar on Wayland offers maximise on every window and asks for it on the window
// itself; a fixed-size one refuses at once, a window the player may resize keeps it.
TEST(RefuseMaximise, UndoesTheMaximiseOfAFixedSizeWindowOnly) {
    refuseMaximiseOfFixedSizeWindows(testApplication());
    QWidget fixed;
    fixed.setFixedSize(200, 100);
    QWidget resizable;
    resizable.resize(200, 100);
    for (QWidget* window : {&fixed, &resizable}) {
        window->show();
        window->windowHandle()->setWindowStates(Qt::WindowMaximized);
    }
    EXPECT_FALSE(fixed.windowHandle()->windowStates().testFlag(Qt::WindowMaximized));
    EXPECT_TRUE(resizable.windowHandle()->windowStates().testFlag(Qt::WindowMaximized));
}

// A label-button takes the focus yet draws its caption as a plain label does, without the
// text editor Qt gives a focusable label (a document laid out for every caption, the battle
// screen's first frame slower by four of them), and looks the same as such a label.
TEST(LabelButtonCaption, DrawnAsAPlainLabelWithoutATextEditor) {
    testApplication();
    QWidget window;
    auto* button = new LabelButton(QStringLiteral("試合開始"), &window);
    auto* plain = new QLabel(QStringLiteral("履　　　歴"), &window);
    for (QLabel* label : {static_cast<QLabel*>(button), plain}) {
        label->setFont(designFont({"ＭＳ 明朝", 12}));
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        label->setPalette(button->palette());
        label->resize(89, 17);
    }
    window.show();
    button->setCaption(QStringLiteral("履　　　歴"));
    button->setFocus();
    button->clearFocus();
    const auto editors = [&] {
        int count = 0;
        for (const QObject* child : button->children())
            count += QLatin1String(child->metaObject()->className()) ==
                     QLatin1String("QWidgetTextControl");
        return count;
    };
    EXPECT_EQ(editors(), 0);
    EXPECT_EQ(button->grab().toImage(), plain->grab().toImage());
}

// A design name is asked for by the name its face is installed under, so that Qt finds it
// without searching the desktop's fonts, and the face drawn is the one the design name gives.
TEST(DesignFont, AskedByItsInstalledNameDrawsTheFaceOfItsDesignName) {
    testApplication();
    for (const char* name : {"ＭＳ 明朝", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ Ｐゴシック"}) {
        for (const bool bold : {false, true}) {
            const QFont asked = designFont({name, 15.75, bold, bold});
            QFont designed(QString::fromUtf8(name));
            designed.setPointSizeF(15.75);
            designed.setBold(bold);
            designed.setItalic(bold);
            const QFontInfo drawn(asked);
            const QFontInfo drawnByDesignName(designed);
            EXPECT_EQ(asked.family(), drawn.family()) << name;
            EXPECT_EQ(drawn.family(), drawnByDesignName.family()) << name;
            EXPECT_EQ(drawn.styleName(), drawnByDesignName.styleName()) << name;
            EXPECT_EQ(drawn.pixelSize(), drawnByDesignName.pixelSize()) << name;
        }
    }
    const QString ms = QStringLiteral("ＭＳ 明朝");
    const QString ipa = QStringLiteral("IPAMincho");
    EXPECT_EQ(chooseFamily(ms, ipa, {QStringLiteral("ipamincho"), ms}), ms);
    EXPECT_EQ(chooseFamily(ms, ipa, {QStringLiteral("ipamincho")}), ipa);
    EXPECT_EQ(chooseFamily(ms, ipa, {QStringLiteral("DejaVu Sans")}), ms);
}

} // namespace
} // namespace rz6::test
