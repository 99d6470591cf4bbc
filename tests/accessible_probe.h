// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QAccessible>
#include <QObject>

namespace rz6::test {

// What a screen reader reads for a widget through Qt's accessibility interface. (Qt sends no
// accessibility events offscreen; that each change is announced once on the real bus is
// checked end to end.)
inline QString accessibleText(QObject* object, QAccessible::Text which = QAccessible::Name) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(which) : QString();
}

inline QAccessible::Role accessibleRole(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->role() : QAccessible::NoRole;
}

} // namespace rz6::test
