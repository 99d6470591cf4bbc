// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace rz6 {

// Tells a click from other presses, the way buttons do: the left button pressed on a widget
// and released while still over it. Labels and frames that answer clicks use it.
class ClickTracker {
public:
    void press(const QMouseEvent* event) { pressed_ = event->button() == Qt::LeftButton; }

    // True when this release completes a click on the widget.
    bool release(const QMouseEvent* event, const QWidget* widget) {
        const bool click = pressed_ && event->button() == Qt::LeftButton &&
                           widget->rect().contains(event->position().toPoint());
        pressed_ = false;
        return click;
    }

private:
    bool pressed_ = false;
};

} // namespace rz6
