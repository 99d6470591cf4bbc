// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/record_file.h"

#include "common/saturating_add.h"
#include "save/record_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QCryptographicHash>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace rz6 {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray recordBytes(const RecordTable& table) {
    const RecordBytes bytes = encodeRecord(table);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// Bytes from a seeded generator: the same on every run.
QByteArray noise(qsizetype size, unsigned seed) {
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

RecordTable sampleTable() {
    RecordTable table{};
    for (int i = 0; i < recordTableSize; ++i)
        table[i] = i * 1001 - 7000;
    table[0] = INT32_MAX;
    table[44] = INT32_MIN;
    return table;
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

class RecordFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("rz6.DAT"));
};

TEST_F(RecordFileTest, MissingFileIsCreatedEmptyAndFirstSaveWrites180Bytes) {
    RecordFile file(QFile::encodeName(path));
    RecordTable table{};
    ASSERT_TRUE(file.load(table).ok);
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(table, RecordTable{});

    ASSERT_TRUE(file.save(table).ok);
    EXPECT_EQ(readAll(path), QByteArray(180, '\0'));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("rz6.DAT")}); // no leftovers
}

// The record's folder deleted while the game ran: the save makes it again, readable by the
// player alone as the first start makes it, and writes the whole record there.
TEST_F(RecordFileTest, SaveMakesADeletedFolderAgain) {
    const QString folder = dir.filePath(QStringLiteral("data/rz6"));
    ASSERT_TRUE(QDir().mkpath(folder));
    RecordFile file(QFile::encodeName(folder + QStringLiteral("/rz6.DAT")));
    RecordTable table{};
    ASSERT_TRUE(file.load(table).ok);
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("data"))).removeRecursively());

    ASSERT_TRUE(file.save(sampleTable()).ok);
    EXPECT_EQ(readAll(folder + QStringLiteral("/rz6.DAT")), recordBytes(sampleTable()));
    struct stat made {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0700u);
}

// What killed saves left beside the record goes at the next start: regular files named like
// a save's new file, and nothing else (a link among them goes, its target stays).
TEST_F(RecordFileTest, UnfinishedSavesAreRemovedAndNothingElse) {
    const QString outside = dir.filePath(QStringLiteral("outside"));
    writeFile(outside, "kept");
    for (const char* name : {"rz6.DAT.Ab3xZ9", "rz6.DAT.000000", "rz6.DAT.abcde", "rz6.DAT.abcdefg",
                             "rz6.DAT.ab-d_f", "rz6.DATXabcdef", "other.DAT.abcdef", "rz6.DAT"})
        writeFile(dir.filePath(QString::fromLatin1(name)), "x");
    ASSERT_EQ(
        ::symlink(QFile::encodeName(outside), QFile::encodeName(dir.filePath("rz6.DAT.link12"))),
        0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("rz6.DAT.folder")));
    EXPECT_EQ(removeUnfinishedSaves(QFile::encodeName(path)), 2);
    EXPECT_EQ(
        entriesOf(dir.path()),
        (QStringList{"other.DAT.abcdef", "outside", "rz6.DAT", "rz6.DAT.ab-d_f", "rz6.DAT.abcde",
                     "rz6.DAT.abcdefg", "rz6.DAT.folder", "rz6.DAT.link12", "rz6.DATXabcdef"}));
    EXPECT_EQ(readAll(outside), QByteArray("kept"));
}

TEST_F(RecordFileTest, ShortFilesFillOnlyWhatTheyHold) {
    RecordFile file(QFile::encodeName(path));
    writeFile(path, {});
    RecordTable table{};
    table[3] = 42;
    const FileResult empty = file.load(table);
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.message.isEmpty());
    EXPECT_EQ(table[3], 42);

    writeFile(path, recordBytes(sampleTable()).left(20));
    table = {};
    ASSERT_TRUE(file.load(table).ok);
    for (int i = 0; i < recordTableSize; ++i)
        EXPECT_EQ(table[i], i < bestTotalCount ? sampleTable()[i] : 0) << i;
}

// Bytes past the record belong to nobody in the game, but they are the player's: a save
// rewrites the first 180 and keeps the rest exactly, however much there is.
TEST_F(RecordFileTest, SaveKeepsEveryByteAfterTheRecord) {
    for (const qsizetype size : {qsizetype(300), qsizetype(1024 * 1024)}) {
        const QByteArray original = noise(size, 7u + unsigned(size));
        writeFile(path, original);
        RecordFile file(QFile::encodeName(path));
        RecordTable table{};
        ASSERT_TRUE(file.load(table).ok);
        RecordTable expected{};
        decodeRecord(std::as_bytes(std::span(original.constData(), 180)), expected);
        EXPECT_EQ(table, expected);

        table[5 + 8] = saturatingAdd(table[5 + 8], 1);
        ASSERT_TRUE(file.save(table).ok);
        const QByteArray saved = readAll(path);
        ASSERT_EQ(saved.size(), size);
        EXPECT_EQ(saved.left(180), recordBytes(table));
        EXPECT_TRUE(saved.mid(180) == original.mid(180)) << "tail changed at size " << size;
    }
}

TEST_F(RecordFileTest, LoadThenSaveUnchangedGivesTheSameBytes) {
    const QByteArray original = recordBytes(sampleTable()) + noise(20, 3);
    writeFile(path, original);
    RecordFile file(QFile::encodeName(path));
    RecordTable table{};
    ASSERT_TRUE(file.load(table).ok);
    EXPECT_EQ(table, sampleTable());
    ASSERT_TRUE(file.save(table).ok);
    EXPECT_EQ(readAll(path), original);
}

TEST_F(RecordFileTest, SaveKeepsThePermissionsOfTheOldFile) {
    writeFile(path, QByteArray(180, '\0'));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    RecordFile file(QFile::encodeName(path));
    RecordTable table{};
    ASSERT_TRUE(file.load(table).ok);
    ASSERT_TRUE(file.save(sampleTable()).ok);
    // Owner, group and others; the "user" flags only repeat the owner's for whoever runs this.
    const auto ownerGroupOthers = QFile::Permissions::fromInt(0x7077);
    EXPECT_EQ(QFileInfo(path).permissions() & ownerGroupOthers, permissions);
}

// A folder in the file's place: the record cannot be read, the player is told which file and
// why, and no save may replace it, even once it has become readable again, until a load
// succeeds.
TEST_F(RecordFileTest, UnreadableRecordIsReportedAndNeverOverwritten) {
    ASSERT_TRUE(QDir().mkdir(path));
    RecordFile file(QFile::encodeName(path));
    RecordTable table{};
    table[1] = 5;
    const FileResult loaded = file.load(table);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.message,
              QStringLiteral("記録ファイル「") + path +
                  QStringLiteral("」を読み込めませんでした。\n理由：通常のファイルではなく、"
                                 "フォルダです"));
    EXPECT_TRUE(file.lastLoadFailed());
    EXPECT_EQ(table[1], 5);

    const FileResult refused = file.save(table);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.message.contains(path));
    EXPECT_TRUE(refused.message.contains(QStringLiteral("上書きしませんでした")));
    EXPECT_TRUE(QFileInfo(path).isDir());

    // The fault passes: the record is back, but this run never read it.
    ASSERT_TRUE(QDir().rmdir(path));
    const QByteArray history = recordBytes(sampleTable());
    writeFile(path, history);
    EXPECT_FALSE(file.save(RecordTable{}).ok);
    EXPECT_EQ(readAll(path), history);

    ASSERT_TRUE(file.load(table).ok);
    EXPECT_FALSE(file.lastLoadFailed());
    EXPECT_EQ(table, sampleTable());
    EXPECT_TRUE(file.save(table).ok);
}

// A record that cannot even be created: both steps fail with the file's name, none claims
// success. Nothing was read, so there is no history to protect, and the save still tries.
TEST_F(RecordFileTest, PathThatCannotBeCreatedFailsBothWays) {
    const QString notAFolder = dir.filePath(QStringLiteral("plain"));
    writeFile(notAFolder, "x");
    const QString inside = notAFolder + QStringLiteral("/rz6.DAT");
    RecordFile file(QFile::encodeName(inside));
    RecordTable table{};
    const FileResult loaded = file.load(table);
    EXPECT_FALSE(loaded.ok);
    EXPECT_TRUE(loaded.message.contains(inside));

    const FileResult saved = file.save(sampleTable());
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.message.startsWith(QStringLiteral("記録ファイル「") + inside +
                                         QStringLiteral("」に書き込めませんでした。\n理由：")));
    EXPECT_EQ(readAll(notAFolder), QByteArray("x"));
}

// The record goes through the game's one regular-file check (tested with every kind of file
// in file_layer_test): a link at the record's name is neither read nor written through nor
// replaced, and the player is told which file and what it is.
TEST_F(RecordFileTest, LinkAtTheRecordsNameIsRefusedAndLeftAlone) {
    const QString victim = dir.filePath(QStringLiteral("victim"));
    const QByteArray victimBytes = recordBytes(sampleTable());
    writeFile(victim, victimBytes);
    const QByteArray target = QFile::encodeName(path);
    ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), target.constData()), 0);
    RecordFile file(target);
    RecordTable table{};
    const FileResult loaded = file.load(table);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.message, QStringLiteral("記録ファイル「") + path +
                                  QStringLiteral("」を読み込めませんでした。\n理由：通常の"
                                                 "ファイルではなく、シンボリックリンクです"));
    EXPECT_EQ(table, RecordTable{});

    RecordFile fresh(target); // a save without a failed load is refused just the same
    const FileResult saved = fresh.save(sampleTable());
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.message.contains(QStringLiteral("シンボリックリンク")));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(readAll(victim), victimBytes);
    EXPECT_EQ(entriesOf(dir.path()),
              (QStringList{QStringLiteral("rz6.DAT"), QStringLiteral("victim")}))
        << "no new file left behind";
}

// A replaced record keeps its owner, group and permissions exactly: a read-only record stays
// read-only, and a save as root leaves the player's record the player's.
TEST_F(RecordFileTest, ReplacedRecordKeepsOwnerGroupAndMode) {
    const QByteArray target = QFile::encodeName(path);
    writeFile(path, recordBytes(RecordTable{}));
    ASSERT_EQ(::chmod(target.constData(), 0444), 0);
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown(target.constData(), 1234, 5678), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(target.constData(), &before), 0);

    RecordFile file(QFile::encodeName(path));
    RecordTable table{};
    ASSERT_TRUE(file.load(table).ok);
    ASSERT_TRUE(file.save(sampleTable()).ok);
    struct stat after {};
    ASSERT_EQ(::stat(target.constData(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(readAll(path), recordBytes(sampleTable()));
}

// Mounts for the tests below; they need the right to mount and are skipped without it.
class Mount {
public:
    bool bindReadOnly(const QString& source, const QString& target) {
        const QByteArray from = QFile::encodeName(source), to = QFile::encodeName(target);
        if (::mount(from.constData(), to.constData(), nullptr, MS_BIND, nullptr) != 0)
            return false;
        target_ = to;
        return ::mount(nullptr, to.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                       nullptr) == 0;
    }
    bool tmpfs(const QString& target, const char* options) {
        const QByteArray to = QFile::encodeName(target);
        if (::mount("tmpfs", to.constData(), "tmpfs", 0, options) != 0)
            return false;
        target_ = to;
        return true;
    }
    ~Mount() {
        if (!target_.isEmpty())
            ::umount2(target_.constData(), MNT_DETACH);
    }

private:
    QByteArray target_;
};

TEST_F(RecordFileTest, ReadOnlyFolderFailsTheSaveAndKeepsTheRecord) {
    const QString real = dir.filePath(QStringLiteral("real"));
    const QString seen = dir.filePath(QStringLiteral("seen"));
    ASSERT_TRUE(QDir().mkdir(real) && QDir().mkdir(seen));
    const QByteArray history = recordBytes(sampleTable()) + noise(40, 11);
    writeFile(real + QStringLiteral("/rz6.DAT"), history);
    Mount mount;
    if (!mount.bindReadOnly(real, seen))
        GTEST_SKIP() << "no right to mount here";

    RecordFile file(QFile::encodeName(seen + QStringLiteral("/rz6.DAT")));
    RecordTable table{};
    ASSERT_TRUE(file.load(table).ok);
    EXPECT_EQ(table, sampleTable());
    const FileResult saved = file.save(RecordTable{});
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.message.contains(QStringLiteral("書き込めませんでした")));
    EXPECT_EQ(readAll(real + QStringLiteral("/rz6.DAT")), history);

    // A missing record in a read-only folder cannot be created.
    RecordFile missing(QFile::encodeName(seen + QStringLiteral("/other.DAT")));
    EXPECT_FALSE(missing.load(table).ok);
}

// A full disk makes the new file incomplete: the save says so and the old record stays whole.
TEST_F(RecordFileTest, FullDiskFailsTheSaveAndKeepsTheRecord) {
    const QString small = dir.filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkdir(small));
    Mount mount;
    if (!mount.tmpfs(small, "size=64k"))
        GTEST_SKIP() << "no right to mount here";
    const QString recordPath = small + QStringLiteral("/rz6.DAT");
    const QByteArray history = recordBytes(sampleTable()) + noise(5000, 5);
    writeFile(recordPath, history);
    RecordFile file(QFile::encodeName(recordPath));
    RecordTable table{};
    ASSERT_TRUE(file.load(table).ok);

    QFile filler(small + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();

    table[0] = 1;
    const FileResult saved = file.save(table);
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.message.contains(recordPath));
    EXPECT_EQ(readAll(recordPath), history);
    EXPECT_EQ(entriesOf(small), (QStringList{QStringLiteral("filler"), QStringLiteral("rz6.DAT")}));
}

} // namespace
} // namespace rz6
