// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QFunctionPointer>
#include <QString>
#include <QStringList>

namespace rz6 {

// The game's own libraries (the 戦績 screen, the history's store), loaded when first needed:
// where they are looked for, in that order, for a program in this folder: beside it (the
// build folder, a portable copy), where an install puts them relative to the program's
// folder, and where they were configured to be installed.
QStringList gameLibraryCandidates(const QString& programFolder, const char* file);

// What loading a library found: its entry function, or nullptr with the file last tried and
// the reason.
struct GameLibraryEntry {
    QFunctionPointer entry = nullptr;
    QString file;
    QString reason;
};

// The entry function of the first of the candidates for this program that loads. Loaded once
// per run: later calls give what the first found. Kept loaded for the rest of the run (what
// it makes lives there), and with every symbol bound as it loads, so a library that needs
// what this program does not hold is refused here, not at some later call.
const GameLibraryEntry& loadGameLibrary(const char* file, const char* entryName);

} // namespace rz6
