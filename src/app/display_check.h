// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QtGlobal>

#include <string>

namespace rz6 {

// What the environment says about the screen the game would open on.
struct DisplaySetting {
    std::string platform;       // QT_QPA_PLATFORM: empty for Qt's choice
    std::string display;        // DISPLAY (X11)
    std::string waylandDisplay; // WAYLAND_DISPLAY
    bool waylandPluginInstalled = false;
};

// How to start: either one line that says why there is no usable screen, or the platform to
// ask Qt for (empty: Qt's own choice).
struct DisplayPlan {
    std::string problem;
    std::string platform;
};

// Decided before Qt is asked, because Qt ends a start without a screen by aborting with advice
// to reinstall the program. A Wayland-only session (no X server beside it) is asked for
// Wayland, which Qt would not try on its own.
DisplayPlan planDisplay(const DisplaySetting& setting);

// The setting of this process.
DisplaySetting currentDisplaySetting();

// Watches Qt's messages while the application object connects to the screen: a screen that is
// named but refuses the connection ends the program with one line and status 1 instead of
// Qt's abort. Messages Qt gives on a successful start are passed on when the watch ends.
class DisplayConnectionWatch {
public:
    DisplayConnectionWatch();
    ~DisplayConnectionWatch();
    DisplayConnectionWatch(const DisplayConnectionWatch&) = delete;
    DisplayConnectionWatch& operator=(const DisplayConnectionWatch&) = delete;

    // The connection is made: Qt's messages go to their usual place again.
    void connected();

private:
    QtMessageHandler previous_ = nullptr;
    bool watching_ = true;
};

} // namespace rz6
