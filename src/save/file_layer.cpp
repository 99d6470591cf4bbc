// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/file_layer.h"

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

int replaceWhole(const QByteArray& path, const QByteArray& bytes, mode_t mode) {
    QByteArray temporary = path + ".XXXXXX";
    FileDescriptor out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!out.valid())
        return errno;
    const bool written = writeAll(out.get(), bytes.constData(), std::size_t(bytes.size())) &&
                         ::fchmod(out.get(), mode) == 0 && syncToDisk(out.get()) && out.close() &&
                         ::rename(temporary.constData(), path.constData()) == 0;
    if (written)
        return 0;
    const int error = errno;
    ::unlink(temporary.constData());
    return error;
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

} // namespace rz6
