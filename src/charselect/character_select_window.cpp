// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "charselect/character_select_window.h"

#include "charselect/character_target.h"
#include "charselect/characters.h"
#include "common/accessibility.h"
#include "common/back_color.h"
#include "common/label_button.h"
#include "common/owned_window.h"
#include "common/pictures.h"
#include "common/qt_text.h"
#include "common/screen_units.h"
#include "common/tiled_background.h"
#include "common/window_centring.h"

#include <QCoreApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

namespace rz6 {

namespace {

// The character select screen's layout: places in twips, colours as 0x00BBGGRR.
constexpr int clientWidth = 9270;
constexpr int clientHeight = 6375;
constexpr unsigned int windowBackColor = 0x00FFC0C0;
constexpr unsigned int optionRestColor = 0x00C0FFFF;  // light yellow
constexpr unsigned int optionHoverColor = 0x0080FF80; // light green
// Portrait boxes are opaque, so the ready portrait fully covers the resting one beneath it.
constexpr unsigned int portraitBackColor = 0x00FFF0F0;

constexpr TwipsBox titleBox{1440, 0, 6000, 900};
constexpr TwipsBox tileHolderBox{480, 5160, 300, 495};
constexpr TwipsBox confirmBox{3600, 5640, 2175, 375};
constexpr FontFace optionFont{"ＭＳ Ｐ明朝", 14.25};
constexpr FontFace confirmFont{"ＭＳ 明朝", 15.75};

// The three character columns: the option button Option1(i), then the box PictureN below it
// that holds the resting portrait PictureN(0) under the ready one PictureN(1).
struct Column {
    TwipsBox option;
    TwipsBox portraits;
    std::string_view portraitBoxName;
};
constexpr std::array<Column, characterCount> columns{{
    {{720, 1320, 2175, 375}, {720, 1800, 2160, 3360}, "Picture1"},
    {{3600, 1320, 2175, 375}, {3600, 1800, 2160, 3360}, "Picture2"},
    {{6480, 1320, 2175, 375}, {6480, 1800, 2175, 3375}, "Picture3"},
}};

} // namespace

CharacterSelectWindow::CharacterSelectWindow(CharacterTarget& target, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), target_(target),
      owner_(owner) {
    setObjectName(QStringLiteral("chrsel"));
    setUpSubScreen(this, twips(clientWidth), twips(clientHeight), windowBackColor);
    keepEnabledWhileOwnerDisabled(this);

    buildWidgets();
    retranslate();
    announcer_ = std::make_unique<Announcer>(this, true);

    tileBackground(this, tileHolder_->pixmap());
    choose(0);

    connect(owner, &QObject::destroyed, this, [this] { ownerDestroyed(); });
}

CharacterSelectWindow::~CharacterSelectWindow() = default;

void CharacterSelectWindow::ownerDestroyed() {
    // The target lives with its owner: say nothing more to it, not even on the way out.
    finished_ = true;
    hide();
    deleteLater();
}

void CharacterSelectWindow::buildWidgets() {
    const qreal dpr = devicePixelRatioF();

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("Image1"));
    title_->setGeometry(twipsRect(titleBox));
    title_->setAlignment(Qt::AlignCenter);

    for (int i = 0; i < characterCount; ++i) {
        const Character& c = character(i);
        const Column& column = columns[static_cast<std::size_t>(i)];

        auto* option = new QRadioButton(this);
        option->setObjectName(indexedName("Option1", i));
        option->setGeometry(twipsRect(column.option));
        option->setFont(designFont(optionFont));
        setBackColor(option, optionRestColor);
        // The choice is made with the mouse or the window's own keys; a button never holds
        // the focus, so none shows a focus frame.
        option->setFocusPolicy(Qt::NoFocus);
        option->setMouseTracking(true);
        option->installEventFilter(this);
        connect(option, &QRadioButton::clicked, this, [this, i] { applyCharacter(i); });
        options_[static_cast<std::size_t>(i)] = option;

        auto makePortrait = [&](int index, std::string_view picture) {
            auto* label = new QLabel(this);
            label->setObjectName(indexedName(column.portraitBoxName, index));
            label->setGeometry(twipsRect(column.portraits));
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(2);
            label->setAlignment(Qt::AlignCenter);
            setBackColor(label, portraitBackColor);
            label->setPixmap(Pictures::pixmap(fromUtf8(picture), dpr));
            return label;
        };
        restPortraits_[static_cast<std::size_t>(i)] = makePortrait(0, c.restPicture);
        readyPortraits_[static_cast<std::size_t>(i)] = makePortrait(1, c.readyPicture);
    }
    // Focus that lands on an option button is parked here; it may hold it, the keys then
    // travel on to the window.
    restPortraits_[0]->setFocusPolicy(Qt::ClickFocus);

    tileHolder_ = new QLabel(this);
    tileHolder_->setObjectName(QStringLiteral("Picture1(2)"));
    tileHolder_->setGeometry(twipsRect(tileHolderBox));
    tileHolder_->setPixmap(Pictures::pixmap(QStringLiteral("tile"), dpr));
    tileHolder_->hide();

    confirmButton_ = new LabelButton(QString(), this);
    confirmButton_->setObjectName(QStringLiteral("Label1"));
    confirmButton_->setGeometry(twipsRect(confirmBox));
    confirmButton_->setFont(designFont(confirmFont));
    connect(confirmButton_, &LabelButton::clicked, this, [this] { confirm(); });
}

// Writes every text of the window in the player's language: the title and its lettered
// picture, the characters' names, what the bus calls each portrait, and "決　　定".
void CharacterSelectWindow::retranslate() {
    setWindowTitle(QCoreApplication::translate("rz6::CharacterSelectWindow", "使用キャラ選択"));
    const QString title = QStringLiteral("title_character_select");
    title_->setPixmap(Pictures::pixmap(title, devicePixelRatioF()));
    title_->setAccessibleName(Pictures::accessibleName(title));
    for (std::size_t i = 0; i < options_.size(); ++i) {
        const Character& c = character(static_cast<int>(i));
        options_[i]->setText(translatedText("Game", c.name));
        restPortraits_[i]->setAccessibleName(Pictures::accessibleName(fromUtf8(c.restPicture)));
        readyPortraits_[i]->setAccessibleName(Pictures::accessibleName(fromUtf8(c.readyPicture)));
    }
    confirmButton_->setCaption(
        QCoreApplication::translate("rz6::CharacterSelectWindow", "決　　定"));
}

void CharacterSelectWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && confirmButton_)
        retranslate();
    QWidget::changeEvent(event);
}

int CharacterSelectWindow::chosenIndex() const {
    for (int i = 0; i < characterCount; ++i) {
        if (options_[static_cast<std::size_t>(i)]->isChecked())
            return i;
    }
    return 0;
}

void CharacterSelectWindow::choose(int index) {
    options_[static_cast<std::size_t>(index)]->setChecked(true);
    applyCharacter(index);
}

void CharacterSelectWindow::chooseByKey(int index) {
    choose(index);
    announcer_->announce(translatedText("Game", character(index).name));
}

void CharacterSelectWindow::applyCharacter(int index) {
    const Character& c = character(index);
    target_.setStatusText(fromUtf8(statusText(c)));
    target_.setWindowLength(c.windowLength);
    target_.setScoreMultiplier(c.scoreMultiplier);
    for (int i = 0; i < characterCount; ++i)
        readyPortraits_[static_cast<std::size_t>(i)]->setVisible(i == index);
}

void CharacterSelectWindow::confirm() {
    close();
}

void CharacterSelectWindow::finish() {
    if (finished_)
        return;
    finished_ = true;
    target_.setPortrait(fromUtf8(character(chosenIndex()).readyPicture));
    emit confirmed();
}

void CharacterSelectWindow::highlightOption(int index) {
    setBackColor(options_[static_cast<std::size_t>(index)], optionHoverColor);
}

void CharacterSelectWindow::clearHighlights() {
    confirmButton_->setHighlighted(false);
    for (QRadioButton* option : options_)
        setBackColor(option, optionRestColor);
}

void CharacterSelectWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // In the middle of the screen, not over the owner.
    if (centred_)
        return;
    centred_ = true;
    centreWindow(this);
}

void CharacterSelectWindow::closeEvent(QCloseEvent* event) {
    // Every way out confirms: "決　　定", the window frame, or the program closing it.
    finish();
    event->accept();
}

void CharacterSelectWindow::keyPressEvent(QKeyEvent* event) {
    const int current = chosenIndex();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: // leaving the screen keeps the choice, as every way out does
        confirm();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        chooseByKey((current + characterCount - 1) % characterCount);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        chooseByKey((current + 1) % characterCount);
        return;
    default:
        break;
    }
    // Read as a character, so the keypad's digits work like the main keyboard's.
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0] >= u'1' && typed[0] < QChar(u'1' + characterCount)) {
        chooseByKey(typed[0].unicode() - u'1');
        return;
    }
    QWidget::keyPressEvent(event);
}

void CharacterSelectWindow::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the controls travel up here too; only the bare background resets the colours.
    if (childAt(event->position().toPoint()) == nullptr)
        clearHighlights();
    QWidget::mouseMoveEvent(event);
}

bool CharacterSelectWindow::eventFilter(QObject* watched, QEvent* event) {
    const int index = optionIndexOf(watched);
    if (index >= 0) {
        if (event->type() == QEvent::MouseMove)
            highlightOption(index);
        else if (event->type() == QEvent::FocusIn)
            restPortraits_[0]->setFocus(Qt::OtherFocusReason);
    }
    return QWidget::eventFilter(watched, event);
}

int CharacterSelectWindow::optionIndexOf(const QObject* object) const {
    for (int i = 0; i < characterCount; ++i) {
        if (options_[static_cast<std::size_t>(i)] == object)
            return i;
    }
    return -1;
}

} // namespace rz6
