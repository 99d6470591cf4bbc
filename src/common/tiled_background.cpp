// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/tiled_background.h"

#include "common/tile_layout.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace rz6 {

namespace {

int roundedPixels(qreal value) {
    return static_cast<int>(std::lround(value));
}

// Paints the tiles at the given ratio: positions and sizes stay in device-independent
// pixels, the painter scales them to device pixels.
QPixmap paintTiles(QSize area, qreal ratio, const QPixmap& tile, const QColor& backColour) {
    QPixmap surface(
        QSize(roundedPixels(area.width() * ratio), roundedPixels(area.height() * ratio)));
    surface.setDevicePixelRatio(ratio);
    surface.fill(backColour);

    const QSizeF tileSize = tile.deviceIndependentSize();
    const int tileWidth = roundedPixels(tileSize.width());
    const int tileHeight = roundedPixels(tileSize.height());

    QPainter painter(&surface);
    // A tile finer than the screen is averaged down; a coarser one is enlarged pixel by
    // pixel, which keeps its edges sharp instead of blurring them.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, tile.devicePixelRatio() > ratio);
    for (const TilePosition& at : tilePositions(area.width(), area.height(), tileWidth, tileHeight))
        painter.drawPixmap(QRect(at.x, at.y, tileWidth, tileHeight), tile);
    return surface;
}

} // namespace

void tileBackground(QWidget* target, const QPixmap& tile) {
    if (target == nullptr || tile.isNull())
        return;
    const QSize area = target->size();
    if (area.isEmpty())
        return;

    QPalette palette = target->palette();
    const QPixmap surface =
        paintTiles(area, target->devicePixelRatioF(), tile, palette.color(QPalette::Window));
    palette.setBrush(QPalette::Window, QBrush(surface));
    target->setPalette(palette);
    target->setAutoFillBackground(true);
}

} // namespace rz6
