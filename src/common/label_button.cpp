// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/label_button.h"

#include "common/accessibility.h"
#include "common/qt_text.h"
#include "common/screen_units.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace rz6 {

LabelButton::LabelButton(const QString& text, QWidget* parent, unsigned int restColor,
                         unsigned int hoverColor)
    : QLabel(text, parent), restColor_(restColor), hoverColor_(hoverColor) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setMouseTracking(true);
    // A screen reader announces it as the push button it is, by its own text; the role says
    // "button" already, so the description stays empty rather than say it twice.
    setAccessibleName(text);
    exposeAsButton(this);
    // Tab only: a click must not leave a focus mark behind for a mouse player.
    setFocusPolicy(Qt::TabFocus);
    applyColor();
}

void LabelButton::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted)
        return;
    highlighted_ = highlighted;
    applyColor();
}

QColor LabelButton::backColor() const {
    return bgrColor(highlighted_ ? hoverColor_ : restColor_);
}

void LabelButton::applyColor() {
    QPalette p = palette();
    p.setColor(QPalette::Window, backColor());
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
}

// Qt gives a label that can take the focus a whole text editor's machinery (a document,
// its layout and a cursor) to draw its caption with, made as the label is polished, as its
// text is written and when it takes the focus. A button's caption is one line that is never
// selected or edited: it is drawn as a plain label draws its text, and the battle screen's first
// frame does not wait for four documents to be laid out.
bool LabelButton::event(QEvent* event) {
    if (event->type() == QEvent::Polish)
        return QFrame::event(event); // QLabel's own polish only makes that machinery
    return QLabel::event(event);
}

void LabelButton::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event); // repaints for the focus frame; no editor is made
}

void LabelButton::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
    QLabel::mousePressEvent(event);
}

void LabelButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = click_.release(event, this);
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void LabelButton::mouseMoveEvent(QMouseEvent* event) {
    setHighlighted(true);
    emit pointerMoved();
    event->accept(); // the window behind must not take it for a move over its background
}

void LabelButton::keyPressEvent(QKeyEvent* event) {
    const bool pressKey = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                          event->key() == Qt::Key_Enter;
    if (pressKey && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) // holding the key down presses once
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(event); // ignored: the key goes on to the window
}

void LabelButton::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A dotted frame in the text's colour, just inside the edge, clear of the text.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

void LabelButton::setCaption(const QString& caption) {
    // Written as a label that cannot take the focus, which Qt draws without the editor's
    // machinery (see event()).
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::NoFocus);
    setText(caption);
    setFocusPolicy(policy);
    setAccessibleName(caption);
}

LabelButton* makeLabelButton(QWidget* parent, std::string_view arrayName, int index,
                             const LabelButtonPlace& place, const FontFace& font) {
    auto* button = new LabelButton(fromUtf8(place.text), parent);
    button->setObjectName(indexedName(arrayName, index));
    button->setGeometry(twipsRect(place.box));
    button->setFont(designFont(font));
    return button;
}

} // namespace rz6
