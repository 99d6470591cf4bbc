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
# Configures a new folder, and again when an option given here (-DNAME=VALUE) differs from
# what the folder was configured with, such as warnings as errors turned on for a test run.
configured() {
    [[ -f "$dir/CMakeCache.txt" ]] || return 1
    local option name value
    for option in "$@"; do
        [[ $option =~ ^-D([A-Za-z0-9_]+)(:[A-Z]+)?=(.*)$ ]] || continue
        name=${BASH_REMATCH[1]} value=${BASH_REMATCH[3]}
        grep -qxF -e "$name:BOOL=$value" -e "$name:STRING=$value" -e "$name:UNINITIALIZED=$value" \
            -e "$name:PATH=$value" -e "$name:FILEPATH=$value" "$dir/CMakeCache.txt" || return 1
    done
}
if ! configured "$@"; then
    cmake -S "$root" -B "$dir" "${launcher[@]}" "$@"
fi
cmake --build "$dir" --parallel "$(nproc)"
