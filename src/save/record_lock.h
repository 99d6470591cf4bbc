// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "save/file_layer.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace rz6 {

// The single-instance lock beside the record (rz6.lock): one copy of the game per record.
//
// The running copy holds an advisory lock (flock) on the file for as long as it runs and
// writes its process number and host name into it. So:
// - a lock file nobody holds (left by a crash or a kill, empty, unreadable text, or naming
//   a process that has gone) is taken over;
// - a lock held by a running copy refuses the start with "既に起動されています。";
// - a lock written on another computer (a shared folder) refuses the start and names it;
// - a folder, link or anything but a regular file at the lock's name, or a lock that cannot
//   be written, refuses the start with a message that names the file and the reason.
// Nothing is ever written through a link or into anything but a regular file.
//
// The folder that holds the lock is held as well (a second flock, on the folder itself), so
// a second copy is refused even after rz6.lock was deleted, renamed or replaced while the
// first runs; and before every save the running copy checks that it still holds the folder
// at the record's place, so two copies never both write one record.
class RecordLock {
public:
    enum class Outcome { Locked, RunningHere, RunningElsewhere, Unusable };
    struct Result {
        Outcome outcome = Outcome::Locked;
        QString message; // for the player; empty when locked
        bool locked() const { return outcome == Outcome::Locked; }
    };

    explicit RecordLock(QByteArray nativePath);
    ~RecordLock();
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;

    // When the lock's text reaches the disk: at once, or when syncText() is called. Either
    // way every process on this computer reads it as soon as lock() returns; the sync only
    // matters after a crash (a lock nobody holds is taken over anyway) and to other
    // computers sharing the folder.
    enum class TextSync { Now, Later };
    Result lock(TextSync sync = TextSync::Now);
    // Puts a lock's text taken with TextSync::Later on the disk; nothing when there is none.
    // The start calls it once its first window is drawn, so that the sync (about a
    // millisecond, more on a slow disk) does not hold the window back.
    void syncText();
    // Removes the lock file (if it is still ours) and lets go of it.
    void unlock();
    // Before a save: whether this copy still holds the record's place. A folder that was
    // deleted is made again and held anew; when another copy took the place meanwhile, the
    // result says so and the save must not be made. Locked when nothing was held.
    Result confirm();

    // The text a lock holds: process number, program name and host name, one a line.
    static QByteArray contents(long processId, const QByteArray& hostName);
    static QByteArray thisHostName();

private:
    Result unusable(int error) const;
    Result unusable(const QString& reason) const;
    std::optional<Result> holdOrRefuse(int fd) const;
    Result takeOpened(FileDescriptor fd, TextSync sync);
    Result lockFile(TextSync sync);
    bool holdFolder();
    bool stillHeld() const;

    QByteArray nativePath_;
    FileDescriptor fd_;
    FileDescriptor folderFd_;
    // Once this copy has held the record's place, every save needs it held again.
    bool heldOnce_ = false;
    bool textUnsynced_ = false;
};

} // namespace rz6
