#!/usr/bin/env bash
# The hardware button under a window manager: with button 1 given to the
# program, F9 brings it to the front while another window has the focus,
# whether the program is minimised or behind that window, and pulls it down
# while it is in front; once the button is given up on the Keys page, F9
# reaches the other window.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"
command -v xev >/dev/null || { echo "xev missing: skipped"; exit 77; }

LAYOUT=2 RH=1
# The sheet's tab of the Keys page, the check box that assigns the button, OK,
# where the sheet shows them with Wine's Tahoma (fonts-wine, from .ci/install-deps).
SHEET_OK="217 244"
KEYS_TAB="165 244"
ASSIGN_CHECK="16 134"
# A key of the board and a point of the pad, to see the board as it was left.
BOARD_POINTS="46 135 120 200 15 70"

window_state() { xprop -id "$WINDOW" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }

# expect_state STATE WHEN: the window becomes Normal (shown) or Iconic (minimised).
expect_state() {
    for _ in $(seq 50); do
        [ "$(window_state)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "$2: the window is '$(window_state)', not $1"
}

expect_in_front() {
    expect_state Normal "$1"
    for _ in $(seq 50); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$WINDOW" ] && return 0
        sleep 0.1
    done
    fail "$1: the window is not in front"
}

board_pixels() {
    set -- $BOARD_POINTS
    while [ $# -gt 1 ]; do pixel "$1" "$2"; shift 2; done
}

focus_other() { xdotool windowactivate --sync "$OTHER" 2>/dev/null; sleep 0.3; }
press_button() { xdotool key F9; sleep 0.5; }
# xev prints a line with the keysym for each press and each release.
f9_seen_by_other() { grep -c 'F9)' "$WORK/other.log"; }

start_display
start_window_manager
write_settings "Assign Hotkey=1" "Hotkey Num=1"
start_program
type_text "hi"
BOARD_BEFORE=$(board_pixels)

xev -event keyboard -geometry 200x150+300+100 >"$WORK/other.log" 2>&1 &
HELPER_PIDS+=($!)
for _ in $(seq 50); do
    OTHER=$(xdotool search --onlyvisible --name '^Event Tester$' 2>/dev/null | head -1)
    [ -n "$OTHER" ] && break
    sleep 0.1
done
[ -n "$OTHER" ] || fail "the other window never showed"

xdotool windowminimize "$WINDOW"
expect_state Iconic "minimised by the window manager"
focus_other
press_button
expect_in_front "button pressed while minimised and another window had the focus"
[ "$(board_pixels)" = "$BOARD_BEFORE" ] || fail "the board came back otherwise than it was left"
focus_other
press_button
expect_in_front "button pressed while behind another window"
press_button
expect_state Iconic "button pressed while in front"
focus_other
press_button
expect_in_front "button pressed again while minimised"
[ "$(f9_seen_by_other)" = 0 ] || fail "the other window got F9 while the button was the program's"

# Gives the button up on the Keys page of the preferences.
choose 7
SHEET=$(wait_for_box Preferences 10) || fail "the preference sheet did not open"
for point in "$KEYS_TAB" "$ASSIGN_CHECK" "$SHEET_OK"; do
    xdotool mousemove --window "$SHEET" $point mousedown 1 mouseup 1
    sleep 0.3
done
for _ in $(seq 50); do
    xwininfo -id "$SHEET" 2>/dev/null | grep -q IsViewable || break
    sleep 0.1
done
grep -q "^Assign%20Hotkey=0" "$SETTINGS_FILE" || fail "the assignment was not turned off: $(cat "$SETTINGS_FILE")"
focus_other
press_button
[ "$(f9_seen_by_other)" = 2 ] || fail "F9 did not reach the other window once the button was given up"
[ "$(xdotool getactivewindow)" = "$OTHER" ] || fail "the program came to the front without its button"
echo "hotkey: F9 brings the program to the front from minimised and from behind another window, and pulls it down; given up, it goes to the other window"
