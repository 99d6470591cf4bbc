#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
#
# Every file the build generates has one rule that makes it. With the Makefile generator, a
# file whose rule sits in two targets is written by both when make runs them side by side, and
# a half-written source then fails the build now and then. Configures the tree with that
# generator into a scratch folder and lists every file made by the commands of two targets.
#   usage: one_rule_per_file_test.sh SOURCE_FOLDER
set -euo pipefail
root=$(cd "${1:?source folder}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake -S "$root" -B "$scratch/build" -G "Unix Makefiles" -DBUILD_TESTING=ON \
    >"$scratch/configure.log" 2>&1 || {
    cat "$scratch/configure.log"; echo "FAIL: the tree does not configure"; exit 1
}
# In each target's build.make, a rule with a recipe is "file: prerequisites" followed by
# tab-indented commands; the target is the name of the folder build.make sits in.
twice=$(find "$scratch/build" -name build.make -print0 | xargs -0 awk '
    FNR == 1 { target = FILENAME; sub(/\/build\.make$/, "", target); sub(/.*\//, "", target); made = "" }
    /^\t/ { if (made != "") makers[made] = makers[made] " " target; made = ""; next }
    /^[^#\t .][^:]*:/ { made = $0; sub(/:.*/, "", made); next }
    { made = "" }
    END { for (f in makers) { n = split(makers[f], t, " "); seen = ""; count = 0
                              for (i = 1; i <= n; i++) if (index(seen, " " t[i] " ") == 0) {
                                  seen = seen " " t[i] " "; count++ }
                              if (count > 1) print f ":" seen } }' | sort)
if [[ -n $twice ]]; then
    echo "FAIL: files with a rule in more than one target:"
    echo "$twice"
    exit 1
fi
echo "PASS: every generated file has one rule"
