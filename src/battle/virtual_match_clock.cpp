// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/virtual_match_clock.h"

namespace rz6 {

void VirtualMatchClock::startTicking(int intervalMs) {
    ticking_ = true;
    // A tick of no length would fall due forever at the same moment.
    intervalMs_ = intervalMs > 0 ? intervalMs : 1;
    nextTickMs_ = nowMs_ + intervalMs_;
}

void VirtualMatchClock::startPause(int lengthMs) {
    pauseRunning_ = true;
    pauseEndMs_ = nowMs_ + lengthMs;
}

void VirtualMatchClock::advanceTo(std::int64_t ms) {
    for (;;) {
        // The session never ticks during a pause; were both due at once, the pause ends first.
        const bool pauseFalls = pauseRunning_ && pauseEndMs_ <= ms;
        const bool tickFalls =
            ticking_ && nextTickMs_ <= ms && (!pauseFalls || nextTickMs_ < pauseEndMs_);
        if (tickFalls) {
            nowMs_ = nextTickMs_;
            // Due again one interval on, unless what the tick does starts or stops the clock.
            nextTickMs_ += intervalMs_;
            tickDue();
        } else if (pauseFalls) {
            nowMs_ = pauseEndMs_;
            pauseRunning_ = false;
            pauseDue();
        } else {
            break;
        }
    }
    if (ms > nowMs_)
        nowMs_ = ms;
}

} // namespace rz6
