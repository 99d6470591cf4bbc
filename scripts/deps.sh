#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Installs the Debian packages that building, playing and testing the game need,
# and only those that are missing. Works as root or through sudo.
set -euo pipefail

packages=(
    cmake g++ make pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-wayland libgl-dev
    # The 戦績 chart and the match history. Qt Charts' CMake files need the OpenGL module's,
    # which Debian's qt6-charts-dev does not pull in.
    qt6-charts-dev libqt6charts6 libqt6opengl6-dev libsqlite3-dev
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core
    # The English translation: lupdate and lrelease, and their CMake functions.
    qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools
    # The sounds: the sound library talks to PulseAudio (or PipeWire's server of the same
    # protocol) through libpulse.
    libpulse-dev libpulse0
)
if [[ "${1:-}" == "--test" ]]; then
    packages+=(libgtest-dev clang-format xvfb xauth xdotool x11-utils x11-apps x11-xkb-utils
               desktop-file-utils appstream clang libclang-rt-14-dev util-linux strace
               python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus-daemon orca speech-dispatcher procps
               debhelper lintian dpkg-dev sqlite3 weston openbox
               # The start-up benchmark hears of the first paint from the X server (DAMAGE).
               libxcb-damage0-dev
               # A private sound server with a null sink for the sound tests and benchmark.
               pulseaudio pulseaudio-utils
               # The replay file's type, as the desktop registers it.
               shared-mime-info)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    # A system installed with a root password has no sudo: say what root should run.
    if ! command -v sudo >/dev/null; then
        echo "scripts/deps.sh: packages are missing and there is no sudo; run this as root, then try again:" >&2
        echo "apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
