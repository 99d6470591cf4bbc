// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "common/japanese_fonts.h"

#include <QApplication>
#include <QColor>

namespace rz6::test {

// The one QApplication of a window test program, made on first use with the game's own font
// mapping. It is never destroyed: torn down among the other static objects at exit, Qt's
// clean-up of the pointing devices that QTest's clicks create would crash.
inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "rz6_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        installJapaneseFonts();
        return created;
    }();
    return *app;
}

// A colour as the layout tables write it: 0x00BBGGRR.
inline unsigned int bgrOf(const QColor& c) {
    return static_cast<unsigned int>(c.red()) | static_cast<unsigned int>(c.green()) << 8 |
           static_cast<unsigned int>(c.blue()) << 16;
}

} // namespace rz6::test
