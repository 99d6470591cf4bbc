// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/join_path.h"

namespace rz6 {

std::string joinPath(std::string_view folder, std::string_view fileName, char separator) {
    std::string path;
    path.reserve(folder.size() + 1 + fileName.size());
    path.append(folder);
    if (folder.empty() || folder.back() != separator)
        path.push_back(separator);
    path.append(fileName);
    return path;
}

} // namespace rz6
