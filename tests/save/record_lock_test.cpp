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
        {"folder", [&] { ::mkdir(path.constData(), 0700); }, Outcome::Unusable, "フォルダ"},
        {"link to a file", [&] { ::symlink(victim.constData(), path.constData()); },
         Outcome::Unusable, "シンボリックリンク"},
        {"dangling link", [&] { ::symlink("nowhere", path.constData()); }, Outcome::Unusable,
         "シンボリックリンク"},
        {"named pipe", [&] { ::mkfifo(path.constData(), 0600); }, Outcome::Unusable,
         "名前付きパイプ"},
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
            if (c.outcome == Outcome::Unusable)
                EXPECT_TRUE(result.message.contains(QFile::decodeName(path)));
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
        ::rmdir(path.constData());
    }
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
