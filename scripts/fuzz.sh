#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each for a bounded
# time, starting from the seed corpus in fuzz/corpus/.
#   scripts/fuzz.sh [BUILD_DIR] [SECONDS_PER_TARGET]
# New inputs found on the way go to BUILD_DIR/corpus/, never into the repository.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$root/build-fuzz}")
seconds=${2:-60}

# Warnings are errors when the test command asks (RZ6_WERROR=ON), as in CI.
werror=${RZ6_WERROR:-OFF}
if [[ ! -f "$dir/CMakeCache.txt" ]] || ! grep -qx "RZ6_WERROR:BOOL=$werror" "$dir/CMakeCache.txt"; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    CXX=clang++ cmake -S "$root" -B "$dir" "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBUILD_TESTING=OFF -DRZ6_FUZZ=ON -DRZ6_WERROR="$werror"
fi
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
cmake --build "$dir" --parallel "$(nproc)" --target rz6_fuzz_match rz6_fuzz_record rz6_fuzz_replay

export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
# The targets fuzz side by side on the processors there are, each for the
# whole time; each one's report is printed when both are done.
fuzzTarget() {
    local name=$1 work="$dir/corpus/$1"
    mkdir -p "$work"
    "$dir/fuzz/rz6_fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$dir/crash-$name-" \
        "$work" "$root/fuzz/corpus/$name"
}
names=(match record replay)
if (($(nproc) > 1)); then
    pids=()
    for name in "${names[@]}"; do
        echo "fuzzing $name for ${seconds}s"
        fuzzTarget "$name" >"$dir/fuzz-$name.log" 2>&1 &
        pids+=($!)
    done
    status=0
    for i in "${!names[@]}"; do
        wait "${pids[$i]}" || status=1
        echo "== ${names[$i]}"
        cat "$dir/fuzz-${names[$i]}.log"
    done
    exit "$status"
fi
for name in "${names[@]}"; do
    echo "fuzzing $name for ${seconds}s"
    fuzzTarget "$name"
done
