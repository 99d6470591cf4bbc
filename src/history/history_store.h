// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "history/history_match.h"
#include "save/file_layer.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <string>
#include <optional>
#include <vector>

struct sqlite3;

namespace rz6 {

// The match history "rz6-history.sqlite", an SQLite database beside the record.
//
// Guarantees:
// - Nothing is opened before the first call that needs the file (open(), append(),
//   matches()), so the game's start never waits for it.
// - Only a regular file is opened, through the check every file of the game goes through. A
//   symbolic link, named pipe, device, socket or folder at its name is refused before SQLite
//   sees it, with a message that says what it is; a missing file is created new (never
//   through a link).
// - A file that is not this game's history (another program's database, or no database at
//   all) and a damaged one are refused and left exactly as they are.
// - The schema carries its version. A file of a newer version is opened read-only: its
//   matches are read, nothing is ever written to it, and the player is told why. A file of
//   the first version is brought to this one as it opens, in one transaction that keeps every
//   match (as keys-only matches, log format 0); one that cannot be is read as it is.
// - A link or anything but a regular file at the names of SQLite's own files beside it
//   ("-wal", "-shm", "-journal") is refused the same way, so nothing is written through it.
// - append() writes one match in one transaction with full synchronous writes, through a
//   write-ahead log (one sync per match): when it returns true the match is on the disk; a
//   kill at any moment loses at most that match, and the file always opens with every
//   match written before it.
// - A file that could not be opened, or whose write failed, is opened afresh (with every
//   check above) the next time it is needed, so the history takes matches again as soon as
//   it can. A failure is reported once, with what it means for the match; later appends
//   fail quietly until one succeeds.
// - An opening that fails removes what it made itself (a new empty history, SQLite's log and
//   index), and nothing that was there before.
// - The path is kept as the bytes the system uses, so any folder name works.
class HistoryStore {
public:
    // The version of the schema this program writes (PRAGMA user_version).
    // 1: matches, techniques, keys; 2: each match's log format, rules and whole log as well.
    static constexpr int schemaVersion = 2;
    // Marks the file as this game's (PRAGMA application_id): "Rz6H".
    static constexpr int applicationId = 0x527A3648;

    enum class State { Closed, Writable, ReadOnly, Unusable };

    explicit HistoryStore(QByteArray nativePath);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // The history at this path and the files SQLite keeps beside it (its write-ahead log, its
    // shared index, its rollback journal): every file of the history's, for those who must
    // leave them alone.
    static QList<QByteArray> files(const QByteArray& nativePath);

    const QString& path() const { return path_; }
    const QByteArray& nativePath() const { return nativePath_; }
    State state() const { return state_; }

    // Opens the file the first time, and again after a failure; otherwise returns what the
    // last opening said. Ok for a writable file; a read-only (newer) file gives ok with a
    // message to show once.
    FileResult open();

    // Why the history cannot be read (Unusable) or written (ReadOnly, or after a failed
    // write), as the 戦績 screen says it; empty while all is well.
    const QString& problem() const { return problem_; }

    // Writes one finished match. Fails with a message the first time it cannot; afterwards
    // it fails with an empty message until a match is written again, so the player is told
    // once.
    FileResult append(const HistoryMatch& match);

    // How much of each match to read: its row of figures (all the 戦績 screen shows), or the
    // whole match with its techniques, keys and log (the CSV, a replay).
    enum class Detail { Figures, Whole };

    // Every match, oldest first.
    std::vector<HistoryMatch> matches(Detail detail, FileResult* result = nullptr);
    // The whole index-th match (oldest first), reading that match alone; nothing, with an
    // ok result, when the history holds fewer.
    std::optional<HistoryMatch> match(std::size_t index, FileResult* result = nullptr);

private:
    std::vector<HistoryMatch> read(Detail detail, std::int64_t only, FileResult* result);
    FileResult openAndTidy();
    FileResult openFile();
    QString tellOnce(const QString& message);
    bool createSchema(QString& reason);
    bool migrate(QString& reason);
    bool runInTransaction(const std::string& statements, QString& reason);
    FileResult fail(const QString& format, const QString& reason);
    QString sqliteReason(int code) const;
    void close();

    QByteArray nativePath_;
    QString path_;
    sqlite3* db_ = nullptr;
    State state_ = State::Closed;
    int fileVersion_ = 0; // the schema version of the file open
    FileResult opened_;
    QString problem_;
    bool told_ = false; // the player has heard why nothing is written
    // The history this opening made, to be taken back if the opening fails, and one found
    // damaged inside, not to be opened again.
    FileIdentity created_;
    FileIdentity damaged_;
};

} // namespace rz6
