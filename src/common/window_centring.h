// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

class QWidget;

namespace rz6 {

// Moves a top-level window, frame included, so that it is centred over `over` (another
// window) or, without one, in the middle of the free area of the window's screen. Either way
// it is then kept inside that screen's free area, title bar first, so it can always be
// grabbed and moved.
void centreWindow(QWidget* window, const QWidget* over = nullptr);

} // namespace rz6
