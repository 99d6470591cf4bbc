// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "sound/sound_reconnect.h"

#include <algorithm>

namespace rz6::sound {

std::optional<std::int64_t> Reconnect::nextTry(std::int64_t now) const {
    if (!lastAsked_ || now - *lastAsked_ > demand)
        return std::nullopt;
    if (!lastAttempt_)
        return 0;
    return std::max<std::int64_t>(0, *lastAttempt_ + spacing - now);
}

} // namespace rz6::sound
