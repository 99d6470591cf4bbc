// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/timer_match_clock.h"

#include "battle/match.h"

#include <chrono>

namespace rz6 {

TimerMatchClock::TimerMatchClock() {
    tick_.setTimerType(Qt::PreciseTimer);
    tick_.setInterval(Match::startTickInterval);
    QObject::connect(&tick_, &QTimer::timeout, &tick_, [this] { tickDue(); });
    pause_.setTimerType(Qt::PreciseTimer);
    pause_.setSingleShot(true);
    QObject::connect(&pause_, &QTimer::timeout, &pause_, [this] { pauseDue(); });
}

std::int64_t TimerMatchClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace rz6
