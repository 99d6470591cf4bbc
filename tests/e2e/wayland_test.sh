#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The game on a Wayland compositor: Debian's Weston, on its X11 back end inside the test's own
# Xvfb (so that xdotool's keys and clicks reach it), with Qt's Wayland plugin and no X
# display for the game. A match is played by keys. Every screen in front of the battle
# window is that window's child: the program names it as the parent of each (its Wayland
# protocol log), and the compositor keeps the result screen above it when the battle window
# is clicked (Weston's scene graph, read with weston-debug). Rematch and restart keep the
# battle window: the same surface, at the same place. A compositor that dies mid-match does
# not take the record with it.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
need weston weston-debug
plugin=$(find /usr/lib -path '*/qt6/plugins/platforms/libqwayland-generic.so' -print -quit)
[[ -n $plugin ]] || skip "Qt's Wayland plugin is not installed (qt6-wayland, scripts/deps.sh)"
startDisplay 1280x960x24

readonly battleTitle=$title socket=rz6-wayland
weston --backend=x11-backend.so --use-pixman --width=1200 --height=900 --no-config \
    --idle-time=0 --debug --socket=$socket --log="$work/weston.log" >/dev/null 2>&1 &
westonPid=$!
startedPids+=("$westonPid")
westonReady() {
    running "$westonPid" || skip "Weston cannot start here: $(tail -n 3 "$work/weston.log" 2>/dev/null)"
    [[ -S $XDG_RUNTIME_DIR/$socket ]] && WAYLAND_DISPLAY=$socket weston-debug --list >/dev/null 2>&1
}
waitFor "Weston to start" westonReady
export WAYLAND_DISPLAY=$socket

# The compositor's windows of the game, topmost first, one a line:
#   SURFACE|TITLE|LEFT|TOP|CLIENT_LEFT|CLIENT_TOP|CLIENT_RIGHT|CLIENT_BOTTOM|RIGHT
# The client rectangle is the opaque part of the surface: the window without the shadow and
# the title bar that Qt draws itself.
windows() {
    weston-debug scene-graph 2>/dev/null | awk -v pid="$gamePid" '
        /^\tView [0-9]+ \(role xdg_toplevel, PID / {
            mine = index($0, "PID " pid ",") > 0
            if (!mine) next
            match($0, /surface ID [0-9]+/); surface = substr($0, RSTART + 11, RLENGTH - 11)
            match($0, /window \x27[^\x27]*\x27/); name = substr($0, RSTART + 8, RLENGTH - 9)
            next
        }
        mine && /position: \(/ { gsub(/[^0-9]+/, " "); split($0, p, " "); left = p[1]; top = p[2]; right = p[3] }
        mine && /\[opaque: \(/ {
            gsub(/[^0-9]+/, " "); split($0, o, " ")
            print surface "|" name "|" left "|" top "|" o[1] "|" o[2] "|" o[3] "|" o[4] "|" right
            mine = 0
        }'
}

windowLine() {
    windows | awk -F'|' -v t="$1" '$2 == t && !found {print; found = 1}'
}

shows() {
    [[ -n $(windowLine "$1") ]]
}

hidden() {
    ! shows "$1"
}

waitShown() {
    waitFor "the window $1 on the compositor" shows "$1"
}

field() {
    cut -d'|' -f"$2" <<<"$1"
}

# Clicks a point given in the client area of a window (below its menu bar, if it has one,
# for the battle window: the client area is the bottom clientHeight pixels).
clickIn() {
    local line left bottom top
    line=$(windowLine "$1")
    left=$(field "$line" 5)
    if [[ $1 == "$battleTitle" ]]; then
        bottom=$(field "$line" 8)
        top=$((bottom - clientHeight))
    else
        top=$(field "$line" 6)
    fi
    clickAt $((left + $2)) $((top + $3))
}

# Clicks a point of the X screen. While the game writes its protocol log, the click must reach
# it: a click that the game never hears landed on the compositor's own panel or desktop.
buttonEvents() { grep -c 'wl_pointer@[0-9]*\.button(' "$protocolLog" || true; }
clickAt() {
    local before
    noOtherWindows
    [[ -n $protocolLog ]] && before=$(buttonEvents)
    xdotool mousemove --sync "$1" "$2" click 1
    [[ -n $protocolLog ]] || return 0
    heard() { (($(buttonEvents) > before)); }
    waitUntil "$waitSeconds" heard || {
        noOtherWindows
        fail "a click at ($1, $2) never reached the game: Weston's pointer is not over its window"
    }
}

# Weston's own panel starts a terminal when it is clicked: a window of another program on the
# compositor means a click meant for the game landed there.
noOtherWindows() {
    local others
    others=$(weston-debug scene-graph 2>/dev/null | grep -E '^\sView [0-9]+ \(role xdg_toplevel' |
        grep -vE "PID ($gamePid|0)," || true)
    [[ -z $others ]] || fail "a click landed on the compositor's own panel, not on the game: $others"
}

# Clicks until the window with the title shows (a busy machine may drop a click).
clickUntilShown() {
    local attempt
    for attempt in 1 2 3 4 5; do
        clickIn "$battleTitle" "$2" "$3"
        waitUntil 10 shows "$1" && return 0
    done
    fail "no window $1 after clicking ($2, $3) in the battle window"
}

folder=$(gameFolder game)
protocolLog=$work/game-$((${#startedPids[@]} + 1)).log # startGame's log
startGame "$folder/rz6" -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client
waitShown "$battleTitle"
battle=$(windowLine "$battleTitle")
grep -q 'xdg_wm_base' "$protocolLog" || fail "the game did not come up on Wayland"

# Weston's own window takes the keys of xdotool; it passes them to the active window.
compositorWindow=$(xdotool search --class 'Weston Compositor' | sed -n 1p)
[[ -n $compositorWindow ]] || fail "no window of Weston on the X server"
focusWindow "$compositorWindow"

# Weston learns where the X pointer is only when the pointer enters its X window: a pointer that
# was already inside when Weston appeared leaves Weston's cursor at (0,0), over its own panel,
# and every click lands there. So the pointer leaves Weston's window and comes back onto the
# battle window, and the game must hear that the pointer entered its surface before any click.
eval "$(xdotool getwindowgeometry --shell "$compositorWindow")"
xdotool mousemove --sync $((X + WIDTH + 20)) $((Y + HEIGHT + 20))
xdotool mousemove --sync $(($(field "$battle" 5) + 450)) $(($(field "$battle" 8) - clientHeight + 55))
pointerEntered() { grep -q 'wl_pointer@[0-9]*\.enter(' "$protocolLog"; }
waitFor "the game to hear that the pointer is over its window" pointerEntered

# The maximise button that Qt's own title bar draws on every window (40 pixels left of the
# surface's right edge, 15 below its top): the battle window has a fixed size and undoes the
# maximise at once, so the protocol log shows the request and its undoing, the compositor
# never offers it a maximised size (a window that took the offer at its own size would be
# ended by Weston as soon as it drew itself), and the window stays where it was.
maximiseAsked() { grep -q -- '-> xdg_toplevel@[0-9]*\.set_maximized()' "$protocolLog"; }
maximiseUndone() {
    awk '/-> xdg_toplevel@[0-9]+\.set_maximized\(\)/ {asked = 1; undone = 0}
         asked && /-> xdg_toplevel@[0-9]+\.unset_maximized\(\)/ {undone = 1}
         END {exit !(asked && undone)}' "$protocolLog"
}
clickAt $(($(field "$battle" 9) - 40)) $(($(field "$battle" 4) + 15))
waitFor "the maximise button of the battle window's title bar to ask for a maximise" maximiseAsked
waitFor "the battle window to undo its maximise" maximiseUndone
offered=$(awk '/-> xdg_toplevel@[0-9]+\.set_maximized\(\)/ {asked = 1}
    asked && /xdg_toplevel@[0-9]+\.configure\([1-9]/ && !/ -> / {print; exit}' "$protocolLog")
[[ -z $offered ]] || fail "the compositor offered the battle window a maximised size: $offered"
waitFor "the battle window to return to its place" \
    eval '[[ $(windowLine "$battleTitle") == "$battle" ]]'

# The sub-screens, each opened and closed again: help by F1 and Escape, character select
# and the record by their label-buttons ("キャラ選択", "履　　　歴") and Escape.
xdotool key F1
waitShown '遊び方'
xdotool key Escape
waitFor "the help screen to close" hidden '遊び方'
clickUntilShown '使用キャラ選択' 244 24
xdotool key Escape
waitFor "character select to close" hidden '使用キャラ選択'
clickUntilShown '技履歴' 148 24
xdotool key Escape
waitFor "the record screen to close" hidden '技履歴'

# A match by keys: F5, then ten strikes that land nothing ("112" is no technique), typed at
# once; they queue behind each strike's pause and the clock ends the match.
clickIn "$battleTitle" 450 55 # the bare background: the battle window takes the keys again
xdotool key F5
xdotool type --delay 30 1120112011201120112011201120112011201120
waitShown '競技終了'

# A click on the battle window where the result screen does not cover it: the compositor
# activates the battle window but keeps its child, the result screen, above it. The result
# screen is narrower than the battle window, so such a place exists beside it.
result=$(windowLine '競技終了')
resultLeft=$(field "$result" 5) resultRight=$(field "$result" 7)
battleLeft=$(field "$battle" 5) battleRight=$(field "$battle" 7)
bottom=$(field "$battle" 8)
if ((resultLeft - battleLeft > battleRight - resultRight)); then
    x=$(((battleLeft + resultLeft) / 2))
else
    x=$(((resultRight + battleRight) / 2))
fi
clickAt "$x" $((bottom - 20))
topmost=$(windows | sed -n 1p)
[[ $(field "$topmost" 2) == 競技終了 ]] ||
    fail "a click on the battle window put it above the result screen: $(windows | cut -d'|' -f2 | paste -sd,)"

# Rematch ("再試合" on the result screen), then F5 and a restart by Ctrl+R.
clickIn '競技終了' 368 388
waitFor "the result screen to close" hidden '競技終了'
[[ $(windowLine "$battleTitle" | cut -d'|' -f1-4) == $(cut -d'|' -f1-4 <<<"$battle") ]] ||
    fail "the rematch did not keep the battle window where it was: $battle / $(windowLine "$battleTitle")"
stampBefore=$(fileStamp "$folder/rz6.DAT")
clickIn "$battleTitle" 450 55
xdotool key F5 ctrl+r
recordRewritten() { [[ $(fileStamp "$folder/rz6.DAT") != "$stampBefore" ]]; }
waitFor "the restart to write the record" recordRewritten
[[ $(windowLine "$battleTitle" | cut -d'|' -f1-4) == $(cut -d'|' -f1-4 <<<"$battle") ]] ||
    fail "the restart did not keep the battle window where it was: $battle / $(windowLine "$battleTitle")"

noOtherWindows
kill -TERM "$gamePid"
waitExit "$gamePid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the record was not saved"

# Each sub-screen's toplevel was given the battle window's toplevel as its parent. Object
# numbers are reused once a window is gone, so titles and parents are read in order.
parents=$(awk '
    /-> xdg_surface@[0-9]+\.get_toplevel\(new id xdg_toplevel@/ {
        match($0, /xdg_toplevel@[0-9]+/); id = substr($0, RSTART, RLENGTH)
        delete named[id]; parentOf[id] = ""
    }
    /-> xdg_toplevel@[0-9]+\.set_parent\(xdg_toplevel@[0-9]+\)/ {
        match($0, /-> xdg_toplevel@[0-9]+/); id = substr($0, RSTART + 3, RLENGTH - 3)
        match($0, /\(xdg_toplevel@[0-9]+\)/); parentOf[id] = substr($0, RSTART + 1, RLENGTH - 2)
        if (id in named && parentOf[id] in named) print named[id] " <- " named[parentOf[id]]
    }
    /-> xdg_toplevel@[0-9]+\.set_title\("/ {
        match($0, /-> xdg_toplevel@[0-9]+/); id = substr($0, RSTART + 3, RLENGTH - 3)
        match($0, /"[^"]*"/); named[id] = substr($0, RSTART + 1, RLENGTH - 2)
        if (parentOf[id] != "" && parentOf[id] in named) print named[id] " <- " named[parentOf[id]]
    }' "$protocolLog" | sort -u)
for screen in 遊び方 使用キャラ選択 技履歴 競技終了; do
    grep -qxF "$screen <- $battleTitle" <<<"$parents" ||
        fail "the screen $screen was not a child of the battle window; parents seen: ${parents:-none}"
done

# The compositor lost in the middle of a match: Qt ends the game at once, past everything the
# program registered for its end, and the record is still written; no lock stays behind.
stampBefore=$(fileStamp "$folder/rz6.DAT")
protocolLog=''
startGame "$folder/rz6" -u DISPLAY QT_QPA_PLATFORM=wayland
waitShown "$battleTitle"
clickIn "$battleTitle" 450 55
xdotool key F5
xdotool type --delay 30 11102220
kill -KILL "$westonPid"
waitExit "$gamePid"
[[ ! -e $folder/rz6.lock ]] || fail "the lock stayed behind after the compositor was lost"
[[ $(fileStamp "$folder/rz6.DAT") != "$stampBefore" ]] ||
    fail "the record was not written when the compositor was lost (status $exitStatus)"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the record is $(fileSize "$folder/rz6.DAT") bytes"
echo "PASS: on Weston every screen is a child of the battle window, which kept its place;" \
    "the record outlived the compositor"
