// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/tiled_background.h"

#include "common/tile_layout.h"

#include <QImage>
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

// The tile as a brush of its own, where repeating it gives the very pixels paintTiles() would:
// drawn at the window's ratio, whole device pixels to each tile, and opaque (the back colour
// never shows through). Its pixels are then stored without an alpha channel, so that filling
// the window copies them rather than blending each one. Null where it would not do.
QPixmap opaqueTile(const QPixmap& tile, qreal ratio) {
    if (tile.devicePixelRatio() != ratio)
        return {};
    const QSizeF size = tile.deviceIndependentSize();
    if (roundedPixels(size.width()) * ratio != tile.width() ||
        roundedPixels(size.height()) * ratio != tile.height())
        return {};
    const QImage pixels = tile.toImage();
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (qAlpha(pixels.pixel(x, y)) != 255)
                return {};
    QPixmap opaque = QPixmap::fromImage(pixels.convertToFormat(QImage::Format_RGB32));
    opaque.setDevicePixelRatio(ratio);
    return opaque;
}

} // namespace

void tileBackground(QWidget* target, const QPixmap& tile) {
    if (target == nullptr || tile.isNull())
        return;
    const QSize area = target->size();
    if (area.isEmpty())
        return;

    QPalette palette = target->palette();
    const qreal ratio = target->devicePixelRatioF();
    // Where the tile repeats exactly as it is, it is the brush itself: no picture of the
    // whole window (a megabyte at the ordinary scale) is drawn before the first frame.
    QPixmap surface = opaqueTile(tile, ratio);
    if (surface.isNull())
        surface = paintTiles(area, ratio, tile, palette.color(QPalette::Window));
    palette.setBrush(QPalette::Window, QBrush(surface));
    target->setPalette(palette);
    target->setAutoFillBackground(true);
}

} // namespace rz6
