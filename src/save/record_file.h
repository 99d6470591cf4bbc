#pragma once

#include "battle/record_table.h"

#include <QString>

namespace rz6 {

// What became of one load or save: success, or a failure with a Japanese text for the
// player that names the file and the system's reason. Showing it is the caller's business.
struct RecordFileResult {
    bool ok = true;
    QString message; // empty on success

    explicit operator bool() const { return ok; }
};

using LoadResult = RecordFileResult;
using SaveResult = RecordFileResult;

// The record file rz6.DAT: the 180-byte image of the record table, possibly followed by
// bytes the game does not use, which are kept exactly as they are.
//
// Guarantees:
// - load() creates a missing file empty and reads as many of the first 180 bytes as there
//   are; a file of any length is accepted.
// - save() writes a complete new file beside the old one and puts it in place in one step,
//   so a crash or a full disk never leaves a half-written record. The new file keeps the old
//   one's permissions and every byte after the first 180; it is never shorter than before.
// - Once a load has failed, save() refuses to replace an existing file: a record the game
//   could not read must not be wiped by the empty table of this run.
// - Every failure is reported, none as success, and nothing is shown from here.
class RecordFile {
public:
    explicit RecordFile(QString path);

    const QString& path() const { return path_; }

    // Fills table from the file; the elements the file does not reach keep their values.
    LoadResult load(RecordTable& table);

    SaveResult save(const RecordTable& table);

    // True after a load that failed, until the next load succeeds.
    bool lastLoadFailed() const { return loadFailed_; }

private:
    bool readRecord(RecordTable& table, QString& reason) const;

    QString path_;
    bool loadFailed_ = false;
    QString loadReason_; // the system's reason of the last failed load
};

} // namespace rz6
