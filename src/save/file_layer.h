// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QByteArray>

#include <cstddef>
#include <sys/types.h>
#include <utility>

namespace rz6 {

// The few file operations the record, its lock and its place are built from, each written
// once. Paths are the system's bytes, so any folder name works.

// A descriptor that is closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false with errno set when the close reports an error (a delayed write's).
    bool close();

private:
    int fd_;
};

// Reads up to maxSize bytes from the file's offset, going on after a signal or a short read
// until the end of the file. False with errno set when the system refuses.
bool readUpTo(int fd, char* into, std::size_t maxSize, std::size_t& got);

// Writes all `size` bytes at the file's offset, going on after a signal or a short write.
// False with errno set when the system refuses; a write that makes no progress counts as an
// input/output error (EIO) rather than looping for ever.
bool writeAll(int fd, const char* data, std::size_t size);

// Waits until the file's data is on the disk, where delayed writes show their errors. A file
// system that cannot sync at all does not count as a failure.
bool syncToDisk(int fd);

// Puts name behind folder with exactly one '/' between them: none is added when the folder
// already ends with one (the root, say). An empty folder gives "/" followed by the name.
QByteArray joinPath(const QByteArray& folder, const QByteArray& name);

// The folder part of a path ("/" for a file at the root, "." for a bare name).
QByteArray folderOf(const QByteArray& path);

// Replaces the file at path with bytes in one step: they are written whole to a new file
// beside it, given this mode, synced, and put in its place, so the file is never half
// written; a failure leaves the old file as it was. Returns 0, or the system's error number.
int replaceWhole(const QByteArray& path, const QByteArray& bytes, mode_t mode);

// Makes the folder and its missing parents, readable by the player alone (as the record's
// folder is made at the first start). Returns 0, or the system's error number.
int makeFolders(const QByteArray& folder);

} // namespace rz6
