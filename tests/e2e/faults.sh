#!/usr/bin/env bash
# Faults around the real program, each ending with nothing of the user's lost:
# a program folder that cannot be written, a settings folder that cannot be
# written, the Skins folder vanishing under the preference sheet, and the
# clipboard held by another program, also by one that no longer answers.
#
# The tests run as root, for whom permission bits do not stop a write, so
# "cannot be written" is a read-only bind mount of the folder in a mount
# namespace of the program's own (unshare); where that is not allowed those
# two cases are skipped, and said so.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

LAYOUT=2 RH=1
PAD_POINT="15 70"
# Where the sheet shows them with Wine's Tahoma (fonts-wine, installed by .ci/install-deps).
SHEET_OK="217 243"
SHEET_FLAT="25 158"
# Inside a key of the Flat board, on the background of the Trough board.
FLAT_KEY_POINT="46 135"


sheet_tap() {
    xdotool mousemove --window "$SHEET" $1 $2 mousedown 1 mouseup 1
    sleep 0.1
}

open_sheet() {
    choose 7
    SHEET=$(wait_for_box Preferences 10) || fail "the preference sheet did not open"
}

close_sheet_with_ok() {
    sheet_tap $SHEET_OK
    for _ in $(seq 50); do
        xwininfo -id "$SHEET" 2>/dev/null | grep -q IsViewable || { wait_for_board; return 0; }
        sleep 0.1
    done
    fail "the preference sheet did not close on OK"
}

start_display
CAN_MOUNT=0
mkdir -p "$WORK/probe" && unshare -m sh -c 'mount --bind -o ro "$0" "$0" && ! touch "$0/x"' "$WORK/probe" \
    2>/dev/null && CAN_MOUNT=1

# 1. Exit with a program folder that cannot be written: the failure is
# shown, the program still closes, the last saved text is left whole.
if [ $CAN_MOUNT = 1 ]; then
    fresh_home
    utf16_hex "old text" >"$HOME_DIR/LastUsed.txt"
    write_settings
    launch_program unshare -m sh -c 'mount --bind -o ro "$0" "$0" && exec "$@"' "$HOME_DIR"
    wait_for_board
    type_text "new text"
    choose 0
    BOX=$(wait_for_box Quorlex 10) || fail "nothing was said of the failed save"
    answer_box "$BOX" Return
    wait_for_exit 10 || fail "the program did not close after the failed save"
    expect_file_text "$HOME_DIR/LastUsed.txt" "old text"
    [ "$(ls -A "$HOME_DIR" | sort | tr '\n' ' ')" = "KeyMaps LastUsed.txt Skins " ] \
        || fail "the program folder holds more than before: $(ls -A "$HOME_DIR")"
    echo "faults: read-only program folder: the save failure shown, the old LastUsed.txt whole"
else
    echo "faults: no read-only bind mount here: the two read-only cases are skipped"
fi

# 2. Preferences confirmed while the settings folder cannot be written: the
# new layout holds for the run, the file stays as it was, the text is kept.
if [ $CAN_MOUNT = 1 ]; then
    fresh_home
    write_settings "Key Layout=2" "Skin=Default Skin"
    cp "$SETTINGS_FILE" "$WORK/settings.before"
    launch_program unshare -m sh -c 'mount --bind -o ro "$0" "$0" && exec "$@"' "$(dirname "$SETTINGS_FILE")"
    wait_for_board
    type_text "abc"
    expect_pixel $FLAT_KEY_POINT "0,0,0" "the Trough board"
    open_sheet
    sheet_tap $SHEET_FLAT
    close_sheet_with_ok
    expect_pixel $FLAT_KEY_POINT "255,255,255" "the Flat board after the sheet"
    LAYOUT=0
    type_text "d"
    exit_from_board
    LAYOUT=2
    expect_file_text "$HOME_DIR/LastUsed.txt" "abcd"
    cmp -s "$SETTINGS_FILE" "$WORK/settings.before" || fail "the settings file changed: $(cat "$SETTINGS_FILE")"
    ls "$(dirname "$SETTINGS_FILE")" | grep -v '^quorlex.ini$' && fail "scratch files were left beside the settings"
    echo "faults: read-only settings: the new layout used for the run, the file and the text kept"
fi

# 3. The Skins folder goes while the sheet is open, and is still gone at the
# next run of the sheet: the skin's failure is shown once, the default skin
# takes over, the text is kept.
fresh_home
write_settings "Skin=Dark.kbskn"
start_program
expect_pixel $PAD_POINT "44,49,57" "the Dark skin's pad background"
type_text "one"
open_sheet
rm -rf "$HOME_DIR/Skins"
sheet_tap $SHEET_OK
BOX=$(wait_for_box Quorlex 10) || fail "nothing was said of the vanished skin"
answer_box "$BOX" Return
wait_for_board
expect_pixel $PAD_POINT "255,255,255" "the default skin's pad background"
grep -q '^Skin=Dark.kbskn$' "$SETTINGS_FILE" || fail "the chosen skin was not stored"
type_text "two"
open_sheet
close_sheet_with_ok
find_box Quorlex >/dev/null && fail "a message showed at the second run of the sheet"
grep -q '^Skin=Default Skin$' "$SETTINGS_FILE" || fail "the second run did not store the default skin"
type_text "three"
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" "onetwothree"
echo "faults: Skins folder gone under the sheet and at its next run: default skin, text kept"

# 4. The clipboard held by another program: its text is pasted, and the
# program's copy takes the clipboard over. Then an owner that no longer
# answers (a stopped xclip): the program waits for it no longer than the
# clipboard's time-out, Paste stays grey, Copy All still works.
fresh_home
write_settings
printf 'held' | xclip -selection clipboard -i
start_program
choose 6
type_text "x"
choose 3
[ "$(clipboard_text)" = heldx ] || fail "the clipboard holds '$(clipboard_text)', expected 'heldx'"
printf 'frozen' | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
HOLDER=$!
HELPER_PIDS+=("$HOLDER")
sleep 0.3
kill -STOP "$HOLDER"
type_text "y"
# Opening the menu asks the owner whether it offers text: one question, so
# one time-out of the clipboard (five seconds) and no more. Paste is then grey.
SINCE=$(date +%s%N)
open_menu
WAITED_MS=$(( ($(date +%s%N) - SINCE) / 1000000 ))
echo "faults: the menu opened $WAITED_MS ms after its key with the clipboard's owner stopped"
[ $WAITED_MS -lt 8000 ] || fail "the menu waited for the stopped owner more than once"
"$TAP_POINTS" menu $RH 6 | tap_lines
sleep 0.3
[ "$(pixel $(menu_open_probe))" = "$MENU_WHITE" ] || fail "Paste was not grey: the menu closed"
tap 1 160
wait_menu_gone
choose 3
kill -CONT "$HOLDER"
[ "$(clipboard_text)" = heldxy ] || fail "the clipboard holds '$(clipboard_text)', expected 'heldxy'"
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" "heldxy"
echo "faults: clipboard held by another program, also a stopped one: nothing pasted wrongly, nothing lost"
