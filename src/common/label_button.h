// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "common/click_tracker.h"
#include "common/twips_box.h"

#include <QLabel>

#include <string_view>

namespace rz6 {

// A label used as a button: white centred text on a back colour that turns to the hover
// colour while the pointer moves over it. It does not reset itself when the pointer leaves;
// the window puts it back to rest when the pointer crosses its bare background (call
// setHighlighted(false)), so a highlight stays while the pointer is over other widgets.
//
// To the keyboard it is a button too: Tab reaches it (a click does not take the focus, so a
// mouse player sees nothing new), a dotted frame marks it while it has the focus, and Space
// or Enter press it. Every other key travels on to the window, so a focused button never
// takes a digit away from the match. To the accessibility bus it is a push button.
class LabelButton : public QLabel {
    Q_OBJECT
public:
    // Colours are 0x00BBGGRR values.
    explicit LabelButton(const QString& text, QWidget* parent = nullptr,
                         unsigned int restColor = 0x00FFC0C0, unsigned int hoverColor = 0x00FF0000);

    // Writes the caption, which is also what the button is called on the bus.
    void setCaption(const QString& caption);
    bool isHighlighted() const { return highlighted_; }
    // Writes the colour only when it changes, so moving about repaints nothing.
    void setHighlighted(bool highlighted);
    QColor backColor() const;

signals:
    void clicked();
    // The pointer moved over the button (it is highlighted already when this is sent).
    void pointerMoved();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyColor();

    unsigned int restColor_;
    unsigned int hoverColor_;
    bool highlighted_ = false;
    ClickTracker click_;
};

// Where one label-button of a screen's row sits, as the layout tables give it.
struct LabelButtonPlace {
    std::string_view text;
    TwipsBox box;
};

struct FontFace;

// Makes the label-button arrayName(index) of a screen's row, at its place in `parent`.
LabelButton* makeLabelButton(QWidget* parent, std::string_view arrayName, int index,
                             const LabelButtonPlace& place, const FontFace& font);

} // namespace rz6
