// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

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

// The family to ask Qt for a font the windows name by its design name: the design name where
// a font of that name is installed, else the IPA font that stands for it. The face drawn is
// the one the design name alone would give; asking for it by the name it is installed under
// spares Qt a search of the desktop's fonts for each name, size and script (a fontconfig
// sort each) before the first window can be drawn. Names it does not know, and every name
// before installJapaneseFonts(), come back as they are.
QString fontFamily(std::string_view design);

// The choice fontFamily() makes, given the families installed.
QString chooseFamily(const QString& design, const QString& debian, const QStringList& installed);

} // namespace rz6
