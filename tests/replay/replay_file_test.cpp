// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// A replay file holds one match and gives it back whole; whatever else is at its name, or in
// it, is refused with one message and nothing read.
#include "history/history_store.h"
#include "played_match.h"
#include "replay/replay_file.h"
#include "replay/replay_verifier.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace rz6::test {
namespace {

class ReplayFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray at(const char* name) const { return QFile::encodeName(dir.filePath(name)); }
    void write(const QByteArray& path, const QByteArray& bytes) {
        QFile file(QFile::decodeName(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
};

TEST_F(ReplayFileTest, MatchComesBackWholeAndPlays) {
    for (const ReplayMatch& match :
         {playMatch(11, 2, 1).replay, keysOnly(playMatch(12, 0, 2).replay)}) {
        const QByteArray path = at("match.rz6replay");
        ASSERT_TRUE(writeReplayFile(match, path, {}).ok);
        const ReplayFileRead read = readReplayFile(path);
        ASSERT_TRUE(read.result.ok) << read.result.message.toStdString();
        EXPECT_EQ(read.match, match);
        EXPECT_TRUE(verifyReplay(read.match).playable());
    }
}

TEST_F(ReplayFileTest, RefusesWhatIsNoReplayOfThisGame) {
    const QByteArray good = replayFileText(playMatch(13, 1, 4).replay);
    ASSERT_EQ(parseReplayFile(good).status, ParsedReplay::Status::Ok);
    QByteArray newer = good;
    newer.replace("rz6-replay 1\n", "rz6-replay 2\n");
    QByteArray badEvent = good;
    badEvent.replace("\nT ", "\nX ");
    QByteArray hugeCount = good;
    hugeCount.replace(QByteArray("\nevents "), QByteArray("\nevents 9999999999"));
    QByteArray crlf = good;
    crlf.replace("\n", "\r\n");
    QByteArray padded = good;
    padded.append(QByteArray(maxReplayFileSize, '\n'));

    const QByteArray target = at("victim");
    write(target, good);
    const struct {
        const char* what;
        QByteArray content; // written at the name, unless made below
        const char* reason; // what the message says besides the name
    } cases[] = {
        {"cut short", good.left(good.size() / 2), "壊れています"},
        {"without its end", good.left(good.size() - 4), "壊れています"},
        {"empty", "", "壊れています"},
        {"another file", "SQLite format 3\0", "壊れています"},
        {"an unknown event", badEvent, "壊れています"},
        {"more events than lines", hugeCount, "壊れています"},
        {"other line ends", crlf, "壊れています"},
        {"newer", newer, "新しい版"},
        {"oversized", padded, "大きすぎます"},
        {"link", {}, "リンク"},
        {"pipe", {}, "パイプ"},
        {"folder", {}, "フォルダ"},
    };
    for (const auto& c : cases) {
        const QByteArray path = at(c.what);
        const std::string_view what = c.what;
        if (what == "link")
            ASSERT_EQ(::symlink(target.constData(), path.constData()), 0);
        else if (what == "pipe")
            ASSERT_EQ(::mkfifo(path.constData(), 0600), 0); // never waited on
        else if (what == "folder")
            ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
        else
            write(path, c.content);
        const ReplayFileRead read = readReplayFile(path);
        EXPECT_FALSE(read.result.ok) << c.what;
        EXPECT_TRUE(read.result.message.contains(QFile::decodeName(path))) << c.what;
        EXPECT_TRUE(read.result.message.contains(QString::fromUtf8(c.reason)))
            << c.what << ": " << read.result.message.toStdString();
        EXPECT_EQ(read.match, ReplayMatch{}) << c.what;
    }
    EXPECT_FALSE(readReplayFile("/dev/zero").result.ok); // a device, never read
}

// The game's own files are never written over; nor is anything reached through a link.
TEST_F(ReplayFileTest, WritingRefusesTheGamesFiles) {
    const ReplayMatch match = playMatch(14, 0, 5).replay;
    const QByteArray history = at("rz6-history.sqlite");
    write(history, "history");
    const QList<QByteArray> kept = HistoryStore::files(history);
    const QByteArray link = at("link.rz6replay");
    ASSERT_EQ(::symlink(history.constData(), link.constData()), 0);
    for (const QByteArray& path : {history, link, kept[1]}) {
        const FileResult written = writeReplayFile(match, path, kept);
        EXPECT_FALSE(written.ok) << path.constData();
        EXPECT_TRUE(written.message.contains(QFile::decodeName(path)));
    }
    QFile file(QFile::decodeName(history));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "history");
    EXPECT_FALSE(QFile::exists(QFile::decodeName(kept[1])));
}

} // namespace
} // namespace rz6::test
