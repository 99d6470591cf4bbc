#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The English translation is complete: lupdate, run over the game's sources into a copy of
# rz6_en.ts, finds no text without a finished translation and none the sources no longer use.
# Usage: translations_complete_test.sh LUPDATE SOURCE_LIST TS_FILE [lupdate options...]
set -euo pipefail
lupdate=$1 sources=$2 ts=$3; shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/rz6_en.ts"
"$lupdate" "$@" "@$sources" -ts "$work/rz6_en.ts" >"$work/lupdate.log" 2>&1 || {
    cat "$work/lupdate.log"; exit 1; }
if grep -n -E 'type="(unfinished|vanished|obsolete)"' "$work/rz6_en.ts"; then
    echo "rz6_en.ts has texts without a finished translation, or ones no source uses any more;"
    echo "run: cmake --build <build dir> --target update_translations, then translate them"
    exit 1
fi
if grep -n -E '<translation>\s*</translation>' "$work/rz6_en.ts"; then
    echo "rz6_en.ts has empty translations"
    exit 1
fi
count=$(grep -c '<source>' "$work/rz6_en.ts")
echo "every one of $count texts has its English"
