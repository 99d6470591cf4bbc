// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_clock.h"

#include <cstdint>

namespace rz6 {

// A match clock whose time moves only when told to, with no wall clock anywhere. Tests play a
// match on it at once: advance() walks time forward and calls every tick and pause end that
// falls due on the way, in time order, each at its own moment, as the real timers would have
// fired them. A replay runs its session on one that it never advances, and feeds the log in.
class VirtualMatchClock : public MatchClock {
public:
    explicit VirtualMatchClock(std::int64_t startMs = 0) : nowMs_(startMs) {}

    void startTicking(int intervalMs) override;
    void stopTicking() override { ticking_ = false; }
    bool ticking() const override { return ticking_; }
    int tickInterval() const override { return intervalMs_; }

    void startPause(int lengthMs) override;
    void stopPause() override { pauseRunning_ = false; }
    bool pauseRunning() const override { return pauseRunning_; }

    std::int64_t nowMs() const override { return nowMs_; }

    // Moves time forward by ms (or to the moment given), calling what falls due meanwhile.
    void advance(std::int64_t ms) { advanceTo(nowMs_ + ms); }
    void advanceTo(std::int64_t ms);

private:
    std::int64_t nowMs_ = 0;
    bool ticking_ = false;
    int intervalMs_ = 0;
    std::int64_t nextTickMs_ = 0;
    bool pauseRunning_ = false;
    std::int64_t pauseEndMs_ = 0;
};

} // namespace rz6
