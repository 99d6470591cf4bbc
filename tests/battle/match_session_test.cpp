// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// A match session runs one match on its clock and logs what drove it: a match typed against
// a virtual clock scores as worked out by hand, tick for tick; the same keys at the same
// moments give the same match again, and so does its log fed back in, whatever its times.
#include "battle/match_session.h"
#include "battle/virtual_match_clock.h"
#include "scripted_random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string_view>
#include <vector>

namespace rz6 {

// Readable failures.
void PrintTo(const MatchEvent& event, std::ostream* out) {
    const char* kinds[] = {"key", "tick", "pause end"};
    *out << kinds[static_cast<int>(event.kind)];
    if (event.kind == MatchEventKind::Key)
        *out << " '" << (event.key == Match::enterKey ? '~' : char(event.key)) << "'";
    *out << " @" << event.atMs;
}

void PrintTo(const StrikeResult& r, std::ostream* out) {
    *out << "outcome " << static_cast<int>(r.outcome) << " \"" << r.keys << "\" id "
         << r.techniqueId.value_or(-1) << " missing " << r.missingDigit << " points " << r.points
         << " combo " << r.comboCount << (r.turnSpent ? " turn spent" : " free") << " turns left "
         << r.turnsLeft;
}

namespace test {
namespace {

constexpr char16_t enter = Match::enterKey;

struct Typed {
    std::int64_t atMs;
    char16_t key;
};

// Keys typed one every gapMs from atMs ('\r' is Enter).
void type(std::vector<Typed>& script, std::int64_t atMs, std::string_view keys, int gapMs) {
    for (const char key : keys) {
        script.push_back({atMs, key == '\r' ? enter : static_cast<char16_t>(key)});
        atMs += gapMs;
    }
}

// The match on trial, fought as the first character (combo window 1200 ms, points × 1) on
// the board 7418529637418529 (all of 1..9, twice over but for 6 and 3):
//   741 at 400: 落腕撃 150, turn 1; the pause runs 5 × 200 ms, to 1400
//   852 typed during that pause, handled as it ends: 斗波 150, free (the gauge is full) and
//       fresh (the window opens only with the tick after it); pause to 2400
//   2400: the tick that fell due opens the window; ticks every 200 ms: 2600, 2800, 3000
//   456 at 3180: 旋風斬, on in the open window: combo 1, 100 × 1; pause to 4180
//   4180: combo 1 makes the tick 190 ms: 4370
//   Enter at 4300: -50, nothing launched, no pause
//   124 at 4460: no technique in an open window, countered: -100 × combo 2; pause 5 × 190
//       to 5410; combo 2 makes the tick 180 ms: 5590 and on, eleven more drains to an empty
//       gauge at 7390, and 7570 closes the window; the clock stops
//   999 at 8300: only two 9s on the board, a miss: -100, turn 2; pause 5 × 180 to 9200
//   321 eight times from 10000, every 2000 ms: blocked, turns 3 to 10; each pause 900 ms,
//       and the tick at the end of the last one ends the match at 25050
//   a key at 26000 comes after the end and counts for nothing.
// The score: 150 + 150 + 100 - 50 - 200 - 100 = 50.
constexpr std::string_view board = "7418529637418529";
// The cells each strike spends, refilled in cell order with the digits they had: 741, 852,
// 456, then 412 for the counter's cells 1, 2 and 5, 99 for the miss's two, and 123 for each
// block's cells 2, 5 and 8.
constexpr std::string_view refills = "74185245641299123123123123123123123123";
constexpr int blocks = 8;

std::vector<Typed> script() {
    std::vector<Typed> keys;
    type(keys, 100, "7410", 100);
    type(keys, 900, "8520", 100);
    type(keys, 3050, "456", 50);
    type(keys, 3180, "0", 0);
    type(keys, 4300, "\r", 0);
    type(keys, 4400, "1240", 20);
    type(keys, 8000, "9990", 100);
    for (int block = 0; block < blocks; ++block)
        type(keys, 10000 + 2000 * block, "3210", 50);
    type(keys, 26000, "1", 0);
    return keys;
}

MatchEvent tick(std::int64_t atMs) {
    return {MatchEventKind::Tick, 0, atMs};
}
MatchEvent pauseEnd(std::int64_t atMs) {
    return {MatchEventKind::PauseEnd, 0, atMs};
}

// What the clock did, worked out by hand above: each pause end followed by the tick that fell
// due during it (none when a key typed during the pause struck again).
std::vector<MatchEvent> clockByHand() {
    std::vector<MatchEvent> events{pauseEnd(1400), pauseEnd(2400), tick(2400),     tick(2600),
                                   tick(2800),     tick(3000),     pauseEnd(4180), tick(4180),
                                   tick(4370),     pauseEnd(5410), tick(5410)};
    for (int drain = 0; drain < 12; ++drain)
        events.push_back(tick(5590 + 180 * drain));
    events.push_back(pauseEnd(9200));
    events.push_back(tick(9200));
    for (int block = 0; block < blocks; ++block) {
        events.push_back(pauseEnd(10000 + 2000 * block + 1050));
        events.push_back(tick(10000 + 2000 * block + 1050));
    }
    return events;
}

// The log as it must read: the keys as typed up to the end, and the clock's events between
// them in time order.
std::vector<MatchEvent> logByHand() {
    std::vector<MatchEvent> log;
    for (const Typed& typed : script())
        if (typed.atMs < 25050)
            log.push_back({MatchEventKind::Key, typed.key, typed.atMs});
    for (const MatchEvent& event : clockByHand())
        log.push_back(event);
    std::stable_sort(log.begin(), log.end(),
                     [](const MatchEvent& a, const MatchEvent& b) { return a.atMs < b.atMs; });
    return log;
}

StrikeResult outcome(StrikeOutcome what, std::string keys, std::int32_t points, int combo,
                     bool turnSpent, int turnsLeft) {
    StrikeResult r;
    r.outcome = what;
    r.keys = std::move(keys);
    r.points = points;
    r.comboCount = combo;
    r.turnSpent = turnSpent;
    r.turnsLeft = turnsLeft;
    return r;
}

StrikeResult technique(std::string keys, int id, std::int32_t points, int combo, bool turnSpent,
                       int turnsLeft) {
    StrikeResult r =
        outcome(StrikeOutcome::Technique, std::move(keys), points, combo, turnSpent, turnsLeft);
    r.techniqueId = id;
    return r;
}

std::vector<StrikeResult> outcomesByHand() {
    std::vector<StrikeResult> outcomes{
        technique("741", 8, 150, 0, true, 9),
        technique("852", 9, 150, 0, false, 9),
        technique("456", 4, 100, 1, false, 9),
        outcome(StrikeOutcome::Abandon, "", -50, 1, false, 9),
        outcome(StrikeOutcome::Counter, "124", -200, 2, false, 9),
        outcome(StrikeOutcome::Miss, "999", -100, 2, true, 8),
    };
    outcomes.back().missingDigit = 9;
    for (int block = 0; block < blocks; ++block)
        outcomes.push_back(outcome(StrikeOutcome::Block, "321", 0, 2, true, 7 - block));
    return outcomes;
}

MatchSummary summaryByHand() {
    MatchSummary summary;
    summary.score = 50;
    summary.landings[8] = 1;
    summary.landings[9] = 1;
    summary.landings[4] = 1;
    summary.longestCombo = 3; // 456 on 852's window, then the counter
    summary.misses = 1;
    summary.blocks = blocks;
    summary.counters = 1;
    summary.abandons = 1;
    summary.turnsSpent = 10;
    summary.character = 0;
    return summary;
}

// Hears every step of a session, as a window would.
struct Witness : MatchListener {
    void matchUpdated(const MatchSession&, const MatchUpdate& update) override {
        updates.push_back(update);
    }
    std::vector<MatchUpdate> updates;
};

// A session on a virtual clock whose time starts at startMs, its board and refills dealt by
// script.
struct Trial {
    explicit Trial(std::int64_t startMs = 5000) {
        random.queueDigits(board);
        random.queueDigits(refills);
        auto virtualClock = std::make_unique<VirtualMatchClock>(startMs);
        clock = virtualClock.get();
        session = std::make_unique<MatchSession>(random, std::move(virtualClock));
        session->listen(witness);
    }

    // Starts the match at the clock's time and types the script against the clock.
    void play() {
        const std::int64_t startMs = clock->nowMs();
        session->start();
        for (const Typed& typed : script()) {
            clock->advanceTo(startMs + typed.atMs);
            session->press(typed.key);
        }
        clock->advance(10000);
    }

    ScriptedRandomSource random;
    VirtualMatchClock* clock = nullptr;
    std::unique_ptr<MatchSession> session;
    Witness witness;
};

TEST(MatchSession, TypedMatchScoresAsWorkedOutByHandTickForTick) {
    Trial trial;
    trial.play();
    const MatchSession& session = *trial.session;
    EXPECT_EQ(session.outcomes(), outcomesByHand());
    EXPECT_EQ(session.log(), logByHand());
    EXPECT_EQ(session.summary(), summaryByHand());
    EXPECT_EQ(session.phase(), MatchPhase::Ended);
    EXPECT_EQ(trial.random.remaining(), 0u);
    // Ended, the session leaves the program nothing to wake up for.
    EXPECT_FALSE(session.clock().ticking());
    EXPECT_FALSE(session.clock().pauseRunning());

    // Listeners heard every outcome once, in order, every pause as it started and the end
    // once, with the last step.
    std::vector<StrikeResult> heard;
    int pauses = 0;
    int ends = 0;
    for (const MatchUpdate& update : trial.witness.updates) {
        heard.insert(heard.end(), update.outcomes.begin(), update.outcomes.end());
        pauses += update.pauseStarted;
        ends += update.ended;
    }
    EXPECT_EQ(heard, session.outcomes());
    EXPECT_EQ(pauses, 13); // every strike but the Enter
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(trial.witness.updates.back().ended);
}

// The same keys at the same moments of the match give the same match, whenever it starts; so
// does its log fed back in on a clock that never moves, as a replay does: the match depends
// on the order of what drove it, not on its times, which are only kept.
TEST(MatchSession, SameMatchAgainFromTheSameKeysOrFromItsLog) {
    Trial played(5000);
    Trial again(987654);
    played.play();
    again.play();
    EXPECT_EQ(again.session->outcomes(), played.session->outcomes());
    EXPECT_EQ(again.session->summary(), played.session->summary());
    EXPECT_EQ(again.session->log(), played.session->log());

    for (const bool keepTimes : {true, false}) {
        Trial replay;
        replay.session->start();
        for (MatchEvent event : played.session->log()) {
            if (!keepTimes)
                event.atMs = 0;
            replay.session->feed(event);
        }
        EXPECT_EQ(replay.session->outcomes(), played.session->outcomes()) << keepTimes;
        EXPECT_EQ(replay.session->summary(), played.session->summary()) << keepTimes;
        EXPECT_EQ(replay.session->log().size(), played.session->log().size());
        if (keepTimes) {
            EXPECT_EQ(replay.session->log(), played.session->log());
        }
    }
}

// Only digits and Enter of a running match drive it: every other key, and every key or tick
// before the start or after the end, is dropped and never logged. The character counts only
// until the start.
TEST(MatchSession, WhatCannotChangeTheMatchIsNeitherHandledNorLogged) {
    Trial trial;
    Witness& witness = trial.witness;
    MatchSession& session = *trial.session;
    for (const char16_t key : {u'1', u'0', enter})
        session.press(key);
    session.tick();
    session.endPause();
    session.configure({1000, 1.2});
    EXPECT_TRUE(session.log().empty());
    EXPECT_TRUE(witness.updates.empty());

    session.start();
    session.configure({1100, 1.1});
    for (const char16_t key : {u'a', u' ', u'\u0661', u'\t'})
        session.press(key);
    EXPECT_TRUE(session.log().empty());
    EXPECT_EQ(witness.updates.size(), 1u);   // the start
    EXPECT_FALSE(session.clock().ticking()); // nothing to drain: the program sleeps
    EXPECT_EQ(session.settings().windowLength, 1000);
    EXPECT_EQ(session.match().windowLength(), 1000);
    EXPECT_DOUBLE_EQ(session.match().scoreMultiplier(), 1.2);
    EXPECT_EQ(session.summary().character, 2);
}

} // namespace
} // namespace test
} // namespace rz6
