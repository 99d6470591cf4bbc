// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "replay/replay_player.h"

#include <cstdint>
#include <vector>

namespace rz6::test {

// A replay's timer whose time passes only when a test says so; it keeps every wait asked of it.
class FakeReplayTimer final : public ReplayTimer {
public:
    void start(std::int64_t delayMs) override {
        waiting_ = true;
        leftMs_ = delayMs;
        asked.push_back(delayMs);
    }
    void stop() override {
        waiting_ = false;
        leftMs_ = 0;
    }
    bool waiting() const override { return waiting_; }
    std::int64_t remainingMs() const override { return leftMs_; }

    // Lets `ms` pass: a wait that runs out meanwhile falls due (once; the player sets the next).
    void elapse(std::int64_t ms) {
        if (!waiting_)
            return;
        if (ms < leftMs_) {
            leftMs_ -= ms;
            return;
        }
        stop();
        due();
    }
    // Lets the wait under way run out.
    void runOut() { elapse(leftMs_); }

    std::vector<std::int64_t> asked;

private:
    bool waiting_ = false;
    std::int64_t leftMs_ = 0;
};

} // namespace rz6::test
