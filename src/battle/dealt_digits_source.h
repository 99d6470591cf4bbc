// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/random_source.h"

#include <optional>
#include <string>
#include <string_view>

namespace rz6 {

// Deals a fixed row of digits, over and over, from the start of the row at every match
// start: the boards a rehearsal of the game (an end-to-end test) plays on are known in
// advance. Only a row of the digits 1..9 makes one.
class DealtDigitsSource final : public RandomSource {
public:
    static std::optional<DealtDigitsSource> fromDigits(std::string_view digits);

    void seedFromClock() override { next_ = 0; }
    double next() override;

private:
    explicit DealtDigitsSource(std::string digits) : digits_(std::move(digits)) {}

    std::string digits_;
    std::size_t next_ = 0;
};

} // namespace rz6
