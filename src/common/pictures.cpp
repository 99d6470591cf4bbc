// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/pictures.h"

#include "common/language.h"

#include "assets/picture_table.h"
#include "common/app_info.h"

#include <QImage>
#include <QImageReader>
#include <QPixmapCache>
#include <QResource>

#include <cmath>
#include <utility>

namespace rz6 {

namespace {

using PictureInfo = pictureTable::Entry;

const PictureInfo* findExactPicture(const QString& name) {
    for (const PictureInfo& info : pictureTable::entries) {
        if (name == QLatin1String(info.name))
            return &info;
    }
    return nullptr;
}

// A picture with lettering has an English version, <name>_en, shown while the game speaks
// English; every other picture is the same in both languages.
const PictureInfo* findPicture(const QString& name) {
    if (currentLanguage() == Language::English)
        if (const PictureInfo* english = findExactPicture(name + QStringLiteral("_en")))
            return english;
    return findExactPicture(name);
}

QString svgPath(const char* name) {
    return QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name));
}

QString renderedPath(const char* name, const QSize& pixelSize) {
    return QStringLiteral(":/pictures/rendered/%1-%2x%3.argb")
        .arg(QLatin1String(name))
        .arg(pixelSize.width())
        .arg(pixelSize.height());
}

// The pixels the build drew for this size: rows of premultiplied ARGB, nothing else. Null when
// the build drew none of this size.
QImage renderedPixels(const PictureInfo& info, const QSize& pixelSize) {
    const QResource resource(renderedPath(info.name, pixelSize));
    if (!resource.isValid())
        return {};
    auto* bytes = new QByteArray(resource.uncompressedData());
    const qsizetype rowBytes = qsizetype(pixelSize.width()) * 4;
    if (bytes->size() != rowBytes * pixelSize.height()) {
        delete bytes;
        return {};
    }
    // The image holds the unpacked bytes themselves and lets them go with its last copy: the
    // pixels are never copied a second time.
    return QImage(
        reinterpret_cast<const uchar*>(bytes->constData()), pixelSize.width(), pixelSize.height(),
        rowBytes, QImage::Format_ARGB32_Premultiplied,
        [](void* held) { delete static_cast<QByteArray*>(held); }, bytes);
}

// Draws the SVG to fill pixelSize, through Qt's SVG image reader: the SVG library is then only
// loaded when a screen needs a size that was not drawn at build time.
QImage renderSvg(const PictureInfo& info, const QSize& pixelSize) {
    QImageReader reader(svgPath(info.name), "svg");
    reader.setScaledSize(pixelSize);
    QImage image = reader.read();
    if (image.size() != pixelSize)
        return {};
    return image;
}

QPixmap render(const PictureInfo& info, const QSize& pixelSize) {
    // The build draws every picture at 1x and 2x (and the icon at its usual sizes): those
    // only need copying. Any other size, e.g. a screen at 1.5x, is drawn from the SVG so it
    // stays sharp.
    QImage image = renderedPixels(info, pixelSize);
    if (image.size() != pixelSize)
        image = renderSvg(info, pixelSize);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(std::move(image));
}

} // namespace

QSize Pictures::naturalSize(const QString& name) {
    const PictureInfo* info = findPicture(name);
    return info ? QSize(info->width, info->height) : QSize();
}

QPixmap Pictures::pixmap(const QString& name, qreal devicePixelRatio) {
    return pixmap(name, naturalSize(name), devicePixelRatio);
}

QPixmap Pictures::pixmap(const QString& name, const QSize& logicalSize, qreal devicePixelRatio) {
    const PictureInfo* info = findPicture(name);
    if (!info || logicalSize.isEmpty() || !(devicePixelRatio > 0))
        return {};
    const qreal width = std::ceil(logicalSize.width() * devicePixelRatio);
    const qreal height = std::ceil(logicalSize.height() * devicePixelRatio);
    if (width > maxRenderSide || height > maxRenderSide)
        return {};
    const QSize pixelSize{int(width), int(height)};

    // The ratio is part of the key so that a cached pixmap already carries it and is handed out
    // without a copy of its pixels.
    const QString key = QStringLiteral("rz6-picture:%1:%2x%3@%4")
                            .arg(QLatin1String(info->name))
                            .arg(pixelSize.width())
                            .arg(pixelSize.height())
                            .arg(devicePixelRatio);
    QPixmap result;
    if (!QPixmapCache::find(key, &result)) {
        result = render(*info, pixelSize);
        if (result.isNull())
            return {};
        result.setDevicePixelRatio(devicePixelRatio);
        QPixmapCache::insert(key, result);
    }
    return result;
}

QString Pictures::accessibleName(const QString& name) {
    const PictureInfo* info = findPicture(name);
    if (!info)
        return {};
    return QString::fromUtf8(currentLanguage() == Language::English ? info->englishName
                                                                    : info->accessibleName);
}

QIcon Pictures::appIcon() {
    QIcon icon;
    for (int side : appInfo::iconSizes)
        icon.addPixmap(pixmap(QStringLiteral("app_icon"), QSize(side, side), 1.0));
    return icon;
}

QStringList Pictures::names() {
    QStringList result;
    for (const PictureInfo& info : pictureTable::entries)
        result.append(QLatin1String(info.name));
    return result;
}

} // namespace rz6
