// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "record/technique_record_window.h"

#include "record/technique_record_entries.h"

#include <gtest/gtest.h>

#include "accessible_probe.h"
#include "qt_test_support.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <climits>

namespace rz6 {
namespace {

QApplication& application() {
    return test::testApplication();
}

unsigned int backColor(const QWidget* widget) {
    return test::bgrOf(widget->palette().color(QPalette::Window));
}

QString shownText(std::string_view description) {
    return QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size()))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Keeps the descriptions the screen would show instead of opening a box.
class ProbeWindow : public TechniqueRecordWindow {
public:
    using TechniqueRecordWindow::TechniqueRecordWindow;
    QStringList texts;

protected:
    void showDescription(std::string_view description) override { texts << shownText(description); }
};

class TechniqueRecordWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        application();
        record.fill(0);
    }
    void TearDown() override { delete window.data(); }

    // Builds the screen from the record as it stands and shows it.
    ProbeWindow* open(QWidget* parent = nullptr) {
        auto* probe = new ProbeWindow(record, parent);
        window = probe;
        spy = std::make_unique<QSignalSpy>(probe, &TechniqueRecordWindow::closed);
        probe->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(probe));
        return probe;
    }
    template <typename T = QLabel> T* child(const QString& name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLabel* label(int column, int index) const {
        return child(QStringLiteral("Label%1(%2)").arg(column).arg(index));
    }
    void selectTab(int index) {
        auto* tabs = child<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
    bool rowShown(int id) const {
        const bool name = !label(1, id)->isHidden();
        EXPECT_EQ(!label(2, id)->isHidden(), name) << id;
        EXPECT_EQ(!label(3, id)->isHidden(), name) << id;
        return name;
    }
    std::vector<int> shownRows() const {
        std::vector<int> rows;
        for (int id = 0; id < techniqueCount; ++id)
            if (rowShown(id))
                rows.push_back(id);
        return rows;
    }
    void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    RecordTable record{};
    QPointer<TechniqueRecordWindow> window;
    std::unique_ptr<QSignalSpy> spy;
};

TEST_F(TechniqueRecordWindowTest, IsAFixedToolWindowWithoutFrameButtons) {
    open();
    EXPECT_EQ(window->objectName(), QStringLiteral("wazahis"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("技履歴"));
    EXPECT_EQ(window->size(), QSize(618, 425));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint));
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    // The strip's place: the tabs along its top, the page frame over all of it.
    EXPECT_EQ(child<QWidget>(QStringLiteral("TabPane"))->geometry(), QRect(0, 0, 617, 425));
    EXPECT_EQ(child<QTabBar>(QStringLiteral("TabStrip1"))->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(child<QTabBar>(QStringLiteral("TabStrip1"))->width(), 617);
}

TEST_F(TechniqueRecordWindowTest, FreshRecordShowsNoTechniqueAndZeroTotals) {
    open();
    EXPECT_TRUE(shownRows().empty());
    EXPECT_FALSE(child<QGroupBox>(QStringLiteral("Frame1"))->isHidden());
    const char* ranks[] = {"壱", "弐", "参", "四", "五"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(label(4, row)->text(), QStringLiteral("0"));
        EXPECT_TRUE(label(4, row)->isVisible());
        EXPECT_EQ(label(5, row)->text(), QString::fromUtf8(ranks[row]));
        EXPECT_EQ(label(4, row)->geometry(), QRect(32, 24 * row, 73, 17));
        EXPECT_EQ(backColor(label(5, row)), 0x00C0C0FFu);
        EXPECT_EQ(label(4, row)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        // Tab reaches each rank, which reads with its total.
        EXPECT_EQ(label(5, row)->focusPolicy(), Qt::TabFocus);
        EXPECT_EQ(test::accessibleText(label(5, row)), QString::fromUtf8(ranks[row]) + " 0");
    }
    EXPECT_EQ(child<QTabBar>(QStringLiteral("TabStrip1"))->currentIndex(), 0);
    EXPECT_TRUE(child<QWidget>(QStringLiteral("TabFr(0)"))->isVisible());
    EXPECT_TRUE(child<QWidget>(QStringLiteral("TabFr(1)"))->isHidden());
}

TEST_F(TechniqueRecordWindowTest, TechniqueLandedTwiceShowsOnlyItsRowInPlace) {
    record[firstCountElement + 9] = 2; // "852" twice
    open();
    record[firstCountElement + 10] = 5; // read once, when built: later changes do not show
    EXPECT_EQ(shownRows(), std::vector<int>{9});
    selectTab(1);
    QLabel* name = label(1, 9);
    EXPECT_EQ(name->text(), QStringLiteral("斗　波"));
    EXPECT_EQ(label(2, 9)->text(), QStringLiteral("2"));
    EXPECT_EQ(label(3, 9)->text(), QStringLiteral("852"));
    EXPECT_EQ(name->parentWidget(), child<QWidget>(QStringLiteral("TabFr(1)")));
    EXPECT_EQ(name->geometry(), QRect(8, 48, 97, 17));
    EXPECT_EQ(label(2, 9)->geometry(), QRect(104, 48, 49, 17));
    EXPECT_EQ(label(3, 9)->geometry(), QRect(152, 48, 105, 17));
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(backColor(name), 0x00FFC0C0u);
    EXPECT_EQ(backColor(label(2, 9)), 0x00FFFFC0u);
    EXPECT_EQ(backColor(label(3, 9)), 0x00C0E0FFu);
    EXPECT_EQ(name->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(label(2, 9)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_NE(name->frameShape(), QFrame::NoFrame);
    EXPECT_FALSE(label(1, 10)->isVisible());
}

TEST_F(TechniqueRecordWindowTest, EachSequenceCaptionBelongsToItsOwnRow) {
    record[firstCountElement + 6] = 1; // "159"
    open();
    EXPECT_EQ(shownRows(), std::vector<int>{6});
    EXPECT_EQ(label(1, 6)->text(), QStringLiteral("白　鳳　剣"));
    EXPECT_EQ(label(2, 6)->text(), QStringLiteral("1"));
    EXPECT_EQ(label(3, 6)->text(), QStringLiteral("159/357"));
    EXPECT_EQ(label(1, 6)->y(), 272);
    EXPECT_EQ(label(1, 7)->text(), QStringLiteral("落　鳳　剣"));
}

TEST_F(TechniqueRecordWindowTest, NumbersAreWholePlainDecimals) {
    record[0] = 123456;
    record[1] = -250;
    record[2] = INT32_MAX;
    record[3] = INT32_MIN;
    record[firstCountElement + 3] = 123456;
    record[firstCountElement + 4] = -7; // only a damaged record holds this; shown all the same
    record[firstCountElement + 5] = INT32_MIN;
    record[firstCountElement + 27] = 3; // a gate no sequence reaches, from a damaged record
    open();
    EXPECT_EQ(label(4, 0)->text(), QStringLiteral("123456"));
    EXPECT_EQ(label(4, 1)->text(), QStringLiteral("-250"));
    EXPECT_EQ(label(4, 2)->text(), QStringLiteral("2147483647"));
    EXPECT_EQ(label(4, 3)->text(), QStringLiteral("-2147483648"));
    EXPECT_EQ(label(2, 3)->text(), QStringLiteral("123456"));
    EXPECT_EQ(label(2, 4)->text(), QStringLiteral("-7"));
    EXPECT_EQ(label(2, 5)->text(), QStringLiteral("-2147483648"));
    EXPECT_EQ(shownRows(), (std::vector<int>{3, 4, 5, 27}));
    EXPECT_EQ(label(1, 27)->parentWidget(), child<QGroupBox>(QStringLiteral("Frame1")));
    EXPECT_EQ(label(1, 27)->geometry(), QRect(8, 16, 41, 17));
    // Wide numbers are drawn whole, never cut to their last digits.
    for (QLabel* number : {label(4, 2), label(4, 3), label(2, 3), label(2, 5), label(1, 27)})
        EXPECT_LE(QFontMetrics(number->font()).horizontalAdvance(number->text()),
                  number->contentsRect().width())
            << number->objectName().toStdString();
}

TEST_F(TechniqueRecordWindowTest, ClickOnNameOpensItsDescriptionBox) {
    record[firstCountElement + 14] = 1;
    auto* screen = new TechniqueRecordWindow(record);
    window = screen;
    screen->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
    selectTab(1);
    const QString description = shownText(techniqueRecordEntries()[14].description);
    QLabel* name = label(1, 14);
    EXPECT_EQ(name->toolTip(), description);
    EXPECT_EQ(name->accessibleDescription(), description);

    // The box opens without a loop of its own and owned by this screen: the screen can be
    // destroyed while the box is up (the match ending behind it and a rematch), and the box
    // goes with it. It blocks nothing, so the result screen of that match takes clicks.
    QTest::mouseClick(name, Qt::LeftButton);
    QPointer<QMessageBox> box = screen->findChild<QMessageBox*>(QStringLiteral("DescriptionBox"));
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("技詳細"));
    EXPECT_EQ(box->text(), description);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    delete box.data();

    // Opened from the keyboard, the box gives the focus back to its row when it closes.
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    box = screen->findChild<QMessageBox*>(QStringLiteral("DescriptionBox"));
    ASSERT_FALSE(box.isNull());
    box->setFocus();
    box->accept();
    EXPECT_EQ(screen->focusWidget(), name);
    delete screen;
    EXPECT_TRUE(box.isNull());
}

TEST_F(TechniqueRecordWindowTest, FrameAnswersOnlyClicksOutsideItsLabels) {
    record[firstCountElement + 28] = 1;
    record[firstCountElement + 13] = 2;
    ProbeWindow* probe = open();
    selectTab(1);
    auto* gates = child<QGroupBox>(QStringLiteral("Frame1"));
    EXPECT_EQ(gates->title(), QStringLiteral("四天六門"));
    const QString gatesText = shownText(hiddenGatesDescription());
    EXPECT_EQ(gates->toolTip(), gatesText);

    QTest::mouseClick(gates, Qt::LeftButton, {}, QPoint(gates->width() - 4, gates->height() - 4));
    QTest::mouseClick(label(2, 28), Qt::LeftButton); // a count label is not a button
    QTest::mouseClick(label(3, 13), Qt::LeftButton);
    QTest::mouseClick(label(1, 13), Qt::LeftButton);
    // The place of a hidden name lies on the bare tab: nothing happens there.
    QWidget* techniques = child<QWidget>(QStringLiteral("TabFr(1)"));
    QTest::mouseClick(techniques, Qt::LeftButton, {}, label(1, 9)->geometry().center());

    EXPECT_EQ(probe->texts,
              (QStringList{gatesText, shownText(techniqueRecordEntries()[13].description)}));
}

TEST_F(TechniqueRecordWindowTest, TabsShowOneFrameAtATime) {
    open();
    auto* totals = child<QWidget>(QStringLiteral("TabFr(0)"));
    auto* techniques = child<QWidget>(QStringLiteral("TabFr(1)"));
    EXPECT_EQ(totals->geometry(), QRect(16, 24, 593, 121));
    EXPECT_EQ(techniques->geometry(), QRect(16, 24, 593, 393));
    auto* tabs = child<QTabBar>(QStringLiteral("TabStrip1"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("得点履歴"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("技履歴"));
    // The tabs end where the frames begin, so a frame never covers a tab.
    EXPECT_LE(tabs->tabRect(1).bottom(), totals->y());

    selectTab(1);
    EXPECT_TRUE(techniques->isVisible());
    EXPECT_FALSE(totals->isVisible());
    selectTab(0);
    EXPECT_TRUE(totals->isVisible());
    EXPECT_FALSE(techniques->isVisible());
    EXPECT_TRUE(label(4, 0)->isVisible());
}

// Regression: the tab strip once spanned the whole window and painted a grey patch under
// the selected tab. It paints nothing below its tabs, whichever tab is selected; the page
// frame beneath is another widget's.
TEST_F(TechniqueRecordWindowTest, TabStripPaintsNothingBelowItsTabs) {
    open();
    auto* tabs = child<QTabBar>(QStringLiteral("TabStrip1"));
    for (int selected : {0, 1}) {
        selectTab(selected);
        const int tabsBottom = std::max(tabs->tabRect(0).bottom(), tabs->tabRect(1).bottom());
        QImage painted(window->size(), QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::transparent);
        tabs->render(&painted, tabs->pos(), QRegion(), QWidget::DrawChildren);
        int paintedBelow = 0;
        for (int y = tabs->y() + tabsBottom + 1; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                paintedBelow += qAlpha(painted.pixel(x, y)) != 0;
        EXPECT_EQ(paintedBelow, 0) << "tab " << selected;
        EXPECT_GT(qAlpha(painted.pixel(tabs->tabRect(selected).center() + tabs->pos())), 0);
    }
}

TEST_F(TechniqueRecordWindowTest, BothCloseButtonsCloseTheScreenOnce) {
    for (const char* name : {"ClBtn(1)", "ClBtn(0)"}) {
        open();
        if (QString::fromLatin1(name) == QStringLiteral("ClBtn(0)"))
            selectTab(1);
        auto* button = child<QPushButton>(QString::fromLatin1(name));
        EXPECT_EQ(button->text(), QStringLiteral("閉じる"));
        EXPECT_EQ(button->geometry(), QRect(544, 0, 49, 25));
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(spy->count(), 1) << name;
        EXPECT_FALSE(window->isVisible());
        flushDeletes();
        EXPECT_TRUE(window.isNull()) << name;
        EXPECT_EQ(spy->count(), 1) << name;
    }
}

// Tab goes from the tab strip through the landed rows to "閉じる"; Enter or Space on a row
// opens its description, and Escape closes the screen as "閉じる" does.
TEST_F(TechniqueRecordWindowTest, KeyboardReadsTheRowsAndEscapeCloses) {
    record[firstCountElement + 14] = 1;
    ProbeWindow* screen = open();
    EXPECT_EQ(test::accessibleRole(screen), QAccessible::Dialog);
    EXPECT_EQ(test::accessibleText(screen), QStringLiteral("技履歴"));
    selectTab(1);
    child<QTabBar>(QStringLiteral("TabStrip1"))->setFocus();
    QWidget* const order[] = {child<QWidget>(QStringLiteral("Frame1")), label(1, 14),
                              child<QPushButton>(QStringLiteral("ClBtn(0)"))};
    for (QWidget* expected : order) {
        QTest::keyClick(screen->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(screen->focusWidget(), expected) << expected->objectName().toStdString();
    }
    EXPECT_EQ(test::accessibleRole(label(1, 14)), QAccessible::Button);
    // A row reads as one line: name, landings and keys.
    EXPECT_EQ(test::accessibleText(label(1, 14)),
              label(1, 14)->text() + QStringLiteral("、1回、") + label(3, 14)->text());
    QTest::keyClick(label(1, 14), Qt::Key_Return);
    QTest::keyClick(label(1, 14), Qt::Key_Space);
    const QString description = shownText(techniqueRecordEntries()[14].description);
    EXPECT_EQ(screen->texts, (QStringList{description, description}));
    EXPECT_EQ(spy->count(), 0);
    QTest::keyClick(screen->focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(spy->count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TechniqueRecordWindowTest, ClosingThroughTheWindowFrameActsAsCloseButton) {
    open();
    window->windowHandle()->close(); // what the window manager's close and Alt+F4 do
    EXPECT_EQ(spy->count(), 1);
    window->close();
    EXPECT_EQ(spy->count(), 1);
    flushDeletes();
    EXPECT_TRUE(window.isNull());
}

TEST_F(TechniqueRecordWindowTest, OpensCentredOverItsParent) {
    QWidget parent;
    parent.setGeometry(100, 80, 600, 450);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    open(&parent);
    EXPECT_LE(
        (window->frameGeometry().center() - parent.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(window->isWindow());
    delete window.data();
}

// The battle window disables itself while the screen is open; the screen it owns must
// still take clicks, or "閉じる" could never give the battle window back.
TEST_F(TechniqueRecordWindowTest, StaysUsableWhileItsOwnerIsDisabled) {
    QWidget parent;
    parent.setGeometry(100, 80, 600, 450);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    open(&parent);
    parent.setEnabled(false);
    EXPECT_TRUE(window->isEnabled());
    auto* button = child<QPushButton>(QStringLiteral("ClBtn(1)"));
    EXPECT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(spy->count(), 1);
    flushDeletes();
    EXPECT_TRUE(window.isNull());
}

// Paints both tabs with every count in use and checks that each label is filled with its
// colour. Set RZ6_RECORD_SNAPSHOTS to a folder to keep the pictures for a look.
TEST_F(TechniqueRecordWindowTest, BothTabsPaintEveryLabelInItsColour) {
    for (int i = 0; i < recordTableSize; ++i)
        record[i] = i < firstCountElement ? 98765 - i * 1111 : (i * 37) % 500 + 1;
    open();
    const QString folder = qEnvironmentVariable("RZ6_RECORD_SNAPSHOTS");
    const QImage totals = window->grab().toImage();
    selectTab(1);
    const QImage techniques = window->grab().toImage();
    if (!folder.isEmpty()) {
        totals.save(folder + QStringLiteral("/record_totals.png"));
        techniques.save(folder + QStringLiteral("/record_techniques.png"));
    }
    const auto colourAt = [&](const QImage& image, QLabel* cell) {
        const QPoint inside = cell->mapTo(window.data(), QPoint(2, 2));
        const QColor c = image.pixelColor(inside * image.devicePixelRatio());
        return static_cast<unsigned int>(c.red()) | static_cast<unsigned int>(c.green()) << 8 |
               static_cast<unsigned int>(c.blue()) << 16;
    };
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(colourAt(totals, label(5, row)), 0x00C0C0FFu) << row;
        EXPECT_EQ(colourAt(totals, label(4, row)), 0x00C0E0FFu) << row;
    }
    for (int id = 0; id < techniqueCount; ++id) {
        // Captions are drawn whole: the longest sequences fit their labels.
        for (int column = 1; column <= 3; ++column) {
            QLabel* cell = label(column, id);
            EXPECT_LE(QFontMetrics(cell->font()).horizontalAdvance(cell->text()),
                      cell->contentsRect().width())
                << cell->objectName().toStdString();
        }
        EXPECT_EQ(colourAt(techniques, label(1, id)), 0x00FFC0C0u) << id;
        EXPECT_EQ(colourAt(techniques, label(2, id)), 0x00FFFFC0u) << id;
        EXPECT_EQ(colourAt(techniques, label(3, id)), 0x00C0E0FFu) << id;
    }
}

} // namespace
} // namespace rz6
