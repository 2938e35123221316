#!/usr/bin/env bash
# The real-window suite's one driver: runs the steps of a scenario file on the
# program under Xvfb (see xvfb-session.sh for the session around it).
#
#   driver.sh SCENARIO PROGRAM TAP_POINTS
#
# A scenario holds one step a line: a step name and its words, quoted as in
# the shell ($'a\nb' for a line break); '#' lines are comments. "section
# NAME" starts a case; "needs_mount" skips the rest of the case (and says so)
# where a read-only bind mount cannot be made.
set -u
SCENARIO=$1
PROGRAM=$2
TAP_POINTS=$3
. "$(dirname "$0")/xvfb-session.sh"

LAYOUT=2 RH=1
# Where the sheet shows OK with Wine's Tahoma (fonts-wine, installed by .ci/install-deps).
SHEET_OK="217 243"

step_display() { start_display "$@"; }
step_home() { fresh_home; }
step_settings() { write_settings "$@"; }
step_board() { LAYOUT=$1 RH=$2; }
step_scale() { SCALE_OPTION=(${1:+--scale "$1"}); }
step_start() { start_program "$@"; }
step_launch() { launch_program "$@"; }
step_board_up() { wait_for_board; }
# start_read_only DIR: the program in a mount namespace where DIR cannot be written.
step_start_read_only() { start_program unshare -m sh -c 'mount --bind -o ro "$0" "$0" && exec "$@"' "$1"; }
step_type() { "$TAP_POINTS" type "$LAYOUT" "$RH" "$@" | tap_lines; }
step_cells() { "$TAP_POINTS" cells "$LAYOUT" "$RH" | tap_lines; }
step_slot() { "$TAP_POINTS" slot "$LAYOUT" "$RH" "$1" | tap_lines; }
step_tap() { tap "$1" "$2"; wait_idle; }
step_choose() { choose "$1"; }
step_menu_item() { "$TAP_POINTS" menu "$RH" "$1" | tap_lines; }
step_menu_still_open() { sleep 0.3; [ "$(pixel $(menu_open_probe))" = "$MENU_WHITE" ] || fail "the side menu closed"; }
step_menu_gone() { wait_menu_gone; }
step_leave() { exit_from_board; }
step_ends() { wait_for_exit 10 || fail "the program did not close"; }
step_sleep() { sleep "$1"; }
step_say() { echo "$(basename "$SCENARIO" .steps): $*"; }
step_run() { "$@"; }
# box TITLE KEY: a box of that title shows within ten seconds and the key answers it.
step_box() { local box; box=$(wait_for_box "$1" 10) || fail "no '$1' box showed"; answer_box "$box" "$2"; }
step_no_box() { ! find_box Quorlex >/dev/null || fail "a message box is up"; }
step_clip() { printf '%s' "$1" | xclip -selection clipboard -i; }
step_expect_clip() {
    [ "$(clipboard_text | od -An -v -tx1)" = "$(printf '%s' "$1" | od -An -v -tx1)" ] ||
        fail "the clipboard holds '$(clipboard_text)', expected '$1'"
}
step_pixel() { expect_pixel "$1" "$2" "$3" "${4:-the window}"; }
step_text() { expect_file_text "$HOME_DIR/$1" "$2"; }
step_hex() { expect_file_hex "$HOME_DIR/$1" "$2"; }
step_setting() { grep -qxF "$1" "$SETTINGS_FILE" || fail "the settings file has no line '$1': $(cat "$SETTINGS_FILE")"; }
# keys WORDS...: xdotool's words sent to the window with the keyboard focus (the notepad).
step_keys() { xdotool windowfocus --sync "$WINDOW" "$@"; wait_idle; }
# file_dialog TITLE PATH: the file dialog of that title takes the path.
step_file_dialog() {
    local box
    box=$(wait_for_box "$1" 10) || fail "no '$1' dialog showed"
    xdotool windowfocus --sync "$box" type "$2"
    xdotool windowfocus --sync "$box" key Return
    wait_idle
    ! find_box "$1" >/dev/null || fail "the '$1' dialog stayed"
}
step_folder_holds() { [ "$(ls -A "$1" | sort | tr '\n' ' ')" = "$2" ] || fail "$1 holds $(ls -A "$1")"; }
step_keep_settings() { cp "$SETTINGS_FILE" "$WORK/settings.before"; }
step_settings_kept() {
    cmp -s "$SETTINGS_FILE" "$WORK/settings.before" || fail "the settings file changed: $(cat "$SETTINGS_FILE")"
    ! ls "$(dirname "$SETTINGS_FILE")" | grep -v '^quorlex.ini$' || fail "scratch files were left beside the settings"
}
# map_differs TEXT MAP: the key map types TEXT with other keys than the built-in one.
step_map_differs() {
    [ "$("$TAP_POINTS" type "$LAYOUT" "$RH" "$1" "$HOME_DIR/$2")" != "$("$TAP_POINTS" type "$LAYOUT" "$RH" "$1")" ] ||
        fail "$2 types '$1' with the same keys as the built-in map"
}
step_sheet_open() { choose 7; SHEET=$(wait_for_box Preferences 10) || fail "the preference sheet did not open"; }
step_sheet_tap() { xdotool mousemove --window "$SHEET" "$1" "$2" mousedown 1 mouseup 1; sleep 0.1; }
step_sheet_ok() {
    step_sheet_tap $SHEET_OK
    for _ in $(seq 50); do
        xwininfo -id "$SHEET" 2>/dev/null | grep -q IsViewable || return 0
        sleep 0.1
    done
    fail "the preference sheet did not close on OK"
}
# whole_screen WHEN: the window lies exactly on the 240 x 320 screen, full screen and frameless.
step_whole_screen() {
    local info
    info=$(xwininfo -id "$WINDOW")
    for line in "Absolute upper-left X:  0" "Absolute upper-left Y:  0" "Width: 240" "Height: 320"; do
        grep -qF "$line" <<<"$info" || fail "$1: the window is not on the whole screen: $info"
    done
    xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN || fail "$1: the window is not full screen"
    # Motif hints: flags, functions, decorations, ...; decorations 0 asks for no frame.
    [ "$(xprop -id "$WINDOW" _MOTIF_WM_HINTS | sed -n 's/.*= *//p' | cut -d, -f3 | tr -d ' ')" = 0x0 ] ||
        fail "$1: the window asks for a frame"
}
# freeze_clipboard TEXT: an owner of the clipboard that no longer answers.
step_freeze_clipboard() {
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    HOLDER=$!
    HELPER_PIDS+=("$HOLDER")
    sleep 0.3
    kill -STOP "$HOLDER"
}
step_thaw_clipboard() { kill -CONT "$HOLDER"; }
# menu_opens_within MS: the menu key opens the menu in time.
step_menu_opens_within() {
    local since=$(date +%s%N)
    open_menu
    local waited=$(( ($(date +%s%N) - since) / 1000000 ))
    step_say "the menu opened $waited ms after its key"
    [ $waited -lt "$1" ] || fail "the menu took $waited ms"
}
step_needs_mount() {
    mkdir -p "$WORK/probe"
    unshare -m sh -c 'mount --bind -o ro "$0" "$0" && ! touch "$0/x"' "$WORK/probe" 2>/dev/null && return 0
    step_say "no read-only bind mount here: skipped"
    SKIPPING=1
}
step_section() { SKIPPING=0; step_say "$*"; }
step_soak() { . "$(dirname "$0")/soak.sh" "$@"; }

SKIPPING=0
LINE=0
while IFS= read -r line || [ -n "$line" ]; do
    LINE=$((LINE + 1))
    case $line in '' | '#'*) continue ;; esac
    [ $SKIPPING = 1 ] && [[ $line != section* ]] && continue
    eval "step_$line" || fail "line $LINE: $line"
done <"$SCENARIO"
