// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "common/language.h"

#include <QString>
#include <QtGlobal>

#include <string>
#include <vector>

namespace rz6 {

// What the environment says about the screen the game would open on.
struct DisplaySetting {
    std::string platform;       // QT_QPA_PLATFORM: empty for Qt's choice
    std::string display;        // DISPLAY (X11)
    std::string waylandDisplay; // WAYLAND_DISPLAY
    // Looked for only where planDisplay asks: a Wayland display alone, or an X server with Qt
    // left to choose.
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
// Wayland, which Qt would not try on its own. The problem is written in that language.
DisplayPlan planDisplay(const DisplaySetting& setting, Language language);

// The setting of this process.
DisplaySetting currentDisplaySetting();

// Watches Qt's messages while the application object connects to the screen: a screen that is
// named but refuses the connection ends the program with one line (in that language) and
// status 1 instead of Qt's abort. Messages Qt gives on a successful start are passed on when
// the watch ends. One watch at a time: Qt's message handler is a plain function, which finds
// the watch through the one that is active.
class DisplayConnectionWatch {
public:
    explicit DisplayConnectionWatch(Language language);
    ~DisplayConnectionWatch();
    DisplayConnectionWatch(const DisplayConnectionWatch&) = delete;
    DisplayConnectionWatch& operator=(const DisplayConnectionWatch&) = delete;

    // The connection is made: Qt's messages go to their usual place again.
    void connected();

private:
    struct HeldMessage {
        QtMsgType type;
        std::string category;
        QString text;
    };
    static void watchMessage(QtMsgType type, const QMessageLogContext& context,
                             const QString& text);
    [[noreturn]] void refused() const;

    Language language_;
    QtMessageHandler previous_ = nullptr;
    bool watching_ = true;
    // Held back until we know whether the start failed, and which window system said so.
    std::vector<HeldMessage> held_;
    bool xcbFailed_ = false;
    bool waylandFailed_ = false;
};

} // namespace rz6
