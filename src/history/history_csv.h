// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "history/history_match.h"
#include "save/file_layer.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

namespace rz6 {

// The whole history as CSV text in UTF-8: a header row, then one row per match in the order
// given, with ISO 8601 dates that carry the player's local offset. Fields are quoted only
// when they hold a comma, a quote or a line break.
QByteArray historyCsv(const std::vector<HistoryMatch>& matches);

// Writes csv to the file at path (the system's bytes), replacing it whole in one step as every
// file of the game is written. Refused, with nothing written: a path that is, or leads to, one
// of protectedFiles (the record, its lock, the history), and anything at the name but a
// regular file.
FileResult writeHistoryCsv(const QByteArray& csv, const QByteArray& path,
                           const QList<QByteArray>& protectedFiles);

} // namespace rz6
