// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace rz6 {

// The game's pictures, drawn as SVG and compiled in as resources. Windows ask for a picture by
// its name ("tile", "keypad_7", "portrait_ren_ready", ...) and never see a file name. The build
// also draws every picture into plain pixels at 1x and 2x (and the icon at its usual sizes),
// used whenever their pixel size is the one asked for; any other size is drawn from the SVG.
// Each picture is made once per size and pixel ratio and then served from a cache.
class Pictures {
public:
    // The size the picture is drawn at, in device-independent pixels; an empty size for an
    // unknown name.
    static QSize naturalSize(const QString& name);

    // The picture at its natural size. The returned pixmap carries the pixel ratio, so its
    // logical size is the natural size whatever the ratio. Null for an unknown name.
    static QPixmap pixmap(const QString& name, qreal devicePixelRatio = 1.0);

    // The picture scaled to logicalSize (device-independent pixels) for the given pixel ratio.
    // Null for an unknown name, an empty size, a ratio that is not positive or a size too large
    // to render.
    static QPixmap pixmap(const QString& name, const QSize& logicalSize, qreal devicePixelRatio);

    // A picture with lettering is shown in the game's language: while it speaks English, the
    // English version "<name>_en" stands in for "<name>" in every call below.
    //
    // What a screen reader says for the picture, in its language; empty for an unknown name.
    static QString accessibleName(const QString& name);

    // The program's icon, rendered at the sizes window systems ask for.
    static QIcon appIcon();

    // Every picture the game has, in a fixed order.
    static QStringList names();

    // The longest side, in device pixels, that a picture is ever rendered at.
    static constexpr int maxRenderSide = 8192;
};

} // namespace rz6
