// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/shutdown_sequence.h"

#include "app/message_presenter.h"

namespace rz6 {

ShutdownSequence::ShutdownSequence(MessagePresenter& messages) : messages_(messages) {
    connect(&messages_, &MessagePresenter::boxClosed, this,
            &ShutdownSequence::finishWhenMessagesRead);
}

bool ShutdownSequence::begin() {
    if (underway_)
        return false;
    underway_ = true;
    messages_.showWithoutScreens();
    return true;
}

void ShutdownSequence::signalled() {
    // A box already waiting (a failed read at start, or the last save when the player had
    // quit already) must not hold the end up either: its text goes to standard error, and a
    // last save nobody read counts as failed.
    const bool lastSaveUnread = underway_;
    if (messages_.tellOnStandardErrorFromNowOn() > 0 && lastSaveUnread)
        exitStatus_ = 1;
    bySignal_ = true;
}

void ShutdownSequence::messageGiven() {
    if (bySignal_)
        exitStatus_ = 1;
}

void ShutdownSequence::finishWhenMessagesRead() {
    if (!underway_ || announced_)
        return;
    if (!bySignal_ && messages_.unread())
        return;
    announced_ = true;
    emit finished(exitStatus_);
}

} // namespace rz6
