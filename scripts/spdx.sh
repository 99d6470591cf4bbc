#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
#
# Puts the licence line at the top of every tracked source, script, CMake file, SVG and
# template (generated headers, desktop entry, AppStream file) that lacks one, in that kind of
# file's comment syntax: after a shebang line, and in an XML file after its XML declaration.
# Running it again changes nothing.
#   scripts/spdx.sh           add the missing lines
#   scripts/spdx.sh --check   only list the files that lack one; fails if there are any
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
check=false
[[ "${1:-}" == "--check" ]] && check=true

licence="SPDX-License-Identifier: MIT"
copyright="Copyright (c) 2026 ソードリズム制作班"

# The comment syntax for a file, or nothing when the file is none of the kinds above.
comment_style() {
    case $1 in
    *.cpp | *.h | *.h.in) echo "//" ;;
    *.svg | *.xml.in) echo "<!--" ;;
    *.sh | *.py | *.cmake | */CMakeLists.txt | CMakeLists.txt | *.desktop.in) echo "#" ;;
    *) if [[ $(head -c 2 "$1" | tr -d '\000') == "#!" ]]; then echo "#"; fi ;;
    esac
}

list_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files
    else
        find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||'
    fi
}

missing=0
while IFS= read -r file; do
    [[ -f $file ]] || continue
    style=$(comment_style "$file")
    [[ -n $style ]] || continue
    # Read whole before matching: with pipefail, grep -q leaving early could end head with
    # SIGPIPE on a long line and count a licensed file as unlicensed.
    [[ $(head -n 5 "$file") == *"$licence"* ]] && continue
    if $check; then
        echo "no licence line: $file"
        missing=$((missing + 1))
        continue
    fi
    case $style in
    "//") header="// $licence"$'\n'"// $copyright" ;;
    "#") header="# $licence"$'\n'"# $copyright" ;;
    "<!--") header="<!-- $licence -->"$'\n'"<!-- $copyright -->" ;;
    esac
    first=$(head -n 1 "$file")
    tmp=$(mktemp)
    if [[ $first == "#!"* || ($style == "<!--" && $first == "<?xml"*) ]]; then
        { printf '%s\n%s\n' "$first" "$header"; tail -n +2 "$file"; } >"$tmp"
    else
        { printf '%s\n' "$header"; cat "$file"; } >"$tmp"
    fi
    cat "$tmp" >"$file" # keeps the file's mode
    rm -f "$tmp"
done < <(list_files)

if $check && ((missing > 0)); then
    echo "$missing file(s) without a licence line: run scripts/spdx.sh"
    exit 1
fi
exit 0
