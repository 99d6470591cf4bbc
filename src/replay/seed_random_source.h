// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/random_source.h"

#include <cstdint>
#include <random>

namespace rz6 {

// Deals the boards of a match again from the seed it was dealt from: the same engine and the
// same draws as the game's own source (ClockRandomSource), seeded with the stored seed instead
// of the clock at the match start.
class SeedRandomSource final : public RandomSource {
public:
    explicit SeedRandomSource(std::uint64_t seed) : seed_(seed), engine_(seed) {}

    void seedFromClock() override { engine_.seed(seed_); }
    double next() override {
        // The top 53 bits as a fraction, exactly as ClockRandomSource draws.
        return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }
    std::uint64_t seed() const override { return seed_; }

private:
    std::uint64_t seed_;
    std::mt19937_64 engine_;
};

} // namespace rz6
