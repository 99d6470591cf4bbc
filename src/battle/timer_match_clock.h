// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_clock.h"

#include <QTimer>

#include <cstdint>

namespace rz6 {

// The clock a match is played on: two precise Qt timers, the tick and the single-shot end of
// the pause, and the system's steady clock for "now". A stopped timer never wakes the program.
class TimerMatchClock final : public MatchClock {
public:
    TimerMatchClock();

    void startTicking(int intervalMs) override { tick_.start(intervalMs); }
    void stopTicking() override { tick_.stop(); }
    bool ticking() const override { return tick_.isActive(); }
    int tickInterval() const override { return tick_.interval(); }

    void startPause(int lengthMs) override { pause_.start(lengthMs); }
    void stopPause() override { pause_.stop(); }
    bool pauseRunning() const override { return pause_.isActive(); }

    std::int64_t nowMs() const override;

    // The tick's own timer, for benchmarks that time its real periods.
    const QTimer& tickTimer() const { return tick_; }

private:
    QTimer tick_;
    QTimer pause_;
};

} // namespace rz6
