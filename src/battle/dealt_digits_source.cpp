// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/dealt_digits_source.h"

#include <algorithm>

namespace rz6 {

std::optional<DealtDigitsSource> DealtDigitsSource::fromDigits(std::string_view digits) {
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '1' && c <= '9'; }))
        return std::nullopt;
    return DealtDigitsSource(std::string(digits));
}

double DealtDigitsSource::next() {
    const int digit = digits_[next_] - '0';
    next_ = (next_ + 1) % digits_.size();
    // The middle of the digit's ninth of [0, 1), which the match turns back into the digit.
    return (digit - 1 + 0.5) / 9;
}

} // namespace rz6
