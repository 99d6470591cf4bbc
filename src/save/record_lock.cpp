// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/record_lock.h"

#include "common/app_info.h"
#include "save/file_layer.h"
#include "save/system_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>

#include <cerrno>
#include <climits>
#include <optional>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace rz6 {

namespace {

// A lock's text may name a process, the program and a host; more is never read.
constexpr qsizetype maxLockText = 4096;

// What the lock says; empty when it cannot be read.
QByteArray readText(int fd) {
    QByteArray text(maxLockText, Qt::Uninitialized);
    std::size_t got = 0;
    if (::lseek(fd, 0, SEEK_SET) != 0 || !readUpTo(fd, text.data(), std::size_t(maxLockText), got))
        got = 0;
    text.truncate(qsizetype(got));
    return text;
}

bool writeText(int fd, const QByteArray& text) {
    return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 &&
           writeAll(fd, text.constData(), std::size_t(text.size()));
}

// The host a lock was written on, or empty when its text is not a lock's.
QByteArray hostOf(const QByteArray& text) {
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 3)
        return {};
    bool isNumber = false;
    lines[0].toLong(&isNumber);
    return isNumber ? lines[2].trimmed() : QByteArray();
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

RecordLock::RecordLock(QByteArray nativePath) : nativePath_(std::move(nativePath)) {}

RecordLock::~RecordLock() {
    unlock();
}

QByteArray RecordLock::contents(long processId, const QByteArray& hostName) {
    return QByteArray::number(processId) + '\n' + appInfo::applicationName + '\n' + hostName + '\n';
}

QByteArray RecordLock::thisHostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return QByteArray(name);
}

RecordLock::Result RecordLock::unusable(int error) const {
    return unusable(reasonText(error));
}

RecordLock::Result RecordLock::unusable(const QString& reason) const {
    return {Outcome::Unusable,
            QCoreApplication::translate("rz6::RecordLock",
                                        "ロックファイル「%1」を使えません。\n理由：%2")
                .arg(QFile::decodeName(nativePath_), reason)};
}

RecordLock::Result RecordLock::lock(TextSync sync) {
    unlock();
    if (!holdFolder())
        return {Outcome::RunningHere,
                QCoreApplication::translate("rz6::RecordLock", "既に起動されています。")};
    Result result = lockFile(sync);
    if (result.locked())
        heldOnce_ = true;
    else
        unlock();
    return result;
}

// Holds the folder the lock lies in. False only when another copy holds it; a folder that
// cannot be held (missing, or on a file system without such locks) leaves the lock file
// alone to decide.
bool RecordLock::holdFolder() {
    FileDescriptor fd(
        ::open(folderOf(nativePath_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return true;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;
    folderFd_ = std::move(fd);
    return true;
}

// Whether the folder at the lock's place is the one held and the lock file there is ours.
// Without a held folder, only the lock file counts.
bool RecordLock::stillHeld() const {
    struct stat held {};
    struct stat named {};
    if (folderFd_.valid())
        return ::fstat(folderFd_.get(), &held) == 0 &&
               ::stat(folderOf(nativePath_).constData(), &named) == 0 && sameFile(held, named);
    return ::fstat(fd_.get(), &held) == 0 && ::lstat(nativePath_.constData(), &named) == 0 &&
           sameFile(held, named);
}

RecordLock::Result RecordLock::confirm() {
    if (!heldOnce_ || (fd_.valid() && stillHeld()))
        return {};
    // The place was lost: its folder deleted (and perhaps made again), or, without a held
    // folder, the lock file replaced. Taken again unless another copy has it now.
    if (const int error = makeFolders(folderOf(nativePath_)))
        return unusable(error);
    Result result = lock();
    if (result.outcome == Outcome::RunningHere)
        result.message = QCoreApplication::translate(
            "rz6::RecordLock", "既に起動されている別のコピーが記録を使っているため、"
                               "記録を保存しませんでした。");
    return result;
}

RecordLock::Result RecordLock::lockFile(TextSync sync) {
    // A few rounds at most: each one only repeats when another start or end changed the
    // file between two steps.
    for (int round = 0; round < 8; ++round) {
        RegularFile found = regularFile(nativePath_, FileAccess::ReadWrite);
        if (found.problem.missing()) {
            FileDescriptor fd(::open(nativePath_.constData(),
                                     O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
            if (!fd.valid()) {
                if (errno == EEXIST)
                    continue;
                return unusable(errno);
            }
            return takeOpened(std::move(fd), sync);
        }
        if (!found.ok())
            return unusable(found.problem.reason());
        FileDescriptor fd = std::move(found.fd);
        const QByteArray host = hostOf(readText(fd.get()));
        if (!host.isEmpty() && host != thisHostName()) {
            return {Outcome::RunningElsewhere,
                    QCoreApplication::translate(
                        "rz6::RecordLock",
                        "既に起動されています。\n別のコンピュータ「%1」が記録を使用中"
                        "です（ロックファイル「%2」）。")
                        .arg(QString::fromUtf8(host), QFile::decodeName(nativePath_))};
        }
        if (std::optional<Result> refused = holdOrRefuse(fd.get()))
            return *refused;
        // Nobody holds it: left behind by a copy that has ended. It is ours if it is still
        // the file at the lock's name (an ending copy may just have removed it).
        if (!FileIdentity::of(found.info).isAt(nativePath_))
            continue;
        return takeOpened(std::move(fd), sync);
    }
    return unusable(EBUSY);
}

// Holds the opened lock file for this copy; when another copy holds it (or it cannot be
// held), says why. Holding it again is harmless.
std::optional<RecordLock::Result> RecordLock::holdOrRefuse(int fd) const {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return std::nullopt;
    const int error = errno;
    if (error == EWOULDBLOCK)
        return Result{Outcome::RunningHere,
                      QCoreApplication::translate("rz6::RecordLock", "既に起動されています。")};
    return unusable(error);
}

// Holds the opened lock file and writes this copy's name into it.
RecordLock::Result RecordLock::takeOpened(FileDescriptor fd, TextSync sync) {
    if (std::optional<Result> refused = holdOrRefuse(fd.get()))
        return *refused;
    if (!writeText(fd.get(), contents(long(::getpid()), thisHostName())) ||
        (sync == TextSync::Now && !syncToDisk(fd.get()))) {
        const int error = errno;
        // A lock that cannot say who holds it is not left behind half-written.
        ::unlink(nativePath_.constData());
        return unusable(error);
    }
    fd_ = std::move(fd);
    textUnsynced_ = sync == TextSync::Later;
    return {};
}

void RecordLock::syncText() {
    // A sync that fails here leaves a lock that still holds the record (its flock does) and
    // that this computer reads; only its text may be lost in a crash, which the next start
    // takes over all the same.
    if (std::exchange(textUnsynced_, false) && fd_.valid())
        syncToDisk(fd_.get());
}

void RecordLock::unlock() {
    textUnsynced_ = false;
    folderFd_.close();
    if (!fd_.valid())
        return;
    struct stat mine {};
    struct stat named {};
    if (::fstat(fd_.get(), &mine) == 0 && ::lstat(nativePath_.constData(), &named) == 0 &&
        sameFile(mine, named))
        ::unlink(nativePath_.constData());
    fd_.close();
}

} // namespace rz6
