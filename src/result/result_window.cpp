#include "result/result_window.h"

#include "common/accessibility.h"
#include "common/label_button.h"
#include "common/pictures.h"
#include "common/screen_units.h"
#include "common/tiled_background.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QStringList>

namespace rz6 {

namespace {

constexpr unsigned int formBackColor = 0x00FFC0C0;
constexpr unsigned int valueBackColor = 0x00C0FFC0;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One line of the rank list is as tall as its 30-point font (600 twips), so the ten names
// fill the box and each sits beside its slider position.
constexpr int rankLineHeight = 600;

void fixLineHeight(QTextEdit* edit, int pixels) {
    QTextBlockFormat format;
    format.setLineHeight(pixels, QTextBlockFormat::FixedHeight);
    QTextCursor cursor(edit->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}

QString rankList() {
    QStringList lines;
    for (const std::string_view name : rankNames)
        lines << fromUtf8(name);
    return lines.join(QLatin1Char('\n'));
}

void setBackColor(QWidget* widget, unsigned int bgr) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, bgrColor(bgr));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QLabel* makeHeading(QWidget* parent, int index, const QString& picture, const QRect& place) {
    auto* image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image1(%1)").arg(index));
    image->setGeometry(place);
    image->setPixmap(Pictures::pixmap(picture, parent->devicePixelRatioF()));
    image->setAccessibleName(Pictures::accessibleName(picture));
    return image;
}

constexpr int figureMargin = 4; // pixels between a figure and the label's right edge

// A figure's label reads its number on the bus; the heading above it says what it is.
QLabel* makeValueLabel(QWidget* parent, const QString& name, const QRect& place,
                       const QString& heading) {
    auto* label = new QLabel(QStringLiteral("0"), parent);
    label->setObjectName(name);
    label->setAccessibleDescription(Pictures::accessibleName(heading));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setContentsMargins(0, 0, figureMargin, 0); // the figure does not touch the edge
    label->setFont(QFont(QStringLiteral("ＭＳ Ｐ明朝"), 18, QFont::Bold));
    setBackColor(label, valueBackColor);
    return label;
}

LabelButton* makeButton(QWidget* parent, int index, const QString& text, const QRect& place) {
    auto* button = new LabelButton(text, parent);
    button->setObjectName(QStringLiteral("BtnLabel(%1)").arg(index));
    button->setGeometry(place);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(14.25);
    font.setBold(true);
    button->setFont(font);
    return button;
}

} // namespace

ResultWindow::ResultWindow(std::int32_t score,
                           const std::array<bool, techniqueCount>& usedThisMatch,
                           RecordTable& recordTable, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      rating_(rateMatch(score, usedThisMatch)) {
    setObjectName(QStringLiteral("gmend"));
    setWindowTitle(QStringLiteral("競技終了"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsRect(0, 0, 9240, 6345).size());
    setMouseTracking(true);
    exposeAsScreen(this);
    setBackColor(this, formBackColor);
    tileBackground(this, Pictures::pixmap(QStringLiteral("tile"), devicePixelRatioF()));

    buildWidgets();
    updateBestTotals(recordTable, rating_.overallScore);
    showRating();
}

void ResultWindow::buildWidgets() {
    slider1_ = new QSlider(Qt::Vertical, this);
    slider1_->setObjectName(QStringLiteral("Slider1"));
    slider1_->setGeometry(twipsRect(0, 240, 375, 5775));
    slider1_->setRange(1, rankCount);
    slider1_->setPageStep(1);
    slider1_->setInvertedAppearance(true); // rank 1 at the top, beside the first name
    slider1_->setTickPosition(QSlider::TicksRight);
    slider1_->setTickInterval(1);
    // The slider only points at the rank; the player cannot move it. It keeps its normal
    // look, so input is swallowed here rather than by disabling it.
    slider1_->setFocusPolicy(Qt::NoFocus);
    slider1_->installEventFilter(this);
    slider1_->setAccessibleName(QStringLiteral("ランク"));

    text1_ = new QTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(twipsRect(480, 120, 3615, 6135));
    text1_->setReadOnly(true);
    text1_->setFont(QFont(QStringLiteral("ＭＳ 明朝"), 30));
    text1_->setLineWrapMode(QTextEdit::NoWrap);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->document()->setDocumentMargin(0);
    text1_->setPlainText(rankList());
    fixLineHeight(text1_, twips(rankLineHeight));
    text1_->setAccessibleName(QStringLiteral("ランク一覧"));
    // Tab goes between the two buttons only; the list can still be clicked into as before.
    text1_->setFocusPolicy(Qt::ClickFocus);

    makeHeading(this, 0, QStringLiteral("heading_score"), twipsRect(5760, 240, 2250, 450));
    label2_ = makeValueLabel(this, QStringLiteral("Label2"), twipsRect(5760, 1080, 2175, 375),
                             QStringLiteral("heading_score"));
    makeHeading(this, 1, QStringLiteral("heading_technique_points"),
                twipsRect(5760, 1920, 2250, 450));
    label4_ = makeValueLabel(this, QStringLiteral("Label4"), twipsRect(5760, 2760, 2175, 375),
                             QStringLiteral("heading_technique_points"));
    makeHeading(this, 2, QStringLiteral("heading_overall"), twipsRect(5760, 3720, 2250, 450));
    label5_ = makeValueLabel(this, QStringLiteral("Label5"), twipsRect(5760, 4560, 2175, 375),
                             QStringLiteral("heading_overall"));

    btnLabel_[0] = makeButton(this, 0, QStringLiteral("再試合"), twipsRect(4680, 5640, 1695, 375));
    btnLabel_[1] =
        makeButton(this, 1, QStringLiteral("終\u3000了"), twipsRect(7080, 5640, 1695, 375));
    for (int i = 0; i < 2; ++i)
        connect(btnLabel_[i], &LabelButton::clicked, this, [this, i] { BtnLabel_Click(i); });
    // A keyboard player starts on the rematch. Escape is left alone on purpose: both choices
    // end something, and a slip of the finger must not quit the game.
    btnLabel_[0]->setFocus(Qt::OtherFocusReason);
}

void ResultWindow::showRating() {
    label2_->setText(QString::number(rating_.score));
    label4_->setText(QString::number(rating_.techniquePoints));
    label5_->setText(QString::number(rating_.overallScore));
    slider1_->setValue(rating_.rankClass);
    slider1_->setAccessibleDescription(fromUtf8(rankName(rating_.rankClass)));
}

void ResultWindow::BtnLabel_Click(int index) {
    if (actionTaken_)
        return;
    actionTaken_ = true;
    if (index == 0)
        emit rematchRequested();
    else
        emit quitRequested();
}

void ResultWindow::closeWithoutAction() {
    actionTaken_ = true;
    close();
}

void ResultWindow::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the other controls reach the form too; only the bare form puts the
    // buttons back to rest, so a highlight stays while the pointer is over a control.
    if (childAt(event->position().toPoint()) == nullptr) {
        for (LabelButton* button : btnLabel_)
            button->setHighlighted(false);
    }
    QWidget::mouseMoveEvent(event);
}

void ResultWindow::closeEvent(QCloseEvent* event) {
    // Closing through the frame before choosing means "終　了".
    if (!actionTaken_) {
        actionTaken_ = true;
        emit quitRequested();
    }
    event->accept();
}

bool ResultWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == slider1_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace rz6
