// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Writes matches to a history through the game's store, one after another, and prints
// "written N" once match N is committed; the fault test kills it at random moments.
//   history_writer FILE FIRST COUNT
#include "history/history_store.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4)
        return 2;
    rz6::HistoryStore store{QByteArray(argv[1])};
    const int first = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int n = first; n < first + count; ++n) {
        rz6::HistoryMatch match;
        match.endedUtcMs = n;
        match.overallScore = n;
        match.techniques = {{8, n % 7 + 1}};
        for (int k = 0; k < 200; ++k)
            match.keys.push_back({char16_t(u'1' + k % 9), std::int64_t(k) * 37});
        const rz6::FileResult result = store.append(match);
        if (!result.ok) {
            std::fprintf(stderr, "%s\n", result.message.toLocal8Bit().constData());
            return 1;
        }
        std::printf("written %d\n", n);
        std::fflush(stdout);
    }
    return 0;
}
