// Feeds the record reader arbitrary files and checks that:
// - decodeRecord takes exactly the bytes the file has, as little-endian values, and leaves
//   the rest of the table as it was;
// - RecordFile::load of the same bytes on disk gives the same table;
// - a save after that load keeps the record and every byte after it, and reads back the same.

#include "save/record_codec.h"
#include "save/record_file.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

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
    rz6::RecordFile record(path);
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    check(folder.isValid(), "no temporary folder");
    const std::span bytes(reinterpret_cast<const std::byte*>(data), size);

    rz6::RecordTable decoded{};
    checkDecode(bytes, decoded);
    checkFile(folder.filePath(QStringLiteral("rz6.DAT")),
              QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), decoded);
    return 0;
}
