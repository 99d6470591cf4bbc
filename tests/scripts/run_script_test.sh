#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
#
# scripts/run.sh refuses at once, in one line, when there is no display to show the game on
# (or when it runs through sudo), before it installs or builds anything; with a display it
# goes on to install, build and start. Its helpers are replaced by stubs that leave marks.
#   usage: run_script_test.sh SOURCE_FOLDER
set -uo pipefail
root=$(cd "${1:?source folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts"
cp "$root/scripts/run.sh" "$work/scripts/"
for helper in deps build; do
    printf '#!/usr/bin/env bash\ntouch "%s/%s.ran"\n' "$work" "$helper" >"$work/scripts/$helper.sh"
done
printf 'mkdir -p "%s/build"\nprintf "#!/bin/sh\\ntouch %s/game.ran\\n" >"%s/build/rz6"\nchmod +x "%s/build/rz6"\n' \
    "$work" "$work" "$work" "$work" >>"$work/scripts/build.sh"
chmod +x "$work"/scripts/*.sh

failures=0
# case name | environment | expected exit | what stderr names | marks expected
check() {
    local name=$1 env=$2 status=$3 names=$4 marks=$5
    rm -f "$work"/*.ran
    local err
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SUDO_USER $env bash "$work/scripts/run.sh" 2>&1 >/dev/null)
    local got=$?
    local ran
    ran=$(cd "$work" && ls *.ran 2>/dev/null | tr '\n' ' ')
    if [[ $got -ne $status || ${ran% } != "$marks" ||
        ($names != "" && ($(printf '%s\n' "$err" | wc -l) -ne 1 || $err != *"$names"*)) ]]; then
        echo "FAIL $name: exit $got (want $status), ran '${ran% }' (want '$marks'), said: $err"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}
check "no display" "" 1 "DISPLAY" ""
check "X display" "DISPLAY=:99" 0 "" "build.ran deps.ran game.ran"
check "Wayland display" "WAYLAND_DISPLAY=wayland-0" 0 "" "build.ran deps.ran game.ran"
if [[ $(id -u) -eq 0 ]]; then
    check "through sudo" "DISPLAY=:99 SUDO_USER=player" 1 "without sudo" ""
fi
exit $((failures > 0))
