// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace rz6 {

// The folder that holds the record (rz6.DAT) and the single-instance lock beside it.
struct RecordLocation {
    QString folder;          // as shown to the player; empty when no usable folder was had
    QByteArray nativeFolder; // the same folder as the bytes the system uses
    bool portable = false;   // true: the program's own folder, the record travels with it
    QString errorMessage;    // Japanese text for the player when folder is empty
    QString carriedOverFrom; // a record beside the program that was copied here, if any

    bool ok() const { return !nativeFolder.isEmpty(); }
};

// Answers whether the record can really be saved in a folder (given as the system's bytes).
using FolderProbe = std::function<bool(const QByteArray& folder)>;

// Creates and removes the temporary file a save of the record would create in the folder.
// Permission bits alone say nothing for root, a read-only mount only shows itself when a
// write is tried, and a folder whose path leaves no room for the temporary name is found
// here rather than at the first save.
bool canCreateFileIn(const QByteArray& folder);
bool canCreateFileIn(const QString& folder);

// Picks where the record lives:
// - the program's own folder when a file can be created there, so a copy of the game kept on
//   a stick or in a home folder keeps its record beside it, as the game always did;
// - otherwise userDataFolder, made when missing. When the record does not exist there yet
//   and a readable record lies beside the program, that one is copied (all its bytes) and
//   carriedOverFrom names it; the original is never written.
// A program folder equal to one of installedProgramFolders (the bin folders of installed
// copies) is never used: even when root could write there, a record among the system's
// programs would be lost or shared by accident. Nor is a build folder (one that holds
// CMake's CMakeCache.txt), which a rebuild or a clean deletes whole; a record left there by
// an older build is carried over once.
RecordLocation chooseRecordLocation(const QByteArray& programFolder,
                                    const QByteArray& userDataFolder, const FolderProbe& canCreate,
                                    const QList<QByteArray>& installedProgramFolders);
// The same for folders given as text (tests).
RecordLocation chooseRecordLocation(const QString& programFolder, const QString& userDataFolder,
                                    const FolderProbe& canCreate = {},
                                    const QString& installedProgramFolder = QString());

// The folder of the running executable, as the system's bytes.
QByteArray programFolder();

// The per-user data folder, following the XDG rules: $XDG_DATA_HOME/rz6 when that is an
// absolute path, otherwise <home>/.local/share/rz6, the home taken from $HOME or, when that
// is unset or relative, from the password database. Empty when there is no home at all.
QByteArray userDataFolder();
QByteArray userDataFolder(const QByteArray& xdgDataHome, const QByteArray& home,
                          const QByteArray& passwordHome);

// The folders installed copies run from: the bin folder this build installs to and the
// system's folder for games.
QList<QByteArray> installedProgramFolders();

// chooseRecordLocation with the real folders of this run.
RecordLocation chooseRecordLocation();

} // namespace rz6
