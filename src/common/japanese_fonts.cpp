// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/japanese_fonts.h"

#include <QApplication>
#include <QFont>

namespace rz6 {

void installJapaneseFonts() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    // Dialogs, menus and the status bar use the default font: a Japanese Gothic keeps every
    // caption in one consistent face instead of whatever fallback the desktop picks.
    useDefaultFontFor(false);
}

void useDefaultFontFor(bool english) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return; // no widgets, no fonts to choose
    QStringList families{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    if (english)
        families.prepend(QStringLiteral("DejaVu Sans"));
    QFont font = QApplication::font();
    if (font.families() == families)
        return;
    font.setFamilies(families);
    QApplication::setFont(font);
}

} // namespace rz6
