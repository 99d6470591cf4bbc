// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>

namespace rz6 {

// Adds to a 32-bit value and stays at the type's limits instead of wrapping: a score or a
// record's count that reaches them simply stops there.
constexpr std::int32_t saturatingAdd(std::int32_t value, std::int64_t delta) {
    const std::int64_t sum = static_cast<std::int64_t>(value) + delta;
    if (sum > INT32_MAX)
        return INT32_MAX;
    if (sum < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(sum);
}

} // namespace rz6
