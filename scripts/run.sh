#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Installs what is missing, builds the game and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The game needs a desktop to show its window: say so now, not after a long build.
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "scripts/run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): run it from a desktop session" >&2
    exit 1
fi
# Through sudo, the build would belong to root and the game would keep root's record, not the
# player's. deps.sh asks for sudo itself.
if [[ $(id -u) -eq 0 && -n ${SUDO_USER:-} ]]; then
    echo "scripts/run.sh: run it as yourself, without sudo (it asks for sudo only to install packages)" >&2
    exit 1
fi
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
# Started from the build folder, the game keeps its record in the player's data folder
# (~/.local/share/rz6), so deleting or rebuilding build/ never touches it.
exec "$root/build/rz6"
