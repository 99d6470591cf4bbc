// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "common/japanese_fonts.h"
#include "common/twips_box.h"

#include <QColor>
#include <QFont>
#include <QRect>

#include <string_view>

namespace rz6 {

// Geometry is written in twips, as the layout tables give it: 15 twips to a
// device-independent pixel (1440 to the inch at 96 dpi). Qt scales pixels for high-density
// screens. Always use these helpers instead of dividing by hand.
inline constexpr int twipsPerPixel = 15;

constexpr int twips(int value) {
    return value / twipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline QRect twipsRect(const TwipsBox& box) {
    return twipsRect(box.left, box.top, box.width, box.height);
}

// Colours are written as the layout tables give them: 0x00BBGGRR, blue in the high byte.
inline QColor bgrColor(unsigned int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// A font as the layout tables give it: the design's family name (mapped to an installed
// Japanese font at start-up), its size in points and its style.
struct FontFace {
    std::string_view family;
    double points = 9;
    bool bold = true;
    bool italic = false;
};

inline QFont designFont(const FontFace& face) {
    QFont font(fontFamily(face.family));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    font.setItalic(face.italic);
    return font;
}

} // namespace rz6
