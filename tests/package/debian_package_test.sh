#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
#
# Builds the Debian package from a copy of the source tree, as a packager would, with the
# tests that need no display running in the build, and checks it: the build leaves the tree
# as it found it (what it writes is ignored), lintian reports no error and no warning, the
# desktop entry and the AppStream metainfo pass their validators, the game, its manual page,
# README, icons and menu entry are where Debian's policy for games puts them, its sound
# library where the game looks for it and the only part that links libpulse, and the
# package's own as-installed tests (debian/tests) pass against the package installed with apt
# (as root) or, failing that, against the unpacked one.
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
# The copy becomes a repository of its own, so that whatever the build leaves behind and
# the ignore rules do not cover shows up as a change.
git() { command git -c user.name=rz6 -c user.email=rz6@swordrhythm.invalid "$@"; }
(cd "$src" && git init -q && git add -A && git commit -q -m copy) ||
    fail "cannot make a repository of the copy"

# Objects are shared with earlier package builds through ccache, when there is one.
if command -v ccache >/dev/null; then
    # The copy lives in a fresh folder each time; the build maps that folder to "." anyway.
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$src CCACHE_NOHASHDIR=true \
        CCACHE_IGNOREOPTIONS="-ffile-prefix-map=*"
    # debhelper gives the build a HOME of its own, where ccache would find an empty cache
    # every time: the cache is named outright.
    CCACHE_DIR=$(ccache --get-config cache_dir) && export CCACHE_DIR
fi
export DEB_BUILD_OPTIONS="parallel=${RZ6_PACKAGE_JOBS:-2}"
(cd "$src" && dpkg-buildpackage -us -uc -b) >"$work/build.log" 2>&1 || {
    tail -n 40 "$work/build.log"
    fail "dpkg-buildpackage failed"
}
echo "dpkg-buildpackage: ${SECONDS}s"
changes=$(ls "$work"/rz6_*.changes 2>/dev/null | head -n 1)
deb=$(ls "$work"/rz6_*.deb 2>/dev/null | head -n 1)
[[ -n $changes && -n $deb ]] || fail "dpkg-buildpackage made no .changes or no rz6 .deb"
grep -Eq 'tests passed, 0 tests failed out of [1-9]' "$work/build.log" ||
    fail "the package build ran no tests"
grep -E 'tests passed.*out of' "$work/build.log"
left=$(cd "$src" && git status --porcelain --ignored=no)
[[ -z $left ]] || fail "the package build left files in the tree: $left"

echo "lintian:"
started=$SECONDS
lintian --fail-on error,warning --tag-display-limit 0 "$changes" || fail "lintian: see above"
echo "lintian: $((SECONDS - started))s"

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
# The folders compiled into the program are filled in: no CMake variable is left in its text.
for binary in "$unpacked/usr/games/rz6" "$unpacked"/usr/lib/*/rz6/librz6_history_screen.so \
    "$unpacked"/usr/lib/*/rz6/librz6_sound.so; do
    [[ -f $binary ]] || fail "the package has no $binary"
    unfilled=$(strings "$binary" | grep -E '\$\{[A-Za-z_][A-Za-z0-9_]*\}|\$<[A-Z_]+:' | head -n 3)
    [[ -z $unfilled ]] || fail "$binary holds build variables never filled in: $unfilled"
done

# The sound library is where the program looks for it (soundModuleCandidates): in the folder
# compiled in, and in the one relative to the program's own folder. It brings libpulse, which
# the package depends on; the program itself names no library of the sound system, and
# neither carries a search path outside the package's own folders.
program=$unpacked/usr/games/rz6
sound=$(strings "$program" | grep -xF librz6_sound.so | head -n 1)
[[ -n $sound ]] || fail "the program does not name librz6_sound.so"
folder=$(strings "$program" | grep -xE '/usr/lib/[^/]+/rz6' | head -n 1)
relative=$(strings "$program" | grep -xE '(\.\./)+lib/[^/]+/rz6' | head -n 1)
[[ -n $folder && -f $unpacked$folder/$sound ]] ||
    fail "the package has no $sound in the folder the program looks in (${folder:-none compiled in})"
[[ -n $relative && -f $unpacked/usr/games/$relative/$sound ]] ||
    fail "no $sound at ${relative:-?} from the program's folder"
needed() { LC_ALL=C readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
needed "$unpacked$folder/$sound" | grep -qx 'libpulse\.so\.[0-9]*' ||
    fail "$sound does not link libpulse: $(needed "$unpacked$folder/$sound" | tr '\n' ' ')"
! needed "$program" | grep -qi pulse || fail "the program links the sound system itself"
dpkg-deb -f "$deb" Depends | grep -qw libpulse0 || fail "the package does not depend on libpulse0"
for binary in "$program" "$unpacked$folder"/*.so; do
    paths=$(LC_ALL=C readelf -d "$binary" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
    if tr ':' '\n' <<<"$paths" | grep -qv -e '^$' -e '^[$]ORIGIN'; then
        fail "$binary searches for libraries outside the package: $paths"
    fi
done

desktop=$unpacked/usr/share/applications/local.swordrhythm.rz6.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $out ]] || fail "desktop-file-validate: $out"
grep -qx 'Name\[ja\]=ソードリズム！　第弐章' "$desktop" || fail "the menu entry has no Japanese name"
appstreamcli validate --no-net --pedantic \
    "$unpacked/usr/share/metainfo/local.swordrhythm.rz6.metainfo.xml" ||
    fail "appstreamcli validate: see above"

# The as-installed tests, run as autopkgtest runs them: each test gets a scratch folder, and
# one that writes to stderr fails unless it allows it. As root on a system without the game,
# the package is installed for real (apt, as a player installs it) and removed afterwards, so
# the tests start /usr/games/rz6 with its companions where the package put them; otherwise
# they run the unpacked package, its program first in PATH.
gamePath=$unpacked/usr/games
installedHere=0
if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null && ! dpkg-query -W rz6 >/dev/null 2>&1; then
    started=$SECONDS
    trap 'dpkg --purge rz6 >/dev/null 2>&1; rm -rf "$work"' EXIT
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q \
        --no-install-recommends "$deb" >"$work/install.log" 2>&1 || {
        tail -n 20 "$work/install.log"
        fail "apt install $(basename "$deb") failed"
    }
    installedHere=1
    gamePath=/usr/games
    [[ -x /usr/games/rz6 ]] || fail "the installed package has no /usr/games/rz6"
    echo "installed with apt: $((SECONDS - started))s"
else
    echo "as-installed tests on the unpacked package (installing needs root and no rz6 installed)"
fi
control=$src/debian/tests/control
[[ -f $control ]] || fail "the package has no debian/tests/control"
ran=0
while read -r name restrictions; do
    scratch=$work/autopkgtest/$name
    mkdir -p "$scratch"
    echo "autopkgtest $name:"
    if ! PATH="$gamePath:$PATH" AUTOPKGTEST_TMP=$scratch \
        "$src/debian/tests/$name" 2>"$work/$name.stderr"; then
        cat "$work/$name.stderr"
        fail "autopkgtest $name failed"
    fi
    if [[ -s $work/$name.stderr && $restrictions != *allow-stderr* ]]; then
        cat "$work/$name.stderr"
        fail "autopkgtest $name wrote to stderr"
    fi
    ran=$((ran + 1))
done < <(awk -v RS= '{ tests = ""; restrictions = ""
                       for (i = 1; i <= NF; i++) {
                           if ($i == "Tests:") tests = $(i + 1)
                           if ($i == "Restrictions:")
                               for (j = i + 1; j <= NF && $j !~ /:$/; j++) restrictions = restrictions $j
                       }
                       if (tests != "") print tests, restrictions }' "$control")
((ran > 0)) || fail "debian/tests/control names no test"
if ((installedHere)); then
    dpkg --purge rz6 >/dev/null || fail "the installed package does not remove cleanly"
    [[ ! -e /usr/games/rz6 ]] || fail "/usr/games/rz6 stayed after the package was removed"
fi
echo "as-installed tests done at ${SECONDS}s"
echo "PASS: $(basename "$deb") builds with its tests, leaves the tree clean, passes lintian," \
    "both validators and its $ran as-installed tests$( ((installedHere)) && echo ", installed with apt")"
