// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/tiled_background.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>

// Built twice: at the ordinary scale and, with RZ6_TEST_SCALE, as on a high-density screen.
#ifndef RZ6_TEST_SCALE
#define RZ6_TEST_SCALE 1
#endif

namespace rz6 {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "tiled_background_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (RZ6_TEST_SCALE != 1)
            qputenv("QT_SCALE_FACTOR", QByteArray::number(RZ6_TEST_SCALE));
        return new QApplication(argc, argv);
    }();
    return *app;
}

// A 16 × 29 tile, drawn at the given ratio, whose every device pixel has its own colour, so
// that a pixel of the background tells exactly which tile pixel landed there.
QPixmap patternTile(int ratio) {
    QImage image(16 * ratio, 29 * ratio, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 3 % 256, (x + y) % 2 * 255));
    QPixmap tile = QPixmap::fromImage(image);
    tile.setDevicePixelRatio(ratio);
    return tile;
}

class TiledBackground : public ::testing::Test {
protected:
    void SetUp() override { application(); }
};

TEST_F(TiledBackground, BackgroundRepeatsTheTilePixelForPixel) {
    QWidget window;
    window.resize(616, 423); // the battle window's client area
    const int ratio = static_cast<int>(std::lround(window.devicePixelRatioF()));
    ASSERT_EQ(ratio, RZ6_TEST_SCALE);
    const QImage tile = patternTile(ratio).toImage();

    tileBackground(&window, patternTile(ratio));

    EXPECT_TRUE(window.autoFillBackground());
    const QImage shown = window.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(616 * ratio, 423 * ratio));
    const QPoint probes[] = {{0, 0},     {15, 28},   {16, 0},    {17, 30},
                             {300, 200}, {615, 422}, {609, 405}, {33 * ratio, 59}};
    for (const QPoint p : probes) {
        const QPoint inTile(p.x() % tile.width(), p.y() % tile.height());
        EXPECT_EQ(shown.pixel(p), tile.pixel(inTile)) << p.x() << "," << p.y();
    }
}

// An opaque tile at the window's ratio is the brush itself, stored without an alpha channel so
// that the background is copied, not blended; a tile the back colour shows through is drawn
// once, over that colour, into a picture of the window's size.
TEST_F(TiledBackground, OpaqueTileIsTheBrushItselfOtherwiseOnePictureOfTheWindow) {
    QWidget opaque;
    opaque.resize(200, 100);
    tileBackground(&opaque, patternTile(RZ6_TEST_SCALE));
    const QPixmap tile = opaque.palette().brush(QPalette::Window).texture();
    EXPECT_EQ(tile.deviceIndependentSize(), QSizeF(16, 29));
    EXPECT_FALSE(tile.hasAlphaChannel());

    QImage pixels =
        patternTile(RZ6_TEST_SCALE).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    pixels.setPixel(1, 1, qRgba(0, 0, 0, 0));
    QPixmap seeThrough = QPixmap::fromImage(pixels);
    seeThrough.setDevicePixelRatio(RZ6_TEST_SCALE);
    QWidget window;
    window.resize(200, 100);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xFF));
    window.setPalette(palette);
    tileBackground(&window, seeThrough);
    const QPixmap surface = window.palette().brush(QPalette::Window).texture();
    EXPECT_EQ(surface.devicePixelRatio(), window.devicePixelRatioF());
    EXPECT_EQ(surface.deviceIndependentSize(), QSizeF(200, 100));
    EXPECT_EQ(window.grab().toImage().pixel(1, 1), qRgb(0xC0, 0xC0, 0xFF));
}

TEST_F(TiledBackground, NullTileLeavesTheBackColourAlone) {
    QWidget window;
    window.resize(200, 100);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xFF));
    window.setPalette(palette);

    tileBackground(&window, QPixmap());

    EXPECT_FALSE(window.autoFillBackground());
    EXPECT_EQ(window.palette().brush(QPalette::Window), QBrush(QColor(0xC0, 0xC0, 0xFF)));
}

} // namespace
} // namespace rz6
