#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The menu 試合 and the About box (制作) show their contents on the screen as soon as they open,
# with no window manager or under openbox: the screen, read back where each one lies, holds
# a flat background that is neither black nor what the battle window showed there, with
# lettering on it; an item under the pointer lights up. The pixels come from the screen (the
# root window), never from the window under the pop-up: the X server answers a read of a
# window with zeros wherever another window covers it.
#   usage: popups_paint_test.sh path/to/rz6 bare|openbox
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
desktop=${2:?bare or openbox}
need python3
[[ $desktop == openbox ]] && need openbox
setupWork
startDisplay 1024x768x24

# screenPixels save FILE: the whole screen into FILE.
# screenPixels painted|lit FILE LEFT TOP WIDTH HEIGHT: whether that area of the screen now
# shows a painted box compared with FILE (most pixels differ, the commonest colour covers at
# least half and is not black, and some lettering stands out from it), or shows, on a twentieth
# of it or more, a colour it did not show in FILE (a highlight). What it measured goes to
# $work/pixels.txt.
screenPixels() {
    python3 - "$@" >"$work/pixels.txt" <<'PY'
import collections, ctypes, sys

class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDisplayWidth.argtypes = x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
x.XGetImage.restype = ctypes.POINTER(XImage)
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                        ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
display = x.XOpenDisplay(None)
width, height = x.XDisplayWidth(display, 0), x.XDisplayHeight(display, 0)
image = x.XGetImage(display, x.XDefaultRootWindow(display), 0, 0, width, height,
                    0xFFFFFFFF, 2).contents  # ZPixmap
if image.bits_per_pixel != 32:
    sys.exit(f"a {image.bits_per_pixel}-bit screen")
screen = image.data[:image.bytes_per_line * height]
mode, file = sys.argv[1:3]
if mode == "save":
    open(file, "wb").write(screen)
    sys.exit(0)
before = open(file, "rb").read()
left, top, w, h = (int(a) for a in sys.argv[3:7])
line = image.bytes_per_line
now = [screen[r * line + 4 * left:r * line + 4 * (left + w)] for r in range(top, top + h)]
was = [before[r * line + 4 * left:r * line + 4 * (left + w)] for r in range(top, top + h)]
pixels = [row[i:i + 3] for row in now for i in range(0, 4 * w, 4)]
changed = sum(a[i:i + 3] != b[i:i + 3] for a, b in zip(now, was) for i in range(0, 4 * w, 4))
changed /= len(pixels)
colours = collections.Counter(pixels)
back, count = colours.most_common(1)[0]
light = lambda p: (114 * p[0] + 587 * p[1] + 299 * p[2]) / 1000  # BGR
lettering = sum(n for p, n in colours.items() if abs(light(p) - light(back)) > 96) / len(pixels)
measured = (f"changed {changed:.2f}, commonest #{back[::-1].hex()} on {count / len(pixels):.2f},"
            f" lettering {lettering:.3f}")
if mode == "lit":
    old = {row[i:i + 3] for row in was for i in range(0, 4 * w, 4)}
    new = sum(n for p, n in colours.items() if p not in old) / len(pixels)
    print(f"{measured}, in colours new to it {new:.2f}")
    sys.exit(0 if new >= 0.05 else 1)
print(measured)
painted = changed >= 0.8 and count >= len(pixels) / 2 and max(back) >= 64 and lettering >= 0.01
sys.exit(0 if painted else 1)
PY
}

# Whether the screen, where the window (its id) lies, shows it painted over FILE (painted), or
# lit up since FILE (lit).
windowOnScreen() {
    local area
    read -ra area <<<"$(xwininfo -id "$2" | awk '/Absolute upper-left X:/ {x = $4}
        /Absolute upper-left Y:/ {y = $4} /^  Width:/ {w = $2} /^  Height:/ {h = $2}
        END {print x, y, w, h}')"
    screenPixels "$1" "$3" "${area[@]}"
}

# Waits until the screen shows the window painted over what FILE held.
expectPainted() {
    waitUntil "$waitSeconds" windowOnScreen painted "$1" "$2" ||
        fail "$3 is not painted on the screen ($(cat "$work/pixels.txt"))"
}

closeMenu() {
    xdotool key Escape
    waitFor "the menu to close" eval "! popupMenuOf $pid >/dev/null"
}

windowLeft() {
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ {print $4}'
}

menuMovedFrom() {
    local menu
    menu=$(popupMenuOf "$pid") && (($(windowLeft "$menu") != $1))
}

hasWindowManager() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

if [[ $desktop == openbox ]]; then
    openbox >"$work/openbox.log" 2>&1 &
    startedPids+=($!)
    waitFor "openbox to manage the screen" hasWindowManager
fi

folder=$(gameFolder game)
startGame "$folder/rz6"
pid=$gamePid
window=$(waitWindow "$pid")
bar=$(($(windowHeight "$window") - clientHeight))
captureSteady "$window" "$work/battle.xwd"
screenPixels save "$work/battle.screen" || fail "the screen cannot be read"

clickAt "$window" 20 $((bar / 2))
waitFor "the menu 試合 to open" popupMenuOf "$pid" >/dev/null
menu=$(popupMenuOf "$pid")
expectPainted "$menu" "$work/battle.screen" "the open menu 試合"
screenPixels save "$work/menu.screen"
xdotool mousemove --sync --window "$menu" 30 12 # over 開始, the first item
waitUntil "$waitSeconds" windowOnScreen lit "$menu" "$work/menu.screen" ||
    fail "the item under the pointer does not light up ($(cat "$work/pixels.txt"))"

# 制作, a command on the menu bar itself, lies as far right of 設定 as 設定 lies of 試合 (each
# caption is two characters); Right moves the open menu from 試合 to 設定.
first=$(windowLeft "$menu")
xdotool key Right
waitFor "the menu 設定 to open" menuMovedFrom "$first"
second=$(windowLeft "$(popupMenuOf "$pid")")
closeMenu
clickAt "$window" $((second + (second - first) * 3 / 2 - $(windowLeft "$window"))) $((bar / 2))
about=$(waitTitled "$pid" 制作)
expectPainted "$about" "$work/battle.screen" "the About box"

kill -TERM "$pid"
waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"
echo "PASS"
