#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
#
# Builds the Debian package from a copy of the source tree, as a packager would, and checks
# it: lintian reports no error and no warning, the desktop entry and the AppStream metainfo
# pass their validators, and the game, its manual page, README, icons and menu entry are
# where Debian's policy for games puts them.
#   usage: debian_package_test.sh SOURCE_FOLDER
set -uo pipefail
root=$(cd "${1:?source folder}" && pwd)

for tool in dpkg-buildpackage dh lintian desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/deps.sh --test installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A copy of the tracked files only: no build folders, nothing left over from a build.
src=$work/rz6
mkdir -p "$src"
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files -z --cached --others --exclude-standard |
        (cd "$root" && xargs -0 cp --parents -t "$src" 2>/dev/null)
else
    tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$src" -xf -
fi
[[ -f $src/debian/control ]] || fail "the copy of the tree has no debian/control"

# Objects are shared with earlier package builds through ccache, when there is one.
if command -v ccache >/dev/null; then
    # The copy lives in a fresh folder each time; the build maps that folder to "." anyway.
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$src CCACHE_NOHASHDIR=true \
        CCACHE_IGNOREOPTIONS="-ffile-prefix-map=*"
fi
export DEB_BUILD_OPTIONS="nocheck parallel=${RZ6_PACKAGE_JOBS:-2}"
(cd "$src" && dpkg-buildpackage -us -uc -b) >"$work/build.log" 2>&1 || {
    tail -n 40 "$work/build.log"
    fail "dpkg-buildpackage failed"
}
changes=$(ls "$work"/rz6_*.changes 2>/dev/null | head -n 1)
deb=$(ls "$work"/rz6_*.deb 2>/dev/null | head -n 1)
[[ -n $changes && -n $deb ]] || fail "dpkg-buildpackage made no .changes or no rz6 .deb"

echo "lintian:"
lintian --fail-on error,warning --tag-display-limit 0 "$changes" || fail "lintian: see above"

unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked" || fail "cannot unpack $deb"
for path in usr/games/rz6 usr/share/man/man6/rz6.6.gz usr/share/doc/rz6/README.md.gz \
    usr/share/doc/rz6/copyright usr/share/applications/local.swordrhythm.rz6.desktop \
    usr/share/metainfo/local.swordrhythm.rz6.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/local.swordrhythm.rz6.svg \
    usr/share/icons/hicolor/48x48/apps/local.swordrhythm.rz6.png; do
    [[ -e $unpacked/$path ]] || fail "the package has no /$path"
done
[[ -z $(find "$unpacked" -path '*/usr/bin*' -print -quit) ]] || fail "the package puts something in /usr/bin"

desktop=$unpacked/usr/share/applications/local.swordrhythm.rz6.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $out ]] || fail "desktop-file-validate: $out"
grep -qx 'Name\[ja\]=ソードリズム！　第弐章' "$desktop" || fail "the menu entry has no Japanese name"
appstreamcli validate --no-net --pedantic \
    "$unpacked/usr/share/metainfo/local.swordrhythm.rz6.metainfo.xml" ||
    fail "appstreamcli validate: see above"
echo "PASS: $(basename "$deb") builds, passes lintian and both validators"
