// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_store.h"

#include "save/file_layer.h"
#include "save/system_text.h"

#include <QCoreApplication>
#include <QFile>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace rz6 {

namespace {

QString openFailure() {
    return QCoreApplication::translate("rz6::HistoryStore",
                                       "戦績ファイル「%1」を開けませんでした。\n理由：%2");
}
QString companionFailure() {
    return QCoreApplication::translate("rz6::HistoryStore", "戦績ファイル「%1」を開けませんでした。"
                                                            "そばの「%2」が使えません。\n理由：%3");
}
QString writeFailure() {
    return QCoreApplication::translate("rz6::HistoryStore",
                                       "戦績ファイル「%1」に書き込めませんでした。"
                                       "この試合は戦績に残りません（記録ファイルには"
                                       "いつも通り保存されます）。\n理由：%2");
}
// What a match that could not go into the history means for the player.
QString notRecordedNote() {
    return QCoreApplication::translate("rz6::HistoryStore",
                                       "この試合は戦績に残りません（記録ファイルには"
                                       "いつも通り保存されます）。");
}
QString readOnlyNotice() {
    return QCoreApplication::translate("rz6::HistoryStore",
                                       "戦績ファイル「%1」は読むだけで開きました。"
                                       "これからの試合は戦績に残りません（記録ファイル"
                                       "にはいつも通り保存されます）。\n理由：%2");
}

QString damagedReason() {
    return QCoreApplication::translate("rz6::HistoryStore",
                                       "このゲームの戦績ファイルではないか、壊れています");
}

// The first bytes of every SQLite database.
constexpr char sqliteHeader[] = "SQLite format 3";

// What lies at the name before SQLite is let near it: nothing, or a regular file. Its
// identity is kept so that a swap between this look and SQLite's open is noticed.
struct FileLook {
    bool ok = false;
    bool empty = false;
    bool created = false; // made new by this look
    FileIdentity identity;
    QString reason;
};

// Looked at as every file of the game is (only a regular file, never through a link, never
// waited on), then by its first bytes: an SQLite database, or empty.
FileLook lookAt(const QByteArray& path) {
    FileLook look;
    RegularFile file = regularFile(path, FileAccess::Read);
    if (file.problem.missing()) {
        // A new history: made here, only if nothing appeared at the name meanwhile.
        const FileDescriptor made(
            ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!made.valid()) {
            look.reason = reasonText(errno);
            return look;
        }
        look.created = true;
        file = regularFile(path, FileAccess::Read);
    }
    if (!file.ok()) {
        look.reason = file.problem.reason();
        return look;
    }
    char header[sizeof sqliteHeader] = {};
    std::size_t got = 0;
    if (!readUpTo(file.fd.get(), header, sizeof header, got)) {
        look.reason = reasonText(errno);
        return look;
    }
    look.empty = file.info.st_size == 0;
    if (!look.empty &&
        (got != sizeof header || std::memcmp(header, sqliteHeader, sizeof header) != 0)) {
        look.reason = damagedReason();
        return look;
    }
    look.identity = FileIdentity::of(file.info);
    look.ok = true;
    return look;
}

// SQLite keeps its write-ahead log, its shared index and (where the log cannot be used) its
// rollback journal in files named after the history. Anything but a regular file or nothing
// at one of those names is refused before SQLite is let near it, so nothing is ever written
// through a link there. (SQLite opens them without following links as well.)
QString companionProblem(const QByteArray& path, QString& name) {
    const QList<QByteArray> files = HistoryStore::files(path);
    for (const QByteArray& companion : files.mid(1)) {
        const FileProblem problem = regularFile(companion, FileAccess::Look).problem;
        if (problem.failed() && !problem.missing()) {
            name = QFile::decodeName(companion);
            return problem.reason();
        }
    }
    return {};
}

// SQLite found the file damaged inside.
bool isDamage(int code) {
    return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB;
}

bool exists(const QByteArray& path) {
    struct stat named {};
    return ::lstat(path.constData(), &named) == 0;
}

// A prepared statement that is finalised when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        code_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool ok() const { return code_ == SQLITE_OK; }
    int code() const { return code_; }
    sqlite3_stmt* get() const { return stmt_; }
    // Binds 64-bit integers to the parameters 1.. in order.
    template <typename... Values> void bind(Values... values) {
        int index = 0;
        ((sqlite3_bind_int64(stmt_, ++index, static_cast<sqlite3_int64>(values))), ...);
    }
    // Runs a statement that returns no rows; resets it for the next run.
    int run() {
        const int code = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        return code == SQLITE_DONE ? SQLITE_OK : code;
    }
    std::int64_t column(int index) const { return sqlite3_column_int64(stmt_, index); }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = SQLITE_OK;
};

// One integer from a query such as "PRAGMA user_version"; the code says whether it worked.
std::int64_t queryNumber(sqlite3* db, const char* sql, int& code) {
    Statement query(db, sql);
    if (!query.ok()) {
        code = query.code();
        return 0;
    }
    code = sqlite3_step(query.get());
    if (code != SQLITE_ROW)
        return 0;
    code = SQLITE_OK;
    return query.column(0);
}

// Switches the file to its write-ahead log; SQLite keeps the journal it had where it cannot.
void useWriteAheadLog(sqlite3* db) {
    Statement query(db, "PRAGMA journal_mode = WAL");
    if (query.ok())
        sqlite3_step(query.get());
}

// The history as the first version wrote it: the matches, their techniques and their keys.
constexpr const char* firstSchemaSql = R"sql(
CREATE TABLE matches(
    id INTEGER PRIMARY KEY,
    ended_utc_ms INTEGER NOT NULL,
    utc_offset_s INTEGER NOT NULL,
    character INTEGER NOT NULL,
    score INTEGER NOT NULL,
    technique_points INTEGER NOT NULL,
    overall_score INTEGER NOT NULL,
    rank_class INTEGER NOT NULL,
    longest_combo INTEGER NOT NULL,
    landings INTEGER NOT NULL,
    blocks INTEGER NOT NULL,
    misses INTEGER NOT NULL,
    counters INTEGER NOT NULL,
    abandons INTEGER NOT NULL,
    board_seed INTEGER NOT NULL);
CREATE TABLE match_techniques(
    match_id INTEGER NOT NULL REFERENCES matches(id),
    technique_id INTEGER NOT NULL,
    count INTEGER NOT NULL,
    PRIMARY KEY(match_id, technique_id)) WITHOUT ROWID;
CREATE TABLE match_keys(
    match_id INTEGER NOT NULL REFERENCES matches(id),
    seq INTEGER NOT NULL,
    key INTEGER NOT NULL,
    at_ms INTEGER NOT NULL,
    PRIMARY KEY(match_id, seq)) WITHOUT ROWID;
PRAGMA application_id = 1383741000;
)sql";

// Version 2 keeps what a replay needs: each match's log format, the rules it was played under
// (the game's version and the rules' hash) and its whole log. The matches of version 1 stay as
// they are, with log format 0 (keys only). Keys are still kept in match_keys for every match,
// so what reads them (the CSV) reads every match alike.
constexpr const char* secondVersionSql = R"sql(
ALTER TABLE matches ADD COLUMN log_format INTEGER NOT NULL DEFAULT 0;
ALTER TABLE matches ADD COLUMN game_version TEXT NOT NULL DEFAULT '';
ALTER TABLE matches ADD COLUMN rules_hash INTEGER NOT NULL DEFAULT 0;
CREATE TABLE match_events(
    match_id INTEGER NOT NULL REFERENCES matches(id),
    seq INTEGER NOT NULL,
    kind INTEGER NOT NULL,
    key INTEGER NOT NULL,
    at_ms INTEGER NOT NULL,
    PRIMARY KEY(match_id, seq)) WITHOUT ROWID;
PRAGMA user_version = 2;
)sql";
static_assert(HistoryStore::applicationId == 1383741000);
static_assert(HistoryStore::schemaVersion == 2);

// How an event's kind is kept: 0 a key, 1 a tick, 2 a pause end.
int storedKind(MatchEventKind kind) {
    switch (kind) {
    case MatchEventKind::Key:
        return 0;
    case MatchEventKind::Tick:
        return 1;
    case MatchEventKind::PauseEnd:
        return 2;
    }
    return -1;
}

// An unknown kind comes back as a key no match takes, which a replay refuses as damaged.
MatchEvent storedEvent(std::int64_t kind, std::int64_t key, std::int64_t atMs) {
    switch (kind) {
    case 0:
        return {MatchEventKind::Key, static_cast<char16_t>(key), atMs};
    case 1:
        return {MatchEventKind::Tick, static_cast<char16_t>(key), atMs};
    case 2:
        return {MatchEventKind::PauseEnd, static_cast<char16_t>(key), atMs};
    default:
        return {MatchEventKind::Key, 0, atMs};
    }
}

} // namespace

QList<QByteArray> HistoryStore::files(const QByteArray& nativePath) {
    return {nativePath, nativePath + "-wal", nativePath + "-shm", nativePath + "-journal"};
}

HistoryStore::HistoryStore(QByteArray nativePath)
    : nativePath_(std::move(nativePath)), path_(QFile::decodeName(nativePath_)) {}

HistoryStore::~HistoryStore() {
    close();
}

void HistoryStore::close() {
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

FileResult HistoryStore::open() {
    // A file that could not be used may be usable now (another program let go of it, space
    // was freed): it is tried again each time it is needed, except one found damaged inside,
    // until another file takes its name.
    if (state_ == State::Closed || (state_ == State::Unusable && !damaged_.isAt(nativePath_)))
        opened_ = openAndTidy();
    return opened_;
}

// An opening that fails takes back the files it made itself (a new history, SQLite's log and
// index), so that a failure leaves the folder as it was and uses none of the space the
// record needs. Files that were there before are never touched; nor is a log with anything
// in it, nor the index while a log from before shows another program using the file.
FileResult HistoryStore::openAndTidy() {
    const QList<QByteArray> ours = files(nativePath_);
    const QByteArray &log = ours[1], &index = ours[2], &journal = ours[3];
    const bool logBefore = exists(log), indexBefore = exists(index),
               journalBefore = exists(journal);
    created_ = {};
    FileResult result = openFile();
    if (state_ != State::Unusable)
        return result;
    close();
    const auto removeIfEmpty = [](const QByteArray& path) {
        if (const RegularFile file = regularFile(path, FileAccess::Look);
            file.ok() && file.info.st_size == 0)
            ::unlink(path.constData());
    };
    if (!logBefore) {
        removeIfEmpty(log);
        if (!indexBefore && !exists(log) && FileIdentity::at(index).known)
            ::unlink(index.constData());
    }
    if (!journalBefore)
        removeIfEmpty(journal);
    if (created_.isAt(nativePath_))
        ::unlink(nativePath_.constData());
    return result;
}

FileResult HistoryStore::fail(const QString& format, const QString& reason) {
    close();
    state_ = State::Unusable;
    problem_ = format.arg(path_, reason);
    return {false, problem_};
}

QString HistoryStore::sqliteReason(int code) const {
    const int system = db_ ? sqlite3_system_errno(db_) : 0;
    switch (code & 0xff) {
    case SQLITE_FULL:
        return reasonText(ENOSPC);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_SCHEMA:
    case SQLITE_ERROR:
        return damagedReason();
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QCoreApplication::translate("rz6::HistoryStore", "ほかのプログラムが使用中です");
    case SQLITE_READONLY:
        return system != 0 ? reasonText(system) : reasonText(EROFS);
    default:
        if (system != 0)
            return reasonText(system);
        return QCoreApplication::translate("rz6::HistoryStore", "データベースのエラー（%1）")
            .arg(QString::fromUtf8(sqlite3_errstr(code)));
    }
}

FileResult HistoryStore::openFile() {
    QString companion;
    if (const QString reason = companionProblem(nativePath_, companion); !reason.isEmpty()) {
        close();
        state_ = State::Unusable;
        problem_ = companionFailure().arg(path_, companion, reason);
        return {false, problem_};
    }
    const FileLook look = lookAt(nativePath_);
    if (!look.ok)
        return fail(openFailure(), look.reason);
    if (look.created)
        created_ = look.identity;

    // No link is followed and the database's own checks of a hostile file stay on.
    int code = sqlite3_open_v2(nativePath_.constData(), &db_,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
    bool writable = code == SQLITE_OK;
    QString readOnlyReason;
    if (!writable) {
        readOnlyReason = sqliteReason(code);
        close();
        code = sqlite3_open_v2(nativePath_.constData(), &db_,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW, nullptr);
        if (code != SQLITE_OK)
            return fail(openFailure(), sqliteReason(code));
    }
    if (!look.identity.isAt(nativePath_))
        return fail(openFailure(),
                    QCoreApplication::translate("rz6::HistoryStore",
                                                "開いている間に別のファイルに置き換えられました"));
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    // Another program reading the file holds us up for a moment at most.
    sqlite3_busy_timeout(db_, 1000);

    const std::int64_t application = queryNumber(db_, "PRAGMA application_id", code);
    const std::int64_t version =
        code == SQLITE_OK ? queryNumber(db_, "PRAGMA user_version", code) : 0;
    const std::int64_t tables =
        code == SQLITE_OK ? queryNumber(db_, "SELECT count(*) FROM sqlite_schema", code) : 0;
    if (code != SQLITE_OK)
        return fail(openFailure(), sqliteReason(code));

    fileVersion_ = static_cast<int>(version);
    if (application == 0 && version == 0 && tables == 0) {
        // A new (empty) file becomes this game's history.
        if (!writable)
            return fail(openFailure(), readOnlyReason);
        QString reason;
        if (!createSchema(reason))
            return fail(openFailure(), reason);
        fileVersion_ = schemaVersion;
    } else if (application != applicationId) {
        return fail(openFailure(), QCoreApplication::translate(
                                       "rz6::HistoryStore", "ほかのプログラムのデータベースです"));
    } else if (version > schemaVersion) {
        // A newer game wrote it: read what this program understands, write nothing.
        close();
        code = sqlite3_open_v2(nativePath_.constData(), &db_,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW, nullptr);
        if (code != SQLITE_OK)
            return fail(openFailure(), sqliteReason(code));
        writable = false;
        readOnlyReason = QCoreApplication::translate(
                             "rz6::HistoryStore", "新しい版のゲームで作られたファイルです（版 %1、"
                                                  "このゲームは版 %2 まで）")
                             .arg(version)
                             .arg(schemaVersion);
    } else if (version < 1 || tables < (version < 2 ? 3 : 4)) {
        return fail(openFailure(), damagedReason());
    } else if (version < schemaVersion && writable) {
        // A history of the first version takes the columns and the table of the second, in
        // one transaction, every match kept; one that cannot is read as it is.
        QString reason;
        if (migrate(reason)) {
            fileVersion_ = schemaVersion;
        } else {
            writable = false;
            readOnlyReason = reason;
        }
    }

    if (!writable) {
        sqlite3_exec(db_, "PRAGMA query_only = ON", nullptr, nullptr, nullptr);
        state_ = State::ReadOnly;
        problem_ = readOnlyNotice().arg(path_, readOnlyReason);
        return {true, problem_};
    }
    // A match is appended to the write-ahead log and the log alone is synced: one sync per
    // match, where a rollback journal costs four (journal, its folder, the file, the journal
    // again). With full synchronous writes every commit still waits until the match is on
    // the disk, so it survives a killed game and a power cut alike; a kill in the middle of a
    // commit leaves a log whose unfinished tail the next opening ignores. The file itself
    // only ever grows: the log is copied into it in place, never by replacing it. Where the
    // log cannot be used (a file system without shared memory) the rollback journal stays.
    useWriteAheadLog(db_);
    code = sqlite3_exec(db_, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        return fail(openFailure(), sqliteReason(code));
    state_ = State::Writable;
    problem_.clear();
    return {};
}

bool HistoryStore::createSchema(QString& reason) {
    return runInTransaction(std::string(firstSchemaSql) + secondVersionSql, reason);
}

bool HistoryStore::migrate(QString& reason) {
    return runInTransaction(secondVersionSql, reason);
}

bool HistoryStore::runInTransaction(const std::string& statements, QString& reason) {
    const int code = sqlite3_exec(db_, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    const std::string sql = std::string("BEGIN IMMEDIATE;") + statements + "COMMIT;";
    if (code != SQLITE_OK ||
        sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        reason = sqliteReason(sqlite3_extended_errcode(db_));
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

FileResult HistoryStore::append(const HistoryMatch& match) {
    open();
    if (state_ != State::Writable) {
        // Told once: the first match that cannot go in says why and what it means, later
        // ones fail quietly until a match goes in again.
        const QString message =
            state_ == State::ReadOnly ? problem_ : problem_ + u'\n' + notRecordedNote();
        return {false, tellOnce(message)};
    }

    int code = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (code == SQLITE_OK) {
        Statement insertMatch(
            db_, "INSERT INTO matches(ended_utc_ms, utc_offset_s, character, score, "
                 "technique_points, overall_score, rank_class, longest_combo, landings, blocks, "
                 "misses, counters, abandons, board_seed, log_format, rules_hash, game_version) "
                 "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        Statement insertTechnique(
            db_, "INSERT INTO match_techniques(match_id, technique_id, count) VALUES(?,?,?)");
        Statement insertKey(db_,
                            "INSERT INTO match_keys(match_id, seq, key, at_ms) VALUES(?,?,?,?)");
        Statement insertEvent(
            db_, "INSERT INTO match_events(match_id, seq, kind, key, at_ms) VALUES(?,?,?,?,?)");
        code = !insertMatch.ok()       ? insertMatch.code()
               : !insertTechnique.ok() ? insertTechnique.code()
               : !insertKey.ok()       ? insertKey.code()
                                       : insertEvent.code();
        if (code == SQLITE_OK) {
            insertMatch.bind(match.endedUtcMs, match.utcOffsetSeconds, match.character, match.score,
                             match.techniquePoints, match.overallScore, match.rankClass,
                             match.longestCombo, match.landings, match.blocks, match.misses,
                             match.counters, match.abandons,
                             // Kept bit for bit in SQLite's signed integer.
                             static_cast<std::int64_t>(match.boardSeed), match.logFormat,
                             static_cast<std::int64_t>(match.rules.rulesHash));
            const std::string& version = match.rules.gameVersion;
            sqlite3_bind_text(insertMatch.get(), 17, version.data(),
                              static_cast<int>(version.size()), SQLITE_TRANSIENT);
            code = insertMatch.run();
        }
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db_);
        for (const LandedTechnique& landed : match.techniques) {
            if (code != SQLITE_OK)
                break;
            insertTechnique.bind(id, landed.techniqueId, landed.count);
            code = insertTechnique.run();
        }
        for (std::size_t seq = 0; seq < match.keys.size() && code == SQLITE_OK; ++seq) {
            insertKey.bind(id, seq, match.keys[seq].key, match.keys[seq].atMs);
            code = insertKey.run();
        }
        for (std::size_t seq = 0; seq < match.events.size() && code == SQLITE_OK; ++seq) {
            const MatchEvent& event = match.events[seq];
            insertEvent.bind(id, seq, storedKind(event.kind), event.key, event.atMs);
            code = insertEvent.run();
        }
        if (code == SQLITE_OK)
            code = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    }
    if (code == SQLITE_OK) {
        told_ = false;
        return {};
    }
    code = sqlite3_extended_errcode(db_);
    const QString reason = sqliteReason(code);
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    // Closed, and opened afresh (with all its checks) for the next match; a file found
    // damaged is not written again.
    close();
    state_ = State::Closed;
    if (isDamage(code)) {
        damaged_ = FileIdentity::at(nativePath_);
        state_ = State::Unusable;
    }
    problem_ = writeFailure().arg(path_, reason);
    return {false, tellOnce(problem_)};
}

QString HistoryStore::tellOnce(const QString& message) {
    const bool tell = !told_;
    told_ = true;
    return tell ? message : QString();
}

std::vector<HistoryMatch> HistoryStore::matches(Detail detail, FileResult* result) {
    return read(detail, -1, result);
}

std::optional<HistoryMatch> HistoryStore::match(std::size_t index, FileResult* result) {
    FileResult read;
    std::vector<HistoryMatch> found =
        this->read(Detail::Whole, static_cast<std::int64_t>(index), &read);
    if (result)
        *result = read;
    if (found.empty())
        return std::nullopt;
    return std::move(found.front());
}

std::vector<HistoryMatch> HistoryStore::read(Detail detail, std::int64_t only, FileResult* result) {
    std::vector<HistoryMatch> found;
    // One match (the only-th, oldest first), or all of them.
    const bool one = only >= 0;
    auto ofOne = [one](const char* sql, const char* order) {
        return std::string(sql) + (one ? " WHERE match_id = ?1" : "") + order;
    };
    const FileResult opening = open();
    auto failed = [&](const QString& message) {
        if (result)
            *result = {false, message};
        return std::vector<HistoryMatch>();
    };
    if (state_ == State::Unusable)
        return failed(opening.message.isEmpty() ? problem_ : opening.message);

    // Read in one transaction, so matches, techniques and keys agree with each other.
    sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
    std::unordered_map<std::int64_t, std::size_t> indexOf;
    int code = SQLITE_OK;
    {
        // A history of the first version (one that could not take the second) has no log.
        const bool logged = fileVersion_ >= 2;
        const std::string sql =
            std::string("SELECT id, ended_utc_ms, utc_offset_s, character, score, "
                        "technique_points, overall_score, rank_class, longest_combo, landings, "
                        "blocks, misses, counters, abandons, board_seed") +
            (logged ? ", log_format, rules_hash, game_version" : "") + " FROM matches ORDER BY id" +
            (one ? " LIMIT 1 OFFSET ?1" : "");
        Statement query(db_, sql.c_str());
        if (one)
            query.bind(only);
        code = query.code();
        while (code == SQLITE_OK && (code = sqlite3_step(query.get())) == SQLITE_ROW) {
            code = SQLITE_OK;
            HistoryMatch m;
            m.endedUtcMs = query.column(1);
            m.utcOffsetSeconds = static_cast<int>(query.column(2));
            m.character = static_cast<int>(query.column(3));
            m.score = static_cast<std::int32_t>(query.column(4));
            m.techniquePoints = query.column(5);
            m.overallScore = query.column(6);
            m.rankClass = static_cast<int>(query.column(7));
            m.longestCombo = static_cast<int>(query.column(8));
            m.landings = static_cast<int>(query.column(9));
            m.blocks = static_cast<int>(query.column(10));
            m.misses = static_cast<int>(query.column(11));
            m.counters = static_cast<int>(query.column(12));
            m.abandons = static_cast<int>(query.column(13));
            m.boardSeed = static_cast<std::uint64_t>(query.column(14));
            if (logged) {
                m.logFormat = static_cast<int>(query.column(15));
                m.rules.rulesHash = static_cast<std::uint64_t>(query.column(16));
                const auto* version =
                    reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 17));
                m.rules.gameVersion =
                    version ? std::string(version, static_cast<std::size_t>(
                                                       sqlite3_column_bytes(query.get(), 17)))
                            : std::string();
            }
            indexOf.emplace(query.column(0), found.size());
            found.push_back(std::move(m));
        }
        if (code == SQLITE_DONE)
            code = SQLITE_OK;
    }
    const bool whole = detail == Detail::Whole && !(one && found.empty());
    const std::int64_t oneId = indexOf.empty() ? 0 : indexOf.begin()->first;
    if (code == SQLITE_OK && whole) {
        Statement query(db_, ofOne("SELECT match_id, technique_id, count FROM match_techniques",
                                   " ORDER BY match_id, technique_id")
                                 .c_str());
        if (one)
            query.bind(oneId);
        code = query.code();
        while (code == SQLITE_OK && (code = sqlite3_step(query.get())) == SQLITE_ROW) {
            code = SQLITE_OK;
            if (const auto at = indexOf.find(query.column(0)); at != indexOf.end())
                found[at->second].techniques.push_back(
                    {static_cast<int>(query.column(1)), static_cast<int>(query.column(2))});
        }
        if (code == SQLITE_DONE)
            code = SQLITE_OK;
    }
    if (code == SQLITE_OK && whole) {
        Statement query(
            db_, ofOne("SELECT match_id, key, at_ms FROM match_keys", " ORDER BY match_id, seq")
                     .c_str());
        if (one)
            query.bind(oneId);
        code = query.code();
        while (code == SQLITE_OK && (code = sqlite3_step(query.get())) == SQLITE_ROW) {
            code = SQLITE_OK;
            if (const auto at = indexOf.find(query.column(0)); at != indexOf.end())
                found[at->second].keys.push_back(
                    {static_cast<char16_t>(query.column(1)), query.column(2)});
        }
        if (code == SQLITE_DONE)
            code = SQLITE_OK;
    }
    if (code == SQLITE_OK && whole && fileVersion_ >= 2) {
        Statement query(db_, ofOne("SELECT match_id, kind, key, at_ms FROM match_events",
                                   " ORDER BY match_id, seq")
                                 .c_str());
        if (one)
            query.bind(oneId);
        code = query.code();
        while (code == SQLITE_OK && (code = sqlite3_step(query.get())) == SQLITE_ROW) {
            code = SQLITE_OK;
            if (const auto at = indexOf.find(query.column(0)); at != indexOf.end())
                found[at->second].events.push_back(
                    storedEvent(query.column(1), query.column(2), query.column(3)));
        }
        if (code == SQLITE_DONE)
            code = SQLITE_OK;
    }
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        // Damaged inside: neither read nor written again while it is this file.
        const QString message = openFailure().arg(path_, sqliteReason(code));
        fail(openFailure(), sqliteReason(code));
        damaged_ = FileIdentity::at(nativePath_);
        return failed(message);
    }
    if (result)
        *result = {};
    return found;
}

} // namespace rz6
