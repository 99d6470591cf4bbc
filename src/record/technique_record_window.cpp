// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "record/technique_record_window.h"

#include "common/accessibility.h"
#include "common/click_tracker.h"
#include "common/owned_window.h"
#include "common/qt_text.h"
#include "common/screen_units.h"
#include "common/window_centring.h"
#include "record/technique_record_entries.h"

#include <QCoreApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

#include <functional>

namespace rz6 {
namespace {

// Descriptions are kept with CR LF between lines; Qt's labels and boxes break on LF alone.
QString displayText(std::string_view description) {
    return translatedText("Game", description)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The tab strip: only as tall as its tabs, so nothing of it hangs below them.
class TabStripBar : public QTabBar {
public:
    explicit TabStripBar(QWidget* parent) : QTabBar(parent) {
        setDrawBase(false);
        setExpanding(false);
    }

protected:
    // The tabs end where the frames begin.
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(twips(recordLayout::scoreFrame.top) - 2);
        return size;
    }
};

// The page under the tabs: the style's tab-widget frame, opened under the selected tab. It
// lies beneath the tab strip and the tab frames.
class TabPane : public QWidget {
public:
    TabPane(const QTabBar* tabs, QWidget* parent) : QWidget(parent), tabs_(tabs) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionTabWidgetFrame pane;
        pane.initFrom(this);
        pane.shape = tabs_->shape();
        pane.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        const int count = tabs_->count();
        const QPoint offset = tabs_->pos() - pos();
        pane.tabBarRect =
            count > 0 ? tabs_->tabRect(0).united(tabs_->tabRect(count - 1)).translated(offset)
                      : QRect();
        pane.selectedTabRect = tabs_->currentIndex() >= 0
                                   ? tabs_->tabRect(tabs_->currentIndex()).translated(offset)
                                   : QRect();
        pane.tabBarSize = pane.tabBarRect.size();
        const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
        pane.rect = rect().adjusted(0, tabs_->height() - overlap, 0, 0);
        painter.drawPrimitive(QStyle::PE_FrameTabWidget, pane);
    }

private:
    const QTabBar* tabs_;
};

// A widget that takes its own clicks and answers them with onClick, so a click on it never
// reaches the widget behind it. Made reachable by Tab (pressable()), it answers Space and
// Enter the same way and shows a dotted frame while it has the focus.
template <typename Base> class Clickable : public Base {
public:
    using Base::Base;
    std::function<void()> onClick;

    void pressable() {
        this->setFocusPolicy(Qt::TabFocus); // a click leaves no focus mark behind
        exposeAsButton(this);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool pressKey = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                              event->key() == Qt::Key_Enter;
        if (pressKey && this->focusPolicy() != Qt::NoFocus && onClick) {
            if (!event->isAutoRepeat())
                onClick();
            return;
        }
        Base::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        Base::paintEvent(event);
        if (!this->hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(this->palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(this->rect().adjusted(2, 2, -3, -3));
    }
    void mousePressEvent(QMouseEvent* event) override {
        click_.press(event);
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        event->accept();
        if (click_.release(event, this) && onClick)
            onClick();
    }

private:
    ClickTracker click_;
};

constexpr int figureMargin = 3; // pixels between a right-aligned figure and its edge

// A label of the record tables; a name label answers a click with its description.
class RecordCell : public Clickable<QLabel> {
public:
    RecordCell(const QString& name, const QString& text, const TwipsBox& box,
               unsigned int backColor, Qt::Alignment alignment, QWidget* parent)
        : Clickable<QLabel>(text, parent) {
        setObjectName(name);
        setGeometry(twipsRect(box));
        setTextFormat(Qt::PlainText);
        setAlignment(alignment | Qt::AlignVCenter);
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
        // Figures keep a little room from the right edge instead of touching it.
        if (alignment & Qt::AlignRight)
            setContentsMargins(0, 0, figureMargin, 0);
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, bgrColor(backColor));
        colours.setColor(QPalette::WindowText, Qt::black);
        setPalette(colours);
    }
};

// Texts are shown whole: a caption or number too wide for its fixed label (the longest
// sequences, or the huge counts only a damaged record holds) is drawn in a smaller size of
// the same font rather than cut off, since a clipped sequence or number reads as a
// different one.
void fitText(QLabel* label) {
    const int room = label->contentsRect().width() - 2;
    QFont font = label->font();
    const bool inPoints = font.pointSizeF() > 0;
    while (QFontMetrics(font).horizontalAdvance(label->text()) > room) {
        if (inPoints) {
            if (font.pointSizeF() <= 4.0)
                break;
            font.setPointSizeF(font.pointSizeF() - 0.5);
        } else {
            if (font.pixelSize() <= 5)
                break;
            font.setPixelSize(font.pixelSize() - 1);
        }
    }
    if (font != label->font())
        label->setFont(font);
}

// The "四天六門" frame: its caption and bare area answer a click with its own description.
class HiddenGatesFrame : public Clickable<QGroupBox> {
public:
    HiddenGatesFrame(const QString& title, QWidget* parent) : Clickable<QGroupBox>(title, parent) {}

protected:
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }

    // The caption sits on the frame's top border line, which is broken behind it, so the
    // border runs half a caption above the first row instead of touching it.
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect caption(captionIndent, 0, metrics.horizontalAdvance(title()) + 2 * captionGap,
                            metrics.height());
        // Drawn by hand: styles place their group-box border below the caption.
        painter.setClipRegion(QRegion(rect()).subtracted(caption));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, caption.height() / 2, -1, -1));
        painter.setClipping(false);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }

private:
    static constexpr int captionIndent = 6;
    static constexpr int captionGap = 3;
};

// A thin rectangle that frames a group of rows; purely decoration.
class FrameShape : public QWidget {
public:
    FrameShape(const QString& name, const TwipsBox& box, QWidget* parent) : QWidget(parent) {
        setObjectName(name);
        setGeometry(twipsRect(box));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QString descriptionTitle() {
    return QCoreApplication::translate("rz6::TechniqueRecordWindow", "技詳細");
}

// The box that tells one description; it writes it again when the player switches language
// while it is open.
class DescriptionBox : public QMessageBox {
public:
    DescriptionBox(std::string_view description, QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, descriptionTitle(), displayText(description),
                      QMessageBox::Ok, parent),
          description_(description) {}

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LanguageChange) {
            setWindowTitle(descriptionTitle());
            setText(displayText(description_));
        }
        QMessageBox::changeEvent(event);
    }

private:
    std::string_view description_;
};

} // namespace

TechniqueRecordWindow::TechniqueRecordWindow(const RecordTable& recordTable, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("wazahis"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(recordLayout::clientWidth), twips(recordLayout::clientHeight));
    exposeAsScreen(this);
    keepEnabledWhileOwnerDisabled(this);

    tabStrip_ = new TabStripBar(this);
    tabStrip_->setObjectName(QStringLiteral("TabStrip1"));
    tabStrip_->addTab(QString());
    tabStrip_->addTab(QString());
    // The strip spans the window's width but is only as tall as its tabs; the page frame
    // beneath them covers the rest of the strip's place.
    const QRect stripPlace = twipsRect(recordLayout::tabStrip);
    tabStrip_->setGeometry(stripPlace.x(), stripPlace.y(), stripPlace.width(),
                           tabStrip_->sizeHint().height());
    auto* pane = new TabPane(tabStrip_, this);
    pane->setObjectName(QStringLiteral("TabPane"));
    pane->setGeometry(stripPlace);
    pane->lower();
    connect(tabStrip_, &QTabBar::currentChanged, pane, qOverload<>(&QWidget::update));

    const std::array<TwipsBox, std::tuple_size_v<decltype(tabFrames_)>> frameBoxes{
        recordLayout::scoreFrame, recordLayout::techniqueFrame};
    for (int i = 0; i < static_cast<int>(frameBoxes.size()); ++i) {
        tabFrames_[i] = new QWidget(this);
        tabFrames_[i]->setObjectName(indexedName("TabFr", i));
        tabFrames_[i]->setGeometry(twipsRect(frameBoxes[i]));
        tabFrames_[i]->raise();
        // Each frame has its own "閉じる": ClBtn(1) on the totals, ClBtn(0) on the techniques.
        auto* closeButton = new QPushButton(tabFrames_[i]);
        closeButtons_[i] = closeButton;
        closeButton->setObjectName(indexedName("ClBtn", 1 - i));
        closeButton->setGeometry(twipsRect(recordLayout::closeButton));
        connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    }

    buildScoreTab(recordTable);
    buildTechniqueTab(recordTable);
    retranslate();

    tabStrip_->setCurrentIndex(0);
    showTab(0);
    connect(tabStrip_, &QTabBar::currentChanged, this, &TechniqueRecordWindow::showTab);
}

void TechniqueRecordWindow::buildScoreTab(const RecordTable& recordTable) {
    QWidget* frame = tabFrames_[0];
    for (int row = 0; row < bestTotalCount; ++row) {
        auto* rank =
            new RecordCell(indexedName("Label5", row), QString(), recordLayout::rankBox(row),
                           recordLayout::rankColor, Qt::AlignHCenter, frame);
        auto* total = new RecordCell(indexedName("Label4", row), QString::number(recordTable[row]),
                                     recordLayout::totalBox(row), recordLayout::totalColor,
                                     Qt::AlignRight, frame);
        fitText(total);
        // Tab visits the rows; a screen reader reads each as one line (retranslate).
        rank->setFocusPolicy(Qt::TabFocus);
        rankCells_[row] = rank;
        totalCells_[row] = total;
    }
}

void TechniqueRecordWindow::buildTechniqueTab(const RecordTable& recordTable) {
    QWidget* frame = tabFrames_[1];
    // The rectangles go in first so that every label lies above them.
    new FrameShape(QStringLiteral("Shape1"), recordLayout::leftColumnShape, frame);
    new FrameShape(QStringLiteral("Shape2"), recordLayout::rightColumnTopShape, frame);
    new FrameShape(QStringLiteral("Shape3"), recordLayout::rightColumnBottomShape, frame);

    auto* gates = new HiddenGatesFrame(QString(), frame);
    gates->setObjectName(QStringLiteral("Frame1"));
    gates->setGeometry(twipsRect(recordLayout::hiddenGatesFrame));
    gates->onClick = [this] { showDescription(hiddenGatesDescription()); };
    gates->pressable();
    hiddenGates_ = gates;

    QWidget* lastRow = gates;
    const auto& entries = techniqueRecordEntries();
    for (int id = 0; id < techniqueCount; ++id) {
        const TechniqueRecordEntry& entry = entries[id];
        QWidget* container = entry.group == RecordGroup::HiddenGates ? gates : frame;
        const std::int32_t count = recordTable[firstCountElement + id];

        auto* name = new RecordCell(indexedName("Label1", id), QString(), entry.nameBox,
                                    recordLayout::nameColor, Qt::AlignHCenter, container);
        name->onClick = [this, description = entry.description] { showDescription(description); };
        name->pressable();
        lastRow = name;

        auto* countLabel = new RecordCell(indexedName("Label2", id), QString(), entry.countBox,
                                          recordLayout::countColor, Qt::AlignRight, container);
        auto* sequence = new RecordCell(indexedName("Label3", id), fromUtf8(entry.sequenceCaption),
                                        entry.sequenceBox, recordLayout::sequenceColor,
                                        Qt::AlignHCenter, container);

        nameCells_[id] = name;
        countCells_[id] = countLabel;
        sequenceCells_[id] = sequence;
        // A technique never landed stays out of sight; its place is left empty.
        if (count != 0) {
            countLabel->setText(QString::number(count));
            fitText(countLabel);
            fitText(sequence);
        } else {
            name->hide();
            countLabel->hide();
            sequence->hide();
        }
    }
    // Tab goes through the landed techniques in order, then on to "閉じる".
    if (auto* closeButton = frame->findChild<QPushButton*>(indexedName("ClBtn", 0)))
        QWidget::setTabOrder(lastRow, closeButton);
}

// Writes every text of the screen in the player's language: the title, the tabs, the
// captions, the descriptions the rows show and what the bus says about each row. The
// figures and the key sequences are the same in every language.
void TechniqueRecordWindow::retranslate() {
    // The window and its second tab share their Japanese name; in English the window is the
    // record as a whole and the tab its techniques.
    setWindowTitle(QCoreApplication::translate("rz6::TechniqueRecordWindow", "技履歴", "window"));
    tabStrip_->setTabText(0, QCoreApplication::translate("rz6::TechniqueRecordWindow", "得点履歴"));
    tabStrip_->setTabText(1, QCoreApplication::translate("rz6::TechniqueRecordWindow", "技履歴"));
    for (QPushButton* closeButton : closeButtons_)
        closeButton->setText(QCoreApplication::translate("rz6::TechniqueRecordWindow", "閉じる"));

    for (int row = 0; row < bestTotalCount; ++row) {
        rankCells_[row]->setText(translatedText("Game", recordLayout::bestTotalCaptions[row]));
        rankCells_[row]->setAccessibleName(rankCells_[row]->text() + QLatin1Char(' ') +
                                           totalCells_[row]->text());
    }

    hiddenGates_->setTitle(QCoreApplication::translate("rz6::TechniqueRecordWindow", "四天六門"));
    hiddenGates_->setAccessibleName(
        hiddenGates_->title()); // a group box is not named by its title otherwise
    const QString gatesText = displayText(hiddenGatesDescription());
    hiddenGates_->setToolTip(gatesText);
    hiddenGates_->setAccessibleDescription(gatesText);

    const auto& entries = techniqueRecordEntries();
    for (int id = 0; id < techniqueCount; ++id) {
        QLabel* name = nameCells_[id];
        const QString description = displayText(entries[id].description);
        name->setToolTip(description);
        name->setAccessibleDescription(description);
        // A name shrunk to fit in one language starts again from its full size.
        name->setFont(QFont());
        name->setText(translatedText("Game", entries[id].nameCaption));
        if (name->isHidden())
            continue;
        fitText(name);
        // The row as a screen reader says it: name, landings and keys.
        name->setAccessibleName(
            QCoreApplication::translate("rz6::TechniqueRecordWindow", "%1、%2回、%3")
                .arg(name->text(), countCells_[id]->text(), sequenceCells_[id]->text()));
    }
}

void TechniqueRecordWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && hiddenGates_)
        retranslate();
    QWidget::changeEvent(event);
}

void TechniqueRecordWindow::showTab(int tabIndex) {
    for (QWidget* frame : tabFrames_)
        frame->hide();
    if (tabIndex >= 0 && tabIndex < 2)
        tabFrames_[tabIndex]->show();
}

void TechniqueRecordWindow::showDescription(std::string_view description) {
    // Owned by this screen, without a loop of its own: when the match ends behind it and the
    // screen is torn down (rematch, restart, quit), the box goes with it. It only informs,
    // so it blocks nothing: modal, it would block every screen the battle window owns, the
    // result screen of a match ending behind it too.
    auto* box = new DescriptionBox(description, this);
    box->setObjectName(QStringLiteral("DescriptionBox"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Closed, the box gives the keyboard back to the row it was opened from; left to the
    // window system, it would go to the battle window, which is disabled behind this screen.
    const QPointer<QWidget> row = focusWidget();
    connect(box, &QMessageBox::finished, this, [this, row] {
        activateWindow();
        if (row)
            row->setFocus(Qt::OtherFocusReason);
    });
    box->setWindowModality(Qt::NonModal);
    // Not modal, so nothing activates it on its own: it takes the keyboard (and a screen
    // reader's attention) as it opens.
    box->show();
    box->activateWindow();
}

void TechniqueRecordWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Over the parent window when there is one, otherwise in the middle of the screen.
    if (!centred_) {
        centred_ = true;
        centreWindow(this, parentWidget());
    }
}

void TechniqueRecordWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close(); // as "閉じる"
        return;
    }
    QWidget::keyPressEvent(event);
}

// "閉じる" and a close through the window frame end the same way, so the battle window is
// never left disabled behind a screen that has gone.
void TechniqueRecordWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closedSent_)
        return;
    closedSent_ = true;
    hide();
    emit closed();
}

} // namespace rz6
