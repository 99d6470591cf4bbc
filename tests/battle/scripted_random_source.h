// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/random_source.h"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <string_view>

namespace rz6::test {

// A random source that deals exactly the digits a test asks for. Each queued digit d is
// handed out as the middle of its ninth of [0, 1), so the game turns it back into d.
class ScriptedRandomSource : public RandomSource {
public:
    static constexpr double valueFor(int digit) { return (digit - 1 + 0.5) / 9; }

    void queueDigits(std::initializer_list<int> digits) {
        for (int digit : digits)
            values_.push_back(valueFor(digit));
    }
    void queueDigits(std::string_view digits) {
        for (char c : digits)
            values_.push_back(valueFor(c - '0'));
    }
    void queueValue(double value) { values_.push_back(value); }

    void seedFromClock() override { ++seedCount_; }
    double next() override {
        if (seedCount_ == 0)
            ++drawsBeforeSeed_;
        if (values_.empty()) {
            ADD_FAILURE() << "the game drew more random numbers than the test scripted";
            return 0.0;
        }
        const double value = values_.front();
        values_.pop_front();
        return value;
    }

    int seedCount() const { return seedCount_; }
    std::size_t remaining() const { return values_.size(); }
    // Numbers drawn before the source was ever seeded.
    int drawsBeforeSeed() const { return drawsBeforeSeed_; }

private:
    std::deque<double> values_;
    int seedCount_ = 0;
    int drawsBeforeSeed_ = 0;
};

} // namespace rz6::test
