// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

class QColor;
class QWidget;

namespace rz6 {

// Fills a widget's own background with one colour, given as a 0x00BBGGRR value like the
// layout tables write it. The colour goes on the widget's background role (a button fills
// from Button, a label or a window from Window) and the widget fills its background itself.
// A colour it already shows is not written again, so calling this after every event
// repaints nothing.
void setBackColor(QWidget* widget, unsigned int bgr);
void setBackColor(QWidget* widget, const QColor& color);

// What a sub-screen with label-buttons starts as, after its object name and title: a window
// of fixed size (in pixels) in its back colour that deletes itself when closed, follows the
// pointer for the buttons' highlights, and is a dialog to the accessibility bus.
void setUpSubScreen(QWidget* screen, int width, int height, unsigned int bgr);

} // namespace rz6
