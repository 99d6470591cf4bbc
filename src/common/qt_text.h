// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QString>

#include <string_view>

namespace rz6 {

// The rules keep their texts as UTF-8 string views; this is how a window shows one.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The object name of one member of a widget array: indexedName("Label1", 3) is "Label1(3)".
// Tests and tools find widgets by these names.
inline QString indexedName(std::string_view name, int index) {
    return QStringLiteral("%1(%2)").arg(fromUtf8(name)).arg(index);
}

} // namespace rz6
