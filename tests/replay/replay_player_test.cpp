// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The replay player against a recorded match, on a timer whose time passes by hand.
#include "fake_replay_timer.h"
#include "played_match.h"
#include "replay/replay_player.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace rz6::test {
namespace {

struct Rig {
    explicit Rig(const PlayedMatch& played) : played(played) {
        auto owned = std::make_unique<FakeReplayTimer>();
        timer = owned.get();
        player = std::make_unique<ReplayPlayer>(played.replay, played.log, std::move(owned));
        player->whenSessionReplaced([this](MatchSession& fresh) { replaced = &fresh; });
    }
    const MatchEvent& event(std::size_t i) const { return played.log[i]; }
    // The session so far is the recorded match so far.
    void expectInStep() const {
        const std::vector<MatchEvent>& log = player->session().log();
        ASSERT_EQ(log.size(), player->eventsPlayed());
        EXPECT_TRUE(std::equal(log.begin(), log.end(), played.log.begin()));
    }
    void playOut() {
        for (std::size_t i = 0; i <= played.log.size() && !player->finished(); ++i)
            timer->runOut();
    }

    const PlayedMatch& played;
    FakeReplayTimer* timer = nullptr;
    std::unique_ptr<ReplayPlayer> player;
    MatchSession* replaced = nullptr;
};

struct Case {
    const char* name;
    std::function<void(Rig&)> drive;
};

// Each way of watching must end in the recorded match: its whole log, outcome for outcome,
// and its summary.
TEST(ReplayPlayerTest, EveryControlEndsInTheRecordedMatch) {
    const PlayedMatch played = playMatch(1592590337, 1, 3);
    ASSERT_GT(played.log.size(), 50u);
    ASSERT_GT(played.log.front().atMs, 0);
    // The outcomes live play showed, to compare with what the replay shows.
    std::vector<StrikeResult> shown;
    {
        SeedRandomSource random(played.replay.boardSeed);
        const Character& c = character(1);
        MatchSession live(random, std::make_unique<VirtualMatchClock>(),
                          {c.windowLength, c.scoreMultiplier});
        live.start();
        for (const MatchEvent& e : played.log)
            live.feed(e);
        shown = live.outcomes();
    }

    const Case cases[] = {
        {"at the match's own pace, one event time at a time",
         [](Rig& r) {
             std::int64_t at = 0;
             while (!r.player->finished()) {
                 const MatchEvent& next = r.event(r.player->eventsPlayed());
                 ASSERT_EQ(r.timer->asked.back(), next.atMs - at) << r.player->eventsPlayed();
                 at = next.atMs;
                 r.timer->runOut();
                 r.expectInStep();
                 // Every event of that moment has been played.
                 if (!r.player->finished()) {
                     EXPECT_GT(r.event(r.player->eventsPlayed()).atMs, at);
                 }
             }
             EXPECT_FALSE(r.timer->waiting());
         }},
        {"each speed scales the wait, rounded up",
         [](Rig& r) {
             const std::int64_t first = r.event(0).atMs;
             const std::pair<ReplaySpeed, std::int64_t> speeds[] = {
                 {ReplaySpeed::Half, first * 2},
                 {ReplaySpeed::Double, (first + 1) / 2},
                 {ReplaySpeed::Quadruple, (first + 3) / 4},
                 {ReplaySpeed::Normal, first}};
             for (const auto& [speed, wait] : speeds) {
                 r.player->setSpeed(speed);
                 EXPECT_EQ(r.timer->asked.back(), wait);
             }
             // + and - stop at the ends.
             for (int i = 0; i < 5; ++i)
                 r.player->faster();
             EXPECT_EQ(r.player->speed(), ReplaySpeed::Quadruple);
             for (int i = 0; i < 5; ++i)
                 r.player->slower();
             EXPECT_EQ(r.player->speed(), ReplaySpeed::Half);
         }},
        {"a pause keeps the match where it is, and the rest of the wait",
         [](Rig& r) {
             for (int i = 0; i < 20; ++i)
                 r.timer->runOut();
             const std::size_t played = r.player->eventsPlayed();
             const std::int64_t gap = r.timer->remainingMs();
             ASSERT_GT(gap, 10);
             r.timer->elapse(10);
             r.player->togglePause();
             EXPECT_TRUE(r.player->paused());
             EXPECT_FALSE(r.timer->waiting());
             r.timer->elapse(100000);
             EXPECT_EQ(r.player->eventsPlayed(), played);
             // Mid-wait at 2×, then resumed: what was left of the gap, at that speed.
             r.player->setSpeed(ReplaySpeed::Double);
             EXPECT_FALSE(r.timer->waiting());
             r.player->togglePause();
             EXPECT_EQ(r.timer->asked.back(), (gap - 10 + 1) / 2);
             r.expectInStep();
         }},
        {"next strike stops just after each outcome, then at the end",
         [](Rig& r) {
             std::size_t outcomes = 0;
             while (!r.player->finished()) {
                 r.player->nextStrike();
                 r.expectInStep();
                 const std::size_t now = r.player->session().outcomes().size();
                 if (r.player->finished())
                     break;
                 ASSERT_GT(now, outcomes);
                 outcomes = now;
                 EXPECT_EQ(r.player->positionMs(), r.event(r.player->eventsPlayed() - 1).atMs);
                 EXPECT_TRUE(r.timer->waiting());
             }
         }},
        {"back to start deals the same match again from time 0",
         [](Rig& r) {
             r.player->pause();
             for (int i = 0; i < 8; ++i)
                 r.player->nextStrike();
             r.player->backToStart();
             ASSERT_EQ(r.replaced, &r.player->session());
             EXPECT_TRUE(r.player->session().log().empty());
             EXPECT_EQ(r.player->positionMs(), 0);
             EXPECT_TRUE(r.player->paused());
             r.player->resume();
             EXPECT_EQ(r.timer->asked.back(), r.event(0).atMs);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(played);
        c.drive(rig);
        rig.player->resume();
        rig.playOut();
        ASSERT_TRUE(rig.player->finished());
        EXPECT_EQ(rig.player->session().phase(), MatchPhase::Ended);
        EXPECT_EQ(rig.player->session().log(), played.log);
        EXPECT_EQ(rig.player->session().outcomes(), shown);
        EXPECT_EQ(figuresOf(rig.player->session().summary()), played.replay.figures);
    }
}

} // namespace
} // namespace rz6::test
