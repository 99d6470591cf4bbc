// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/file_layer.h"

#include "save/system_text.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rz6 {

bool FileDescriptor::close() {
    if (fd_ < 0)
        return true;
    return ::close(std::exchange(fd_, -1)) == 0;
}

bool readUpTo(int fd, char* into, std::size_t maxSize, std::size_t& got) {
    got = 0;
    while (got < maxSize) {
        const ssize_t n = ::read(fd, into + got, maxSize - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool syncToDisk(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
}

QByteArray joinPath(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

namespace {

bool isFolderAt(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

int makeFolders(const QByteArray& folder) {
    if (isFolderAt(folder))
        return 0;
    const qsizetype slash = folder.lastIndexOf('/', folder.size() - 2);
    if (slash > 0)
        if (const int error = makeFolders(folder.left(slash)))
            return error;
    if (::mkdir(folder.constData(), 0700) == 0)
        return 0;
    if (errno != EEXIST)
        return errno;
    // Something is there already: a folder made meanwhile, or a file where one should be.
    return isFolderAt(folder) ? 0 : ENOTDIR;
}

namespace {

// A new file beside path that is removed again unless kept.
class NewFileBeside {
public:
    explicit NewFileBeside(const QByteArray& path) : name_(path + newFileSuffix) {
        fd_ = FileDescriptor(::mkostemp(name_.data(), O_CLOEXEC));
        error_ = fd_.valid() ? 0 : errno;
    }
    NewFileBeside(const NewFileBeside&) = delete;
    NewFileBeside& operator=(const NewFileBeside&) = delete;
    ~NewFileBeside() {
        fd_.close();
        if (error_ == 0 && !kept_)
            ::unlink(name_.constData());
    }
    int fd() const { return fd_.get(); }
    int error() const { return error_; }
    const QByteArray& name() const { return name_; }
    // Closes it, reporting a delayed write's error; false with errno set.
    bool close() { return fd_.close(); }
    void keep() { kept_ = true; }

private:
    QByteArray name_;
    FileDescriptor fd_;
    int error_ = 0;
    bool kept_ = false;
};

// Nothing, or a regular file: what may lie at a name that is about to be replaced.
FileProblem replaceableAt(const QByteArray& path) {
    const FileProblem problem = regularFile(path, FileAccess::Look).problem;
    return problem.missing() ? FileProblem{} : problem;
}

// The system's error just reported; a failure that set none still counts as one.
FileProblem systemError() {
    return {errno != 0 ? errno : EIO, 0};
}

// Makes the new file's name last: the folder is synced once it holds it.
FileProblem syncFolderOf(const QByteArray& path) {
    const FileDescriptor folder(
        ::open(folderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder the player may write but not read cannot be synced; the file is in place all
    // the same.
    if (!folder.valid())
        return {};
    return syncToDisk(folder.get()) ? FileProblem{} : systemError();
}

} // namespace

QString FileProblem::reason() const {
    return notRegularMode != 0 ? notRegularReason(notRegularMode) : reasonText(error);
}

FileIdentity FileIdentity::at(const QByteArray& path) {
    const RegularFile found = regularFile(path, FileAccess::Look);
    return found.ok() ? of(found.info) : FileIdentity{};
}

bool FileIdentity::isAt(const QByteArray& path) const {
    const FileIdentity now = at(path);
    return known && now.known && now.device == device && now.inode == inode;
}

RegularFile regularFile(const QByteArray& path, FileAccess access) {
    RegularFile found;
    if (::lstat(path.constData(), &found.info) != 0) {
        found.problem = systemError();
        return found;
    }
    if (!S_ISREG(found.info.st_mode)) {
        found.problem.notRegularMode = found.info.st_mode;
        return found;
    }
    if (access == FileAccess::Look)
        return found;
    const int flags = (access == FileAccess::ReadWrite ? O_RDWR : O_RDONLY) | O_NOFOLLOW |
                      O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    found.fd = FileDescriptor(::open(path.constData(), flags));
    if (!found.fd.valid()) {
        found.problem = systemError();
        return found;
    }
    // Checked again on what was opened: something else may have been put at the name.
    if (::fstat(found.fd.get(), &found.info) != 0) {
        found.problem = systemError();
    } else if (!S_ISREG(found.info.st_mode)) {
        found.problem.notRegularMode = found.info.st_mode;
    } else {
        const int status = ::fcntl(found.fd.get(), F_GETFL);
        if (status < 0 || ::fcntl(found.fd.get(), F_SETFL, status & ~O_NONBLOCK) != 0)
            found.problem = systemError();
    }
    if (found.problem.failed())
        found.fd.close();
    return found;
}

FileProblem replaceWhole(const QByteArray& path, const std::function<bool(int fd)>& fill,
                         const NewFileMode& mode) {
    if (const FileProblem problem = replaceableAt(path); problem.failed())
        return problem;
    NewFileBeside out(path);
    if (out.error() != 0)
        return {out.error(), 0};
    if (!fill(out.fd()))
        return systemError();
    if (mode.owner && ::fchown(out.fd(), mode.owner->first, mode.owner->second) != 0 &&
        ::geteuid() == 0)
        return systemError();
    // After the owner: giving a file away may take its set-user and set-group bits.
    if (::fchmod(out.fd(), mode.permissions) != 0)
        return systemError();
    // The new file must be complete on disk before it replaces the old one: on a full disk
    // a delayed write fails only here.
    if (!syncToDisk(out.fd()) || !out.close())
        return systemError();
    // Whatever lies at the name now must still be a regular file, or nothing.
    if (const FileProblem problem = replaceableAt(path); problem.failed())
        return problem;
    if (::rename(out.name().constData(), path.constData()) != 0)
        return systemError();
    out.keep();
    return syncFolderOf(path);
}

FileProblem replaceWhole(const QByteArray& path, const QByteArray& bytes, mode_t permissions) {
    return replaceWhole(
        path, [&](int fd) { return writeAll(fd, bytes.constData(), std::size_t(bytes.size())); },
        {permissions, std::nullopt});
}

mode_t usualFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int tryNewFileBeside(const QByteArray& path) {
    const NewFileBeside probe(path);
    return probe.error();
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

namespace {

// The path with its folder's links resolved (the name itself as given).
QByteArray resolvedName(const QByteArray& path) {
    char* real = ::realpath(folderOf(path).constData(), nullptr);
    if (!real)
        return path;
    QByteArray resolved(real);
    std::free(real);
    if (!resolved.endsWith('/'))
        resolved += '/';
    return resolved + path.mid(path.lastIndexOf('/') + 1);
}

} // namespace

bool isProtectedFile(const QByteArray& path, const QList<QByteArray>& protectedFiles) {
    // A file SQLite makes only while the history is open (its log, its index) is kept free
    // when it is not there, by its name.
    struct stat target {};
    const bool targetExists = ::stat(path.constData(), &target) == 0;
    const QByteArray targetName = resolvedName(path);
    for (const QByteArray& kept : protectedFiles) {
        struct stat other {};
        const bool sameFile = targetExists && ::stat(kept.constData(), &other) == 0 &&
                              other.st_dev == target.st_dev && other.st_ino == target.st_ino;
        if (sameFile || targetName == resolvedName(kept))
            return true;
    }
    return false;
}

QString protectedFileReason() {
    return QCoreApplication::translate("rz6::HistoryCsv", "ゲームの記録ファイルか戦績ファイルです。"
                                                          "上書きはしません");
}

} // namespace rz6
