// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Feeds the record reader arbitrary files and checks that:
// - decodeRecord takes exactly the bytes the file has, as little-endian values, and leaves
//   the rest of the table as it was;
// - RecordFile::load of the same bytes on disk gives the same table;
// - a save after that load keeps the record and every byte after it, and reads back the same;
// - whatever kind of file sits at the record's name (a link to a file, dangling or looping, a
//   named pipe, a folder), load and save refuse it at once and the file a link points to
//   stays exactly as it was;
// - whatever the lock file holds (nothing, the input's bytes, an ended process, another
//   host) or is (a folder, a link), the lock is taken, refused or reported as unusable as
//   its state says, and is gone again after unlock when it was taken.
// Everything happens inside one temporary folder.

#include "save/record_codec.h"
#include "save/record_file.h"
#include "save/record_lock.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "record invariant broken: %s\n", what);
        std::abort();
    }
}

// A table whose every byte differs from its neighbours, so any stray write shows.
rz6::RecordTable untouchedTable() {
    rz6::RecordTable table{};
    for (int i = 0; i < rz6::recordTableSize; ++i)
        table[i] = static_cast<std::int32_t>(0xA5000000u + 0x010203u * unsigned(i));
    return table;
}

void checkDecode(std::span<const std::byte> bytes, rz6::RecordTable& decoded) {
    decoded = untouchedTable();
    rz6::decodeRecord(bytes, decoded);
    const rz6::RecordBytes image = rz6::encodeRecord(decoded);
    const rz6::RecordBytes before = rz6::encodeRecord(untouchedTable());
    const std::size_t covered = std::min(bytes.size(), rz6::recordByteSize);
    check(std::equal(image.begin(), image.begin() + covered, bytes.begin()),
          "decoded table does not hold the file's bytes");
    check(std::equal(image.begin() + covered, image.end(), before.begin() + covered),
          "decoding touched elements the file does not reach");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    check(file.open(QIODevice::ReadOnly), "record file cannot be read back");
    return file.readAll();
}

void checkFile(const QString& path, const QByteArray& content, const rz6::RecordTable& decoded) {
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the test file");
        check(file.write(content) == content.size(), "cannot write the test file");
    }
    rz6::RecordFile record(QFile::encodeName(path));
    rz6::RecordTable loaded = untouchedTable();
    check(record.load(loaded).ok, "load of a plain file failed");
    check(loaded == decoded, "load and decodeRecord disagree");

    check(record.save(loaded).ok, "save after a good load failed");
    const QByteArray saved = readAll(path);
    const auto size = std::max<qsizetype>(content.size(), qsizetype(rz6::recordByteSize));
    check(saved.size() == size, "save changed the file's length wrongly");
    const rz6::RecordBytes image = rz6::encodeRecord(loaded);
    check(std::memcmp(saved.constData(), image.data(), image.size()) == 0,
          "saved record is not the table");
    if (content.size() > qsizetype(rz6::recordByteSize))
        check(saved.mid(qsizetype(rz6::recordByteSize)) ==
                  content.mid(qsizetype(rz6::recordByteSize)),
              "bytes after the record were not kept");

    rz6::RecordTable again = untouchedTable();
    check(record.load(again).ok, "load after save failed");
    check(again == loaded, "a reload changed the table");
}

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

void removeAt(const QByteArray& path) {
    ::unlink(path.constData());
    ::rmdir(path.constData());
}

// Something other than a regular file at the record's name: refused both ways, at once.
void checkOtherKind(const QString& folder, std::uint8_t kind, const QByteArray& content) {
    const QByteArray path = native(folder + QStringLiteral("/other.DAT"));
    const QByteArray victim = native(folder + QStringLiteral("/victim"));
    {
        QFile file(QFile::decodeName(victim));
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the victim");
        check(file.write(content) == content.size(), "cannot write the victim");
    }
    removeAt(path);
    switch (kind % 5) {
    case 0:
        ::symlink(victim.constData(), path.constData());
        break;
    case 1:
        ::symlink("nowhere", path.constData());
        break;
    case 2:
        ::symlink("other.DAT", path.constData());
        break;
    case 3:
        ::mkfifo(path.constData(), 0600);
        break;
    default:
        ::mkdir(path.constData(), 0700);
        break;
    }
    rz6::RecordFile record(QFile::encodeName(path));
    rz6::RecordTable table = untouchedTable();
    check(!record.load(table).ok, "a record that is no regular file was read");
    check(table == untouchedTable(), "a refused load changed the table");
    rz6::RecordFile fresh(QFile::encodeName(path));
    check(!fresh.save(table).ok, "a record that is no regular file was replaced");
    check(readAll(QFile::decodeName(victim)) == content, "a file behind a link was changed");
    removeAt(path);
}

long endedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return long(child);
}

// The lock in every state the input picks, its text taken from the input.
void checkLock(const QString& folder, std::uint8_t state, const QByteArray& content) {
    using Outcome = rz6::RecordLock::Outcome;
    const QByteArray path = native(folder + QStringLiteral("/rz6.lock"));
    removeAt(path);
    QByteArray text = content;
    switch (state % 6) {
    case 0:
        text.clear();
        break; // no lock file at all
    case 1:
        break; // the input's bytes
    case 2:
        text = rz6::RecordLock::contents(endedProcess(), rz6::RecordLock::thisHostName());
        break;
    case 3:
        text = "7\nrz6\nanother-host\n";
        break;
    case 4:
        ::mkdir(path.constData(), 0700);
        break;
    default:
        ::symlink("nowhere", path.constData());
        break;
    }
    if (state % 6 >= 1 && state % 6 <= 3) {
        QFile file(QFile::decodeName(path));
        check(file.open(QIODevice::WriteOnly), "cannot write the lock");
        check(file.write(text) == text.size(), "cannot write the lock");
    }
    rz6::RecordLock lock(path);
    const rz6::RecordLock::Result result = lock.lock();
    switch (state % 6) {
    case 0:
    case 2:
        check(result.outcome == Outcome::Locked, "a free lock was not taken");
        break;
    case 1:
        check(result.outcome == Outcome::Locked || result.outcome == Outcome::RunningElsewhere,
              "a lock's text gave an outcome a text cannot give");
        break;
    case 3:
        check(result.outcome == Outcome::RunningElsewhere, "another host was not named");
        break;
    default:
        check(result.outcome == Outcome::Unusable, "no regular lock was used");
        break;
    }
    if (result.locked()) {
        check(readAll(QFile::decodeName(path)) ==
                  rz6::RecordLock::contents(long(::getpid()), rz6::RecordLock::thisHostName()),
              "a taken lock does not name this copy");
        rz6::RecordLock second(path);
        check(second.lock().outcome == Outcome::RunningHere, "a held lock was taken twice");
        lock.unlock();
        struct stat gone {};
        check(::lstat(path.constData(), &gone) != 0, "the lock stayed after unlock");
    }
    removeAt(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    check(folder.isValid(), "no temporary folder");
    const std::span bytes(reinterpret_cast<const std::byte*>(data), size);

    rz6::RecordTable decoded{};
    checkDecode(bytes, decoded);
    checkFile(folder.filePath(QStringLiteral("rz6.DAT")),
              QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), decoded);
    if (size > 0) {
        const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
        checkOtherKind(folder.path(), data[0], rest);
        checkLock(folder.path(), data[0] >> 3, rest);
    }
    return 0;
}
