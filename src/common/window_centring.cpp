// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/window_centring.h"

#include <QScreen>
#include <QWidget>

namespace rz6 {

void centreWindow(QWidget* window, const QWidget* over) {
    const QWidget* anchor = over ? over->window() : nullptr;
    const QScreen* shownOn = anchor ? anchor->screen() : window->screen();
    const QRect screenArea = shownOn ? shownOn->availableGeometry() : QRect();
    const QRect area = anchor ? anchor->frameGeometry() : screenArea;
    if (area.isEmpty())
        return;
    QRect placed = window->frameGeometry();
    placed.moveCenter(area.center());
    if (!screenArea.isEmpty()) {
        placed.moveRight(qMin(placed.right(), screenArea.right()));
        placed.moveBottom(qMin(placed.bottom(), screenArea.bottom()));
        placed.moveLeft(qMax(placed.left(), screenArea.left()));
        placed.moveTop(qMax(placed.top(), screenArea.top()));
    }
    window->move(placed.topLeft());
}

} // namespace rz6
