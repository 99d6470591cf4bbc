// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace rz6 {

// 戦績's account of time. The history keeps each match as a moment (milliseconds since 1970
// UTC) with the offset the player's clock had from UTC when it ended; the screen, its chart
// and the CSV all start from that moment.

// The moment as a clock at this offset from UTC reads it.
QDateTime atUtcOffset(std::int64_t utcMs, int offsetSeconds);

// An offset as the screen names it: "UTC+09:00", "UTC-05:00", "UTC+05:30", "UTC+00:00".
QString utcOffsetName(int offsetSeconds);

// The offset of the player's clock from UTC at this moment.
int currentUtcOffset();

} // namespace rz6
