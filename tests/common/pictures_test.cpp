// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The picture loader hands every window its pictures by name: each one must be compiled in,
// render at its size and pixel ratio, and look like a picture rather than an empty box.

#include "common/pictures.h"

#include "common/app_info.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace rz6 {
namespace {

QGuiApplication& app() {
    static int argc = 1;
    static char name[] = "pictures_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return application;
}

class PicturesTest : public ::testing::Test {
protected:
    void SetUp() override { app(); }
};

struct AlphaCount {
    int opaque = 0;
    int transparent = 0;
};

AlphaCount countAlpha(const QImage& image) {
    AlphaCount count;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(argb.pixel(x, y));
            if (alpha == 255)
                ++count.opaque;
            else if (alpha == 0)
                ++count.transparent;
        }
    }
    return count;
}

// Every picture but the tile stands on a transparent background.
bool wantsTransparency(const QString& name) {
    return name != QStringLiteral("tile");
}

int colourDistance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// A seam shows as a column (or row) boundary where the colour jumps although both sides are
// flat: a shape cut off at the tile's edge instead of running on into the next copy. Counts the
// lines along the boundary between copies where that happens, looking at the pixels on either
// side of it. An edge of a shape that crosses the boundary at an angle changes gradually and is
// not counted.
int seamBreaks(const QImage& tile, Qt::Orientation across) {
    const int width = tile.width();
    const int height = tile.height();
    auto at = [&](int along, int i) {
        return across == Qt::Horizontal ? tile.pixel((i + width) % width, along)
                                        : tile.pixel(along, (i + height) % height);
    };
    const int extent = across == Qt::Horizontal ? width : height;
    const int lines = across == Qt::Horizontal ? height : width;
    constexpr int jump = 60; // sum of the three channel differences
    constexpr int flat = 12;
    int breaks = 0;
    for (int along = 0; along < lines; ++along) {
        const QRgb beforeEdge = at(along, extent - 2);
        const QRgb lastLine = at(along, extent - 1);
        const QRgb firstLine = at(along, 0);
        const QRgb afterEdge = at(along, 1);
        if (colourDistance(lastLine, firstLine) > jump &&
            colourDistance(beforeEdge, lastLine) < flat &&
            colourDistance(firstLine, afterEdge) < flat)
            ++breaks;
    }
    return breaks;
}

TEST_F(PicturesTest, EveryPictureIsCompiledInAndRendersAtItsSize) {
    const QStringList names = Pictures::names();
    ASSERT_EQ(names.size(), 29); // 23, and six drawn again with English lettering
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/pictures/%1.svg").arg(name)));
        const QSize size = Pictures::naturalSize(name);
        ASSERT_FALSE(size.isEmpty());
        EXPECT_FALSE(Pictures::accessibleName(name).isEmpty());

        const QPixmap picture = Pictures::pixmap(name);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), size);
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), size);

        const AlphaCount alpha = countAlpha(picture.toImage());
        const int pixels = size.width() * size.height();
        // Something is drawn: at least a tenth of the picture is solid.
        EXPECT_GT(alpha.opaque, pixels / 10);
        if (wantsTransparency(name)) {
            EXPECT_GT(alpha.transparent, pixels / 20);
        } else {
            EXPECT_EQ(alpha.opaque, pixels);
        }
    }
}

int pixelsNear(const QImage& image, QColor colour, int tolerance = 24) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            if (qAlpha(pixel) == 255 && colourDistance(pixel, colour.rgb()) <= tolerance)
                ++count;
        }
    }
    return count;
}

TEST_F(PicturesTest, LetteredPicturesEachShowTheirOwnLettering) {
    // A copied file or lettering lost on the way shows up as two identical pictures or as a
    // picture without its lettering colour.
    const QColor white(0xFF, 0xFF, 0xFF);
    const QColor red(0xD0, 0x20, 0x2A);
    QStringList lettered;
    for (int digit = 1; digit <= 9; ++digit)
        lettered << QStringLiteral("keypad_%1").arg(digit);
    lettered << QStringLiteral("heading_turns_left") << QStringLiteral("heading_character")
             << QStringLiteral("heading_score") << QStringLiteral("heading_technique_points")
             << QStringLiteral("heading_overall");
    QList<QImage> images;
    for (const QString& name : lettered) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = Pictures::pixmap(name, 2.0).toImage();
        const int pixels = image.width() * image.height();
        EXPECT_GT(pixelsNear(image, white), pixels / 40);
        if (name.startsWith(QStringLiteral("keypad"))) {
            // The button's face shades softly away from red, hence the wider tolerance.
            EXPECT_GT(pixelsNear(image, red, 60), pixels / 4);
        }
        for (const QImage& earlier : images)
            EXPECT_NE(image, earlier);
        images << image;
    }
    const QImage title = Pictures::pixmap(QStringLiteral("title_character_select")).toImage();
    EXPECT_GT(pixelsNear(title, red), 400 * 60 / 20);
    EXPECT_GT(pixelsNear(title, white), 400 * 60 / 40);
}

TEST_F(PicturesTest, HighDensityRenderingKeepsTheLogicalSize) {
    for (const QString& name : Pictures::names()) {
        SCOPED_TRACE(name.toStdString());
        const QSize size = Pictures::naturalSize(name);
        const QPixmap sharp = Pictures::pixmap(name, 2.0);
        ASSERT_FALSE(sharp.isNull());
        EXPECT_EQ(sharp.size(), size * 2);
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        EXPECT_EQ(sharp.deviceIndependentSize().toSize(), size);
    }
    // A fractional ratio rounds the device size up so that nothing is cut off.
    const QPixmap keypad = Pictures::pixmap(QStringLiteral("keypad_5"), QSize(30, 30), 1.25);
    EXPECT_EQ(keypad.size(), QSize(38, 38));
    EXPECT_EQ(keypad.devicePixelRatio(), 1.25);
}

TEST_F(PicturesTest, CachedPicturesKeepTheirOwnRatio) {
    const QPixmap plain = Pictures::pixmap(QStringLiteral("keypad_3"), 1.0);
    const QPixmap sharp = Pictures::pixmap(QStringLiteral("keypad_3"), 2.0);
    const QPixmap plainAgain = Pictures::pixmap(QStringLiteral("keypad_3"), 1.0);
    EXPECT_EQ(plain.devicePixelRatio(), 1.0);
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(plainAgain.devicePixelRatio(), 1.0);
    EXPECT_EQ(plainAgain.cacheKey(), plain.cacheKey());
    // Scaled requests render afresh instead of stretching a small copy.
    const QPixmap large = Pictures::pixmap(QStringLiteral("keypad_3"), QSize(120, 120), 1.0);
    EXPECT_EQ(large.size(), QSize(120, 120));
}

TEST_F(PicturesTest, BadRequestsGiveNullPicturesInsteadOfFailing) {
    EXPECT_TRUE(Pictures::pixmap(QStringLiteral("keypad_0")).isNull());
    EXPECT_TRUE(Pictures::pixmap(QString()).isNull());
    EXPECT_TRUE(Pictures::pixmap(QStringLiteral("../tile")).isNull());
    EXPECT_TRUE(Pictures::naturalSize(QStringLiteral("nothing")).isEmpty());
    EXPECT_TRUE(Pictures::accessibleName(QStringLiteral("nothing")).isEmpty());
    const QString tile = QStringLiteral("tile");
    EXPECT_TRUE(Pictures::pixmap(tile, QSize(0, 29), 1.0).isNull());
    EXPECT_TRUE(Pictures::pixmap(tile, QSize(-16, 29), 1.0).isNull());
    EXPECT_TRUE(Pictures::pixmap(tile, QSize(16, 29), 0.0).isNull());
    EXPECT_TRUE(Pictures::pixmap(tile, QSize(16, 29), -1.0).isNull());
    EXPECT_TRUE(Pictures::pixmap(tile, QSize(16, 29), qQNaN()).isNull());
    EXPECT_TRUE(Pictures::pixmap(tile, QSize(1 << 20, 29), 1.0).isNull());
    EXPECT_TRUE(Pictures::pixmap(tile, QSize(5000, 5000), 2.0).isNull());
}

TEST_F(PicturesTest, AppIconOffersSmallAndLargeSizes) {
    const QIcon icon = Pictures::appIcon();
    ASSERT_FALSE(icon.isNull());
    for (int side : {16, 32, 48, 256}) {
        SCOPED_TRACE(side);
        const QPixmap pixmap = icon.pixmap(QSize(side, side));
        EXPECT_EQ(pixmap.size(), QSize(side, side));
        EXPECT_GT(countAlpha(pixmap.toImage()).opaque, side * side / 4);
    }
}

TEST_F(PicturesTest, TileRepeatsWithoutSeams) {
    // Rendered larger so that the pattern's own edges are crisp and a cut is plain to see.
    for (qreal ratio : {1.0, 4.0}) {
        SCOPED_TRACE(ratio);
        const QImage tile = Pictures::pixmap(QStringLiteral("tile"), ratio).toImage();
        ASSERT_FALSE(tile.isNull());
        EXPECT_EQ(seamBreaks(tile, Qt::Horizontal), 0);
        EXPECT_EQ(seamBreaks(tile, Qt::Vertical), 0);
    }
}

TEST_F(PicturesTest, SeamCheckNoticesAPatternCutAtTheEdge) {
    // The check above must be able to fail: a stripe that stops at the tile's right edge.
    QImage cut(64, 116, QImage::Format_ARGB32);
    cut.fill(QColor(0xC0, 0xC0, 0xFF));
    QPainter painter(&cut);
    painter.fillRect(QRect(40, 0, 24, 116), QColor(0x3A, 0x2E, 0x6E));
    painter.fillRect(QRect(0, 100, 64, 16), QColor(0xEC, 0xEA, 0xFF));
    painter.end();
    EXPECT_GT(seamBreaks(cut, Qt::Horizontal), 90);
    EXPECT_GT(seamBreaks(cut, Qt::Vertical), 50);
}

// The picture drawn straight from its SVG, the way the build draws its stored pixels.
QImage drawnFromSvg(const QString& name, QSize pixelSize) {
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixelSize)));
    return image;
}

// The largest difference of any channel (alpha included) between two pictures of one size,
// compared premultiplied so that invisible colour under full transparency does not count;
// 256 when the sizes differ.
int largestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 256;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            largest =
                std::max({largest, std::abs(qAlpha(p) - qAlpha(q)), std::abs(qRed(p) - qRed(q)),
                          std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

QString renderedPath(const QString& name, QSize pixelSize) {
    return QStringLiteral(":/pictures/rendered/%1-%2x%3.argb")
        .arg(name)
        .arg(pixelSize.width())
        .arg(pixelSize.height());
}

// The pixels the build drew for a picture at one size; null when there are none or when they
// are not exactly rows of premultiplied ARGB of that size.
QImage storedPixels(const QString& name, QSize pixelSize) {
    const QResource resource(renderedPath(name, pixelSize));
    const QByteArray bytes = resource.uncompressedData();
    if (!resource.isValid() || bytes.size() != pixelSize.width() * pixelSize.height() * 4)
        return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()), pixelSize.width(),
                  pixelSize.height(), QImage::Format_ARGB32_Premultiplied)
        .copy();
}

TEST_F(PicturesTest, PicturesDrawnAtBuildTimeAgreeWithTheirSvg) {
    // Every picture has pixels drawn by the build for ordinary and double-density screens, the
    // loader hands out exactly those, and they show what the SVG shows.
    for (const QString& name : Pictures::names()) {
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(QStringLiteral("%1 at %2x").arg(name).arg(ratio).toStdString());
            const QSize pixelSize = Pictures::naturalSize(name) * ratio;
            const QImage stored = storedPixels(name, pixelSize);
            ASSERT_EQ(stored.size(), pixelSize);
            EXPECT_LE(largestDifference(stored, drawnFromSvg(name, pixelSize)), 2);
            const QImage served = Pictures::pixmap(name, ratio).toImage();
            EXPECT_EQ(largestDifference(served, stored), 0);
        }
    }
    for (int side : appInfo::iconSizes) {
        SCOPED_TRACE(side);
        const QImage stored = storedPixels(QStringLiteral("app_icon"), QSize(side, side));
        ASSERT_EQ(stored.size(), QSize(side, side));
        EXPECT_LE(
            largestDifference(stored, drawnFromSvg(QStringLiteral("app_icon"), stored.size())), 2);
    }
}

TEST_F(PicturesTest, OtherRatiosAreDrawnFromTheSvgAndStaySharp) {
    // The build drew nothing at these sizes: the loader draws the SVG itself, at the full
    // device size rather than stretching smaller pixels.
    struct Request {
        const char* name;
        qreal ratio;
    };
    for (const Request& request : {Request{"portrait_yukina_ready", 1.5}, Request{"keypad_7", 3.0},
                                   Request{"heading_score", 1.25}, Request{"tile", 1.75}}) {
        const QString name = QString::fromLatin1(request.name);
        SCOPED_TRACE(QStringLiteral("%1 at %2x").arg(name).arg(request.ratio).toStdString());
        const QSize logical = Pictures::naturalSize(name);
        const QSize pixelSize(int(std::ceil(logical.width() * request.ratio)),
                              int(std::ceil(logical.height() * request.ratio)));
        ASSERT_FALSE(QFile::exists(renderedPath(name, pixelSize)));
        const QPixmap picture = Pictures::pixmap(name, request.ratio);
        ASSERT_EQ(picture.size(), pixelSize);
        EXPECT_EQ(picture.devicePixelRatio(), request.ratio);
        EXPECT_LE(largestDifference(picture.toImage(), drawnFromSvg(name, pixelSize)), 2);
    }
}

} // namespace
} // namespace rz6
