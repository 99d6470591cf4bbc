#include "save/record_file.h"

#include "save/record_codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace rz6 {

namespace {

// Bytes after the record are copied to the new file in pieces of this size, so even a huge
// file never has to be held in memory.
constexpr qint64 copyChunk = 64 * 1024;

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

RecordFileResult failure(const QString& text, const QString& path, const QString& reason) {
    return {false, text.arg(path, reason)};
}

RecordFileResult loadFailure(const QString& path, const QString& reason) {
    return failure(QStringLiteral("記録ファイル「%1」を読み込めませんでした。\n理由: %2"), path,
                   reason);
}

RecordFileResult saveFailure(const QString& path, const QString& reason) {
    return failure(QStringLiteral("記録ファイル「%1」に書き込めませんでした。\n理由: %2"), path,
                   reason);
}

// Reads up to maxSize bytes, going on after short reads until the end of the file.
bool readUpTo(QFile& file, char* into, qint64 maxSize, qint64& got) {
    got = 0;
    while (got < maxSize) {
        const qint64 n = file.read(into + got, maxSize - got);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += n;
    }
    return true;
}

bool writeAll(QSaveFile& file, const char* data, qint64 size) {
    return file.write(data, size) == size;
}

// Copies everything after the record in the old file to the end of the new one.
bool copyTail(QFile& old, QSaveFile& out, QString& reason) {
    if (old.size() <= qint64(recordByteSize))
        return true;
    if (!old.seek(qint64(recordByteSize))) {
        reason = old.errorString();
        return false;
    }
    QByteArray chunk(copyChunk, Qt::Uninitialized);
    for (;;) {
        qint64 got = 0;
        if (!readUpTo(old, chunk.data(), copyChunk, got)) {
            reason = old.errorString();
            return false;
        }
        if (got == 0)
            return true;
        if (!writeAll(out, chunk.constData(), got)) {
            reason = out.errorString();
            return false;
        }
    }
}

// Waits until the file's data is on the disk, where delayed writes show their errors. Returns
// 0 or the system's error number; a file system that cannot sync at all does not count.
int syncToDisk(QSaveFile& file) {
    const int handle = file.handle();
    if (handle < 0)
        return 0;
    if (::fsync(handle) == 0 || errno == EINVAL || errno == ENOTSUP)
        return 0;
    return errno;
}

} // namespace

RecordFile::RecordFile(QString path) : path_(std::move(path)) {}

LoadResult RecordFile::load(RecordTable& table) {
    loadFailed_ = false;
    loadReason_.clear();
    QString reason;
    if (readRecord(table, reason))
        return {};
    loadFailed_ = true;
    loadReason_ = reason;
    return loadFailure(path_, reason);
}

bool RecordFile::readRecord(RecordTable& table, QString& reason) const {
    if (QFileInfo(path_).isDir()) {
        reason = systemReason(EISDIR);
        return false;
    }
    QFile file(path_);
    if (!QFileInfo::exists(path_)) {
        // The first run starts the record with an empty file, as the game always did.
        // NewOnly never truncates a file that appeared in the meantime; that one is read.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        if (!QFileInfo::exists(path_)) {
            reason = file.errorString();
            return false;
        }
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    RecordBytes bytes{};
    qint64 got = 0;
    if (!readUpTo(file, reinterpret_cast<char*>(bytes.data()), qint64(bytes.size()), got)) {
        reason = file.errorString();
        return false;
    }
    decodeRecord(std::span(bytes).first(static_cast<std::size_t>(got)), table);
    return true;
}

SaveResult RecordFile::save(const RecordTable& table) {
    const QFileInfo info(path_);
    if (lastLoadFailed() && (info.exists() || info.isSymLink()))
        return {false, QStringLiteral("記録ファイル「%1」は読み込めなかったため、これまでの記録を"
                                      "守るために上書きしませんでした。この回の記録は保存されて"
                                      "いません。\n理由: %2")
                           .arg(path_, loadReason_)};
    if (info.isDir())
        return saveFailure(path_, systemReason(EISDIR));

    // Opening the old file before writing anything: a record whose extra bytes cannot be
    // read is left alone rather than replaced by a shorter one.
    QFile old(path_);
    const bool hadOld = info.exists();
    if (hadOld && !old.open(QIODevice::ReadOnly))
        return saveFailure(path_, old.errorString());

    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly))
        return saveFailure(path_, out.errorString());

    const RecordBytes bytes = encodeRecord(table);
    if (!writeAll(out, reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())))
        return saveFailure(path_, out.errorString());
    QString reason;
    if (hadOld && !copyTail(old, out, reason))
        return saveFailure(path_, reason);
    old.close();

    // The new file must be complete on disk before it replaces the old one. QSaveFile's own
    // commit() neither reports a failed flush of its buffer nor a failed sync: on a full
    // disk it would put an empty file in the record's place and call that success.
    if (!out.flush())
        return saveFailure(path_, out.errorString());
    if (const int error = syncToDisk(out); error != 0)
        return saveFailure(path_, systemReason(error));
    if (!out.commit())
        return saveFailure(path_, out.errorString());
    return {};
}

} // namespace rz6
