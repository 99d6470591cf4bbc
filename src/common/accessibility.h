// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

class QString;
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

// The widget is a status bar to the bus, so a screen reader's "read the status bar" command
// finds it and reads what it holds.
void exposeAsStatusBar(QWidget* statusBar);

// Says a short phrase to a screen reader at the moment something happens on screen. The
// readers of the desktop speak neither a label's new text nor a change of name of anything
// but the focused control; they do speak a notification as it appears, and inside a status
// bar they speak just its text. So the phrase goes into the name of a notification that
// draws nothing and has no size, and the notification is hidden and shown again in the same
// turn of the event loop: nothing on screen moves or repaints differently.
class Announcer {
public:
    // Lives inside `statusBar`, which the caller exposes as a status bar (or which is made
    // one here when `makeStatusBar` is set, for a screen without a status bar of its own: a
    // holder of no size at the top left of `statusBar`).
    Announcer(QWidget* statusBar, bool makeStatusBar);
    void announce(const QString& phrase);
    // The phrase said last (tests read it).
    QString lastPhrase() const;

private:
    QWidget* notification_ = nullptr;
};

} // namespace rz6
