// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>

namespace rz6 {

// Where the board's digits come from. The game's own source is seeded from the clock at
// every match start; tests inject a scripted one so that they deal exactly the board they
// need.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Called once by every match start, before the board is dealt.
    virtual void seedFromClock() = 0;
    // A number uniformly distributed in [0, 1).
    virtual double next() = 0;
    // The seed the last seedFromClock() took: with it the same boards can be dealt again (the
    // match history keeps it). A source that is not seeded gives 0.
    virtual std::uint64_t seed() const { return 0; }
};

} // namespace rz6
