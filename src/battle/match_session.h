// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match.h"
#include "battle/match_clock.h"
#include "battle/match_event.h"
#include "battle/match_summary.h"
#include "charselect/characters.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace rz6 {

// What a character brings to a match: its combo window and its multiplier. A fresh match
// fights as the first character until another is chosen.
struct MatchSettings {
    int windowLength = characters().front().windowLength;
    double scoreMultiplier = characters().front().scoreMultiplier;
};

// What one step of a session did: everything it handled between two moments a screen can
// show, in order.
struct MatchUpdate {
    // What each strike or Enter of this step did, in the order the match handed them back.
    std::vector<StrikeResult> outcomes;
    // A strike's outcome went on show with this step, for the whole pause.
    bool pauseStarted = false;
    // The match ended with this step; the session's summary is final.
    bool ended = false;
};

class MatchSession;

// Whoever shows or tells a match (the battle window, the screen reader's announcements, the
// program object counting landings) hears each step here, after it is done and the clock is
// in step with it. A listener reads; it never drives the session it hears, nor destroys it,
// from inside this call.
class MatchListener {
public:
    virtual void matchUpdated(const MatchSession& session, const MatchUpdate& update) = 0;

protected:
    MatchListener() = default;
    MatchListener(const MatchListener&) = default;
    MatchListener& operator=(const MatchListener&) = default;
    ~MatchListener() = default;
};

// One match from the start command to its summary: the Match, the clock it runs on, and the
// ordered log of what drove it (every key handled, every tick, every pause end, each with
// its time from the start command), with the outcomes it produced. It needs no screen.
//
// The clock runs only while a tick can change something (Match::clockNeeded): waiting, the
// program does not wake up. A strike stops the tick and starts the pause, which lasts five
// tick intervals; keys typed meanwhile are logged as they come and queued by the match, and
// handled once the pause ends, followed at once by the tick that fell due during it.
//
// Whatever drives it (the player's keys and the real clock, a test's script on a virtual
// clock, or a replay of a stored log) goes through feed(): the same events in the same
// order give the same match, tick for tick. Times are only recorded.
class MatchSession {
public:
    MatchSession(RandomSource& random, std::unique_ptr<MatchClock> clock,
                 MatchSettings settings = {});
    ~MatchSession();
    MatchSession(const MatchSession&) = delete;
    MatchSession& operator=(const MatchSession&) = delete;

    // Listeners hear every step from now on, in the order they started listening.
    void listen(MatchListener& listener);
    void stopListening(MatchListener& listener);

    // The character's settings; they count only until the start command.
    void configure(MatchSettings settings);

    // The start command: deals the board and starts the log. Only once.
    void start();
    // A typed character. Digits and Enter count while the match runs; anything else, and
    // every key before the start or after the end, is dropped unlogged.
    void press(char16_t key);
    // The clock's tick.
    void tick();
    // The end of the pause after a strike, as its timer reports it: the pause ends and the
    // tick that fell due during it follows. Nothing outside a pause.
    void endPause();
    // Handles one event exactly as when it was logged, and logs it as it is. Events while
    // the match is not running are dropped.
    void feed(const MatchEvent& event);

    const Match& match() const { return match_; }
    MatchPhase phase() const { return match_.phase(); }
    const MatchSettings& settings() const { return settings_; }
    // What drove the match, in the order it was handled.
    const std::vector<MatchEvent>& log() const { return log_; }
    // Every strike and Enter the match handed back, in order.
    const std::vector<StrikeResult>& outcomes() const { return outcomes_; }
    // What the match has done so far; once it has ended, what the whole match did.
    MatchSummary summary() const { return match_.summary(); }
    // The seed the board was dealt from (0 before the start, or for an unseeded source).
    std::uint64_t boardSeed() const { return boardSeed_; }
    const MatchClock& clock() const { return *clock_; }

private:
    void handle(const MatchEvent& event, MatchUpdate& update);
    void keep(const StrikeResult& result, MatchUpdate& update);
    void settle(MatchUpdate& update);
    void keepClockInStep(MatchUpdate& update);
    MatchEvent now(MatchEventKind kind, char16_t key = 0) const;

    RandomSource& random_;
    std::unique_ptr<MatchClock> clock_;
    MatchSettings settings_;
    Match match_;
    std::int64_t startMs_ = 0;
    std::uint64_t boardSeed_ = 0;
    std::vector<MatchEvent> log_;
    std::vector<StrikeResult> outcomes_;
    std::vector<MatchListener*> listeners_;
};

} // namespace rz6
