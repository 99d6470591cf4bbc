// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

class QCoreApplication;
class QWidget;

namespace rz6 {

// Every sub-screen and message box is a window whose Qt parent is the battle window: the
// window system then knows the battle window as its transient parent, keeps the sub-screen
// above it and places it over it, Wayland included, where a program cannot place windows.
//
// The battle window disables itself while a screen is in front, and Qt passes that on to
// every window it owns. A window given to this call stays usable all the same (or nothing
// could close it and give the battle window back); only a disable of its own holds.
void keepEnabledWhileOwnerDisabled(QWidget* window);

// A window of a fixed size is never maximised. Its flags offer no maximise button, but on
// Wayland Qt draws the title bar itself and shows the button on every window; a maximise
// asked for there is undone at once, for every window of the application.
void refuseMaximiseOfFixedSizeWindows(QCoreApplication& application);

} // namespace rz6
