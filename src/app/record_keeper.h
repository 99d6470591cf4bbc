// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_summary.h"
#include "save/record_table.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace rz6 {

class RecordFile;
class RecordLock;

// The player's record for the whole run: the table in memory, the file it is read from and
// saved to, and the lock this copy holds on it. Every landing counts into the table the
// moment it is reported, so a restart or a quit in the middle of a match saves it.
class RecordKeeper {
public:
    using Reporter = std::function<void(const QString& message)>;

    // The record's path as the system's bytes, so any folder name works.
    RecordKeeper(const QByteArray& nativePath, Reporter report);
    ~RecordKeeper();
    RecordKeeper(const RecordKeeper&) = delete;
    RecordKeeper& operator=(const RecordKeeper&) = delete;

    // Confirmed before every save, so that a copy that lost its place never writes over
    // another's record.
    void guardSavesWith(RecordLock& lock) { lock_ = &lock; }
    // The first read of the run: a save killed half-way left its unfinished new file beside
    // the record, and this copy holds the lock, so no save of another copy can be under way.
    void loadAtStart();
    void load();
    // A failure is reported; false then.
    bool save();
    // The display is gone: the record is written as it stands, a failure told on standard
    // error.
    bool saveWithoutDisplay();
    void count(const StrikeResult& result);

    RecordTable& table() { return table_; }
    const RecordTable& table() const { return table_; }
    const QByteArray& nativePath() const { return nativePath_; }

private:
    QByteArray nativePath_;
    Reporter report_;
    RecordTable table_{};
    std::unique_ptr<RecordFile> file_;
    RecordLock* lock_ = nullptr;
};

} // namespace rz6
