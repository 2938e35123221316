#!/usr/bin/env bash
# On a screen of exactly 240 x 320 (a small panel of its own) the program
# chooses scale 1 by itself and covers the whole screen, full screen and
# without a frame, with the board up and again with the notepad.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

# expect_whole_screen WHEN: the window lies exactly on the screen, full screen.
expect_whole_screen() {
    local info state
    info=$(xwininfo -id "$WINDOW")
    state=$(xprop -id "$WINDOW" _NET_WM_STATE)
    for line in "Absolute upper-left X:  0" "Absolute upper-left Y:  0" "Width: 240" "Height: 320"; do
        grep -qF "$line" <<<"$info" || { echo "$1: window is not on the whole screen:"; echo "$info"; exit 1; }
    done
    grep -q _NET_WM_STATE_FULLSCREEN <<<"$state" || { echo "$1: window is not full screen: $state"; exit 1; }
}

command -v xwininfo >/dev/null && command -v xprop >/dev/null || { echo "xwininfo or xprop missing: skipped"; exit 77; }
start_display 240x320
SCALE_OPTION=()
start_program
expect_whole_screen "board up"
"$TAP_POINTS" slot 2 1 50 | tap_lines
sleep 0.6
"$TAP_POINTS" menu 1 8 | tap_lines
sleep 0.5
expect_whole_screen "notepad"
# Motif hints: flags, functions, decorations, ...; decorations 0 asks for no frame.
hints=$(xprop -id "$WINDOW" _MOTIF_WM_HINTS)
[ "$(sed -n 's/.*= *//p' <<<"$hints" | cut -d, -f3 | tr -d ' ')" = 0x0 ] ||
    { echo "the window asks for a frame: $hints"; exit 1; }
echo "device screen: the whole 240 x 320 screen, frameless, with board and notepad"
