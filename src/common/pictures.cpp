#include "common/pictures.h"

#include <QImage>
#include <QImageReader>
#include <QPixmapCache>
#include <QResource>

#include <array>
#include <cmath>
#include <utility>

namespace rz6 {

namespace {

struct PictureInfo {
    const char* name;
    QSize size;
    const char* accessibleName; // UTF-8
};

// Every picture of the game with the size it is drawn at and what it shows.
const std::array<PictureInfo, 23>& pictureTable() {
    static const std::array<PictureInfo, 23> table{{
        {"tile", {16, 29}, "矢絣の背景模様"},
        {"keypad_1", {30, 30}, "キーパッドの数字 1"},
        {"keypad_2", {30, 30}, "キーパッドの数字 2"},
        {"keypad_3", {30, 30}, "キーパッドの数字 3"},
        {"keypad_4", {30, 30}, "キーパッドの数字 4"},
        {"keypad_5", {30, 30}, "キーパッドの数字 5"},
        {"keypad_6", {30, 30}, "キーパッドの数字 6"},
        {"keypad_7", {30, 30}, "キーパッドの数字 7"},
        {"keypad_8", {30, 30}, "キーパッドの数字 8"},
        {"keypad_9", {30, 30}, "キーパッドの数字 9"},
        {"heading_turns_left", {150, 30}, "残りターン"},
        {"heading_character", {150, 30}, "使用キャラ"},
        {"heading_score", {150, 30}, "評価点"},
        {"heading_technique_points", {150, 30}, "技術点"},
        {"heading_overall", {150, 30}, "総合評価"},
        {"title_character_select", {400, 60}, "きゃらせれくと"},
        {"app_icon", {256, 256}, "ソードリズム！　第弐章"},
        {"portrait_ren_rest", {140, 220}, "灰原　蓮（平常）"},
        {"portrait_ren_ready", {140, 220}, "灰原　蓮（構え）"},
        {"portrait_yukina_rest", {140, 220}, "灰原　雪菜（平常）"},
        {"portrait_yukina_ready", {140, 220}, "灰原　雪菜（構え）"},
        {"portrait_sakon_rest", {140, 220}, "真壁　左近（平常）"},
        {"portrait_sakon_ready", {140, 220}, "真壁　左近（構え）"},
    }};
    return table;
}

const PictureInfo* findPicture(const QString& name) {
    for (const PictureInfo& info : pictureTable()) {
        if (name == QLatin1String(info.name))
            return &info;
    }
    return nullptr;
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
    const QByteArray bytes = resource.uncompressedData();
    const qsizetype rowBytes = qsizetype(pixelSize.width()) * 4;
    if (bytes.size() != rowBytes * pixelSize.height())
        return {};
    // A deep copy: the bytes may be a decompressed buffer that goes with this function.
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()), pixelSize.width(),
                  pixelSize.height(), rowBytes, QImage::Format_ARGB32_Premultiplied)
        .copy();
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
    return info ? info->size : QSize();
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
    return info ? QString::fromUtf8(info->accessibleName) : QString();
}

QIcon Pictures::appIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(pixmap(QStringLiteral("app_icon"), QSize(side, side), 1.0));
    return icon;
}

QStringList Pictures::names() {
    QStringList result;
    for (const PictureInfo& info : pictureTable())
        result.append(QLatin1String(info.name));
    return result;
}

} // namespace rz6
