// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

namespace rz6 {

// The game's boxes have a plain "OK" button: the desktop style's button icons (a green
// tick on OK) are switched off for the whole program, leaving everything else as the style
// draws it. Call once after the QApplication exists and before any window is built.
void installGameStyle();

} // namespace rz6
