// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

class QWidget;

namespace rz6 {

// How the game's own widgets present themselves to screen readers (the desktop's
// accessibility bus). Qt would show a label used as a button as a plain label, and a screen
// built on a bare QWidget as a nameless filler; these calls tell it what they really are.

// The widget is a button to the bus: role push button, named by its accessible name, with a
// press action. Pressing through the bus sends the widget a Space key, so the widget must
// press on Space as it does for a keyboard player.
void exposeAsButton(QWidget* widget);

// The top-level widget is a dialog to the bus, named by its window title, so a screen reader
// announces it when it opens.
void exposeAsScreen(QWidget* screen);

} // namespace rz6
