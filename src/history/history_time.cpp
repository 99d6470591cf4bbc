// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_time.h"

#include <cstdlib>

namespace rz6 {

QDateTime atUtcOffset(std::int64_t utcMs, int offsetSeconds) {
    return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::OffsetFromUTC, offsetSeconds);
}

QString utcOffsetName(int offsetSeconds) {
    const int minutes = std::abs(offsetSeconds) / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(QChar(offsetSeconds < 0 ? u'-' : u'+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

int currentUtcOffset() {
    return QDateTime::currentDateTime().offsetFromUtc();
}

} // namespace rz6
