#pragma once

#include <QColor>
#include <QRect>

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

// Colours are written as the layout tables give them: 0x00BBGGRR, blue in the high byte.
inline QColor bgrColor(unsigned int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace rz6
