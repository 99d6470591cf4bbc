#include "record/technique_record_window.h"

#include "common/click_tracker.h"
#include "common/screen_units.h"
#include "record/technique_record_entries.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

#include <functional>

namespace rz6 {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Descriptions are kept with CR LF between lines; Qt's labels and boxes break on LF alone.
QString displayText(std::string_view description) {
    return fromUtf8(description).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QRect pixelRect(const TwipsBox& box) {
    return twipsRect(box.left, box.top, box.width, box.height);
}

QString indexedName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// The tab strip: tabs along the top and the tab pane drawn below them over the whole strip.
// The tab frames are siblings laid over the pane, so their places stay exactly as designed.
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

    void paintEvent(QPaintEvent* event) override {
        {
            QStylePainter painter(this);
            QStyleOptionTabWidgetFrame pane;
            pane.initFrom(this);
            pane.shape = shape();
            pane.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
            pane.tabBarRect = count() > 0 ? tabRect(0).united(tabRect(count() - 1)) : QRect();
            pane.selectedTabRect = currentIndex() >= 0 ? tabRect(currentIndex()) : QRect();
            pane.tabBarSize = pane.tabBarRect.size();
            const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
            pane.rect = rect().adjusted(0, pane.tabBarRect.height() - overlap, 0, 0);
            painter.drawPrimitive(QStyle::PE_FrameTabWidget, pane);
        }
        QTabBar::paintEvent(event);
    }
};

// A widget that takes its own clicks and answers them with onClick, so a click on it never
// reaches the widget behind it.
template <typename Base> class Clickable : public Base {
public:
    using Base::Base;
    std::function<void()> onClick;

protected:
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

// A label of the record tables; a name label answers a click with its description.
class RecordCell : public Clickable<QLabel> {
public:
    RecordCell(const QString& name, const QString& text, const TwipsBox& box,
               unsigned int backColor, Qt::Alignment alignment, QWidget* parent)
        : Clickable<QLabel>(text, parent) {
        setObjectName(name);
        setGeometry(pixelRect(box));
        setTextFormat(Qt::PlainText);
        setAlignment(alignment | Qt::AlignVCenter);
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
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
};

// A thin rectangle that frames a group of rows; purely decoration.
class FrameShape : public QWidget {
public:
    FrameShape(const QString& name, const TwipsBox& box, QWidget* parent) : QWidget(parent) {
        setObjectName(name);
        setGeometry(pixelRect(box));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

const QString descriptionTitle = QStringLiteral("技詳細");

} // namespace

TechniqueRecordWindow::TechniqueRecordWindow(const RecordTable& recordTable, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("wazahis"));
    setWindowTitle(QStringLiteral("技履歴"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(recordLayout::clientWidth), twips(recordLayout::clientHeight));

    tabStrip_ = new TabStripBar(this);
    tabStrip_->setObjectName(QStringLiteral("TabStrip1"));
    tabStrip_->addTab(QStringLiteral("得点履歴"));
    tabStrip_->addTab(QStringLiteral("技履歴"));
    tabStrip_->setGeometry(pixelRect(recordLayout::tabStrip));

    const TwipsBox frameBoxes[2] = {recordLayout::scoreFrame, recordLayout::techniqueFrame};
    for (int i = 0; i < 2; ++i) {
        tabFrames_[i] = new QWidget(this);
        tabFrames_[i]->setObjectName(indexedName("TabFr", i));
        tabFrames_[i]->setGeometry(pixelRect(frameBoxes[i]));
        tabFrames_[i]->raise();
        // Each frame has its own "閉じる": ClBtn(1) on the totals, ClBtn(0) on the techniques.
        auto* closeButton = new QPushButton(QStringLiteral("閉じる"), tabFrames_[i]);
        closeButton->setObjectName(indexedName("ClBtn", 1 - i));
        closeButton->setGeometry(pixelRect(recordLayout::closeButton));
        connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    }

    buildScoreTab(recordTable);
    buildTechniqueTab(recordTable);

    tabStrip_->setCurrentIndex(0);
    TabStrip1_Click(0);
    connect(tabStrip_, &QTabBar::currentChanged, this, &TechniqueRecordWindow::TabStrip1_Click);
}

void TechniqueRecordWindow::buildScoreTab(const RecordTable& recordTable) {
    QWidget* frame = tabFrames_[0];
    for (int row = 0; row < recordLayout::rankCount; ++row) {
        new RecordCell(indexedName("Label5", row), fromUtf8(recordLayout::rankCaptions[row]),
                       recordLayout::rankBox(row), recordLayout::rankColor, Qt::AlignHCenter,
                       frame);
        auto* total = new RecordCell(indexedName("Label4", row), QString::number(recordTable[row]),
                                     recordLayout::totalBox(row), recordLayout::totalColor,
                                     Qt::AlignRight, frame);
        fitText(total);
    }
}

void TechniqueRecordWindow::buildTechniqueTab(const RecordTable& recordTable) {
    QWidget* frame = tabFrames_[1];
    // The rectangles go in first so that every label lies above them.
    new FrameShape(QStringLiteral("Shape1"), recordLayout::leftColumnShape, frame);
    new FrameShape(QStringLiteral("Shape2"), recordLayout::rightColumnTopShape, frame);
    new FrameShape(QStringLiteral("Shape3"), recordLayout::rightColumnBottomShape, frame);

    auto* gates = new HiddenGatesFrame(QStringLiteral("四天六門"), frame);
    gates->setObjectName(QStringLiteral("Frame1"));
    gates->setGeometry(pixelRect(recordLayout::hiddenGatesFrame));
    const QString gatesText = displayText(hiddenGatesDescription());
    gates->setToolTip(gatesText);
    gates->setAccessibleDescription(gatesText);
    gates->onClick = [this, gatesText] { showDescription(descriptionTitle, gatesText); };

    const auto& entries = techniqueRecordEntries();
    for (int id = 0; id < techniqueCount; ++id) {
        const TechniqueRecordEntry& entry = entries[id];
        QWidget* container = entry.group == RecordGroup::HiddenGates ? gates : frame;
        const std::int32_t count = recordTable[firstCountElement + id];
        const QString description = displayText(entry.description);

        auto* name =
            new RecordCell(indexedName("Label1", id), fromUtf8(entry.nameCaption), entry.nameBox,
                           recordLayout::nameColor, Qt::AlignHCenter, container);
        name->setToolTip(description);
        name->setAccessibleDescription(description);
        name->onClick = [this, description] { showDescription(descriptionTitle, description); };

        auto* countLabel = new RecordCell(indexedName("Label2", id), QString(), entry.countBox,
                                          recordLayout::countColor, Qt::AlignRight, container);
        auto* sequence = new RecordCell(indexedName("Label3", id), fromUtf8(entry.sequenceCaption),
                                        entry.sequenceBox, recordLayout::sequenceColor,
                                        Qt::AlignHCenter, container);

        // A technique never landed stays out of sight; its place is left empty.
        if (count != 0) {
            countLabel->setText(QString::number(count));
            fitText(name);
            fitText(countLabel);
            fitText(sequence);
        } else {
            name->hide();
            countLabel->hide();
            sequence->hide();
        }
    }
}

void TechniqueRecordWindow::TabStrip1_Click(int tabIndex) {
    for (QWidget* frame : tabFrames_)
        frame->hide();
    if (tabIndex >= 0 && tabIndex < 2)
        tabFrames_[tabIndex]->show();
}

void TechniqueRecordWindow::showDescription(const QString& title, const QString& text) {
    // Window-modal and owned by this screen, without a loop of its own: when the match ends
    // behind it and the screen is torn down (rematch, restart, quit), the box goes with it.
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("DescriptionBox"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TechniqueRecordWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnShow();
    }
}

// Over the parent window when there is one, otherwise in the middle of the screen; kept
// inside the screen's free area either way.
void TechniqueRecordWindow::centreOnShow() {
    QScreen* shownOn = parentWidget() ? parentWidget()->window()->screen() : screen();
    const QRect screenArea = shownOn ? shownOn->availableGeometry() : QRect();
    const QRect area = parentWidget() ? parentWidget()->window()->frameGeometry() : screenArea;
    if (area.isEmpty())
        return;
    QRect placed = frameGeometry();
    placed.moveCenter(area.center());
    if (!screenArea.isEmpty()) {
        placed.moveRight(qMin(placed.right(), screenArea.right()));
        placed.moveBottom(qMin(placed.bottom(), screenArea.bottom()));
        placed.moveLeft(qMax(placed.left(), screenArea.left()));
        placed.moveTop(qMax(placed.top(), screenArea.top()));
    }
    move(placed.topLeft());
}

// The battle window disables itself while this screen is open, and Qt passes that on to
// every window it owns. The screen must stay usable then, or nothing could close it and
// the battle window would stay disabled for good; only an explicit disable holds.
void TechniqueRecordWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled() &&
        !testAttribute(Qt::WA_ForceDisabled))
        setEnabled(true);
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
