#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Installs what is missing, builds the game with its tests and runs every test.
#   scripts/test.sh          the ordinary build
#   scripts/test.sh --all    also the AddressSanitizer/UBSan build and the fuzz targets (CI)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" --test

run_suite() {
    local dir=$1; shift
    "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON "$@"
    ctest --test-dir "$dir" --output-on-failure --timeout 300 -j "$(nproc)"
}

run_suite "$root/build-test"
if [[ "${1:-}" == "--all" ]]; then
    # Leaks are reported, except those of the system libraries Qt loads (scripts/lsan.supp).
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp" \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        run_suite "$root/build-asan" -DRZ6_SANITIZE=ON
    # About a minute of fuzzing for each target.
    "$root/scripts/fuzz.sh" "$root/build-fuzz" 60
fi
