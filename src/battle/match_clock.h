// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace rz6 {

// The clock a match session runs on: the tick at the interval the rules decide, the single
// shot that ends the pause after a strike, and a steady "now". The game's own is a pair of
// Qt timers (TimerMatchClock); tests and replays use a virtual one they move by hand
// (VirtualMatchClock). The session decides when each runs; the clock only keeps time.
class MatchClock {
public:
    MatchClock() = default;
    MatchClock(const MatchClock&) = delete;
    MatchClock& operator=(const MatchClock&) = delete;
    virtual ~MatchClock() = default;

    // Whom the clock calls when a tick or the end of the pause falls due: the session that
    // runs on it sets these once.
    void connect(std::function<void()> tick, std::function<void()> pauseOver) {
        tick_ = std::move(tick);
        pauseOver_ = std::move(pauseOver);
    }

    // Ticks every intervalMs from now on, the first one interval from now; on a running tick
    // this starts its count again at the new interval.
    virtual void startTicking(int intervalMs) = 0;
    virtual void stopTicking() = 0;
    virtual bool ticking() const = 0;
    // The interval the tick was last started with.
    virtual int tickInterval() const = 0;

    // Ends the pause once, lengthMs from now; a pause already running is started again.
    virtual void startPause(int lengthMs) = 0;
    virtual void stopPause() = 0;
    virtual bool pauseRunning() const = 0;

    // Milliseconds on a clock that never goes back, from any origin.
    virtual std::int64_t nowMs() const = 0;

protected:
    // For the clocks themselves: a tick, or the end of the pause, has fallen due.
    void tickDue() const {
        if (tick_)
            tick_();
    }
    void pauseDue() const {
        if (pauseOver_)
            pauseOver_();
    }

private:
    std::function<void()> tick_;
    std::function<void()> pauseOver_;
};

} // namespace rz6
