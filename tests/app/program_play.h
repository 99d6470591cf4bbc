// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "app/game_program.h"
#include "battle/battle_window.h"
#include "battle/match_session.h"
#include "battle/scripted_random_source.h"
#include "battle/virtual_match_clock.h"
#include "history/history_keeper.h"
#include "history/history_window.h"
#include "replay/replay_window.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

namespace rz6::test {

// The program over the record at `path`, its messages collected in `messages`. Its matches run
// on virtual clocks that never move by themselves: tests end pauses and tick by hand. The
// 戦績 screen and the replay window are made here, not loaded from their library as the game
// does, and the screen shows times on Tokyo's clock rather than the machine's.
inline std::unique_ptr<GameProgram> makeTestProgram(const QString& path, RandomSource& random,
                                                    QStringList& messages) {
    auto program =
        std::make_unique<GameProgram>(QFile::encodeName(path), random,
                                      [&messages](const QString& message) { messages << message; });
    program->setMatchClocks([] { return std::make_unique<VirtualMatchClock>(); });
    program->setHistoryKeeperMaker(
        [](const QByteArray& nativePath, QString&) { return makeStoreKeeper(nativePath); });
    program->setHistoryScreenMaker([](std::vector<HistoryMatch> matches, const QString& note,
                                      QWidget* parent, QString&) -> HistoryScreen* {
        return new HistoryWindow(std::move(matches), note, parent, 9 * 3600);
    });
    program->setReplayWindowMaker([](const ReplayMatch& match, std::vector<MatchEvent> events,
                                     const QString& when, QWidget* parent, QString&) {
        return openReplayWindow(match, std::move(events), when, parent);
    });
    return program;
}

// Types a strike (its digits and Enter); the board's struck cells refill with `refill`.
inline void strike(BattleWindow& w, ScriptedRandomSource& random, std::string_view refill,
                   std::u32string_view keys) {
    random.queueDigits(refill);
    for (char32_t key : keys)
        w.pressKey(key);
}

// Starts a match on a board that holds 7, 4 and 1 and lands 落腕撃 (id 8) once; its pause
// is still running.
inline void landOnce(BattleWindow& w, ScriptedRandomSource& random) {
    random.queueDigits("7418529637418529");
    w.startMatch();
    strike(w, random, "741", U"7410");
}

// Plays the program's match out from wherever it stands: the pause ends, the clock closes an
// open combo, the remaining turns go on blocked strikes, and the last tick ends the match.
inline void finishMatch(GameProgram& program, ScriptedRandomSource& random) {
    MatchSession& session = *program.session();
    const Match& m = session.match();
    if (m.pausing())
        session.endPause();
    for (int tick = 0; tick < 40 && (m.comboWindow() > 0 || m.windowOpen()); ++tick)
        session.tick();
    ASSERT_FALSE(m.windowOpen());
    for (int turn = 0; turn < 10 && m.turnsLeft() > 0; ++turn) {
        strike(*program.battleWindow(), random, "124", U"1240");
        session.endPause();
    }
    ASSERT_EQ(m.turnsLeft(), 0);
    session.tick();
}

} // namespace rz6::test
