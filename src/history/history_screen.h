// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "history/history_match.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

namespace rz6 {

// The 戦績 screen lives in a library of its own, "librz6_history_screen.so", loaded the first
// time the player opens it: its chart is drawn with Qt Charts, which would otherwise be loaded
// (with OpenGL) before the game's first window appears, and most starts never open 戦績.
//
// The library holds only the screen's own code: everything else it uses of the game (this
// class, the history's figures, the screens' helpers) it takes from the program, which
// exports the game's functions for it. The program reaches the screen through this class.
class HistoryScreen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows what became of an export (or any later word about the history).
    virtual void showNote(const QString& text) = 0;

signals:
    // The player chose a file in the desktop's file dialog to write the CSV to.
    void exportRequested(const QString& path);
    // Sent exactly once, after the screen has closed by whichever route.
    void closed();
};

// Makes the 戦績 screen over the given matches (oldest first) with the given note, as a
// window the parent owns, or returns nullptr and says why in `problem`, naming the file.
using HistoryScreenMaker = std::function<HistoryScreen*(
    std::vector<HistoryMatch> matches, const QString& note, QWidget* parent, QString& problem)>;

// The maker the game uses: it loads the library once, from beside the program first (the
// build folder, a portable copy), then from the folder the game is installed with.
HistoryScreen* loadHistoryScreen(std::vector<HistoryMatch> matches, const QString& note,
                                 QWidget* parent, QString& problem);

// Where loadHistoryScreen looks for the library, in that order, for a program in this folder:
// beside it, where an install puts it relative to the program's folder, and where it was
// configured to be installed.
QStringList historyScreenCandidates(const QString& programFolder);

// The function the library exports, and the version of what passes between them: a library of
// another version is not used.
inline constexpr char historyScreenEntryName[] = "rz6_make_history_screen";
inline constexpr int historyScreenInterface = 4;
using HistoryScreenEntry = HistoryScreen* (*)(int interface, std::vector<HistoryMatch>* matches,
                                              const QString* note, QWidget* parent);

} // namespace rz6
