// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "save/file_layer.h"
#include "save/record_table.h"

#include <QByteArray>
#include <QString>

namespace rz6 {

// The record file rz6.DAT: the 180-byte image of the record table, possibly followed by
// bytes the game does not use, which are kept exactly as they are.
//
// Guarantees:
// - Only a regular file is read or replaced. A symbolic link, named pipe, device, socket or
//   folder at the record's name is refused with a message that says what it is; nothing is
//   written to it or through it, and opening it never waits.
// - load() creates a missing file empty and reads as many of the first 180 bytes as there
//   are; a regular file of any length is accepted.
// - save() writes a complete new file beside the old one and puts it in place in one step,
//   so a crash or a full disk never leaves a half-written record. The new file keeps the old
//   one's owner, group and permissions and every byte after the first 180.
// - Once a load has failed, save() refuses to replace an existing file: a record the game
//   could not read must not be wiped by the empty table of this run.
// - The path is kept as the bytes the system uses, so any folder name works.
// - Every failure is reported, none as success, and nothing is shown from here.
class RecordFile {
public:
    explicit RecordFile(QByteArray nativePath);

    // The path as shown to the player, and as the system's bytes.
    const QString& path() const { return path_; }
    const QByteArray& nativePath() const { return nativePath_; }

    // Fills table from the file; the elements the file does not reach keep their values.
    FileResult load(RecordTable& table);

    FileResult save(const RecordTable& table);

    // True after a load that failed, until the next load succeeds.
    bool lastLoadFailed() const { return loadFailed_; }

private:
    FileProblem readRecord(RecordTable& table) const;
    FileProblem writeRecord(const RecordTable& table) const;

    QByteArray nativePath_;
    QString path_;
    bool loadFailed_ = false;
    FileProblem loadProblem_; // why the last load failed
};

// Removes what saves of recordPath left behind when they were killed before they finished:
// regular files beside the record named like its temporary files ("rz6.DAT.Ab3xZ9"), never
// a link, a folder or any other name. Only the one copy of the game that holds the record's
// lock may call it, before its first save. Returns how many were removed.
int removeUnfinishedSaves(const QByteArray& recordPath);

} // namespace rz6
