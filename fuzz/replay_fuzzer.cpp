// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Feeds the replay file reader arbitrary files and checks that:
// - a text the parser takes is written back by the game as a text that reads as the same
//   match, and one it refuses is refused by reading the file as well, with a message;
// - the file read from disk gives exactly what the parser gives for the same bytes;
// - whatever the check of a match read says, a playable match plays to its own figures, and
//   an unplayable one hands back nothing to play.
// Everything happens inside one temporary folder.

#include "replay/replay_file.h"
#include "replay/replay_verifier.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "replay invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    check(folder.isValid(), "no temporary folder");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const rz6::ParsedReplay parsed = rz6::parseReplayFile(bytes);
    const QString path = folder.filePath(QStringLiteral("fuzzed.rz6replay"));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the test file");
        check(file.write(bytes) == bytes.size(), "cannot write the test file");
    }
    const rz6::ReplayFileRead read = rz6::readReplayFile(QFile::encodeName(path));
    const bool ok = parsed.status == rz6::ParsedReplay::Status::Ok;
    check(read.result.ok == ok, "the file and its bytes read differently");
    check(ok || !read.result.message.isEmpty(), "a refused file says nothing");
    if (!ok) {
        check(read.match == rz6::ReplayMatch{}, "a refused file gave a match");
        return 0;
    }
    check(read.match == parsed.match, "the file and its bytes gave different matches");

    const rz6::ParsedReplay again = rz6::parseReplayFile(rz6::replayFileText(parsed.match));
    check(again.status == rz6::ParsedReplay::Status::Ok, "a match read is not written readably");
    check(again.match == parsed.match, "a match read is written as another");

    const rz6::ReplayCheck replay = rz6::verifyReplay(parsed.match);
    if (replay.playable())
        check(rz6::figuresOf(replay.replayed) == parsed.match.figures && !replay.events.empty(),
              "a playable match plays to other figures");
    else
        check(replay.events.empty(), "an unplayable match gave events to play");
    return 0;
}
