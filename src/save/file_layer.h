// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cerrno>
#include <cstddef>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/types.h>
#include <utility>

namespace rz6 {

// The few file operations every file of the game is built from, each written once: the
// record, its lock and its place, the history and its companions, the settings file and the
// CSV the player exports. Paths are the system's bytes, so any folder name works.

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

// Why one of the game's files could not be used: the system's error number, or the kind of
// thing found at its name where only a regular file may be. The facts are kept rather than a
// text, so that the reason is written in the language the game speaks when it is shown.
struct FileProblem {
    int error = 0;             // ENOENT: nothing at the name
    mode_t notRegularMode = 0; // what lies at the name instead of a regular file
    bool failed() const { return error != 0 || notRegularMode != 0; }
    bool missing() const { return error == ENOENT; }
    // "アクセスが許可されていません", "通常のファイルではなく、フォルダです", ...
    QString reason() const;
};

// What became of one operation on one of the game's files, as the player is told it:
// success, or a failure with a text in the player's language that names the file and the
// reason. Showing it is the caller's business.
struct FileResult {
    bool ok = true;
    QString message; // empty on success, and for a failure the player has heard of already
};

// Which file a regular file is, so that another one put at its name is noticed.
struct FileIdentity {
    bool known = false;
    dev_t device = 0;
    ino_t inode = 0;
    static FileIdentity of(const struct stat& info) { return {true, info.st_dev, info.st_ino}; }
    // The regular file at the name now, if there is one; a link is not followed.
    static FileIdentity at(const QByteArray& path);
    // Whether this same regular file is still at the name.
    bool isAt(const QByteArray& path) const;
};

// How a file is looked at: its name only, or opened as well.
enum class FileAccess { Look, Read, ReadWrite };

// A regular file found at a name: its status and, once opened, its descriptor; or why there
// is none.
struct RegularFile {
    FileDescriptor fd;   // valid when it was opened
    struct stat info {}; // of what was opened, else of what lies at the name
    FileProblem problem; // problem.missing(): nothing at the name
    bool ok() const { return !problem.failed(); }
};

// The one rule for every file the game reads or writes: only a regular file, never through
// a symbolic link, never a pipe, device, socket or folder, and never waited on. The kind is
// read from the name first without following a link, since opening a device may already do
// something. To open it, the name is opened without following a link and without waiting
// (a pipe put there meanwhile cannot hold the game up), checked again on what was opened, and
// the descriptor then made blocking as usual. Anything but a regular file is refused with
// its kind, and nothing at all as missing().
RegularFile regularFile(const QByteArray& path, FileAccess access);

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

// Whose a new file is, and who may use it.
struct NewFileMode {
    mode_t permissions = 0600;
    // The owner and group it is given (those of the file it replaces). Failing to give them
    // counts only for root, who can and must: anyone else can only make files of their own.
    std::optional<std::pair<uid_t, gid_t>> owner;
};

// The one way every file of the game is written: replaced whole, in one step. What lies at
// the name must be a regular file or nothing, before and again just before the step, so a
// link, pipe, device or folder there is refused, never followed nor replaced. A new file is
// made beside it ("<path>.Ab3xZ9", created only where no file of that name is, so never
// through a link), filled by fill, given its mode, synced and closed, so that a full disk
// shows here; then renamed over the old one, and the folder synced so the new name lasts.
// The file is never half written: a failure leaves whatever was at the name as it was, and
// no new file behind (only a folder that fails its sync reports a failure with the new file
// in place). fill writes the whole content at the descriptor and returns false with errno
// set when it cannot.
FileProblem replaceWhole(const QByteArray& path, const std::function<bool(int fd)>& fill,
                         const NewFileMode& mode);
// The same with these bytes for content.
FileProblem replaceWhole(const QByteArray& path, const QByteArray& bytes, mode_t permissions);

// The mode of any file the player makes: read and write for all, less the umask.
mode_t usualFileMode();

// The new file replaceWhole makes beside path is named path followed by this pattern, its six
// X replaced by letters and digits.
inline constexpr char newFileSuffix[] = ".XXXXXX";

// Makes and removes the new file a replaceWhole of path would make, in the same place and
// the same way. Returns 0, or the system's error number.
int tryNewFileBeside(const QByteArray& path);

// Makes the folder and its missing parents, readable by the player alone (as the record's
// folder is made at the first start). Returns 0, or the system's error number.
int makeFolders(const QByteArray& folder);

// Whether path is, or leads to, one of protectedFiles: compared as files and as names in their
// resolved folders, so a link or another spelling of the record's path is the record all the
// same. Every file the player exports (the CSV, a replay) is refused there, with this reason.
bool isProtectedFile(const QByteArray& path, const QList<QByteArray>& protectedFiles);
QString protectedFileReason();

} // namespace rz6
