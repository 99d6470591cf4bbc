#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Configures (once) and builds the game in the given build folder.
# Usage: scripts/build.sh BUILD_DIR [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
launcher=()
# Share compiled objects between build folders of one checkout.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [[ ! -f "$dir/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$dir" "${launcher[@]}" "$@"
fi
cmake --build "$dir" --parallel "$(nproc)"
