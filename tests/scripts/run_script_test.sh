#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
#
# scripts/run.sh refuses at once, in one line, when there is no display to show the game on
# (or when it runs through sudo), before it installs or builds anything; with a display it
# goes on to install, build and start. Its helpers are replaced by stubs that leave marks.
# scripts/test.sh refuses sudo the same way, and scripts/deps.sh, run by a player on a
# system without sudo, says what root should run instead of failing on a missing command.
#   usage: run_script_test.sh SOURCE_FOLDER
set -uo pipefail
root=$(cd "${1:?source folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts"
cp "$root/scripts/run.sh" "$root/scripts/test.sh" "$work/scripts/"
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
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SUDO_USER $env bash "$work/scripts/${script:-run.sh}" 2>&1 >/dev/null)
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
    script=test.sh check "test.sh through sudo" "SUDO_USER=player" 1 "without sudo" ""
fi

# deps.sh as a player, with packages missing and no sudo on the system: the exact command
# for root, and status 1. Needs a user other than root to run it as.
if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null; then
    mkdir -p "$work/bin"
    ln -s "$(command -v id)" "$work/bin/id"
    printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query" # nothing is installed
    chmod 755 "$work" "$work/bin" "$work/bin/dpkg-query"
    cp "$root/scripts/deps.sh" "$work/deps.sh" && chmod 755 "$work/deps.sh"
    out=$(setpriv --reuid=65534 --regid=65534 --clear-groups env PATH="$work/bin" \
        "$(command -v bash)" "$work/deps.sh" 2>&1)
    got=$?
    if [[ $got -ne 1 || $(printf '%s\n' "$out" | tail -n 1) != "apt-get install --no-install-recommends cmake g++ "* ]]; then
        echo "FAIL deps.sh without sudo: status $got, said: $out"
        failures=$((failures + 1))
    else
        echo "ok   deps.sh without sudo: $(printf '%s\n' "$out" | tail -n 1 | cut -c1-60)..."
    fi
fi
exit $((failures > 0))
