// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QPixmap>

class QWidget;

namespace rz6 {

// Covers the target's whole client area with copies of tile, column by column from the top
// left (see tilePositions), each drawn at the tile's own size in device-independent pixels.
// The tiles are painted once into a picture of the target's size, kept at the target's
// device pixel ratio so it stays crisp on high-density screens, and installed as the
// target's background: the window redraws it itself whenever it is uncovered. Call it once
// the target has its final size. A null tile, or a target without area, leaves the
// target's background as it was.
void tileBackground(QWidget* target, const QPixmap& tile);

} // namespace rz6
