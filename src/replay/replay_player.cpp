// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "replay/replay_player.h"

#include "battle/virtual_match_clock.h"
#include "charselect/characters.h"
#include "replay/seed_random_source.h"

#include <algorithm>

namespace rz6 {
namespace {

// The speed as halves of the match's own pace: ½× is 1, 4× is 8.
std::int64_t halves(ReplaySpeed speed) {
    switch (speed) {
    case ReplaySpeed::Half:
        return 1;
    case ReplaySpeed::Normal:
        return 2;
    case ReplaySpeed::Double:
        return 4;
    case ReplaySpeed::Quadruple:
        return 8;
    }
    return 2;
}

// Real milliseconds for so much of the match's time, rounded up so that no event comes early.
std::int64_t realMs(std::int64_t matchMs, ReplaySpeed speed) {
    return (matchMs * 2 + halves(speed) - 1) / halves(speed);
}

std::int64_t matchMs(std::int64_t realMs, ReplaySpeed speed) {
    return realMs * halves(speed) / 2;
}

} // namespace

// The session of one run through the match, with the dealer and the clock it runs on.
struct ReplayPlayer::Session {
    Session(std::uint64_t seed, MatchSettings settings)
        : random(seed), session(std::make_unique<MatchSession>(
                            random, std::make_unique<VirtualMatchClock>(), settings)) {}
    SeedRandomSource random;
    std::unique_ptr<MatchSession> session;
};

ReplayPlayer::ReplayPlayer(const ReplayMatch& match, std::vector<MatchEvent> events,
                           std::unique_ptr<ReplayTimer> timer)
    : match_(match), events_(std::move(events)), timer_(std::move(timer)) {
    match_.events.clear(); // what plays is events_
    timer_->whenDue([this] { due(); });
    session_ = freshSession();
    feedDue();
    wait();
}

MatchSession& ReplayPlayer::session() {
    return *session_->session;
}

const MatchSession& ReplayPlayer::session() const {
    return *session_->session;
}

ReplayPlayer::~ReplayPlayer() {
    timer_->stop();
    timer_->whenDue({});
}

std::unique_ptr<ReplayPlayer::Session> ReplayPlayer::freshSession() const {
    MatchSettings settings;
    if (match_.character >= 0 && match_.character < characterCount) {
        const Character& c = character(match_.character);
        settings = {c.windowLength, c.scoreMultiplier};
    }
    auto fresh = std::make_unique<Session>(match_.boardSeed, settings);
    fresh->session->start();
    return fresh;
}

// The match's time has reached the next event.
void ReplayPlayer::due() {
    if (finished())
        return;
    positionMs_ = std::max(positionMs_, events_[next_].atMs);
    feedDue();
    wait();
    if (finished())
        changed();
}

// Every event the match's time has reached, in order.
void ReplayPlayer::feedDue() {
    while (!finished() && events_[next_].atMs <= positionMs_)
        session().feed(events_[next_++]);
}

// Where a wait under way has got to on the match's clock, before it is stopped.
void ReplayPlayer::keepPosition() {
    if (!timer_->waiting() || finished())
        return;
    const std::int64_t left = matchMs(timer_->remainingMs(), speed_);
    positionMs_ = std::max(positionMs_, events_[next_].atMs - left);
    timer_->stop();
}

// Waits for the next event at the speed set, unless paused or done.
void ReplayPlayer::wait() {
    if (paused_ || finished()) {
        timer_->stop();
        return;
    }
    timer_->start(realMs(events_[next_].atMs - positionMs_, speed_));
}

void ReplayPlayer::changed() const {
    if (changed_)
        changed_();
}

void ReplayPlayer::pause() {
    if (paused_)
        return;
    keepPosition();
    paused_ = true;
    wait();
    changed();
}

void ReplayPlayer::resume() {
    if (!paused_)
        return;
    paused_ = false;
    wait();
    changed();
}

void ReplayPlayer::togglePause() {
    if (paused_)
        resume();
    else
        pause();
}

void ReplayPlayer::setSpeed(ReplaySpeed speed) {
    keepPosition();
    speed_ = speed;
    wait();
    changed();
}

void ReplayPlayer::faster() {
    if (speed_ != ReplaySpeed::Quadruple)
        setSpeed(static_cast<ReplaySpeed>(static_cast<int>(speed_) + 1));
}

void ReplayPlayer::slower() {
    if (speed_ != ReplaySpeed::Half)
        setSpeed(static_cast<ReplaySpeed>(static_cast<int>(speed_) - 1));
}

void ReplayPlayer::nextStrike() {
    timer_->stop();
    while (!finished()) {
        const MatchEvent& event = events_[next_++];
        const std::size_t shown = session().outcomes().size();
        positionMs_ = std::max(positionMs_, event.atMs);
        session().feed(event);
        if (session().outcomes().size() > shown)
            break;
    }
    wait();
    changed();
}

void ReplayPlayer::backToStart() {
    timer_->stop();
    std::unique_ptr<Session> before = std::move(session_);
    session_ = freshSession();
    next_ = 0;
    positionMs_ = 0;
    if (replaced_)
        replaced_(session());
    before.reset();
    feedDue();
    wait();
    changed();
}

} // namespace rz6
