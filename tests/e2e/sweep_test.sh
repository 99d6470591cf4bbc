#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Every sub-screen × every way out: with character select, the record screen, the record
# screen with a "技詳細" box, the About box or the result screen open, the player (or the
# desktop) leaves by rematch, restart, 終了 through the menu or the label-button, the clock
# ending the match behind the screen, a window-manager close, SIGTERM, SIGHUP, SIGINT or
# SIGKILL. Each time the game must end with status 0 (or go on with its battle window), leave
# no lock behind when it ended by itself, and the record must hold exactly what the play so
# far wrote: a match that ended has put its total (no strike lands, and of the fifteen typed
# only ten count, so between -1000 and 0) in place of the lowest best total; nothing else changes. After a SIGKILL the next start takes the lock over.
#   usage: sweep_test.sh path/to/rz6 ["screens" ["ways"]]   (a part of the table)
# The test suite runs one part per screen (tests/e2e/CMakeLists.txt reads the screens here).
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
startDisplay

screens=(charselect record detail about result)
ways=(rematch restart quit-menu quit-button clock-end wm-close TERM HUP INT KILL)
[[ -z ${2:-} ]] || read -ra screens <<<"$2"
[[ -z ${3:-} ]] || read -ra ways <<<"$3"

# The record the game finds: best totals 100, 50, 20, 10 and -2000, 落腕撃 (id 8) landed 3
# times, 三連突 twice.
seedRecord() {
    local total id
    for total in 100 50 20 10 -2000; do le32 "$total"; done
    for ((id = 0; id < 40; ++id)); do
        case $id in 0) le32 2 ;; 8) le32 3 ;; *) le32 0 ;; esac
    done
}
seedRecord >"$work/seed.DAT"

# True when the record is the seed, or (after a match) the seed with the match's total as the
# fifth best: blocks score nothing and each miss costs 100, so after ten turns (and never an
# eleventh) it lies between -1000 and 0.
recordIs() {
    local file=$1 expected=$2 fifth
    [[ $(fileSize "$file") == 180 ]] || return 1
    cmp -s <(head -c 16 "$file") <(head -c 16 "$work/seed.DAT") || return 1
    cmp -s <(tail -c 160 "$file") <(tail -c 160 "$work/seed.DAT") || return 1
    fifth=$(od -An -t d4 -j 16 -N 4 "$file" | tr -d ' ')
    if [[ $expected == seed ]]; then
        ((fifth == -2000))
    else
        ((fifth >= -1000 && fifth <= 0))
    fi
}

# Fifteen nine-digit strikes that can land nothing ("112112112" is no technique), typed at
# once: they queue up behind each strike's pause, so the match runs on and ends by the clock
# behind any screen. Only ten of them are turns; the five typed ahead of the end are dropped,
# so the total stays within what ten strikes can lose.
playTenTurns() {
    focusWindow "$1"
    xdotool key --window "$1" F5
    xdotool type --window "$1" --delay 0 "$(printf '112112112%.0s' {1..15})"
}

# Opens the About box through the menu bar's "制作", found by trying along the bar.
openAbout() {
    local pid=$1 window=$2 bar=$3 x menu
    for ((x = 50; x < 200; x += 10)); do
        clickAt "$window" "$x" $((bar / 2))
        for _ in 1 2 3 4 5; do
            hasWindowTitled "$pid" '制作' && return 0
            menu=$(popupMenuOf "$pid") && break
            sleep 0.1
        done
        [[ -n ${menu:-} ]] && { xdotool key Escape; menu=''; }
    done
    fail "no About box from the menu bar"
}

# Clicks a point until the window with the title shows (a busy machine may drop a click).
clickUntil() {
    local pid=$1 window=$2 x=$3 y=$4 wanted=$5
    for _ in 1 2 3 4 5 6; do
        clickAt "$window" "$x" "$y"
        for _ in $(seq 50); do
            hasWindowTitled "$pid" "$wanted" && return 0
            sleep 0.1
        done
    done
    fail "no window $wanted after clicking ($x, $y)"
}

openScreen() {
    local pid=$1 window=$2 bar=$3 record
    case $4 in
    charselect) clickUntil "$pid" "$window" 244 $((bar + 24)) '使用キャラ選択' ;;
    record | detail)
        clickUntil "$pid" "$window" 148 $((bar + 24)) '技履歴'
        record=$(windowTitled "$pid" '技履歴')
        if [[ $4 == detail ]]; then
            clickAt "$record" 105 10                       # the tab "技履歴"
            clickUntil "$pid" "$record" 40 64 '技詳細' # the name of 落腕撃
        fi ;;
    about) openAbout "$pid" "$window" "$bar" ;;
    result) waitTitled "$pid" '競技終了' >/dev/null ;;
    esac
}

# Clicks 試合 → 終了 when the menu opens; a battle window behind another screen ignores it.
tryQuitThroughMenu() {
    local pid=$1 window=$2 bar=$3 menu=''
    clickAt "$window" 20 $((bar / 2))
    for _ in $(seq 20); do
        menu=$(popupMenuOf "$pid") && break
        sleep 0.1
    done
    if [[ -n $menu ]]; then
        clickAt "$menu" 30 $(($(windowHeight "$menu") - 12))
    fi
}

leave() {
    local pid=$1 window=$2 bar=$3 result
    case $4 in
    rematch)
        result=$(windowTitled "$pid" '競技終了') || fail "no result screen to leave by rematch"
        clickAt "$result" 368 388
        waitFor "the result screen to close" eval "! hasWindowTitled $pid 競技終了" ;;
    restart) xdotool key --window "$window" ctrl+r ;;
    quit-menu) tryQuitThroughMenu "$pid" "$window" "$bar" ;;
    quit-button) clickAt "$window" 340 $((bar + 24)) ;;
    clock-end) ;; # the match has ended behind the screen already
    wm-close) closeLikeWindowManager "$window" ;;
    TERM | HUP | INT | KILL) kill "-$4" "$pid" ;;
    esac
}

endedWithin() {
    local pid=$1 tries=$2
    for _ in $(seq "$tries"); do
        notRunning "$pid" && return 0
        sleep 0.1
    done
    return 1
}

combinations=0 notApplicable=0 ended=0 continued=0
runCase() {
    local screen=$1 way=$2 needsMatch=0
    [[ $screen == result || $way == rematch || $way == clock-end ]] && needsMatch=1
    # Character select opens only between matches; the result screen only after the clock.
    if [[ ($screen == charselect && $needsMatch == 1) || ($screen == result && $way == clock-end) ]]; then
        ((++notApplicable))
        return
    fi
    ((++combinations))
    local folder pid window bar expected=seed
    folder=$(gameFolder "case-$screen-$way")
    cp "$work/seed.DAT" "$folder/rz6.DAT"
    startGame "$folder/rz6"
    pid=$gamePid
    window=$(waitWindow "$pid")
    bar=$(($(windowHeight "$window") - clientHeight))
    if ((needsMatch)); then
        playTenTurns "$window"
        expected=ended
    fi
    openScreen "$pid" "$window" "$bar" "$screen"
    if ((needsMatch)); then
        waitTitled "$pid" '競技終了' >/dev/null
        # Saved as the result appears, before any way out.
        recordIs "$folder/rz6.DAT" "$expected" || fail "$screen/$way: the ended match was not saved at once: $(od -An -tx1 -N24 "$folder/rz6.DAT")"
    fi
    leave "$pid" "$window" "$bar" "$way"

    if endedWithin "$pid" 30; then
        ((++ended))
    else
        [[ -n $(titledWindows "$pid") ]] || fail "$screen/$way: the game runs on without its battle window"
        ((++continued))
        kill -TERM "$pid"
    fi
    waitExit "$pid"
    if [[ $way == KILL ]]; then
        [[ $exitStatus == 137 ]] || fail "$screen/$way: status $exitStatus"
        recordIs "$folder/rz6.DAT" "$expected" || fail "$screen/$way: the record after a kill is not what was played"
        # The lock of the killed copy is taken over by the next start.
        startGame "$folder/rz6"
        waitWindow "$gamePid" >/dev/null
        kill -TERM "$gamePid"
        waitExit "$gamePid"
    fi
    [[ $exitStatus == 0 ]] || fail "$screen/$way: the game ended with status $exitStatus"
    [[ ! -e $folder/rz6.lock ]] || fail "$screen/$way: the lock stayed behind"
    recordIs "$folder/rz6.DAT" "$expected" ||
        fail "$screen/$way: the record is not what the play wrote: $(od -An -tx1 -N24 "$folder/rz6.DAT")"
    # A finished match is kept in the history beside the record; nothing else is written.
    local others
    if ((needsMatch)); then
        [[ -f $folder/rz6-history.sqlite ]] || fail "$screen/$way: the finished match is not in the history"
    fi
    # A killed game leaves the history's write-ahead log and its index behind; the next start
    # reads them back into the history.
    local kept=(-e rz6 -e rz6.DAT -e rz6-history.sqlite)
    [[ $way == KILL ]] && kept+=(-e rz6-history.sqlite-wal -e rz6-history.sqlite-shm)
    others=$(ls -A "$folder" | grep -vx "${kept[@]}" || true)
    [[ -z $others ]] || fail "$screen/$way: files left beside the record: $others"
    echo "ok: $screen × $way"
}

for screen in "${screens[@]}"; do
    for way in "${ways[@]}"; do
        runCase "$screen" "$way"
    done
done
echo "PASS: $combinations combinations ($ended ended by the way out, $continued went on), $notApplicable not applicable"
