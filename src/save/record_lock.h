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

    Result lock();
    // Removes the lock file (if it is still ours) and lets go of it.
    void unlock();

    // The text a lock holds: process number, program name and host name, one a line.
    static QByteArray contents(long processId, const QByteArray& hostName);
    static QByteArray thisHostName();

private:
    Result unusable(int error) const;
    Result unusable(const QString& reason) const;
    std::optional<Result> holdOrRefuse(int fd) const;
    Result takeOpened(FileDescriptor fd);

    QByteArray nativePath_;
    FileDescriptor fd_;
};

} // namespace rz6
