// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Contact sheet of the game's pictures: every picture at 1x and 2x on the lavender window
// colour, then the background tile repeated over a window-sized area, written to one PNG.
// Usage: rz6_contact_sheet OUTPUT.png
//        rz6_contact_sheet --zoom SHEET.png X Y WIDTH HEIGHT FACTOR OUTPUT.png
// The second form enlarges a part of a sheet with square pixels, for checking edges up close.

#include "common/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

int zoom(char** argv) {
    const QImage sheet(QString::fromLocal8Bit(argv[2]));
    const QRect part(atoi(argv[3]), atoi(argv[4]), atoi(argv[5]), atoi(argv[6]));
    const int factor = atoi(argv[7]);
    if (sheet.isNull() || part.isEmpty() || factor < 1 || factor > 16) {
        std::fprintf(stderr, "cannot zoom into %s\n", argv[2]);
        return 2;
    }
    const QImage enlarged = sheet.copy(part).scaled(part.size() * factor);
    return enlarged.save(QString::fromLocal8Bit(argv[8])) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 9 && qstrcmp(argv[1], "--zoom") == 0)
        return zoom(argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rz6_contact_sheet OUTPUT.png\n");
        return 2;
    }

    const QColor window(0xC0, 0xC0, 0xFF);
    const QColor panel(0x80, 0x80, 0xFF);
    const QSize area(618, 402); // the battle window's client area
    constexpr int margin = 12;
    constexpr int sheetWidth = 1300;

    // Lay the pictures out in rows, each picture at 1x with its 2x copy beside it.
    struct Placed {
        QString name;
        QPoint at;
    };
    QList<Placed> placed;
    int x = margin;
    int y = margin;
    int rowHeight = 0;
    for (const QString& name : rz6::Pictures::names()) {
        const QSize size = rz6::Pictures::naturalSize(name);
        const int width = size.width() * 3 + margin;
        if (x + width > sheetWidth) {
            x = margin;
            y += rowHeight + margin;
            rowHeight = 0;
        }
        placed.append({name, QPoint(x, y)});
        x += width + margin;
        rowHeight = qMax(rowHeight, size.height() * 2);
    }
    const int tilesTop = y + rowHeight + 2 * margin;

    QImage sheet(sheetWidth, tilesTop + area.height() + margin, QImage::Format_ARGB32);
    sheet.fill(window);
    QPainter painter(&sheet);
    int missing = 0;
    for (const Placed& item : placed) {
        const QPixmap plain = rz6::Pictures::pixmap(item.name, 1.0);
        const QPixmap sharp = rz6::Pictures::pixmap(item.name, 2.0);
        if (plain.isNull() || sharp.isNull()) {
            std::fprintf(stderr, "missing picture: %s\n", qPrintable(item.name));
            ++missing;
            continue;
        }
        const QSize size = rz6::Pictures::naturalSize(item.name);
        // The 2x copy drawn at double size, one device pixel per sheet pixel.
        QPixmap big = sharp;
        big.setDevicePixelRatio(1.0);
        painter.drawPixmap(item.at, plain);
        painter.drawPixmap(item.at + QPoint(size.width() + margin / 2, 0), big);
    }

    // The tiled background over the battle window's area, with a panel and keypad marks on it.
    const QPixmap tile = rz6::Pictures::pixmap(QStringLiteral("tile"));
    painter.drawTiledPixmap(QRect(QPoint(margin, tilesTop), area), tile);
    const QRect panelRect(margin + 264, tilesTop + 72, 337, 161);
    painter.fillRect(panelRect, panel);
    for (int digit = 1; digit <= 9; ++digit) {
        const int column = (digit - 1) % 3;
        const int row = 2 - (digit - 1) / 3;
        painter.drawPixmap(panelRect.topLeft() + QPoint(24 + 48 * column, 24 + 40 * row),
                           rz6::Pictures::pixmap(QStringLiteral("keypad_%1").arg(digit)));
    }
    painter.drawPixmap(QPoint(margin + 400, tilesTop + 16),
                       rz6::Pictures::pixmap(QStringLiteral("heading_turns_left")));
    painter.drawPixmap(QPoint(margin + 50, tilesTop + 56),
                       rz6::Pictures::pixmap(QStringLiteral("heading_character")));
    painter.fillRect(QRect(margin + 30, tilesTop + 72, 193, 257), panel);
    painter.drawPixmap(QPoint(margin + 56, tilesTop + 96),
                       rz6::Pictures::pixmap(QStringLiteral("portrait_ren_ready")));
    painter.drawPixmap(QPoint(margin + 640, tilesTop + 40),
                       rz6::Pictures::pixmap(QStringLiteral("title_character_select")));
    // The program icon at the sizes a desktop shows it.
    const QIcon icon = rz6::Pictures::appIcon();
    int iconX = margin + 640;
    for (int side : {16, 24, 32, 48, 64}) {
        painter.drawPixmap(QPoint(iconX, tilesTop + 140), icon.pixmap(QSize(side, side)));
        iconX += side + margin;
    }
    painter.end();

    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return missing == 0 ? 0 : 1;
}
