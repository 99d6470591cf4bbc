// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// A thousand matches played as on a busy machine: timers that fire late by a varying amount,
// keys at any moment (two in the same millisecond, during the pause, at the very moment a tick
// or the pause end falls due, on either side of it, after the last tick), some of them keys no
// match takes. Each is kept as the history keeps it, then checked and replayed: the replay
// must give back every strike's result and the summary, event for event.
#include "played_match.h"
#include "replay/replay_verifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace rz6::test {
namespace {

// The real timers as a loaded machine fires them: each tick and each pause end comes late by
// 0–15 ms, now and then by up to 60; a late tick does not put the next ones later.
class JitteryClock final : public MatchClock {
public:
    explicit JitteryClock(std::mt19937_64& rng) : rng_(rng) {}

    void startTicking(int intervalMs) override {
        ticking_ = true;
        intervalMs_ = intervalMs;
        nominalTickMs_ = nowMs_ + intervalMs;
        tickDueMs_ = nominalTickMs_ + lateness();
    }
    void stopTicking() override { ticking_ = false; }
    bool ticking() const override { return ticking_; }
    int tickInterval() const override { return intervalMs_; }
    void startPause(int lengthMs) override {
        pauseRunning_ = true;
        pauseDueMs_ = nowMs_ + lengthMs + lateness();
    }
    void stopPause() override { pauseRunning_ = false; }
    bool pauseRunning() const override { return pauseRunning_; }
    std::int64_t nowMs() const override { return nowMs_; }

    bool running() const { return ticking_ || pauseRunning_; }
    // The moment the next tick or pause end fires.
    std::int64_t nextDueMs() const {
        return std::min(ticking_ ? tickDueMs_ : INT64_MAX, pauseRunning_ ? pauseDueMs_ : INT64_MAX);
    }
    // Moves time to ms, firing what falls due before it, and also what falls due at it when
    // `atToo` (a key typed at ms then comes after those, otherwise before).
    void advanceTo(std::int64_t ms, bool atToo) {
        for (;;) {
            const std::int64_t due = nextDueMs();
            if (due > ms || (due == ms && !atToo))
                break;
            nowMs_ = due;
            if (pauseRunning_ && pauseDueMs_ == due) {
                pauseRunning_ = false;
                pauseDue();
            } else {
                nominalTickMs_ += intervalMs_;
                tickDueMs_ = std::max(nominalTickMs_ + lateness(), nowMs_);
                tickDue();
            }
        }
        nowMs_ = std::max(nowMs_, ms);
    }

private:
    int lateness() { return rng_() % 20 == 0 ? int(rng_() % 61) : int(rng_() % 16); }

    std::mt19937_64& rng_;
    std::int64_t nowMs_ = 1000;
    bool ticking_ = false;
    int intervalMs_ = 0;
    std::int64_t nominalTickMs_ = 0, tickDueMs_ = 0;
    bool pauseRunning_ = false;
    std::int64_t pauseDueMs_ = 0;
};

struct Coverage {
    int sameMillisecond = 0, duringPause = 0, atADueMoment = 0, onTheLastTurn = 0, afterTheEnd = 0;
};

// One match, live: strikes picked from the board now and then, random keys otherwise.
PlayedMatch playLive(std::uint64_t matchSeed, Coverage& seen) {
    std::mt19937_64 rng(matchSeed);
    const int characterIndex = static_cast<int>(rng() % characterCount);
    const std::uint64_t boardSeed = rng();
    const Character& c = character(characterIndex);
    const MatchSettings settings{c.windowLength, c.scoreMultiplier};
    SeedRandomSource random(boardSeed);
    auto* clock = new JitteryClock(rng);
    MatchSession session(random, std::unique_ptr<MatchClock>(clock), settings);
    session.start();
    std::int64_t lastKeyMs = -1;
    auto type = [&](char16_t key, std::int64_t atMs, bool afterDue) {
        clock->advanceTo(atMs, afterDue);
        seen.sameMillisecond += clock->nowMs() == lastKeyMs;
        seen.duringPause += clock->pauseRunning();
        seen.afterTheEnd += session.phase() == MatchPhase::Ended;
        lastKeyMs = clock->nowMs();
        session.press(key);
    };
    static constexpr char16_t anyKey[] = u"0123456789\r\r1a ";
    for (int step = 0; step < 3000 && session.phase() != MatchPhase::Ended; ++step) {
        const std::int64_t now = clock->nowMs();
        switch (rng() % 8) {
        case 0:
        case 1:
        case 2: // a strike read off the board, typed quickly
            for (const char key : nextMove(session.match(), static_cast<unsigned>(rng())))
                type(key == '\r' ? Match::enterKey : static_cast<char16_t>(key),
                     now + static_cast<std::int64_t>(rng() % 120), false);
            break;
        case 3: // a key at the moment the clock fires, before or after it
            if (clock->running()) {
                ++seen.atADueMoment;
                seen.onTheLastTurn += session.match().turnsLeft() == 0;
                type(anyKey[rng() % 11], clock->nextDueMs(), rng() % 2 == 0);
                break;
            }
            [[fallthrough]];
        default: // any key, soon or much later (a window left to close)
            type(anyKey[rng() % 15],
                 now + static_cast<std::int64_t>(rng() % 4 ? rng() % 300 : rng() % 2500),
                 rng() % 2 == 0);
        }
    }
    type(u'1', clock->nowMs() + 10, true); // dropped: the match is over
    PlayedMatch played{session.log(), session.summary(), {}};
    played.replay = {currentLogFormat,          currentRules(), characterIndex, boardSeed,
                     figuresOf(played.summary), played.log};
    EXPECT_EQ(session.phase(), MatchPhase::Ended) << matchSeed;
    // Every strike's result, as the replay's own session gives them back.
    SeedRandomSource again(boardSeed);
    MatchSession replay(again, std::make_unique<VirtualMatchClock>(), settings);
    replay.start();
    for (const MatchEvent& event : session.log())
        replay.feed(event);
    EXPECT_EQ(replay.outcomes(), session.outcomes()) << matchSeed;
    return played;
}

TEST(LiveMatches, ReplayExactlyWhateverTheTimersDid) {
    Coverage seen;
    int differing = 0;
    for (std::uint64_t match = 0; match < 1000; ++match) {
        const PlayedMatch played = playLive(0xc0ffee00 + match, seen);
        const ReplayCheck check = verifyReplay(played.replay);
        const bool same = check.verdict == ReplayVerdict::Faithful &&
                          check.replayed == played.summary && check.events == played.log;
        differing += !same;
        EXPECT_TRUE(same) << "match " << match;
    }
    EXPECT_EQ(differing, 0);
    // The matches did go through every awkward moment, many times over.
    std::printf("same ms %d, in a pause %d, at a due moment %d (last turn %d), after the end %d\n",
                seen.sameMillisecond, seen.duringPause, seen.atADueMoment, seen.onTheLastTurn,
                seen.afterTheEnd);
    EXPECT_GT(seen.sameMillisecond, 1000);
    EXPECT_GT(seen.duringPause, 1000);
    EXPECT_GT(seen.atADueMoment, 1000);
    EXPECT_GT(seen.onTheLastTurn, 300);
    EXPECT_GE(seen.afterTheEnd, 1000);
}

} // namespace
} // namespace rz6::test
