// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/back_color.h"

#include "common/accessibility.h"
#include "common/screen_units.h"

#include <QPalette>
#include <QWidget>

namespace rz6 {

void setBackColor(QWidget* widget, unsigned int bgr) {
    setBackColor(widget, bgrColor(bgr));
}

void setBackColor(QWidget* widget, const QColor& color) {
    const QPalette::ColorRole role = widget->backgroundRole();
    if (widget->autoFillBackground() && widget->palette().color(role) == color)
        return;
    QPalette p = widget->palette();
    p.setColor(role, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void setUpSubScreen(QWidget* screen, int width, int height, unsigned int bgr) {
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->setFixedSize(width, height);
    screen->setMouseTracking(true);
    exposeAsScreen(screen);
    setBackColor(screen, bgr);
}

} // namespace rz6
