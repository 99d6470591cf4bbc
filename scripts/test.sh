#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Installs what is missing, builds the game with its tests and runs them. Tests are picked
# by their labels (tests/CMakeLists.txt says what each label means).
#   scripts/test.sh          the quick run: the ordinary build, every test but the slow ones
#   scripts/test.sh --all    the full run (CI): the AddressSanitizer/UBSan build runs every
#                            test, the slow screen × way-out sweep included; the Debian
#                            package builds beside it with the unit tests in its own build;
#                            then the fuzz targets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Through sudo, the build folders would belong to root and a later run as yourself could not
# write them. deps.sh asks for sudo itself, only to install packages.
if [[ $(id -u) -eq 0 && -n ${SUDO_USER:-} ]]; then
    echo "scripts/test.sh: run it as yourself, without sudo (it asks for sudo only to install packages)" >&2
    exit 1
fi
"$root/scripts/deps.sh" --test

# Every build of the test command treats a compiler warning as an error.
export RZ6_WERROR=ON
run_suite() {
    local dir=$1 select=$2; shift 2
    "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DRZ6_WERROR=ON "$@"
    # The tests of the real program spend most of their time waiting for the game's clock and
    # their display, so twice as many tests as processors run at once. The longest ones start
    # first (their COST in tests/), so the short ones fill in around them.
    # shellcheck disable=SC2086 # the label selection is two words
    ctest --test-dir "$dir" --output-on-failure --timeout 300 -j $((2 * $(nproc))) $select
}

if [[ "${1:-}" != "--all" ]]; then
    run_suite "$root/build-test" "-LE slow"
    exit
fi
# The package builds the game once more, in release mode, from a copy of the tree (with the
# unit tests inside its build): it needs no build folder, so it starts at once and runs beside
# the sanitizer build, its tests and the fuzzing. Its verdict is read at the end.
mkdir -p "$root/build-asan"
packageLog=$root/build-asan/package-test.log
# In a session of its own, so that a run that stops early ends the whole package build too.
setsid bash "$root/tests/package/debian_package_test.sh" "$root" >"$packageLog" 2>&1 &
packagePid=$!
trap 'kill -- -"$packagePid" 2>/dev/null || true' EXIT
# Every other test runs in the AddressSanitizer/UBSan build, where it finds the most. Leaks are
# reported, except those of the system libraries Qt loads (scripts/lsan.supp).
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite "$root/build-asan" "-LE package" -DRZ6_SANITIZE=ON
# About a minute of fuzzing for each target.
"$root/scripts/fuzz.sh" "$root/build-fuzz" 60
packageStatus=0
wait "$packagePid" || packageStatus=$?
trap - EXIT
echo "The Debian package (tests/package/debian_package_test.sh):"
cat "$packageLog"
# A missing tool is a skip (77), as the test suite counts it; deps.sh --test installs them.
((packageStatus == 77)) && packageStatus=0
exit "$packageStatus"
