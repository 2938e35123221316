#!/usr/bin/env bash
# Key maps and skins chosen through the settings file, on the real window: a
# shipped key map and skin are used; a missing key map and a broken skin are
# each reported in a message box, and once both are dismissed the built-in
# map and the default skin work.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

LAYOUT=2 RH=1
# A pixel of the pad's background, away from its text.
PAD_POINT="15 70"
TEXT="zyx"

start_display
fresh_home
GERMAN="$HOME_DIR/KeyMaps/German.kmap"
[ "$("$TAP_POINTS" type $LAYOUT $RH "$TEXT" "$GERMAN")" != "$("$TAP_POINTS" type $LAYOUT $RH "$TEXT")" ] \
    || fail "the German key map types '$TEXT' with the same keys as the built-in one: nothing would be shown"

write_settings "Key Map=German.kmap" "Skin=Dark.kbskn"
start_program
find_box Quorlex >/dev/null && fail "a message box showed for the shipped key map and skin"
expect_pixel $PAD_POINT "44,49,57" "the Dark skin's pad background"
"$TAP_POINTS" type $LAYOUT $RH "$TEXT" "$GERMAN" | tap_lines
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" "$TEXT"
echo "files: the German key map and the Dark skin from the settings file"

head -c 3000 /dev/urandom >"$HOME_DIR/Skins/Broken.kbskn"
write_settings "Key Map=Gone.kmap" "Skin=Broken.kbskn"
launch_program
for what in "the missing key map" "the broken skin"; do
    BOX=$(wait_for_box Quorlex 10) || fail "nothing was said of $what"
    answer_box "$BOX" Return
done
wait_for_board
find_box Quorlex >/dev/null && fail "a third message box showed"
expect_pixel $PAD_POINT "255,255,255" "the default skin's pad background"
type_text "$TEXT"
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" "$TEXT"
grep -q '^Skin=Broken.kbskn$' "$SETTINGS_FILE" && grep -q '^Key Map=Gone.kmap$' "$SETTINGS_FILE" \
    || fail "the settings file lost the names it held"
echo "files: missing key map and broken skin reported, the built-in map and default skin used"
