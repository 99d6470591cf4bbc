#include "common/app_info.h"
#include "save/record_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace rz6;

namespace {

FolderProbe refusing(const QString& refusedFolder) {
    return [refusedFolder](const QString& folder) {
        return QDir::cleanPath(folder) != QDir::cleanPath(refusedFolder) && canCreateFileIn(folder);
    };
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
            chooseRecordLocation(programDir(), dataDir(), canCreateFileIn, installed);
        ASSERT_TRUE(location.ok());
        EXPECT_FALSE(location.portable) << installed.toStdString();
        EXPECT_EQ(location.folder, dataDir());
    }
    const RecordLocation elsewhere = chooseRecordLocation(programDir(), dataDir(), canCreateFileIn,
                                                          temp.filePath(QStringLiteral("other")));
    EXPECT_TRUE(elsewhere.portable);
}

// When neither folder can hold the record, the failure is reported, never a folder that
// cannot be written.
TEST_F(RecordLocationTest, NoUsableFolderIsReportedInJapanese) {
    QFile blocker(temp.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString underAFile = temp.filePath(QStringLiteral("blocker/rz6"));
    const FolderProbe never = [](const QString&) { return false; };

    const RecordLocation cannotMake = chooseRecordLocation(programDir(), underAFile, never);
    EXPECT_FALSE(cannotMake.ok());
    EXPECT_TRUE(cannotMake.errorMessage.startsWith(
        QStringLiteral("記録を保存するフォルダを作成できません。")));
    EXPECT_TRUE(cannotMake.errorMessage.contains(underAFile));

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

// With the application name set and no organization, Qt 6.4 puts the per-user data folder
// straight under the XDG data home.
TEST(UserDataFolderTest, IsTheProgramsFolderUnderXdgDataHome) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QString::fromUtf8(appInfo::applicationName));

    EXPECT_EQ(userDataFolder(), home.filePath(QStringLiteral("rz6")));
    const RecordLocation location =
        chooseRecordLocation(home.filePath(QStringLiteral("missing")), userDataFolder());
    EXPECT_EQ(location.folder, home.filePath(QStringLiteral("rz6")));
    EXPECT_TRUE(QDir(location.folder).exists());

    if (oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldDataHome);
}
