// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "result/result_window.h"

#include "common/back_color.h"
#include "common/label_button.h"
#include "common/owned_window.h"
#include "common/pictures.h"
#include "common/qt_text.h"
#include "common/screen_units.h"
#include "common/tiled_background.h"

#include <QCoreApplication>
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

// The result screen's layout: places in twips, colours as 0x00BBGGRR.
constexpr int clientWidth = 9240;
constexpr int clientHeight = 6345;
constexpr unsigned int formBackColor = 0x00FFC0C0;
constexpr unsigned int valueBackColor = 0x00C0FFC0;

constexpr TwipsBox rankSliderBox{0, 240, 375, 5775};
constexpr TwipsBox rankListBox{480, 120, 3615, 6135};
constexpr FontFace rankListFont{"ＭＳ 明朝", 30, false};
// One line of the rank list is as tall as its 30-point font (600 twips), so the ten names
// fill the box and each sits beside its slider position.
constexpr int rankLineHeight = 600;

// The three figures, top to bottom: a heading picture (Image1(i)) over the label that shows
// the figure.
struct Figure {
    std::string_view heading;
    std::string_view valueName;
    TwipsBox headingBox;
    TwipsBox valueBox;
};
constexpr std::array<Figure, ResultWindow::figureCount> figures{{
    {"heading_score", "Label2", {5760, 240, 2250, 450}, {5760, 1080, 2175, 375}},
    {"heading_technique_points", "Label4", {5760, 1920, 2250, 450}, {5760, 2760, 2175, 375}},
    {"heading_overall", "Label5", {5760, 3720, 2250, 450}, {5760, 4560, 2175, 375}},
}};
constexpr FontFace valueFont{"ＭＳ Ｐ明朝", 18};

// The label-buttons BtnLabel(0) "再試合" and BtnLabel(1) "終　了".
constexpr std::array<LabelButtonPlace, ResultWindow::buttonCount> buttonPlaces{{
    {QT_TRANSLATE_NOOP("rz6::ResultWindow", "再試合"), {4680, 5640, 1695, 375}},
    {QT_TRANSLATE_NOOP("rz6::ResultWindow", "終　了"), {7080, 5640, 1695, 375}},
}};
constexpr FontFace buttonFont{"ＭＳ Ｐゴシック", 14.25};

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
        lines << translatedText("Game", name);
    return lines.join(QLatin1Char('\n'));
}

// The heading's picture and what the bus calls it come with the texts (retranslate).
QLabel* makeHeading(QWidget* parent, int index, const Figure& figure) {
    auto* image = new QLabel(parent);
    image->setObjectName(indexedName("Image1", index));
    image->setGeometry(twipsRect(figure.headingBox));
    return image;
}

constexpr int figureMargin = 4; // pixels between a figure and the label's right edge

// A figure's label reads its number on the bus; the heading above it says what it is (its
// description, written with the texts).
QLabel* makeValueLabel(QWidget* parent, const Figure& figure) {
    auto* label = new QLabel(QStringLiteral("0"), parent);
    label->setObjectName(fromUtf8(figure.valueName));
    label->setGeometry(twipsRect(figure.valueBox));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setContentsMargins(0, 0, figureMargin, 0); // the figure does not touch the edge
    label->setFont(designFont(valueFont));
    setBackColor(label, valueBackColor);
    return label;
}

} // namespace

ResultWindow::ResultWindow(const MatchRating& rating, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      rating_(rating) {
    setObjectName(QStringLiteral("gmend"));
    setUpSubScreen(this, twips(clientWidth), twips(clientHeight), formBackColor);
    // Opened over the battle window, which is disabled once its match has ended.
    keepEnabledWhileOwnerDisabled(this);
    tileBackground(this, Pictures::pixmap(QStringLiteral("tile"), devicePixelRatioF()));

    buildWidgets();
    showRating();
    retranslate();
}

void ResultWindow::buildWidgets() {
    rankSlider_ = new QSlider(Qt::Vertical, this);
    rankSlider_->setObjectName(QStringLiteral("Slider1"));
    rankSlider_->setGeometry(twipsRect(rankSliderBox));
    rankSlider_->setRange(1, rankClassCount);
    rankSlider_->setPageStep(1);
    rankSlider_->setInvertedAppearance(true); // rank 1 at the top, beside the first name
    rankSlider_->setTickPosition(QSlider::TicksRight);
    rankSlider_->setTickInterval(1);
    // The slider only points at the rank; the player cannot move it. It keeps its normal
    // look, so input is swallowed here rather than by disabling it.
    rankSlider_->setFocusPolicy(Qt::NoFocus);
    rankSlider_->installEventFilter(this);

    rankList_ = new QTextEdit(this);
    rankList_->setObjectName(QStringLiteral("Text1"));
    rankList_->setGeometry(twipsRect(rankListBox));
    rankList_->setReadOnly(true);
    rankList_->setFont(designFont(rankListFont));
    rankList_->setLineWrapMode(QTextEdit::NoWrap);
    rankList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rankList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rankList_->document()->setDocumentMargin(0);
    // Tab goes between the two buttons only; the list can still be clicked into as before.
    rankList_->setFocusPolicy(Qt::ClickFocus);

    for (int i = 0; i < static_cast<int>(figures.size()); ++i) {
        headings_[static_cast<std::size_t>(i)] =
            makeHeading(this, i, figures[static_cast<std::size_t>(i)]);
        figureLabels_[static_cast<std::size_t>(i)] =
            makeValueLabel(this, figures[static_cast<std::size_t>(i)]);
    }

    for (int i = 0; i < buttonCount; ++i) {
        buttons_[static_cast<std::size_t>(i)] = makeLabelButton(
            this, "BtnLabel", i, buttonPlaces[static_cast<std::size_t>(i)], buttonFont);
        connect(buttons_[static_cast<std::size_t>(i)], &LabelButton::clicked, this,
                [this, i] { pressButton(i); });
    }
    // A keyboard player starts on the rematch. Escape is left alone on purpose: both choices
    // end something, and a slip of the finger must not quit the game.
    buttons_[0]->setFocus(Qt::OtherFocusReason);
}

void ResultWindow::showRating() {
    const std::int64_t values[] = {rating_.score, rating_.techniquePoints, rating_.overallScore};
    for (std::size_t i = 0; i < figureLabels_.size(); ++i)
        figureLabels_[i]->setText(QString::number(values[i]));
    rankSlider_->setValue(rating_.rankClass);
}

// Writes every text of the screen in the player's language: the title, the rank names, the
// headings' lettering, the captions and what the bus says about each part. The figures are
// numbers and stay as they are.
void ResultWindow::retranslate() {
    setWindowTitle(QCoreApplication::translate("rz6::ResultWindow", "競技終了"));
    rankSlider_->setAccessibleName(QCoreApplication::translate("rz6::ResultWindow", "ランク"));
    rankSlider_->setAccessibleDescription(translatedText("Game", rankName(rating_.rankClass)));
    rankList_->setPlainText(rankList());
    fixLineHeight(rankList_, twips(rankLineHeight));
    rankList_->setAccessibleName(QCoreApplication::translate("rz6::ResultWindow", "ランク一覧"));
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const QString heading = fromUtf8(figures[i].heading);
        headings_[i]->setPixmap(Pictures::pixmap(heading, devicePixelRatioF()));
        headings_[i]->setAccessibleName(Pictures::accessibleName(heading));
        figureLabels_[i]->setAccessibleDescription(Pictures::accessibleName(heading));
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setCaption(
            QCoreApplication::translate("rz6::ResultWindow", buttonPlaces[i].text.data()));
    // A screen reader speaks a dialog's description as it opens: the three figures under
    // their headings and the rank, before the focus on "再試合".
    QStringList parts;
    for (std::size_t i = 0; i < figureLabels_.size(); ++i)
        parts << figureLabels_[i]->accessibleDescription() + QLatin1Char(' ') +
                     figureLabels_[i]->text();
    parts << QCoreApplication::translate("rz6::ResultWindow", "ランク ") +
                 rankSlider_->accessibleDescription();
    setAccessibleDescription(parts.join(QCoreApplication::translate("rz6::ResultWindow", "、")));
}

void ResultWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && rankList_)
        retranslate();
    QWidget::changeEvent(event);
}

void ResultWindow::pressButton(int index) {
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
        for (LabelButton* button : buttons_)
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
    if (watched == rankSlider_) {
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
