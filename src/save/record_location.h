#pragma once

#include <QString>

#include <functional>

namespace rz6 {

// The folder that holds the record (rz6.DAT) and the single-instance lock beside it.
struct RecordLocation {
    QString folder;        // empty when no usable folder could be had
    bool portable = false; // true: the program's own folder, the record travels with the program
    QString errorMessage;  // Japanese text for the player when folder is empty

    bool ok() const { return !folder.isEmpty(); }
};

// Answers whether a new file can really be created in a folder.
using FolderProbe = std::function<bool(const QString& folder)>;

// Creates and removes a temporary file in the folder. Permission bits alone say nothing for
// root, and a read-only mount only shows itself when a write is tried.
bool canCreateFileIn(const QString& folder);

// Picks where the record lives:
// - the program's own folder when a file can be created there, so a copy of the game kept on
//   a stick or in a home folder keeps its record beside it, as the game always did;
// - otherwise userDataFolder, made when missing.
// A program folder equal to installedProgramFolder (the system-wide bin folder of an
// installed copy) is never used: even when root could write there, a record among the
// system's programs would be lost or shared by accident.
RecordLocation chooseRecordLocation(const QString& programFolder, const QString& userDataFolder,
                                    const FolderProbe& canCreate = canCreateFileIn,
                                    const QString& installedProgramFolder = QString());

// The folder of the running executable.
QString programFolder();

// The per-user data folder: QStandardPaths::AppDataLocation (~/.local/share/rz6).
QString userDataFolder();

// The bin folder this build installs to; empty when not known.
QString installedProgramFolder();

// chooseRecordLocation with the real folders of this run.
RecordLocation chooseRecordLocation();

} // namespace rz6
