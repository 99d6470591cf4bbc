// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QObject>

namespace rz6 {

class MessagePresenter;

// How the game ends, once: the player's quit waits until every message about the last save
// has been read; a quit signal (from the desktop, a terminal or a service manager) waits for
// nobody, tells its messages on standard error and ends with status 1 when one of them was
// about a failure. The end is announced exactly once.
class ShutdownSequence : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSequence(MessagePresenter& messages);

    // Starts the end; false when it had started already.
    bool begin();
    // Whether the end has started: nothing new may start then.
    bool underway() const { return underway_; }
    // A quit signal came: from now on no box is opened or waited for.
    void signalled();
    // A message was given: after a quit signal, it can only have been about a failure.
    void messageGiven();
    // Announces the end, unless a message is still waiting to be read.
    void finishWhenMessagesRead();

signals:
    // The program should end now with this status (0, or 1 when a quit signal found the
    // record unsavable).
    void finished(int exitStatus);

private:
    MessagePresenter& messages_;
    bool underway_ = false;
    bool announced_ = false;
    bool bySignal_ = false;
    int exitStatus_ = 0;
};

} // namespace rz6
