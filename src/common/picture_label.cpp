// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/picture_label.h"

#include <QPainter>

namespace rz6 {

void PictureLabel::paintEvent(QPaintEvent* event) {
    const QPixmap picture = pixmap();
    if (picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(contentsRect().topLeft(), picture);
}

void keepLookWhenDisabled(QWidget* widget) {
    QPalette p = widget->palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = static_cast<QPalette::ColorRole>(role);
        p.setBrush(QPalette::Disabled, r, p.brush(QPalette::Active, r));
    }
    widget->setPalette(p);
}

} // namespace rz6
