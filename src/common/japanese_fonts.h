// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

namespace rz6 {

// The windows name their fonts as the game always has ("ＭＳ 明朝", "ＭＳ Ｐゴシック", ...).
// This maps each of those names to the Japanese fonts Debian ships (the IPA fonts), and
// makes a Japanese Gothic the application's default font. Call once after the
// QApplication exists and before any window is built.
void installJapaneseFonts();

// The default font's faces for text in English (true) or Japanese: English puts a Latin face
// first, with the Japanese Gothic behind it for the Japanese names the English texts carry.
// The Japanese faces draw Western punctuation (— “ ” ’) as full-width marks, so an em dash
// would look like the ideograph 一. Windows that name their own fonts keep them.
void useDefaultFontFor(bool english);

} // namespace rz6
