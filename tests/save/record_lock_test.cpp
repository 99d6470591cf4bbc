// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// One copy of the game per record: a lock nobody holds is taken over, a held one refuses the
// start, and anything but a regular file at the lock's name refuses it without being touched.
#include "save/record_lock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rz6 {
namespace {

QByteArray readAll(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QByteArray& path, const QByteArray& bytes) {
    QFile file(QFile::decodeName(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The number of a process that has certainly ended: a child that exited and was reaped.
long endedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return long(child);
}

TEST(RecordLockTest, EachStateOfTheLockFileGivesItsOutcome) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray path = folder + "/rz6.lock";
    const QByteArray victim = folder + "/victim";
    const QByteArray victimBytes = "not a lock\n";
    const QByteArray ours = RecordLock::contents(long(::getpid()), RecordLock::thisHostName());
    using Outcome = RecordLock::Outcome;

    struct Case {
        const char* what;
        std::function<void()> make;
        Outcome outcome;
        const char* inMessage; // empty: no message
    };
    const Case cases[] = {
        {"no lock", [] {}, Outcome::Locked, ""},
        {"empty lock", [&] { writeFile(path, ""); }, Outcome::Locked, ""},
        {"garbage", [&] { writeFile(path, "\x01\x02garbage"); }, Outcome::Locked, ""},
        {"ended process here",
         [&] { writeFile(path, RecordLock::contents(endedProcess(), RecordLock::thisHostName())); },
         Outcome::Locked, ""},
        {"other host", [&] { writeFile(path, "4242\nrz6\nfar-away-host\n"); },
         Outcome::RunningElsewhere, "far-away-host"},
        // Two lines are not a lock's text: no host is read from them, the file is taken over.
        {"two lines", [&] { writeFile(path, "4242\nfar-away-host\n"); }, Outcome::Locked, ""},
        // The lock goes through the game's one regular-file check (tested with every kind of
        // file in file_layer_test).
        {"link to a file", [&] { ::symlink(victim.constData(), path.constData()); },
         Outcome::Unusable, "シンボリックリンク"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(victim, victimBytes);
        c.make();
        {
            RecordLock lock(path);
            const RecordLock::Result result = lock.lock();
            EXPECT_EQ(result.outcome, c.outcome) << result.message.toStdString();
            if (*c.inMessage) {
                EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.inMessage)))
                    << result.message.toStdString();
            }
            if (c.outcome == Outcome::Unusable) {
                EXPECT_TRUE(result.message.contains(QFile::decodeName(path)));
            }
            if (result.locked()) {
                EXPECT_EQ(readAll(path), ours);
                // A second copy finds it held.
                RecordLock second(path);
                const RecordLock::Result refused = second.lock();
                EXPECT_EQ(refused.outcome, Outcome::RunningHere);
                EXPECT_EQ(refused.message, QStringLiteral("既に起動されています。"));
            }
        }
        if (c.outcome == Outcome::Locked) {
            struct stat gone {};
            EXPECT_NE(::lstat(path.constData(), &gone), 0) << "the lock is removed at the end";
        }
        EXPECT_EQ(readAll(victim), victimBytes);
        ::unlink(path.constData());
    }
}

// One copy per record whatever becomes of the lock file: deleted, renamed or replaced while
// the first copy runs, a second start is still refused; and a copy whose folder was deleted
// and made again by another copy does not save over that copy's record.
TEST(RecordLockTest, SecondCopyRefusedWhateverHappensToTheLockFile) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.filePath(QStringLiteral("data")));
    const QByteArray path = folder + "/rz6.lock";
    using Outcome = RecordLock::Outcome;
    const std::function<void()> losses[] = {
        [&] { ::unlink(path.constData()); },
        [&] { ::rename(path.constData(), (folder + "/moved").constData()); },
        [&] {
            ::unlink(path.constData());
            writeFile(path, RecordLock::contents(endedProcess(), RecordLock::thisHostName()));
        },
    };
    for (const auto& lose : losses) {
        ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
        RecordLock first(path);
        ASSERT_TRUE(first.lock().locked());
        lose();
        RecordLock second(path);
        EXPECT_EQ(second.lock().outcome, Outcome::RunningHere);
        EXPECT_TRUE(first.confirm().locked()) << "the first copy still holds the place";
        first.unlock();
        QDir(QFile::decodeName(folder)).removeRecursively();
    }

    // The folder deleted: the running copy makes it again (as the start does) and holds it.
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    RecordLock first(path);
    ASSERT_TRUE(first.lock().locked());
    QDir(QFile::decodeName(folder)).removeRecursively();
    EXPECT_TRUE(first.confirm().locked());
    struct stat made {};
    ASSERT_EQ(::stat(folder.constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0700u);
    EXPECT_EQ(RecordLock(path).lock().outcome, Outcome::RunningHere);

    // Deleted again, and another copy started in the new folder first: no save for this one.
    QDir(QFile::decodeName(folder)).removeRecursively();
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    RecordLock other(path);
    ASSERT_TRUE(other.lock().locked());
    const RecordLock::Result lost = first.confirm();
    EXPECT_EQ(lost.outcome, Outcome::RunningHere);
    EXPECT_TRUE(lost.message.contains(QStringLiteral("保存しませんでした")))
        << lost.message.toStdString();
    EXPECT_TRUE(other.confirm().locked());
}

// The start takes its lock with the sync left for after the first frame: the lock holds and
// says who holds it from the moment it is taken, and syncing it later changes neither.
TEST(RecordLockTest, LockWhoseSyncWaitsHoldsAndNamesItsHolderAtOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("rz6.lock")));
    RecordLock first(path);
    ASSERT_TRUE(first.lock(RecordLock::TextSync::Later).locked());
    const QByteArray ours = RecordLock::contents(long(::getpid()), RecordLock::thisHostName());
    EXPECT_EQ(readAll(path), ours);
    RecordLock second(path);
    EXPECT_EQ(second.lock().outcome, RecordLock::Outcome::RunningHere);
    first.syncText();
    first.syncText();
    EXPECT_EQ(readAll(path), ours);
    EXPECT_TRUE(first.confirm().locked());
}

// A lock that cannot be made says where and why.
TEST(RecordLockTest, LockThatCannotBeWrittenNamesTheFileAndTheReason) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("missing/rz6.lock")));
    RecordLock lock(path);
    const RecordLock::Result result = lock.lock();
    EXPECT_EQ(result.outcome, RecordLock::Outcome::Unusable);
    EXPECT_EQ(result.message,
              QStringLiteral("ロックファイル「%1」を使えません。\n理由：ファイルまた"
                             "はフォルダがありません")
                  .arg(QFile::decodeName(path)));
}

} // namespace
} // namespace rz6
