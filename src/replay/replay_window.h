// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_event.h"
#include "replay/replay_match.h"
#include "replay/replay_player.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace rz6 {

class BattleWindow;

// The controls of a replay shown on a battle screen of its own: the player paces the match,
// the window (in replay mode) shows its session as the battle screen showed it live, and the
// keys run the replay. Space pauses and resumes (at the end it plays again from the start),
// 1 2 3 4 choose ½×, 1×, 2×, 4× and + and - step the speed, → jumps to just after the next
// strike, Home goes back to the start and Escape closes. The window's status bar says so.
// A child of its window, and deleted with it.
class ReplayControls : public QObject {
    Q_OBJECT
public:
    // `character`: who was played (0..2, -1 for none); `when`: the title's name of the match.
    ReplayControls(BattleWindow& window, std::unique_ptr<ReplayPlayer> player, int character,
                   const QString& when);

    ReplayPlayer& player() { return *player_; }

    // A key of the window's (BattleWindow::replayKeyPressed).
    void press(int key);

private:
    void showTexts();
    QString speedText() const;

    BattleWindow& window_;
    std::unique_ptr<ReplayPlayer> player_;
    int character_;
    QString when_;
};

// A replay of `match` in a battle screen of its own over `parent`, shown: `events` are what
// to play (verifyReplay's), `when` names the match in the title (its date, or the file it came
// from). The window deletes itself when closed. Without a timer, the match keeps its pace on a
// Qt timer.
BattleWindow* openReplayWindow(const ReplayMatch& match, std::vector<MatchEvent> events,
                               const QString& when, QWidget* parent,
                               std::unique_ptr<ReplayTimer> timer = {});

} // namespace rz6
