#!/usr/bin/env bash
# Quitting while another screen is open in front of the battle window (the desktop ends the
# session): the game closes that screen too, saves the record and ends normally.
#   usage: screen_open_quit_test.sh path/to/rz6 charselect|record
source "$(dirname "$0")/e2e_lib.sh"
which=${2:?charselect or record}
setupWork
startDisplay

# The label-buttons "履　　　歴" and "キャラ選択" sit in the top row of the client area, 16 px
# down and 17 px high, from 104 and 200 px across, below the menu bar.
case $which in
charselect) buttonX=244 screenTitle='使用キャラ選択' ;;
record) buttonX=148 screenTitle='技履歴' ;;
*) fail "unknown screen: $which" ;;
esac

screenWindow() {
    xdotool search --all --onlyvisible --pid "$1" --name "^${screenTitle}\$" 2>/dev/null | head -n 1
}

hasScreen() {
    [[ -n $(screenWindow "$1") ]]
}

folder=$(gameFolder game)
startGame "$folder/rz6"
pid=$gamePid
window=$(waitWindow "$pid")
barHeight=$(($(windowHeight "$window") - clientHeight))
xdotool mousemove --sync --window "$window" "$buttonX" $((barHeight + 24)) click 1
waitFor "the screen $screenTitle to open" hasScreen "$pid"

kill -TERM "$pid"
waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus with $screenTitle open"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the record was not saved with $screenTitle open"
[[ ! -e $folder/rz6.lock ]] || fail "the lock stayed behind"
echo "PASS"
