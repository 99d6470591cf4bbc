// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

namespace rz6 {

// The windows name their fonts as the game always has ("ＭＳ 明朝", "ＭＳ Ｐゴシック", ...).
// This maps each of those names to the Japanese fonts Debian ships (the IPA fonts), and
// makes a Japanese Gothic the application's default font. Call once after the
// QApplication exists and before any window is built.
void installJapaneseFonts();

} // namespace rz6
