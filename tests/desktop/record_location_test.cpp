// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/app_info.h"
#include "save/record_location.h"
#include "save/system_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

using namespace rz6;

namespace {

FolderProbe refusing(const QString& refusedFolder) {
    return [refusedFolder](const QByteArray& folder) {
        return QDir::cleanPath(QFile::decodeName(folder)) != QDir::cleanPath(refusedFolder) &&
               canCreateFileIn(folder);
    };
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class RecordLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("game")));
    }
    QString programDir() const { return temp.filePath(QStringLiteral("game")); }
    QString dataDir() const { return temp.filePath(QStringLiteral("data/share/rz6")); }

    QTemporaryDir temp;
};

} // namespace

// A folder where files can be made keeps the record beside the program, and the probe leaves
// nothing behind in it.
TEST_F(RecordLocationTest, WritableProgramFolderIsUsedAsIs) {
    const RecordLocation location = chooseRecordLocation(programDir(), dataDir());
    ASSERT_TRUE(location.ok());
    EXPECT_TRUE(location.portable);
    EXPECT_EQ(location.folder, programDir());
    EXPECT_TRUE(location.errorMessage.isEmpty());
    EXPECT_TRUE(
        QDir(programDir())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
            .isEmpty());
    EXPECT_FALSE(QDir(dataDir()).exists()) << "the user data folder is made only when needed";
}

TEST_F(RecordLocationTest, UnwritableProgramFolderFallsBackToUserDataFolderMadeOnDemand) {
    const RecordLocation location =
        chooseRecordLocation(programDir(), dataDir(), refusing(programDir()));
    ASSERT_TRUE(location.ok()) << location.errorMessage.toStdString();
    EXPECT_FALSE(location.portable);
    EXPECT_EQ(location.folder, dataDir());
    EXPECT_TRUE(QDir(dataDir()).exists());
}

TEST_F(RecordLocationTest, MissingOrEmptyProgramFolderFallsBack) {
    for (const QString& program : {QString(), temp.filePath(QStringLiteral("gone"))}) {
        const RecordLocation location = chooseRecordLocation(program, dataDir());
        ASSERT_TRUE(location.ok()) << program.toStdString();
        EXPECT_FALSE(location.portable);
        EXPECT_EQ(location.folder, dataDir());
    }
}

// An installed copy keeps its record with the player even when root could write into the
// system's bin folder; the same folder spelt another way is still recognised.
TEST_F(RecordLocationTest, InstalledCopyNeverKeepsTheRecordAmongSystemPrograms) {
    ASSERT_TRUE(QFile::link(programDir(), temp.filePath(QStringLiteral("bin-link"))));
    for (const QString& installed :
         {programDir(), programDir() + u'/', temp.filePath(QStringLiteral("bin-link")),
          temp.filePath(QStringLiteral("game/../game"))}) {
        const RecordLocation location =
            chooseRecordLocation(programDir(), dataDir(), {}, installed);
        ASSERT_TRUE(location.ok());
        EXPECT_FALSE(location.portable) << installed.toStdString();
        EXPECT_EQ(location.folder, dataDir());
    }
    const RecordLocation elsewhere =
        chooseRecordLocation(programDir(), dataDir(), {}, temp.filePath(QStringLiteral("other")));
    EXPECT_TRUE(elsewhere.portable);
}

// When neither folder can hold the record, the failure is reported, never a folder that
// cannot be written.
TEST_F(RecordLocationTest, NoUsableFolderIsReportedInJapanese) {
    QFile blocker(temp.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString underAFile = temp.filePath(QStringLiteral("blocker/rz6"));
    const FolderProbe never = [](const QByteArray&) { return false; };

    const RecordLocation cannotMake = chooseRecordLocation(programDir(), underAFile, never);
    EXPECT_FALSE(cannotMake.ok());
    EXPECT_TRUE(cannotMake.errorMessage.startsWith(
        QStringLiteral("記録を保存するフォルダを作成できません。")));
    EXPECT_TRUE(cannotMake.errorMessage.contains(underAFile));
    // With the system's reason, as every file message gives it.
    EXPECT_TRUE(cannotMake.errorMessage.endsWith(QStringLiteral("理由：") + reasonText(ENOTDIR)))
        << cannotMake.errorMessage.toStdString();

    const RecordLocation cannotWrite = chooseRecordLocation(programDir(), dataDir(), never);
    EXPECT_FALSE(cannotWrite.ok());
    EXPECT_TRUE(cannotWrite.errorMessage.startsWith(
        QStringLiteral("記録を保存するフォルダに書き込めません。")));

    const RecordLocation noHome = chooseRecordLocation(programDir(), QString(), never);
    EXPECT_FALSE(noHome.ok());
    EXPECT_FALSE(noHome.errorMessage.isEmpty());
}

TEST_F(RecordLocationTest, ProbeNeedsAnExistingFolder) {
    EXPECT_TRUE(canCreateFileIn(programDir()));
    EXPECT_FALSE(canCreateFileIn(QString()));
    EXPECT_FALSE(canCreateFileIn(temp.filePath(QStringLiteral("gone"))));
    QFile file(temp.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(canCreateFileIn(file.fileName()));
}

// Root ignores permission bits, so only a real attempt tells a read-only mount apart.
TEST_F(RecordLocationTest, ReadOnlyMountedProgramFolderFallsBack) {
    const QString dir = programDir();
    const auto run = [](const QStringList& args) {
        return QProcess::execute(QStringLiteral("mount"), args) == 0;
    };
    if (!run({QStringLiteral("--bind"), dir, dir}))
        GTEST_SKIP() << "mount --bind is not allowed here (needs root and mount rights)";
    const bool readOnly = run({QStringLiteral("-o"), QStringLiteral("remount,ro,bind"), dir});

    const bool probeSaysWritable = canCreateFileIn(dir);
    const RecordLocation location = chooseRecordLocation(dir, dataDir());
    QProcess::execute(QStringLiteral("umount"), {dir});

    if (!readOnly)
        GTEST_SKIP() << "a bind mount cannot be made read-only here";
    EXPECT_FALSE(probeSaysWritable);
    EXPECT_FALSE(location.portable);
    EXPECT_EQ(location.folder, dataDir());
}

// The data folder follows the XDG rules: a relative XDG_DATA_HOME is ignored, and without a
// usable HOME the home comes from the password database, never the filesystem root.
TEST(UserDataFolderTest, FollowsTheXdgRules) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* password;
        const char* expected;
    };
    const Case cases[] = {
        {"/x/data", "/home/p", "/home/pw", "/x/data/rz6"},
        {"rel/data", "/home/p", "/home/pw", "/home/p/.local/share/rz6"},
        {"", "", "/home/pw", "/home/pw/.local/share/rz6"},
        {"", "relative", "/home/pw", "/home/pw/.local/share/rz6"},
        {"", "", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(userDataFolder(c.xdg, c.home, c.password), QByteArray(c.expected))
            << c.xdg << " | " << c.home << " | " << c.password;
}

// Debian installs games in /usr/games: a copy there keeps its record with the player.
TEST(InstalledFoldersTest, IncludeDebiansGamesFolder) {
    EXPECT_TRUE(installedProgramFolders().contains(QByteArray("/usr/games")));
}

// A record beside a program that can no longer write there, or beside one in a build folder
// (which a rebuild or clean deletes whole), is copied, every byte, to the data folder once;
// the original is left exactly as it was and an existing record wins.
TEST_F(RecordLocationTest, RecordBesideAReadOnlyOrBuildFolderProgramIsCarriedOver) {
    for (const bool buildFolder : {false, true}) {
        SCOPED_TRACE(buildFolder ? "build folder" : "read-only folder");
        QDir(dataDir()).removeRecursively();
        QByteArray record(180, '\x01');
        record += "the player's own bytes";
        writeFile(programDir() + QStringLiteral("/rz6.DAT"), record);
        if (buildFolder)
            writeFile(programDir() + QStringLiteral("/CMakeCache.txt"), "# CMake\n");
        const FolderProbe probe = buildFolder ? FolderProbe() : refusing(programDir());

        const RecordLocation first = chooseRecordLocation(programDir(), dataDir(), probe);
        ASSERT_TRUE(first.ok()) << first.errorMessage.toStdString();
        EXPECT_FALSE(first.portable);
        EXPECT_EQ(first.carriedOverFrom, programDir() + QStringLiteral("/rz6.DAT"));
        EXPECT_EQ(readAll(dataDir() + QStringLiteral("/rz6.DAT")), record);
        EXPECT_EQ(readAll(programDir() + QStringLiteral("/rz6.DAT")), record);

        writeFile(dataDir() + QStringLiteral("/rz6.DAT"), QByteArray(180, '\x02'));
        const RecordLocation second = chooseRecordLocation(programDir(), dataDir(), probe);
        EXPECT_TRUE(second.carriedOverFrom.isEmpty()) << "told once, copied once";
        EXPECT_EQ(readAll(dataDir() + QStringLiteral("/rz6.DAT")), QByteArray(180, '\x02'));
    }
}

// A folder whose name is not UTF-8 is used as the bytes it is.
TEST_F(RecordLocationTest, FolderNameThatIsNotUtf8IsKeptAsBytes) {
    const QByteArray odd = QFile::encodeName(temp.path()) + "/game-\xff\xfe";
    ASSERT_EQ(::mkdir(odd.constData(), 0700), 0);
    const RecordLocation location = chooseRecordLocation(odd, QFile::encodeName(dataDir()), {}, {});
    EXPECT_TRUE(location.portable);
    EXPECT_EQ(location.nativeFolder, odd);
    ::rmdir(odd.constData()); // a name the temporary folder's own clean-up cannot spell
}
