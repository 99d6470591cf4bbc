// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QString>

#include <sys/types.h>

namespace rz6 {

// The system's reason for a failed file operation, in the player's language, for messages
// to the player.
QString reasonText(int error);

// What kind of thing a file's mode says it is ("シンボリックリンク", "フォルダ", ...), for
// a message that refuses anything but a regular file.
QString fileKindName(mode_t mode);

// "通常のファイルではなく、<kind>です": the reason a record or lock is left alone.
QString notRegularReason(mode_t mode);

} // namespace rz6
