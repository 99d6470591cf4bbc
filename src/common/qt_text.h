// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <string_view>

namespace rz6 {

// The rules keep their texts as UTF-8 string views; this is how a window shows one.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the rules marked RZ6_TRANSLATABLE(context, text), in the player's language.
inline QString translatedText(const char* context, std::string_view text) {
    const QByteArray source(text.data(), static_cast<qsizetype>(text.size()));
    return QCoreApplication::translate(context, source.constData());
}

// The object name of one member of a widget array: indexedName("Label1", 3) is "Label1(3)".
// Tests and tools find widgets by these names.
inline QString indexedName(std::string_view name, int index) {
    return QStringLiteral("%1(%2)").arg(fromUtf8(name)).arg(index);
}

} // namespace rz6
