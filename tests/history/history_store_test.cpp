// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_csv.h"
#include "history/history_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rz6 {
namespace {

HistoryMatch sampleMatch(int n) {
    HistoryMatch m;
    m.endedUtcMs = 1'780'000'000'000 + n * 60'000;
    m.utcOffsetSeconds = 9 * 3600;
    m.character = n % 3;
    m.score = 1000 * n - 70;
    m.techniquePoints = 300 * n;
    m.overallScore = m.score + m.techniquePoints;
    m.rankClass = 1 + n % 10;
    m.techniques = {{8, 2 + n}, {21, 1}};
    // Every figure differs from every other, so that two columns swapped show.
    m.longestCombo = 4;
    m.landings = 10 + n;
    m.blocks = 3;
    m.misses = 5;
    m.counters = 6;
    m.abandons = 7;
    m.boardSeed = 0xFEDCBA9876543210ull + static_cast<unsigned>(n); // beyond SQLite's signed range
    m.keys = {{u'7', 120}, {u'4', 300}, {u'1', 455}, {u'0', 610}, {u'\r', 9000 + n}};
    if (n % 2 == 0) {
        // A match with its whole log, as the game records them now.
        m.logFormat = 1;
        m.rules = {"0.80", 0x8000000000000001ull + static_cast<unsigned>(n)};
        m.events = {{MatchEventKind::Key, u'7', 120},
                    {MatchEventKind::Tick, 0, 200},
                    {MatchEventKind::Key, u'0', 610},
                    {MatchEventKind::PauseEnd, 0, 1610},
                    {MatchEventKind::Key, u'\r', 9000 + n}};
    }
    return m;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs SQL on the file as another program would.
void runSql(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

class HistoryStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("rz6-history.sqlite"));
    QByteArray native = QFile::encodeName(path);
};

// A match comes back whole, also to a store opened afresh, oldest first, and alone.
TEST_F(HistoryStoreTest, MatchesComeBackWhole) {
    {
        HistoryStore store(native);
        EXPECT_EQ(store.state(), HistoryStore::State::Closed); // nothing opened until needed
        EXPECT_FALSE(QFile::exists(path));
        ASSERT_TRUE(store.append(sampleMatch(1)).ok);
        ASSERT_TRUE(store.append(sampleMatch(2)).ok);
    }
    HistoryStore store(native);
    FileResult result;
    const auto read = store.matches(HistoryStore::Detail::Whole, &result);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(read, (std::vector<HistoryMatch>{sampleMatch(1), sampleMatch(2)}));
    // One match alone, by its place, as a replay reads it.
    EXPECT_EQ(store.match(1, &result), sampleMatch(2));
    EXPECT_EQ(store.match(0), sampleMatch(1));
    EXPECT_EQ(store.match(2, &result), std::nullopt);
    EXPECT_TRUE(result.ok);
    auto figures = store.matches(HistoryStore::Detail::Figures);
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_TRUE(figures[1].keys.empty());
    EXPECT_TRUE(figures[1].techniques.empty());
    EXPECT_TRUE(figures[1].events.empty());
    figures[1].keys = read[1].keys;
    figures[1].techniques = read[1].techniques;
    figures[1].events = read[1].events;
    EXPECT_EQ(figures[1], read[1]);
}

// A file of a newer version is read, never written, and the player is told once.
TEST_F(HistoryStoreTest, NewerVersionIsReadOnly) {
    {
        HistoryStore store(native);
        ASSERT_TRUE(store.append(sampleMatch(1)).ok);
    }
    runSql(path, "PRAGMA user_version = 3");
    const QByteArray before = bytesOf(path);
    HistoryStore store(native);
    EXPECT_TRUE(store.open().ok);
    EXPECT_EQ(store.state(), HistoryStore::State::ReadOnly);
    EXPECT_EQ(store.matches(HistoryStore::Detail::Figures).size(), 1u);
    const FileResult first = store.append(sampleMatch(2));
    EXPECT_FALSE(first.ok);
    EXPECT_TRUE(first.message.contains(path));
    EXPECT_TRUE(first.message.contains(QStringLiteral("新しい版")));
    EXPECT_EQ(store.append(sampleMatch(3)).message, QString()); // told once
    EXPECT_EQ(bytesOf(path), before);
}

// Files the game cannot use are refused with their name and reason, and kept byte for byte.
// A history of the first version (written here with that version's own tables) keeps every
// match as it opens in this one: each comes back with its keys and no log, a new match goes in
// with its log beside them, and the file is of the second version from then on.
TEST_F(HistoryStoreTest, FirstVersionHistoryKeepsEveryMatch) {
    runSql(path, R"sql(
CREATE TABLE matches(id INTEGER PRIMARY KEY, ended_utc_ms INTEGER NOT NULL,
    utc_offset_s INTEGER NOT NULL, character INTEGER NOT NULL, score INTEGER NOT NULL,
    technique_points INTEGER NOT NULL, overall_score INTEGER NOT NULL,
    rank_class INTEGER NOT NULL, longest_combo INTEGER NOT NULL, landings INTEGER NOT NULL,
    blocks INTEGER NOT NULL, misses INTEGER NOT NULL, counters INTEGER NOT NULL,
    abandons INTEGER NOT NULL, board_seed INTEGER NOT NULL);
CREATE TABLE match_techniques(match_id INTEGER NOT NULL REFERENCES matches(id),
    technique_id INTEGER NOT NULL, count INTEGER NOT NULL,
    PRIMARY KEY(match_id, technique_id)) WITHOUT ROWID;
CREATE TABLE match_keys(match_id INTEGER NOT NULL REFERENCES matches(id),
    seq INTEGER NOT NULL, key INTEGER NOT NULL, at_ms INTEGER NOT NULL,
    PRIMARY KEY(match_id, seq)) WITHOUT ROWID;
PRAGMA application_id = 1383741000;
PRAGMA user_version = 1;
INSERT INTO matches VALUES(1, 1780000060000, 32400, 1, 930, 300, 1230, 2, 4, 11, 3, 5, 6, 7,
    -81985529216486895);
INSERT INTO matches VALUES(2, 1780000120000, 32400, 2, 1930, 600, 2530, 3, 4, 12, 3, 5, 6, 7,
    -81985529216486894);
INSERT INTO match_techniques VALUES(1, 8, 3), (1, 21, 1), (2, 8, 4), (2, 21, 1);
INSERT INTO match_keys VALUES(1, 0, 55, 120), (1, 1, 52, 300), (1, 2, 49, 455), (1, 3, 48, 610),
    (1, 4, 13, 9001), (2, 0, 55, 120), (2, 1, 52, 300), (2, 2, 49, 455), (2, 3, 48, 610),
    (2, 4, 13, 9002);
)sql");
    HistoryMatch first = sampleMatch(1), second = sampleMatch(2);
    second.logFormat = 0;
    second.events.clear();
    second.rules = {};
    {
        HistoryStore store(native);
        FileResult result;
        EXPECT_EQ(store.matches(HistoryStore::Detail::Whole, &result),
                  (std::vector<HistoryMatch>{first, second}));
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_EQ(store.state(), HistoryStore::State::Writable);
        ASSERT_TRUE(store.append(sampleMatch(4)).ok);
    }
    HistoryStore store(native);
    EXPECT_EQ(store.matches(HistoryStore::Detail::Whole),
              (std::vector<HistoryMatch>{first, second, sampleMatch(4)}));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(native.constData(), &db), SQLITE_OK);
    sqlite3_stmt* version = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &version, nullptr);
    ASSERT_EQ(sqlite3_step(version), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(version, 0), HistoryStore::schemaVersion);
    sqlite3_finalize(version);
    sqlite3_close(db);
}

TEST_F(HistoryStoreTest, UnusableFilesAreLeftAlone) {
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;
        QString reason;
    };
    const QString damaged = QStringLiteral("このゲームの戦績ファイルではないか、壊れています");
    const Case cases[] = {
        {"text", [](const QString& p) { writeBytes(p, "終了日時,キャラ\n"); }, damaged},
        {"short header", [](const QString& p) { writeBytes(p, "SQLite format"); }, damaged},
        {"another program's database",
         [](const QString& p) {
             runSql(p, "CREATE TABLE scores(x); INSERT INTO scores VALUES(1)");
         },
         QStringLiteral("ほかのプログラムのデータベースです")},
        {"damaged pages",
         [](const QString& p) {
             {
                 HistoryStore store(QFile::encodeName(p));
                 store.append(sampleMatch(1));
             }
             QByteArray bytes = bytesOf(p);
             bytes.replace(4096, 4096, QByteArray(4096, '\xA5')); // the matches table's page
             writeBytes(p, bytes);
         },
         damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        c.make(path);
        const QByteArray before = bytesOf(path);
        HistoryStore store(native);
        FileResult read;
        store.matches(HistoryStore::Detail::Figures, &read);
        const FileResult written = store.append(sampleMatch(2));
        EXPECT_FALSE(read.ok);
        EXPECT_FALSE(written.ok);
        EXPECT_TRUE(read.message.contains(path));
        EXPECT_TRUE(read.message.contains(c.reason)) << read.message.toStdString();
        EXPECT_EQ(store.state(), HistoryStore::State::Unusable);
        EXPECT_EQ(bytesOf(path), before);
    }
}

// The history and its companions go through the game's one regular-file check (tested with
// every kind of file in file_layer_test) before SQLite opens them: a link at the history's
// name is refused, and nothing is written through it.
TEST_F(HistoryStoreTest, OnlyARegularFileIsOpened) {
    const QString target = dir.filePath(QStringLiteral("elsewhere"));
    writeBytes(target, "not to be touched");
    ASSERT_EQ(::symlink(QFile::encodeName(target), native), 0);
    {
        HistoryStore store(native);
        const FileResult result = store.append(sampleMatch(1));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.startsWith(
            QStringLiteral("戦績ファイル「") + path +
            QStringLiteral("」を開けませんでした。\n理由：通常のファイルではなく、"
                           "シンボリックリンクです\n")))
            << result.message.toStdString();
        EXPECT_EQ(bytesOf(target), QByteArray("not to be touched"));
    }

    // The same at the names of SQLite's log, index and journal beside a good history: the
    // history is refused with both names, and neither it nor the link's target is touched.
    ::unlink(native);
    {
        HistoryStore store(native);
        ASSERT_TRUE(store.append(sampleMatch(1)).ok);
    }
    const QByteArray before = bytesOf(path);
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        SCOPED_TRACE(suffix);
        const QByteArray companion = native + suffix;
        ASSERT_EQ(::symlink(QFile::encodeName(target), companion), 0);
        HistoryStore store(native);
        const FileResult result = store.append(sampleMatch(2));
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(QFile::decodeName(companion)));
        EXPECT_TRUE(result.message.contains(QStringLiteral("シンボリックリンク")));
        EXPECT_EQ(bytesOf(target), QByteArray("not to be touched"));
        EXPECT_EQ(bytesOf(path), before);
        ::unlink(companion);
    }
}

// SQLite's own file layer with one change a test can arm: just before the next history file
// is opened, another file is renamed into its place, as a hostile program might do between
// the game's look at the name and SQLite's opening of it.
sqlite3_vfs* systemFiles = nullptr;
QByteArray swapInFrom;

int openAfterSwap(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    if (!swapInFrom.isEmpty() && (flags & SQLITE_OPEN_MAIN_DB)) {
        ::rename(swapInFrom.constData(), name);
        swapInFrom.clear();
    }
    return systemFiles->xOpen(systemFiles, name, file, flags, outFlags);
}

// A file put in the history's place while it is being opened is noticed; nothing is written
// to it.
TEST_F(HistoryStoreTest, FileSwappedWhileOpeningIsRefused) {
    {
        HistoryStore store(native);
        ASSERT_TRUE(store.append(sampleMatch(1)).ok);
    }
    const QString other = dir.filePath(QStringLiteral("other.sqlite"));
    runSql(other, "CREATE TABLE notes(text)");
    const QByteArray otherBytes = bytesOf(other);

    systemFiles = sqlite3_vfs_find(nullptr);
    sqlite3_vfs swapping = *systemFiles;
    swapping.zName = "rz6-swap-on-open";
    swapping.xOpen = openAfterSwap;
    ASSERT_EQ(sqlite3_vfs_register(&swapping, 1), SQLITE_OK);
    swapInFrom = QFile::encodeName(other);
    HistoryStore store(native);
    const FileResult result = store.append(sampleMatch(2));
    sqlite3_vfs_register(systemFiles, 1);
    sqlite3_vfs_unregister(&swapping);

    EXPECT_TRUE(swapInFrom.isEmpty()); // the swap happened
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(QStringLiteral("置き換えられました")))
        << result.message.toStdString();
    EXPECT_EQ(bytesOf(path), otherBytes);
}

// A history another program holds is tried again at each match: the first match that cannot
// go in says why and what it means, the next one is quiet, and once the file is free the
// matches go in again and 戦績 reads them all.
TEST_F(HistoryStoreTest, BusyHistoryRecoversAndIsReportedOnce) {
    HistoryStore store(native);
    ASSERT_TRUE(store.append(sampleMatch(1)).ok);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(native.constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const FileResult first = store.append(sampleMatch(2));
    EXPECT_FALSE(first.ok);
    EXPECT_TRUE(first.message.contains(QStringLiteral("ほかのプログラムが使用中です")));
    EXPECT_TRUE(first.message.contains(QStringLiteral("この試合は戦績に残りません")));
    const FileResult second = store.append(sampleMatch(3));
    EXPECT_FALSE(second.ok);
    EXPECT_EQ(second.message, QString());
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(store.append(sampleMatch(4)).ok);
    FileResult read;
    EXPECT_EQ(store.matches(HistoryStore::Detail::Whole, &read),
              (std::vector<HistoryMatch>{sampleMatch(1), sampleMatch(4)}));
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(store.problem(), QString());
}

// An opening that fails for want of space (a file-size limit of zero stands in for a full
// disk) takes back every file it made, a new history and SQLite's log and index beside an
// old one, and leaves the old history byte for byte.
TEST_F(HistoryStoreTest, FailedOpeningLeavesNoFilesBehind) {
    const auto openWithoutSpace = [this] {
        struct rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit none = old;
        none.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &none);
        HistoryStore store(native);
        const FileResult result = store.append(sampleMatch(2));
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        return result;
    };
    const auto files = [this] {
        return QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    };
    EXPECT_FALSE(openWithoutSpace().ok);
    EXPECT_EQ(files(), QStringList());

    {
        HistoryStore store(native);
        ASSERT_TRUE(store.append(sampleMatch(1)).ok);
    }
    const QByteArray before = bytesOf(path);
    ASSERT_EQ(files(), QStringList{QStringLiteral("rz6-history.sqlite")});
    EXPECT_FALSE(openWithoutSpace().ok);
    EXPECT_EQ(files(), QStringList{QStringLiteral("rz6-history.sqlite")});
    EXPECT_EQ(bytesOf(path), before);
}

// The CSV holds a header and one row per match, UTF-8 with ISO dates at each match's own offset.
TEST_F(HistoryStoreTest, CsvRowsAndRefusals) {
    HistoryMatch m = sampleMatch(1);
    m.techniques = {{8, 2}};
    const QString csv = QString::fromUtf8(historyCsv({m, sampleMatch(2)}));
    const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("終了日時,キャラ,評価点,技術点,総合評価,段位")));
    EXPECT_EQ(lines[1].toStdString(),
              "2026-05-29T05:27:40.000+09:00,灰原　雪菜,930,300,1230,剣神,4,"
              "11,3,5,6,7,落腕撃×2,18364758544493064721,"
              "7:120 4:300 1:455 0:610 Enter:9001");

    const QByteArray out = QFile::encodeName(dir.filePath(QStringLiteral("戦績.csv")));
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeHistoryCsv(csv.toUtf8(), out, {}).ok);
    ::umask(mask);
    EXPECT_EQ(QString::fromUtf8(bytesOf(QFile::decodeName(out))), csv);
    struct stat written {};
    ASSERT_EQ(::stat(out.constData(), &written), 0);
    EXPECT_EQ(written.st_mode & 07777, 0644u); // as any file the player makes, not private

    // The record, reached by its name or through a link, and the history's companions, there
    // or not yet, by any spelling of their folder, are never written.
    const QByteArray record = QFile::encodeName(dir.filePath(QStringLiteral("rz6.DAT")));
    writeBytes(QFile::decodeName(record), QByteArray(180, '\1'));
    const QByteArray link = QFile::encodeName(dir.filePath(QStringLiteral("link.csv")));
    ASSERT_EQ(::symlink(record, link), 0);
    const QByteArray folderLink = QFile::encodeName(dir.filePath(QStringLiteral("again")));
    ASSERT_EQ(::symlink(QFile::encodeName(dir.path()), folderLink), 0);
    const QList<QByteArray> kept = HistoryStore::files(native) + QList<QByteArray>{record};
    for (const QByteArray& target :
         {record, link, native + "-wal", folderLink + "/rz6-history.sqlite-shm",
          folderLink + "/../" + QFile::encodeName(QFileInfo(dir.path()).fileName()) +
              "/rz6-history.sqlite-journal"}) {
        SCOPED_TRACE(target.toStdString());
        const FileResult refused = writeHistoryCsv(csv.toUtf8(), target, kept);
        EXPECT_FALSE(refused.ok);
        EXPECT_TRUE(refused.message.contains(QStringLiteral("記録ファイル")));
    }
    EXPECT_EQ(bytesOf(QFile::decodeName(record)), QByteArray(180, '\1'));
    for (const QByteArray& companion : HistoryStore::files(native))
        EXPECT_FALSE(QFile::exists(QFile::decodeName(companion))) << companion.toStdString();

    // Nor is any other file through a link: the CSV goes through the game's one regular-file
    // check.
    const QString outside = dir.filePath(QStringLiteral("outside.txt"));
    writeBytes(outside, "kept");
    const QString outsideLink = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_EQ(::symlink(QFile::encodeName(outside), QFile::encodeName(outsideLink)), 0);
    EXPECT_EQ(writeHistoryCsv(csv.toUtf8(), QFile::encodeName(outsideLink), kept).message,
              QStringLiteral("CSVファイル「") + outsideLink +
                  QStringLiteral("」に書き出せませんでした。\n理由：通常のファイルではなく、"
                                 "シンボリックリンクです"));
    EXPECT_EQ(bytesOf(outside), QByteArray("kept"));
}

} // namespace
} // namespace rz6
