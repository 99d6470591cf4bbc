// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Draws the game's SVG pictures into ready-made pixels at build time, so that a start on an
// ordinary or a double-density screen only copies pixels instead of parsing and rendering SVG
// or decoding an image file.
// Usage: rz6_render_pictures [--png] SVG_FOLDER OUTPUT_FOLDER NAME:WIDTHxHEIGHT...
// Writes OUTPUT_FOLDER/NAME-WIDTHxHEIGHT.argb, the picture SVG_FOLDER/NAME.svg drawn to fill
// exactly WIDTH x HEIGHT device pixels, the same way the game draws an SVG itself: rows of
// premultiplied 32-bit ARGB words in this machine's byte order (the tool runs where the game
// is built), top row first, nothing else. The resource compiler compresses them.
// With --png it writes NAME-WIDTHxHEIGHT.png instead: the icons a desktop installation needs.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    const bool png = args.size() > 1 && args.at(1) == QStringLiteral("--png");
    if (png)
        args.removeAt(1);
    if (args.size() < 4) {
        err << "usage: rz6_render_pictures [--png] SVG_FOLDER OUTPUT_FOLDER "
               "NAME:WIDTHxHEIGHT...\n";
        return 2;
    }
    const QDir sources(args.at(1));
    const QDir output(args.at(2));
    if (!output.mkpath(QStringLiteral("."))) {
        err << "cannot create " << args.at(2) << "\n";
        return 1;
    }

    static const QRegularExpression request(QStringLiteral("^([a-z0-9_]+):([0-9]+)x([0-9]+)$"));
    for (const QString& text : args.mid(3)) {
        const QRegularExpressionMatch match = request.match(text);
        const int width = match.hasMatch() ? match.captured(2).toInt() : 0;
        const int height = match.hasMatch() ? match.captured(3).toInt() : 0;
        if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
            err << "not a picture request: " << text << "\n";
            return 2;
        }
        const QString name = match.captured(1);
        QSvgRenderer renderer(sources.filePath(name + QStringLiteral(".svg")));
        if (!renderer.isValid()) {
            err << "cannot read the picture " << name << "\n";
            return 1;
        }
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            renderer.render(&painter, QRectF(0, 0, width, height));
        }
        const QString path = output.filePath(QStringLiteral("%1-%2x%3.%4")
                                                 .arg(name)
                                                 .arg(width)
                                                 .arg(height)
                                                 .arg(png ? "png" : "argb"));
        if (png) {
            if (!image.save(path, "PNG")) {
                err << "cannot write " << path << "\n";
                return 1;
            }
            continue;
        }
        QFile file(path);
        bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (int row = 0; written && row < height; ++row)
            written = file.write(reinterpret_cast<const char*>(image.constScanLine(row)),
                                 qint64(width) * 4) == qint64(width) * 4;
        if (!written || !file.flush()) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
