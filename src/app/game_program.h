// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "app/match_history.h"
#include "app/message_presenter.h"
#include "app/next_match.h"
#include "app/player_settings.h"
#include "app/record_keeper.h"
#include "app/shutdown_sequence.h"
#include "battle/battle_window.h"
#include "battle/match_clock.h"
#include "battle/match_session.h"
#include "battle/match_summary.h"
#include "common/language.h"
#include "help/help_window.h"
#include "history/history_screen.h"
#include "result/result_window.h"
#include "save/record_table.h"
#include "sound/sound_player.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace rz6 {

class RandomSource;
class RecordLock;

// The game's flow: which screen is up, and what a finished match leads to. It owns the match
// sessions and every screen; the record (RecordKeeper), the history (MatchHistory), the
// messages to the player (MessagePresenter) and the end of the run (ShutdownSequence) are
// each kept by a class of their own, which this object holds for the whole run. The one
// battle window is built right after the record is first read and lives until the program
// ends, so it keeps its place on the screen; it shows the session of the match on hand.
// Restart and rematch save the record, read it back and give that window a fresh session
// from the design values, and quit saves after the window is gone. The other screens open
// when the window asks for them, as windows it owns (kept above it by the window system).
// Character select chooses, through this object, the character the next match is fought as.
//
// The rules only report what happened: every technique a strike lands is counted into the
// record here, once, as the session reports the strike. When a match ends, its summary is
// kept (lastSummary) and handed on (matchSummarised), its total enters the best totals, the
// record is saved and the match goes into the history.
class GameProgram : public QObject, private MatchListener {
    Q_OBJECT
public:
    using Reporter = MessagePresenter::Reporter;

    // The record's path as the system's bytes, so any folder name works. Without a reporter,
    // messages show in boxes.
    GameProgram(const QByteArray& nativeRecordPath, RandomSource& random, Reporter reporter = {});
    ~GameProgram() override;

    // The lock this copy holds on the record, confirmed before every save.
    void guardSavesWith(RecordLock& lock) { record_.guardSavesWith(lock); }
    // The player's settings as read at start, and where they are remembered (main sets them
    // before start; without them a choice in the 設定 menu still applies, but is not
    // remembered).
    void setSettings(PlayerSettings settings) { settings_ = std::move(settings); }
    // Reads the record and shows the first battle window.
    void start();
    // Abandons the match on show for a fresh one in the same window, closing the record or
    // character screen over it (the record is saved, then read back).
    void startFreshMatch();
    // The clocks: the wall clock the history tells when a match ended by, and the clock each
    // new match session runs on (the ticks, the pause and the times of its log). The game's
    // own are the system's and Qt's timers; tests set clocks they drive, before start().
    using MatchClockMaker = std::function<std::unique_ptr<MatchClock>()>;
    void setWallClock(MatchHistory::WallClock wall) { history_.setWallClock(std::move(wall)); }
    void setMatchClocks(MatchClockMaker maker) { matchClockMaker_ = std::move(maker); }
    // Shows the player a message (a box over the screens, without a loop of its own).
    void tell(const QString& message) { report(message); }
    // Saves the record, closes every window and announces the end once any message about
    // that save has been read.
    void quit();
    // The same for a quit signal from the desktop, a terminal or a service manager: nothing
    // waits for the player, a failed save is told on standard error, and the end is
    // announced at once with a status of 1 when the record could not be saved.
    void quitOnSignal();
    // The display is gone and the program ends without returning to its loop: the record is
    // written as it stands, with no window touched; a failure goes to standard error.
    bool saveWithoutDisplay() { return record_.saveWithoutDisplay(); }

    BattleWindow* battleWindow() const { return battleWindow_.data(); }
    // The match on hand: waiting for its start command, running or finished; none once the
    // battle window has gone.
    MatchSession* session() const { return session_.get(); }
    ResultWindow* resultWindow() const { return resultWindow_.data(); }
    HelpWindow* helpWindow() const { return helpWindow_.data(); }
    QWidget* subScreen() const { return subScreen_.data(); }
    // How the 戦績 screen and the replay window are made and the history's store opened:
    // loaded from their libraries unless a test makes them directly.
    void setHistoryScreenMaker(HistoryScreenMaker maker) {
        history_.setScreenMaker(std::move(maker));
    }
    void setHistoryKeeperMaker(HistoryKeeperMaker maker) {
        history_.setKeeperMaker(std::move(maker));
    }
    void setReplayWindowMaker(ReplayWindowMaker maker) {
        history_.setReplayWindowMaker(std::move(maker));
    }
    const RecordTable& recordTable() const { return record_.table(); }
    // What the last finished match did, once one has finished.
    const std::optional<MatchSummary>& lastSummary() const { return lastSummary_; }

signals:
    // A match has finished; emitted before its result screen opens.
    void matchSummarised(const rz6::MatchSummary& summary);
    // The program should end now with this status (main connects this to the event loop's
    // exit): 0, or 1 when a quit signal found the record unsavable.
    void finished(int exitStatus);

private:
    void showNextCharacter();

    // What the session on hand reports.
    void matchUpdated(const MatchSession& session, const MatchUpdate& update) override;

    void buildBattleWindow();
    void freshSession();
    bool destroyBattleWindow();
    void openResultWindow();
    void openRecordWindow();
    void openHistoryWindow();
    void openCharacterSelect();
    void openOverBattle(QWidget* screen);
    void rematch();
    void openHelpWindow();
    void chooseLanguage(LanguageChoice choice);
    void chooseSoundEffects(bool on);
    void report(const QString& message);
    QWidget* frontScreen() const;

    // First of the four: the others report through it, and the end waits for its boxes.
    MessagePresenter messages_;
    ShutdownSequence shutdown_{messages_};
    RecordKeeper record_;
    MatchHistory history_;
    std::optional<MatchSummary> lastSummary_;
    MatchClockMaker matchClockMaker_;
    RandomSource& random_;
    NextMatch nextMatch_{[this](const MatchSettings& settings) { session_->configure(settings); },
                         [this] { showNextCharacter(); }};
    // Goes after the battle window, which shows it.
    std::unique_ptr<MatchSession> session_;
    PlayerSettings settings_;
    SoundPlayer sounds_{gameTitle()};
    QPointer<BattleWindow> battleWindow_;
    QPointer<ResultWindow> resultWindow_;
    QPointer<HelpWindow> helpWindow_;
    // The record or character select screen over the battle window; it goes with the window.
    QPointer<QWidget> subScreen_;
};

} // namespace rz6
