// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <string>
#include <string_view>

namespace rz6 {

// The separator between a folder and a name on this system.
#ifdef _WIN32
inline constexpr char nativeSeparator = '\\';
#else
inline constexpr char nativeSeparator = '/';
#endif

// Puts fileName behind folder with exactly one separator between them: none is added when
// the folder already ends with one (a drive or file-system root, say). Only the folder's
// last character is looked at; fileName is taken as it stands. An empty folder gives the
// separator followed by the name.
std::string joinPath(std::string_view folder, std::string_view fileName,
                     char separator = nativeSeparator);

} // namespace rz6
