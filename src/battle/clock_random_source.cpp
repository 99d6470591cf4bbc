// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/clock_random_source.h"

#include <chrono>

namespace rz6 {

void ClockRandomSource::seedFromClock() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seed_ = static_cast<std::uint64_t>(now);
    engine_.seed(seed_);
}

double ClockRandomSource::next() {
    // The top 53 bits as a fraction: uniform in [0, 1) and never exactly 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

} // namespace rz6
