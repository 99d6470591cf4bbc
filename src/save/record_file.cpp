// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/record_file.h"

#include "save/record_codec.h"
#include "save/file_layer.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace rz6 {

namespace {

// Bytes after the record are copied to the new file in pieces of this size, so even a huge
// file never has to be held in memory.
constexpr std::size_t copyChunk = 64 * 1024;

FileResult loadFailure(const QString& path, const FileProblem& problem) {
    return {false, QCoreApplication::translate(
                       "rz6::RecordFile", "記録ファイル「%1」を読み込めませんでした。\n理由：%2")
                       .arg(path, problem.reason())};
}

FileResult saveFailure(const QString& path, const FileProblem& problem) {
    return {false, QCoreApplication::translate(
                       "rz6::RecordFile", "記録ファイル「%1」に書き込めませんでした。\n理由：%2")
                       .arg(path, problem.reason())};
}

// Copies everything after the record in the old file to the end of the new one.
bool copyTail(int old, int out) {
    if (::lseek(old, off_t(recordByteSize), SEEK_SET) < 0)
        return false;
    QByteArray chunk(qsizetype(copyChunk), Qt::Uninitialized);
    for (;;) {
        std::size_t got = 0;
        if (!readUpTo(old, chunk.data(), copyChunk, got))
            return false;
        if (got == 0)
            return true;
        if (!writeAll(out, chunk.constData(), got))
            return false;
    }
}

} // namespace

int removeUnfinishedSaves(const QByteArray& recordPath) {
    const QByteArray folder = folderOf(recordPath);
    // The pattern's six X are replaced by letters and digits.
    const QByteArray pattern = recordPath.mid(recordPath.lastIndexOf('/') + 1) + newFileSuffix;
    const qsizetype stem = pattern.size() - 6;
    const auto unfinishedSave = [&](const QByteArray& name) {
        if (name.size() != pattern.size() || !name.startsWith(pattern.left(stem)))
            return false;
        for (qsizetype i = stem; i < name.size(); ++i) {
            const char c = name[i];
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
                return false;
        }
        return true;
    };
    DIR* entries = ::opendir(folder.constData());
    if (!entries)
        return 0;
    const int at = ::dirfd(entries);
    int removed = 0;
    while (const dirent* entry = ::readdir(entries)) {
        const QByteArray name(entry->d_name);
        struct stat named {};
        if (unfinishedSave(name) &&
            ::fstatat(at, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(named.st_mode) && ::unlinkat(at, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(entries);
    return removed;
}

RecordFile::RecordFile(QByteArray nativePath)
    : nativePath_(std::move(nativePath)), path_(QFile::decodeName(nativePath_)) {}

FileResult RecordFile::load(RecordTable& table) {
    loadProblem_ = readRecord(table);
    loadFailed_ = loadProblem_.failed();
    return loadFailed_ ? loadFailure(path_, loadProblem_) : FileResult{};
}

FileProblem RecordFile::readRecord(RecordTable& table) const {
    // The first run starts the record with an empty file, as the game always did. O_EXCL
    // neither follows a link nor truncates a file that appeared in the meantime.
    const FileDescriptor created(::open(
        nativePath_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (created.valid())
        return {};
    if (errno != EEXIST)
        return {errno, 0};
    const RegularFile file = regularFile(nativePath_, FileAccess::Read);
    if (!file.ok())
        return file.problem;
    RecordBytes bytes{};
    std::size_t got = 0;
    if (!readUpTo(file.fd.get(), reinterpret_cast<char*>(bytes.data()), bytes.size(), got))
        return {errno, 0};
    decodeRecord(std::span(bytes).first(got), table);
    return {};
}

FileResult RecordFile::save(const RecordTable& table) {
    struct stat named {};
    const bool present = ::lstat(nativePath_.constData(), &named) == 0;
    if (lastLoadFailed() && present)
        return {false,
                QCoreApplication::translate(
                    "rz6::RecordFile", "記録ファイル「%1」は読み込めなかったため、これまでの記録を"
                                       "守るために上書きしませんでした。この回の記録は保存されて"
                                       "いません。\n理由：%2")
                    .arg(path_, loadProblem_.reason())};
    if (const FileProblem problem = writeRecord(table); problem.failed())
        return saveFailure(path_, problem);
    return {};
}

FileProblem RecordFile::writeRecord(const RecordTable& table) const {
    // The old file is opened before anything is written: a record whose extra bytes cannot
    // be read is left alone rather than replaced by a shorter one.
    const RegularFile old = regularFile(nativePath_, FileAccess::Read);
    if (!old.ok() && !old.problem.missing())
        return old.problem;

    // A folder deleted while the game ran is made again, as the first start makes it.
    const QByteArray folder = folderOf(nativePath_);
    if (!old.fd.valid() && ::access(folder.constData(), F_OK) != 0 && errno == ENOENT)
        if (const int error = makeFolders(folder))
            return {error, 0};

    // The replacement belongs to whoever owned the record and keeps its permissions, also
    // when root saves a player's record; a new record gets the usual permissions.
    NewFileMode mode{usualFileMode(), std::nullopt};
    if (old.fd.valid())
        mode = NewFileMode{mode_t(old.info.st_mode & 07777),
                           std::pair(old.info.st_uid, old.info.st_gid)};
    const RecordBytes bytes = encodeRecord(table);
    return replaceWhole(
        nativePath_,
        [&](int out) {
            return writeAll(out, reinterpret_cast<const char*>(bytes.data()), bytes.size()) &&
                   (!old.fd.valid() || copyTail(old.fd.get(), out));
        },
        mode);
}

} // namespace rz6
