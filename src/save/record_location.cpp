// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/record_location.h"

#include "common/app_info.h"
#include "save/file_layer.h"
#include "save/system_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rz6 {

namespace {

// Where a folder really is, so "/usr/bin/", "/usr/./bin" and a link to /usr/bin all count
// as the same place.
QByteArray resolvedFolder(const QByteArray& folder) {
    char resolved[PATH_MAX] = {};
    if (::realpath(folder.constData(), resolved))
        return QByteArray(resolved);
    return QFile::encodeName(QDir::cleanPath(QFile::decodeName(folder)));
}

bool sameFolder(const QByteArray& a, const QByteArray& b) {
    return !a.isEmpty() && !b.isEmpty() && resolvedFolder(a) == resolvedFolder(b);
}

bool isFolder(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A folder CMake builds in: the program there is rebuilt, and the folder itself deleted
// (rm -rf build, git clean), with no thought for a record inside it.
bool isBuildFolder(const QByteArray& folder) {
    struct stat info {};
    return !folder.isEmpty() && ::lstat(joinPath(folder, "CMakeCache.txt").constData(), &info) == 0;
}

QByteArray cleanFolder(const QByteArray& folder) {
    QByteArray clean = folder;
    while (clean.size() > 1 && clean.endsWith('/'))
        clean.chop(1);
    return clean;
}

// Copies a regular, readable record (every byte of it) to a new file at to. The original
// is only read; a copy that fails halfway is removed again.
bool copyRecord(const QByteArray& from, const QByteArray& to) {
    const RegularFile in = regularFile(from, FileAccess::Read);
    if (!in.ok())
        return false;
    FileDescriptor out(
        ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!out.valid())
        return false;
    bool ok = true;
    char buffer[64 * 1024];
    for (std::size_t got = 0; ok;) {
        ok = readUpTo(in.fd.get(), buffer, sizeof buffer, got) && writeAll(out.get(), buffer, got);
        if (got < sizeof buffer)
            break; // the end of the file
    }
    ok = ok && syncToDisk(out.get());
    ok = out.close() && ok;
    if (!ok)
        ::unlink(to.constData());
    return ok;
}

bool readableRegularFile(const QByteArray& path) {
    return regularFile(path, FileAccess::Look).ok() && ::access(path.constData(), R_OK) == 0;
}

QString shown(const QByteArray& folder) {
    return QDir::toNativeSeparators(QFile::decodeName(folder));
}

} // namespace

bool canCreateFileIn(const QByteArray& folder) {
    if (folder.isEmpty() || !isFolder(folder))
        return false;
    return tryNewFileBeside(joinPath(folder, appInfo::recordFileName)) == 0;
}

bool canCreateFileIn(const QString& folder) {
    return canCreateFileIn(QFile::encodeName(folder));
}

RecordLocation chooseRecordLocation(const QByteArray& programFolder,
                                    const QByteArray& userDataFolder, const FolderProbe& canCreate,
                                    const QList<QByteArray>& installedProgramFolders) {
    const FolderProbe probe =
        canCreate ? canCreate : [](const QByteArray& f) { return canCreateFileIn(f); };
    RecordLocation location;
    bool installedCopy = false;
    for (const QByteArray& installed : installedProgramFolders)
        installedCopy = installedCopy || sameFolder(programFolder, installed);
    // A game run from the source tree keeps its record where an installed one does.
    installedCopy = installedCopy || isBuildFolder(programFolder);
    if (!programFolder.isEmpty() && !installedCopy && probe(programFolder)) {
        location.nativeFolder = cleanFolder(programFolder);
        location.folder = QFile::decodeName(location.nativeFolder);
        location.portable = true;
        return location;
    }

    if (userDataFolder.isEmpty()) {
        location.errorMessage = QCoreApplication::translate(
            "rz6::RecordLocation", "記録を保存するフォルダが見つかりません。");
        return location;
    }
    if (const int error = makeFolders(userDataFolder)) {
        location.errorMessage =
            QCoreApplication::translate("rz6::RecordLocation",
                                        "記録を保存するフォルダを作成できません。\n%1\n理由：%2")
                .arg(shown(userDataFolder), reasonText(error));
        return location;
    }
    if (!probe(userDataFolder)) {
        location.errorMessage =
            QCoreApplication::translate("rz6::RecordLocation",
                                        "記録を保存するフォルダに書き込めません。\n%1")
                .arg(shown(userDataFolder));
        return location;
    }
    location.nativeFolder = cleanFolder(userDataFolder);
    location.folder = QFile::decodeName(location.nativeFolder);

    // A record left beside a program that can no longer write there (an installed or shared
    // copy) is carried over, so the player does not find all their counts gone.
    const QByteArray own = joinPath(location.nativeFolder, appInfo::recordFileName);
    struct stat ownInfo {};
    const bool ownExists = ::lstat(own.constData(), &ownInfo) == 0 || errno != ENOENT;
    if (!programFolder.isEmpty() && !ownExists) {
        const QByteArray beside = joinPath(programFolder, appInfo::recordFileName);
        if (readableRegularFile(beside) && copyRecord(beside, own))
            location.carriedOverFrom = QFile::decodeName(beside);
    }
    return location;
}

RecordLocation chooseRecordLocation(const QString& programFolder, const QString& userDataFolder,
                                    const FolderProbe& canCreate,
                                    const QString& installedProgramFolder) {
    QList<QByteArray> installed;
    if (!installedProgramFolder.isEmpty())
        installed << QFile::encodeName(installedProgramFolder);
    return chooseRecordLocation(QFile::encodeName(programFolder), QFile::encodeName(userDataFolder),
                                canCreate, installed);
}

QByteArray programFolder() {
    // Read as bytes from the system: a folder name that is not UTF-8 must not be altered.
    QByteArray target(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", target.data(), std::size_t(target.size()));
    if (n <= 0 || n >= target.size())
        return {};
    target.truncate(n);
    const qsizetype slash = target.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : target.left(slash);
}

QByteArray userDataFolder(const QByteArray& xdgDataHome, const QByteArray& home,
                          const QByteArray& passwordHome) {
    const QByteArray name = appInfo::applicationName;
    // A relative XDG_DATA_HOME is to be ignored, not taken from wherever the game started.
    if (xdgDataHome.startsWith('/'))
        return joinPath(xdgDataHome, name.constData());
    const QByteArray base = home.startsWith('/') ? home : passwordHome;
    if (!base.startsWith('/'))
        return {};
    return joinPath(joinPath(base, ".local/share"), name.constData());
}

QByteArray userDataFolder() {
    QByteArray passwordHome;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        passwordHome = entry->pw_dir;
    return userDataFolder(qgetenv("XDG_DATA_HOME"), qgetenv("HOME"), passwordHome);
}

QList<QByteArray> installedProgramFolders() {
    QList<QByteArray> folders;
    folders << QByteArray(appInfo::installedProgramFolder);
    // Debian's packages put games in /usr/games; such a copy is installed whatever the
    // build's own install folder was.
    folders << QByteArray("/usr/games");
    return folders;
}

RecordLocation chooseRecordLocation() {
    return chooseRecordLocation(programFolder(), userDataFolder(), {}, installedProgramFolders());
}

} // namespace rz6
