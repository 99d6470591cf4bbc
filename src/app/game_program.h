// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/battle_window.h"
#include "battle/match_clock.h"
#include "battle/match_session.h"
#include "battle/match_summary.h"
#include "charselect/character_target.h"
#include "common/language.h"
#include "help/help_window.h"
#include "history/history_screen.h"
#include "history/history_store.h"
#include "result/match_rating.h"
#include "result/result_window.h"
#include "save/record_table.h"

#include <QDateTime>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace rz6 {

class RandomSource;
class RecordFile;
class RecordLock;

// The program object: owns the player's record for the whole run, the record file, the match
// sessions and every screen. The one battle window is built right after the record is first
// read and lives until the program ends, so it keeps its place on the screen; it shows the
// session of the match on hand. Restart and rematch save the record, read it back and give
// that window a fresh session from the design values, and quit saves after the window is
// gone. The other screens open when the window asks for them, as windows it owns (kept above
// it by the window system). Character select chooses, through this object, the character the
// next match is fought as.
//
// The rules only report what happened: every technique a strike lands is counted into the
// record here, once, as the session reports the strike. When a match ends, its summary is
// kept (lastSummary) and handed on (matchSummarised), its total enters the best totals, the
// record is saved and the match goes into the history.
class GameProgram : public QObject, private CharacterTarget, private MatchListener {
    Q_OBJECT
public:
    // Shows a message to the player (a message box in the game; tests collect them).
    using Reporter = std::function<void(const QString& message)>;

    // The record's path as the system's bytes, so any folder name works.
    GameProgram(const QByteArray& nativeRecordPath, RandomSource& random, Reporter reporter = {});
    ~GameProgram() override;

    // The lock this copy holds on the record: confirmed before every save, so that a copy
    // that lost its place never writes over another's record.
    void guardSavesWith(RecordLock& lock) { lock_ = &lock; }
    // Where the player's language choice is remembered, and the run's language decision with
    // the choice read from there (main sets these before start; without them a choice in the
    // 設定 menu still applies, but is not remembered).
    void setLanguageSettings(const QString& settingsPath, const LanguageDecision& language) {
        settingsPath_ = settingsPath;
        language_ = language;
    }
    // Reads the record and shows the first battle window.
    void start();
    // Abandons the match on show for a fresh one in the same window, closing the record or
    // character screen over it (the record is saved, then read back).
    void startFreshMatch();
    // The clocks: the wall clock the history tells when a match ended by, and the clock each
    // new match session runs on (the ticks, the pause and the times of its log). The game's
    // own are the system's and Qt's timers; tests set clocks they drive, before start().
    using WallClock = std::function<QDateTime()>;
    using MatchClockMaker = std::function<std::unique_ptr<MatchClock>()>;
    void setWallClock(WallClock wall) { wallClock_ = std::move(wall); }
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
    bool saveWithoutDisplay();

    BattleWindow* battleWindow() const { return battleWindow_.data(); }
    // The match on hand: waiting for its start command, running or finished; none once the
    // battle window has gone.
    MatchSession* session() const { return session_.get(); }
    ResultWindow* resultWindow() const { return resultWindow_.data(); }
    HelpWindow* helpWindow() const { return helpWindow_.data(); }
    QWidget* subScreen() const { return subScreen_.data(); }
    HistoryStore& history() { return *history_; }
    // How the 戦績 screen is made: loaded from its library unless a test makes it directly.
    void setHistoryScreenMaker(HistoryScreenMaker maker) { historyScreenMaker_ = std::move(maker); }
    const RecordTable& recordTable() const { return recordTable_; }
    // What the last finished match did, once one has finished.
    const std::optional<MatchSummary>& lastSummary() const { return lastSummary_; }

signals:
    // A match has finished; emitted before its result screen opens.
    void matchSummarised(const rz6::MatchSummary& summary);
    // The program should end now with this status (main connects this to the event loop's
    // exit): 0, or 1 when a quit signal found the record unsavable.
    void finished(int exitStatus);

private:
    // What the 戦績 screen asks.
    void exportHistory(const QString& path);
    void historyScreenClosed();

    // What the next match is fought with, as character select sets it: the session's
    // settings and what the battle window shows of the character. Every fresh match starts
    // from the first character.
    struct NextMatch {
        MatchSettings settings;
        QString statusText;
        QString portrait;
    };
    static NextMatch firstCharacter();

    // What character select sets, for the next match.
    void setStatusText(const QString& text) override;
    void setWindowLength(int length) override;
    void setScoreMultiplier(double multiplier) override;
    void setPortrait(const QString& pictureName) override;
    void showNextCharacter();

    // What the session on hand reports.
    void matchUpdated(const MatchSession& session, const MatchUpdate& update) override;

    void buildBattleWindow();
    void freshSession();
    bool destroyBattleWindow();
    void applyStrike(const StrikeResult& result);
    void keepSummary();
    void openResultWindow();
    void recordHistory(const MatchRating& rating);
    void openRecordWindow();
    void openHistoryWindow();
    void openCharacterSelect();
    void openOverBattle(QWidget* screen);
    void rematch();
    void openHelpWindow();
    void chooseLanguage(LanguageChoice choice);
    void loadRecord();
    bool saveRecord();
    void report(const QString& message);
    QWidget* frontScreen() const;
    void showReportsInFront();
    void finishWhenReportsRead();

    RecordTable recordTable_{};
    std::optional<MatchSummary> lastSummary_;
    std::unique_ptr<RecordFile> recordFile_;
    // The match history beside the record; opened when it is first needed, not at start.
    std::unique_ptr<HistoryStore> history_;
    HistoryScreenMaker historyScreenMaker_ = loadHistoryScreen;
    // The files a CSV export must never write over: the record, its lock, the history.
    QList<QByteArray> protectedFiles_;
    WallClock wallClock_ = [] { return QDateTime::currentDateTime(); };
    MatchClockMaker matchClockMaker_;
    RandomSource& random_;
    NextMatch nextMatch_ = firstCharacter();
    // Goes after the battle window, which shows it.
    std::unique_ptr<MatchSession> session_;
    QString settingsPath_;
    LanguageDecision language_{desktopMessagesLocale(), std::nullopt};
    Reporter reporter_;
    RecordLock* lock_ = nullptr;
    QPointer<BattleWindow> battleWindow_;
    QPointer<ResultWindow> resultWindow_;
    QPointer<HelpWindow> helpWindow_;
    // The record or character select screen over the battle window; it goes with the window.
    QPointer<QWidget> subScreen_;
    bool finished_ = false;
    bool finishAnnounced_ = false;
    // Set by a quit signal: from then on no box is opened or waited for.
    bool quitBySignal_ = false;
    int exitStatus_ = 0;
    // Set while the result screen of a match that is being saved is about to show: a
    // message waits for that screen.
    bool screenComing_ = false;
    QStringList pendingReports_;
    QList<QPointer<QMessageBox>> reportBoxes_;
};

} // namespace rz6
