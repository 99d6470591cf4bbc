// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "replay/replay_match.h"
#include "save/file_layer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace rz6 {

// The replay file "*.rz6replay": one finished match in UTF-8 text, a line for each figure and
// one for each event of its log, readable by other tools (doc/replay-format.md describes it).
inline constexpr int replayFileVersion = 1;
inline constexpr char replayFileSuffix[] = ".rz6replay";
// No match comes near this: ten turns make a few hundred events of a few bytes each.
inline constexpr qsizetype maxReplayFileSize = 1024 * 1024;

// The file's text for one match.
QByteArray replayFileText(const ReplayMatch& match);

// What a file's text is: one match, a file of a newer version, or nothing this game reads.
struct ParsedReplay {
    enum class Status { Ok, Newer, Damaged };
    Status status = Status::Damaged;
    int version = 0; // the version the file says it is, once its first line is read
    ReplayMatch match;
};
ParsedReplay parseReplayFile(QByteArrayView text);

// A replay file read: the match, or one message that says why there is none.
struct ReplayFileRead {
    FileResult result;
    ReplayMatch match;
};

// Reads the replay file at path (the system's bytes). Refused, with one message naming the
// file: anything but a regular file at the name (a link, a pipe, a device; never waited on), a
// file larger than maxReplayFileSize, a file of a newer version, and a damaged or cut short one.
ReplayFileRead readReplayFile(const QByteArray& path);

// Writes the match to path, replacing it whole in one step as every file of the game is
// written. Refused, with nothing written: a path that is, or leads to, one of protectedFiles
// (the record, its lock, the history and its companions) and anything at the name but a
// regular file.
FileResult writeReplayFile(const ReplayMatch& match, const QByteArray& path,
                           const QList<QByteArray>& protectedFiles);

} // namespace rz6
