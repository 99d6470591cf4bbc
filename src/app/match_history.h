// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "history/history_keeper.h"
#include "history/history_screen.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace rz6 {

class MatchSession;
struct MatchRating;

// The history of the whole run: every finished match goes into the store beside the record,
// the 戦績 screen is made over what the store holds, and the CSV export writes it where the
// player chose. The history never holds the game up: whatever goes wrong with it is reported,
// and the match and the record go on as always.
class MatchHistory : public QObject {
public:
    using Reporter = std::function<void(const QString& message)>;
    using WallClock = std::function<QDateTime()>;

    // `protectedFiles`: the game's own files besides the history's, which an export never
    // writes over (the record, its lock).
    MatchHistory(const QByteArray& nativePath, QList<QByteArray> protectedFiles, Reporter report);
    ~MatchHistory() override;

    // The clock a finished match's end is told by; the system's unless a test sets one.
    void setWallClock(WallClock wall) { wallClock_ = std::move(wall); }
    // How the 戦績 screen is made: loaded from its library unless a test makes it directly.
    void setScreenMaker(HistoryScreenMaker maker) { screenMaker_ = std::move(maker); }
    // How the store is opened: loaded from its library unless a test opens it directly.
    void setKeeperMaker(HistoryKeeperMaker maker) { keeperMaker_ = std::move(maker); }
    // How a replay window is made: loaded with the 戦績 screen's library unless a test makes it.
    void setReplayWindowMaker(ReplayWindowMaker maker) { replayMaker_ = std::move(maker); }

    // The finished match, as its result screen appears.
    void record(const MatchSession& session, const MatchRating& rating);
    // The 戦績 screen over every match (the first use opens the file), owned by `parent`;
    // nullptr, and the reason reported, when its library cannot be had.
    HistoryScreen* openScreen(QWidget* parent);

    // A replay file played on its own, as the command line asks (rz6 --replay FILE): the
    // replay window alone, nothing else of the game; the record and the history are not
    // touched. Returns the exit status once the window has closed, or at once, with one
    // message, for a file that cannot be played.
    static int playReplayFileAlone(const QByteArray& nativePath);

private:
    void exportCsv(HistoryScreen* screen, const QString& path);
    // Replays, each checked before it is played: a stored match by its place in the history,
    // or a replay file. One that cannot be played is only told about, in the screen's note.
    void replayStored(HistoryScreen* screen, int index);
    void replayFile(HistoryScreen* screen, const QString& path);
    void play(HistoryScreen* screen, const ReplayMatch& match, const QString& when);
    void exportReplay(HistoryScreen* screen, int index, const QString& path);
    // The store, opened the first time it is needed; nullptr when its library cannot be had
    // (said once).
    HistoryKeeper* keeper();

    QByteArray nativePath_;
    HistoryKeeperMaker keeperMaker_ = loadHistoryKeeper;
    std::unique_ptr<HistoryKeeper> keeper_;
    // Why the store cannot be had, once that is known.
    QString keeperProblem_;
    QList<QByteArray> protectedFiles_;
    Reporter report_;
    WallClock wallClock_ = [] { return QDateTime::currentDateTime(); };
    HistoryScreenMaker screenMaker_ = loadHistoryScreen;
    ReplayWindowMaker replayMaker_ = loadReplayWindow;
};

} // namespace rz6
