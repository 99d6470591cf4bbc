// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

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
};

} // namespace rz6
