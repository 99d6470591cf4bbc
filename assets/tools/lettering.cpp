// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Draws the game's lettered pictures (keypad marks, headings, the character select title and the
// program icon) as SVG files. All lettering is turned into outlines with the installed IPA fonts,
// so the game never needs those fonts to show its pictures.
// Usage: rz6_lettering OUTPUT_FOLDER

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainterPath>
#include <QTransform>

#include <cmath>
#include <cstdio>

namespace {

// The shared palette of the game's pictures.
const char* const ink = "#2B2350";
const char* const deepIndigo = "#3A2E6E";
const char* const lavender = "#C0C0FF";
const char* const midLavender = "#9C94E8";
const char* const pale = "#ECEAFF";
const char* const red = "#D0202A";
const char* const darkRed = "#8E1018";
const char* const white = "#FFFFFF";
const char* const oak = "#C89B5E";
const char* const oakGrain = "#8C6436";

QString number(qreal value) {
    QString text = QString::number(std::round(value * 100.0) / 100.0, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

// SVG path data of a Qt path: moves, lines and cubic curves, each outline closed.
QString pathData(const QPainterPath& path) {
    QStringList parts;
    bool open = false;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (open)
                parts << QStringLiteral("Z");
            parts << QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
            open = true;
            break;
        case QPainterPath::LineToElement:
            parts << QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x),
                              number(end.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    if (open)
        parts << QStringLiteral("Z");
    return parts.join(QString());
}

QFont font(const QString& family, int pixelSize, qreal letterSpacing = 0) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    if (letterSpacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return f;
}

// The text's outline scaled to the given ink height and centred on (centreX, centreY), but
// never wider than maxWidth.
QPainterPath lettering(const QString& text, const QFont& f, qreal inkHeight, qreal centreX,
                       qreal centreY, qreal maxWidth) {
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF box = path.boundingRect();
    qreal scale = inkHeight / box.height();
    if (box.width() * scale > maxWidth)
        scale = maxWidth / box.width();
    QTransform t;
    t.translate(centreX, centreY);
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    return t.map(path);
}

QString svgHeader(int width, int height) {
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" "
               "baseProfile=\"tiny\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n")
        .arg(width)
        .arg(height);
}

bool write(const QDir& folder, const QString& name, const QString& svg) {
    QFile file(folder.filePath(name + QStringLiteral(".svg")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    file.write(svg.toUtf8());
    return file.error() == QFile::NoError;
}

// A path drawn as outline: a wide stroke under a narrower one under the fill.
QString outlinedPath(const QString& d, const QStringList& rims, const QList<qreal>& widths,
                     const char* fill, qreal embolden) {
    QString out;
    for (int i = 0; i < rims.size(); ++i) {
        out += QStringLiteral("<path d=\"%1\" fill=\"%2\" stroke=\"%2\" stroke-width=\"%3\" "
                              "stroke-linejoin=\"round\"/>\n")
                   .arg(d, rims[i], number(widths[i]));
    }
    out += QStringLiteral("<path d=\"%1\" fill=\"%2\"").arg(d, QLatin1String(fill));
    if (embolden > 0)
        out += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\"")
                   .arg(QLatin1String(fill), number(embolden));
    out += QStringLiteral("/>\n");
    return out;
}

// Round red keypad button with its digit in white.
QString keypadMark(int digit) {
    QString svg = svgHeader(30, 30);
    svg += QStringLiteral("<defs><radialGradient id=\"face\" cx=\"12\" cy=\"10\" r=\"16\" "
                          "gradientUnits=\"userSpaceOnUse\">"
                          "<stop offset=\"0\" stop-color=\"#E23A42\"/>"
                          "<stop offset=\"1\" stop-color=\"%1\"/></radialGradient></defs>\n")
               .arg(QLatin1String(red));
    svg += QStringLiteral("<circle cx=\"15\" cy=\"15\" r=\"14.2\" fill=\"%1\"/>\n").arg(ink);
    svg += QStringLiteral("<circle cx=\"15\" cy=\"15\" r=\"13.1\" fill=\"%1\"/>\n").arg(darkRed);
    svg += QStringLiteral("<circle cx=\"14.6\" cy=\"14.4\" r=\"11.6\" fill=\"url(#face)\"/>\n");
    svg += QStringLiteral("<path d=\"M5.4 12.6C6 8.8 8.8 6 12.4 5.2C10.4 6.8 8.2 9.2 7.1 12.9"
                          "C6.7 14 5.3 13.8 5.4 12.6Z\" fill=\"%1\" fill-opacity=\"0.75\"/>\n")
               .arg(white);
    const QPainterPath glyph = lettering(
        QString::number(digit), font(QStringLiteral("IPAGothic"), 64), 13.0, 15.4, 15.3, 13.0);
    svg += outlinedPath(pathData(glyph), {QLatin1String(darkRed)}, {2.6}, white, 0.9);
    svg += QStringLiteral("</svg>\n");
    return svg;
}

// A heading for the windows: a dark lacquered name plate with white lettering. Japanese is
// spaced out by its length; English is set in capitals, a little lower and more widely spaced.
QString heading(const QString& text, bool english = false) {
    QString svg = svgHeader(150, 30);
    const QString plate =
        QStringLiteral("M5.5 2.5H144.5L148.5 6.5V23.5L144.5 27.5H5.5L1.5 23.5V6.5Z");
    svg += QStringLiteral("<path d=\"%1\" fill=\"%2\" stroke=\"%3\" stroke-width=\"1.4\" "
                          "stroke-linejoin=\"round\"/>\n")
               .arg(plate, QLatin1String(deepIndigo), QLatin1String(ink));
    // Lower shade band for a little volume, then the inner gilt-like line in pale lavender.
    svg += QStringLiteral("<path d=\"M2.2 19.5H147.8V23.2L144.2 26.8H5.8L2.2 23.2Z\" "
                          "fill=\"%1\"/>\n")
               .arg(ink);
    svg += QStringLiteral("<path d=\"M6.6 5H143.4L146 7.6V22.4L143.4 25H6.6L4 22.4V7.6Z\" "
                          "fill=\"none\" stroke=\"%1\" stroke-width=\"0.8\"/>\n")
               .arg(midLavender);
    // Small red studs at both ends.
    for (qreal x : {9.0, 141.0}) {
        svg += QStringLiteral("<path d=\"M%1 11.8L%2 15L%1 18.2L%3 15Z\" fill=\"%4\" stroke=\"%5\" "
                              "stroke-width=\"0.6\"/>\n")
                   .arg(number(x), number(x + 3.2), number(x - 3.2), QLatin1String(red),
                        QLatin1String(ink));
    }
    const qreal spacing = english ? 3 : text.size() <= 3 ? 10 : text.size() == 4 ? 4 : 0;
    const QPainterPath letters = lettering(text, font(QStringLiteral("IPAMincho"), 96, spacing * 4),
                                           english ? 13.0 : 18.0, 75, 15, 112);
    svg += outlinedPath(pathData(letters), {QLatin1String(ink)}, {2.4}, white, 1.0);
    svg += QStringLiteral("</svg>\n");
    return svg;
}

// The character select screen's title: red lettering with a white and indigo rim.
QString characterSelectTitle(const QString& text = QStringLiteral("きゃらせれくと"),
                             qreal inkHeight = 44) {
    QString svg = svgHeader(400, 60);
    const QPainterPath letters =
        lettering(text, font(QStringLiteral("IPAPMincho"), 160, 12), inkHeight, 200, 30, 360);
    svg += outlinedPath(pathData(letters), {QLatin1String(ink), QLatin1String(white)}, {8.5, 5.2},
                        red, 1.6);
    svg += QStringLiteral("</svg>\n");
    return svg;
}

// One bokutō lying along the x axis, tip at the left, for the program icon.
QString bokuto(qreal angle) {
    QString g =
        QStringLiteral("<g transform=\"translate(128 128) rotate(%1)\">\n").arg(number(angle));
    // Blade with a rounded tip and a grain line along its back.
    g += QStringLiteral("<path d=\"M-110 -1C-110 -9 -104 -14 -94 -14L70 -13L70 13L-94 13"
                        "C-104 12 -110 7 -110 -1Z\" fill=\"%1\" stroke=\"%2\" stroke-width=\"6\" "
                        "stroke-linejoin=\"round\"/>\n")
             .arg(QLatin1String(oak), QLatin1String(ink));
    g += QStringLiteral("<path d=\"M-100 4H66V9H-96Z\" fill=\"%1\"/>\n")
             .arg(QLatin1String(oakGrain));
    // Grip, then the guard over its end.
    g +=
        QStringLiteral("<path d=\"M78 -12H108C113 -12 115 -7 115 0C115 7 113 12 108 12H78Z\" "
                       "fill=\"%1\" stroke=\"%2\" stroke-width=\"6\" stroke-linejoin=\"round\"/>\n")
            .arg(QLatin1String(deepIndigo), QLatin1String(ink));
    g += QStringLiteral("<rect x=\"68\" y=\"-24\" width=\"12\" height=\"48\" rx=\"4\" fill=\"%1\" "
                        "stroke=\"%2\" stroke-width=\"6\"/>\n")
             .arg(QLatin1String(oakGrain), QLatin1String(ink));
    g += QStringLiteral("</g>\n");
    return g;
}

// The program icon: crossed bokutō behind a red keypad button bearing 剣, on a lavender plate.
// Bold shapes and thick outlines so that it still reads at 16 pixels.
QString appIcon() {
    QString svg = svgHeader(256, 256);
    svg += QStringLiteral("<defs><radialGradient id=\"face\" cx=\"112\" cy=\"104\" r=\"80\" "
                          "gradientUnits=\"userSpaceOnUse\">"
                          "<stop offset=\"0\" stop-color=\"#E23A42\"/>"
                          "<stop offset=\"1\" stop-color=\"%1\"/></radialGradient></defs>\n")
               .arg(QLatin1String(red));
    svg += QStringLiteral("<circle cx=\"128\" cy=\"128\" r=\"121\" fill=\"%1\" stroke=\"%2\" "
                          "stroke-width=\"8\"/>\n")
               .arg(QLatin1String(lavender), QLatin1String(ink));
    // Shade along the lower rim of the plate.
    svg += QStringLiteral("<path d=\"M13.6 150A117 117 0 0 0 242.4 150A140 140 0 0 1 13.6 150Z\" "
                          "fill=\"%1\"/>\n")
               .arg(QLatin1String(midLavender));
    svg += bokuto(-45) + bokuto(-135);
    svg += QStringLiteral("<circle cx=\"128\" cy=\"128\" r=\"70\" fill=\"%1\"/>\n").arg(ink);
    svg += QStringLiteral("<circle cx=\"128\" cy=\"128\" r=\"63\" fill=\"%1\"/>\n").arg(darkRed);
    svg += QStringLiteral("<circle cx=\"125.5\" cy=\"124.5\" r=\"55\" fill=\"url(#face)\"/>\n");
    svg += QStringLiteral("<path d=\"M82 110C86 88 102 75 121 72C109 81 97 94 95 112C93 118 81 117 "
                          "82 110Z\" fill=\"%1\" fill-opacity=\"0.75\"/>\n")
               .arg(white);
    const QPainterPath glyph =
        lettering(QStringLiteral("剣"), font(QStringLiteral("IPAMincho"), 160), 76, 128, 130, 82);
    svg += outlinedPath(pathData(glyph), {QLatin1String(darkRed)}, {10}, white, 4);
    svg += QStringLiteral("</svg>\n");
    return svg;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rz6_lettering OUTPUT_FOLDER\n");
        return 2;
    }
    for (const char* family : {"IPAGothic", "IPAMincho", "IPAPMincho"}) {
        if (!QFontDatabase::families().contains(QLatin1String(family))) {
            std::fprintf(stderr, "font %s is not installed (fonts-ipafont)\n", family);
            return 1;
        }
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (int digit = 1; digit <= 9; ++digit)
        ok &= write(folder, QStringLiteral("keypad_%1").arg(digit), keypadMark(digit));
    // Each heading in Japanese, and the same picture for the game in English, named <name>_en.
    struct Heading {
        const char* name;
        const char* japanese;
        const char* english;
    };
    static constexpr Heading headings[] = {
        {"heading_turns_left", "残りターン", "TURNS LEFT"},
        {"heading_character", "使用キャラ", "CHARACTER"},
        {"heading_score", "評価点", "SCORE"},
        {"heading_technique_points", "技術点", "TECHNIQUE POINTS"},
        {"heading_overall", "総合評価", "OVERALL SCORE"},
    };
    for (const Heading& h : headings) {
        const QString name = QString::fromLatin1(h.name);
        ok &= write(folder, name, heading(QString::fromUtf8(h.japanese)));
        ok &= write(folder, name + QStringLiteral("_en"),
                    heading(QString::fromLatin1(h.english), true));
    }
    ok &= write(folder, QStringLiteral("title_character_select"), characterSelectTitle());
    ok &= write(folder, QStringLiteral("title_character_select_en"),
                characterSelectTitle(QStringLiteral("Character Select"), 40));
    ok &= write(folder, QStringLiteral("app_icon"), appIcon());
    return ok ? 0 : 1;
}
