// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/technique_catalogue.h"

#include <array>
#include <cstdint>

namespace rz6 {

// The player's whole record: the five best match totals (best first), then one landing
// count per technique id (element techniqueId + 5). 45 signed 32-bit values, 180 bytes
// in the record file.
inline constexpr int bestTotalCount = 5;
inline constexpr int firstCountElement = bestTotalCount;
inline constexpr int recordTableSize = bestTotalCount + techniqueCount;
// The record file's layout is fixed: 45 values, whatever the tables above say.
static_assert(recordTableSize == 45, "rz6.DAT holds exactly 5 best totals and 40 counts");

using RecordTable = std::array<std::int32_t, recordTableSize>;

// Adds to a 32-bit value and stays at the type's limits instead of wrapping: a count or a
// score that reaches them simply stops there.
constexpr std::int32_t saturatingAdd(std::int32_t value, std::int64_t delta) {
    const std::int64_t sum = static_cast<std::int64_t>(value) + delta;
    if (sum > INT32_MAX)
        return INT32_MAX;
    if (sum < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(sum);
}

} // namespace rz6
