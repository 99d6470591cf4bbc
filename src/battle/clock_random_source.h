// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/random_source.h"

#include <cstdint>
#include <random>

namespace rz6 {

// The game's own random source: a Mersenne Twister seeded from the clock at every match
// start, so no two matches deal the same boards.
class ClockRandomSource final : public RandomSource {
public:
    void seedFromClock() override;
    double next() override;
    std::uint64_t seed() const override { return seed_; }

private:
    std::uint64_t seed_ = 0x5eed;
    std::mt19937_64 engine_{seed_};
};

} // namespace rz6
