// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_event.h"
#include "battle/match_session.h"
#include "replay/replay_match.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace rz6 {

// What a replay waits on between two events: one wait at a time, in real milliseconds. The
// game's is a Qt timer (replay_window.cpp); tests let the time pass by hand.
class ReplayTimer {
public:
    ReplayTimer() = default;
    ReplayTimer(const ReplayTimer&) = delete;
    ReplayTimer& operator=(const ReplayTimer&) = delete;
    virtual ~ReplayTimer() = default;

    // Whom the timer calls when the wait is over: the player that owns it sets this once.
    void whenDue(std::function<void()> due) { due_ = std::move(due); }

    // Waits delayMs from now; a wait already running is replaced.
    virtual void start(std::int64_t delayMs) = 0;
    virtual void stop() = 0;
    virtual bool waiting() const = 0;
    // What is left of the wait (0 when none runs).
    virtual std::int64_t remainingMs() const = 0;

protected:
    void due() const {
        if (due_)
            due_();
    }

private:
    std::function<void()> due_;
};

// How fast a replay runs against the match's own time.
enum class ReplaySpeed { Half, Normal, Double, Quadruple };

// Plays a verified match again at the pace it was played: a session dealt from the stored
// seed with the stored character's settings, on a virtual clock that never moves by itself,
// fed each event of the log when the match's time reaches it (scaled by the speed). It only
// drives its own session: it keeps nothing anywhere, so a replay leaves the record, the
// history and the best totals as they were.
class ReplayPlayer {
public:
    // `events`: what to play, as verifyReplay gave them. Starts at once, at normal speed.
    ReplayPlayer(const ReplayMatch& match, std::vector<MatchEvent> events,
                 std::unique_ptr<ReplayTimer> timer);
    ~ReplayPlayer();
    ReplayPlayer(const ReplayPlayer&) = delete;
    ReplayPlayer& operator=(const ReplayPlayer&) = delete;

    // Who shows the replay: told when back to start replaces the session (the one before goes
    // right after the call), and after every change of pause, speed or end.
    void whenSessionReplaced(std::function<void(MatchSession&)> replaced) {
        replaced_ = std::move(replaced);
    }
    void whenChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    MatchSession& session();
    const MatchSession& session() const;

    void pause();
    void resume();
    void togglePause();
    bool paused() const { return paused_; }

    void setSpeed(ReplaySpeed speed);
    void faster();
    void slower();
    ReplaySpeed speed() const { return speed_; }

    // Jumps forward to just after the next event that put a strike's or an Enter's outcome on
    // show (the key that launched it, or the end of the pause that handled it); with none
    // left, to the end of the match. Playing or paused, it stays so.
    void nextStrike();
    // A fresh session from the same seed, at the match's time 0, playing or paused as before.
    void backToStart();

    // Every event has been played.
    bool finished() const { return next_ >= events_.size(); }
    std::size_t eventsPlayed() const { return next_; }
    // How far into the match the replay is, in the match's milliseconds.
    std::int64_t positionMs() const { return positionMs_; }

private:
    struct Session;
    std::unique_ptr<Session> freshSession() const;
    void due();
    void feedDue();
    void keepPosition();
    void wait();
    void changed() const;

    ReplayMatch match_;
    std::vector<MatchEvent> events_;
    std::unique_ptr<ReplayTimer> timer_;
    std::unique_ptr<Session> session_;
    std::size_t next_ = 0;
    std::int64_t positionMs_ = 0;
    ReplaySpeed speed_ = ReplaySpeed::Normal;
    bool paused_ = false;
    std::function<void(MatchSession&)> replaced_;
    std::function<void()> changed_;
};

} // namespace rz6
