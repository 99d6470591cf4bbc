// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/record_file.h"

#include "save/record_codec.h"
#include "save/system_text.h"
#include "save/file_layer.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace rz6 {

namespace {

// Bytes after the record are copied to the new file in pieces of this size, so even a huge
// file never has to be held in memory.
constexpr std::size_t copyChunk = 64 * 1024;

RecordFileResult loadFailure(const QString& path, const QString& reason) {
    return {false, QCoreApplication::translate(
                       "rz6::RecordFile", "記録ファイル「%1」を読み込めませんでした。\n理由：%2")
                       .arg(path, reason)};
}

RecordFileResult saveFailure(const QString& path, const QString& reason) {
    return {false, QCoreApplication::translate(
                       "rz6::RecordFile", "記録ファイル「%1」に書き込めませんでした。\n理由：%2")
                       .arg(path, reason)};
}

// Copies everything after the record in the old file to the end of the new one.
bool copyTail(int old, int out) {
    if (::lseek(old, off_t(recordByteSize), SEEK_SET) < 0)
        return false;
    QByteArray chunk(qsizetype(copyChunk), Qt::Uninitialized);
    for (;;) {
        std::size_t got = 0;
        if (!readUpTo(old, chunk.data(), copyChunk, got))
            return false;
        if (got == 0)
            return true;
        if (!writeAll(out, chunk.constData(), got))
            return false;
    }
}

// Opens an existing regular file for reading without following a symbolic link and without
// waiting on a pipe or a device; anything but a regular file is refused with its kind.
FileDescriptor openRegular(const QByteArray& path, struct stat& info, QString& reason) {
    struct stat named {};
    if (::lstat(path.constData(), &named) != 0) {
        reason = reasonText(errno);
        return FileDescriptor();
    }
    // Checked before opening: opening a device may already do something.
    if (!S_ISREG(named.st_mode)) {
        reason = notRegularReason(named.st_mode);
        return FileDescriptor();
    }
    FileDescriptor fd(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        reason = reasonText(errno);
        return FileDescriptor();
    }
    // Checked again on what was opened: something else may have been put at the name.
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = notRegularReason(info.st_mode);
        return FileDescriptor();
    }
    return fd;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The new record is made beside the old one under a name of this pattern, created only if
// no file of that name exists, so it never follows a link either.
QByteArray temporaryPattern(const QByteArray& recordPath) {
    return recordPath + ".XXXXXX";
}

// A new file beside recordPath that is removed again unless release() is called.
class TemporaryBeside {
public:
    explicit TemporaryBeside(const QByteArray& recordPath) : name_(temporaryPattern(recordPath)) {
        fd_ = FileDescriptor(::mkostemp(name_.data(), O_CLOEXEC));
        error_ = fd_.valid() ? 0 : errno;
    }
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;
    ~TemporaryBeside() {
        fd_.close();
        if (error_ == 0 && !released_)
            ::unlink(name_.constData());
    }
    int fd() const { return fd_.get(); }
    int error() const { return error_; }
    const QByteArray& name() const { return name_; }
    void release() { released_ = true; }

private:
    QByteArray name_;
    FileDescriptor fd_;
    int error_ = 0;
    bool released_ = false;
};

} // namespace

int removeUnfinishedSaves(const QByteArray& recordPath) {
    const QByteArray folder = folderOf(recordPath);
    // The pattern's six X are replaced by letters and digits.
    const QByteArray pattern = temporaryPattern(recordPath.mid(recordPath.lastIndexOf('/') + 1));
    const qsizetype stem = pattern.size() - 6;
    const auto unfinishedSave = [&](const QByteArray& name) {
        if (name.size() != pattern.size() || !name.startsWith(pattern.left(stem)))
            return false;
        for (qsizetype i = stem; i < name.size(); ++i) {
            const char c = name[i];
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
                return false;
        }
        return true;
    };
    DIR* entries = ::opendir(folder.constData());
    if (!entries)
        return 0;
    const int at = ::dirfd(entries);
    int removed = 0;
    while (const dirent* entry = ::readdir(entries)) {
        const QByteArray name(entry->d_name);
        struct stat named {};
        if (unfinishedSave(name) &&
            ::fstatat(at, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(named.st_mode) && ::unlinkat(at, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(entries);
    return removed;
}

int trySaveTemporary(const QByteArray& recordPath) {
    const TemporaryBeside probe(recordPath);
    return probe.error();
}

RecordFile::RecordFile(QByteArray nativePath)
    : nativePath_(std::move(nativePath)), path_(QFile::decodeName(nativePath_)) {}

RecordFileResult RecordFile::load(RecordTable& table) {
    loadFailed_ = false;
    loadReason_.clear();
    QString reason;
    if (readRecord(table, reason))
        return {};
    loadFailed_ = true;
    loadReason_ = reason;
    return loadFailure(path_, reason);
}

bool RecordFile::readRecord(RecordTable& table, QString& reason) const {
    // The first run starts the record with an empty file, as the game always did. O_EXCL
    // neither follows a link nor truncates a file that appeared in the meantime.
    const FileDescriptor created(::open(
        nativePath_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (created.valid())
        return true;
    if (errno != EEXIST) {
        reason = reasonText(errno);
        return false;
    }
    struct stat info {};
    const FileDescriptor fd = openRegular(nativePath_, info, reason);
    if (!fd.valid())
        return false;
    RecordBytes bytes{};
    std::size_t got = 0;
    if (!readUpTo(fd.get(), reinterpret_cast<char*>(bytes.data()), bytes.size(), got)) {
        reason = reasonText(errno);
        return false;
    }
    decodeRecord(std::span(bytes).first(got), table);
    return true;
}

RecordFileResult RecordFile::save(const RecordTable& table) {
    struct stat named {};
    const bool present = ::lstat(nativePath_.constData(), &named) == 0;
    if (lastLoadFailed() && present)
        return {false,
                QCoreApplication::translate(
                    "rz6::RecordFile", "記録ファイル「%1」は読み込めなかったため、これまでの記録を"
                                       "守るために上書きしませんでした。この回の記録は保存されて"
                                       "いません。\n理由：%2")
                    .arg(path_, loadReason_)};
    QString reason;
    if (!writeRecord(table, reason))
        return saveFailure(path_, reason);
    return {};
}

bool RecordFile::writeRecord(const RecordTable& table, QString& reason) const {
    // The old file is opened before anything is written: a record whose extra bytes cannot
    // be read is left alone rather than replaced by a shorter one.
    struct stat old {};
    FileDescriptor oldFd;
    struct stat named {};
    if (::lstat(nativePath_.constData(), &named) == 0) {
        oldFd = openRegular(nativePath_, old, reason);
        if (!oldFd.valid())
            return false;
    } else if (errno != ENOENT) {
        reason = reasonText(errno);
        return false;
    }

    // A folder deleted while the game ran is made again, as the first start makes it.
    if (!oldFd.valid() && ::access(folderOf(nativePath_).constData(), F_OK) != 0 &&
        errno == ENOENT) {
        if (const int error = makeFolders(folderOf(nativePath_))) {
            reason = reasonText(error);
            return false;
        }
    }
    TemporaryBeside out(nativePath_);
    if (out.error() != 0) {
        reason = reasonText(out.error());
        return false;
    }
    const RecordBytes bytes = encodeRecord(table);
    if (!writeAll(out.fd(), reinterpret_cast<const char*>(bytes.data()), bytes.size()) ||
        (oldFd.valid() && !copyTail(oldFd.get(), out.fd()))) {
        reason = reasonText(errno);
        return false;
    }
    // The replacement belongs to whoever owned the record and keeps its permissions, also
    // when root saves a player's record; a new record gets the usual permissions.
    if (oldFd.valid()) {
        if (::fchown(out.fd(), old.st_uid, old.st_gid) != 0 && ::geteuid() == 0) {
            reason = reasonText(errno);
            return false;
        }
        if (::fchmod(out.fd(), old.st_mode & 07777) != 0) {
            reason = reasonText(errno);
            return false;
        }
    } else if (::fchmod(out.fd(), 0666 & ~currentUmask()) != 0) {
        reason = reasonText(errno);
        return false;
    }
    // The new file must be complete on disk before it replaces the old one: on a full disk
    // a delayed write fails only here.
    if (!syncToDisk(out.fd())) {
        reason = reasonText(errno);
        return false;
    }
    // Whatever lies at the name now must still be a regular file; rename() itself replaces a
    // link rather than writing through it, so nothing outside the record is ever touched.
    if (::lstat(nativePath_.constData(), &named) == 0 && !S_ISREG(named.st_mode)) {
        reason = notRegularReason(named.st_mode);
        return false;
    }
    if (::rename(out.name().constData(), nativePath_.constData()) != 0) {
        reason = reasonText(errno);
        return false;
    }
    out.release();
    return true;
}

} // namespace rz6
