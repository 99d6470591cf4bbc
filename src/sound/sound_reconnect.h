// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>
#include <optional>

namespace rz6::sound {

// When the sound library looks for the sound server again after finding none, or after
// losing it: never more often than every `spacing`, and only while the game is asking for
// sounds (a cue in the last `demand`), so a game left alone without a server never wakes up
// for it. Times are milliseconds on a steady clock the caller reads.
class Reconnect {
public:
    static constexpr std::int64_t spacing = 3000;
    static constexpr std::int64_t demand = 30000;

    void attempted(std::int64_t now) { lastAttempt_ = now; }
    void asked(std::int64_t now) { lastAsked_ = now; }

    // How long from `now` until the next try is due, or nothing: no try until a cue is asked
    // for.
    std::optional<std::int64_t> nextTry(std::int64_t now) const;

private:
    std::optional<std::int64_t> lastAttempt_;
    std::optional<std::int64_t> lastAsked_;
};

} // namespace rz6::sound
