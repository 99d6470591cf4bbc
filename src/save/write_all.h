// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstddef>

namespace rz6 {

// Writes all `size` bytes at the file's offset, going on after a signal or a short write.
// False with errno set when the system refuses; a write that makes no progress counts as an
// input/output error (EIO) rather than looping for ever.
bool writeAll(int fd, const char* data, std::size_t size);

} // namespace rz6
