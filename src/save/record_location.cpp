#include "save/record_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace rz6 {

namespace {

// Compares folders by where they really are, so "/usr/bin/", "/usr/./bin" and a symbolic
// link to /usr/bin all count as the same place.
QString resolvedFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? QDir(folder).absolutePath() : canonical);
}

bool sameFolder(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && resolvedFolder(a) == resolvedFolder(b);
}

QString cannotCreateMessage(const QString& folder) {
    return QStringLiteral("記録を保存するフォルダを作成できません。\n%1")
        .arg(QDir::toNativeSeparators(folder));
}

QString cannotWriteMessage(const QString& folder) {
    return QStringLiteral("記録を保存するフォルダに書き込めません。\n%1")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace

bool canCreateFileIn(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".rz6-probe-XXXXXX")));
    return probe.open(); // removed again when probe goes out of scope
}

RecordLocation chooseRecordLocation(const QString& programFolder, const QString& userDataFolder,
                                    const FolderProbe& canCreate,
                                    const QString& installedProgramFolder) {
    RecordLocation location;
    const bool installedCopy = sameFolder(programFolder, installedProgramFolder);
    if (!programFolder.isEmpty() && !installedCopy && canCreate(programFolder)) {
        location.folder = QDir::cleanPath(programFolder);
        location.portable = true;
        return location;
    }

    if (userDataFolder.isEmpty()) {
        location.errorMessage = QStringLiteral("記録を保存するフォルダが見つかりません。");
        return location;
    }
    if (!QDir().mkpath(userDataFolder)) {
        location.errorMessage = cannotCreateMessage(userDataFolder);
        return location;
    }
    if (!canCreate(userDataFolder)) {
        location.errorMessage = cannotWriteMessage(userDataFolder);
        return location;
    }
    location.folder = QDir::cleanPath(userDataFolder);
    return location;
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString userDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString installedProgramFolder() {
#ifdef RZ6_INSTALL_BINDIR
    return QString::fromUtf8(RZ6_INSTALL_BINDIR);
#else
    return QString();
#endif
}

RecordLocation chooseRecordLocation() {
    return chooseRecordLocation(programFolder(), userDataFolder(), canCreateFileIn,
                                installedProgramFolder());
}

} // namespace rz6
