// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/japanese_fonts.h"

#include "common/qt_text.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <array>

namespace rz6 {

namespace {

// Each name the windows give and the IPA font Debian ships for it.
struct FamilyPair {
    std::string_view design;
    const char* debian;
};

constexpr std::array<FamilyPair, 4> familyPairs{{
    {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
}};
constexpr std::size_t fixedGothic = 2;
constexpr std::size_t defaultGothic = 3;

// The family each name is asked for by, chosen once the fonts are installed; empty before.
std::array<QString, familyPairs.size()> askedFamilies;

} // namespace

QString chooseFamily(const QString& design, const QString& debian, const QStringList& installed) {
    if (installed.contains(design, Qt::CaseInsensitive))
        return design;
    if (installed.contains(debian, Qt::CaseInsensitive))
        return debian;
    return design;
}

void installJapaneseFonts() {
    const QStringList installed = QFontDatabase::families();
    for (std::size_t i = 0; i < familyPairs.size(); ++i) {
        const QString design = fromUtf8(familyPairs[i].design);
        const QString debian = QString::fromLatin1(familyPairs[i].debian);
        // A font still asked for by its design name finds the same face.
        QFont::insertSubstitution(design, debian);
        askedFamilies[i] = chooseFamily(design, debian, installed);
    }
    // Dialogs, menus and the status bar use the default font: a Japanese Gothic keeps every
    // caption in one consistent face instead of whatever fallback the desktop picks.
    useDefaultFontFor(false);
}

QString fontFamily(std::string_view design) {
    for (std::size_t i = 0; i < familyPairs.size(); ++i)
        if (design == familyPairs[i].design && !askedFamilies[i].isEmpty())
            return askedFamilies[i];
    return fromUtf8(design);
}

void useDefaultFontFor(bool english) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return; // no widgets, no fonts to choose
    const QString gothic = QString::fromLatin1(familyPairs[defaultGothic].debian);
    QStringList families{gothic, QString::fromLatin1(familyPairs[fixedGothic].debian)};
    if (english)
        families.prepend(QStringLiteral("DejaVu Sans"));
    else if (askedFamilies[defaultGothic] == gothic)
        families = QStringList{gothic}; // installed: the second is never reached
    QFont font = QApplication::font();
    if (font.families() == families)
        return;
    font.setFamilies(families);
    QApplication::setFont(font);
}

} // namespace rz6
