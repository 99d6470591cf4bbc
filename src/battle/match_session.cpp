// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/match_session.h"

#include <algorithm>

namespace rz6 {
namespace {

bool isMatchKey(char16_t key) {
    return key == Match::enterKey || (key >= u'0' && key <= u'9');
}

} // namespace

MatchSession::MatchSession(RandomSource& random, std::unique_ptr<MatchClock> clock,
                           MatchSettings settings)
    : random_(random), clock_(std::move(clock)), match_(random) {
    configure(settings);
    clock_->connect([this] { tick(); }, [this] { endPause(); });
}

MatchSession::~MatchSession() {
    clock_->stopTicking();
    clock_->stopPause();
    clock_->connect({}, {});
}

void MatchSession::listen(MatchListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void MatchSession::stopListening(MatchListener& listener) {
    std::erase(listeners_, &listener);
}

void MatchSession::configure(MatchSettings settings) {
    if (phase() != MatchPhase::Idle)
        return;
    settings_ = settings;
    match_.setWindowLength(settings.windowLength);
    match_.setScoreMultiplier(settings.scoreMultiplier);
}

void MatchSession::start() {
    if (phase() != MatchPhase::Idle)
        return;
    match_.start();
    boardSeed_ = random_.seed();
    startMs_ = clock_->nowMs();
    MatchUpdate update;
    settle(update);
}

void MatchSession::press(char16_t key) {
    if (isMatchKey(key) && match_.matchRunning())
        feed(now(MatchEventKind::Key, key));
}

void MatchSession::tick() {
    if (match_.matchRunning())
        feed(now(MatchEventKind::Tick));
}

void MatchSession::endPause() {
    if (!match_.matchRunning() || !match_.pausing())
        return;
    clock_->stopPause();
    MatchUpdate update;
    const MatchEvent pauseEnd = now(MatchEventKind::PauseEnd);
    handle(pauseEnd, update);
    // The clock fell due while the outcome was on show: its tick comes right after the keys
    // typed meanwhile, so the combo window opens at once rather than one interval late.
    if (!match_.pausing())
        handle({MatchEventKind::Tick, 0, pauseEnd.atMs}, update);
    settle(update);
}

void MatchSession::feed(const MatchEvent& event) {
    if (!match_.matchRunning())
        return;
    // A pause ended from the log must not end once more when its timer runs out.
    if (event.kind == MatchEventKind::PauseEnd)
        clock_->stopPause();
    MatchUpdate update;
    handle(event, update);
    settle(update);
}

void MatchSession::handle(const MatchEvent& event, MatchUpdate& update) {
    switch (event.kind) {
    case MatchEventKind::Key:
        if (const std::optional<StrikeResult> result = match_.press(event.key))
            keep(*result, update);
        break;
    case MatchEventKind::Tick:
        if (match_.tick() == TickEffect::MatchEnded)
            update.ended = true;
        break;
    case MatchEventKind::PauseEnd:
        for (const StrikeResult& result : match_.endPause())
            keep(result, update);
        break;
    }
    log_.push_back(event);
}

void MatchSession::keep(const StrikeResult& result, MatchUpdate& update) {
    outcomes_.push_back(result);
    update.outcomes.push_back(result);
}

void MatchSession::settle(MatchUpdate& update) {
    keepClockInStep(update);
    // A listener that stops listening while it hears does not upset the others.
    const std::vector<MatchListener*> listeners = listeners_;
    for (MatchListener* listener : listeners)
        listener->matchUpdated(*this, update);
}

// After every step: the tick runs exactly while the match needs it, at the match's interval,
// and a strike's pause is timed from the moment it went on show.
void MatchSession::keepClockInStep(MatchUpdate& update) {
    if (match_.pausing()) {
        clock_->stopTicking();
        if (!clock_->pauseRunning()) {
            clock_->startPause(match_.pauseLength());
            update.pauseStarted = true;
        }
    } else if (!match_.clockNeeded()) {
        clock_->stopTicking();
    } else if (!clock_->ticking() || clock_->tickInterval() != match_.tickInterval()) {
        clock_->startTicking(match_.tickInterval());
    }
}

MatchEvent MatchSession::now(MatchEventKind kind, char16_t key) const {
    return {kind, key, clock_->nowMs() - startMs_};
}

} // namespace rz6
