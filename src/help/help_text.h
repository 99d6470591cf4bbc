// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QString>

namespace rz6 {

// The rules as the help screen "遊び方" tells them, as HTML. Every number in it that the
// rules decide (the turns, the penalties, the characters' gauges and multipliers, the record's
// file and folder) is read from the code that defines it, so the help cannot drift from the
// game.
QString helpText();

// A caption padded with ideographic spaces ("終　　　了") as HTML, written so that a line never
// breaks inside it and the padding keeps its width, as on the button it names.
QString unbrokenCaption(const QString& caption);

} // namespace rz6
