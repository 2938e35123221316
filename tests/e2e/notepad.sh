#!/usr/bin/env bash
# The notepad on the real window: a line broken with Shift+Enter leaves as
# CR LF to the clipboard, the file and the board; an ordinary UTF-8 file
# opened with Ctrl+O shows its characters and Ctrl+S writes back its bytes.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

LAYOUT=2 RH=1
TYPE_AWAY_BUTTON="206 307"

keys() {
    xdotool windowfocus --sync "$WINDOW" "$@"
    wait_idle
}

expect_clipboard() {
    local got
    got=$(clipboard_text | od -An -v -tx1 | tr -d ' \n')
    [ "$got" = "$(printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n')" ] || fail "$2: the clipboard holds '$(clipboard_text)'"
}

start_display
fresh_home
write_settings "Open KB On Start=0"
start_program
keys type "ab"
keys key shift+Return
keys type "c"
keys key ctrl+a ctrl+c
expect_clipboard $'ab\r\nc' "Copy after Shift+Enter"
keys key ctrl+s
expect_file_hex "$HOME_DIR/LastUsed.txt" fffe610062000d000a006300
tap $TYPE_AWAY_BUTTON
wait_idle
printf 'x' | xclip -selection clipboard -i
choose 3
expect_clipboard $'ab\r\nc' "Copy All on the board"
choose 8
echo "notepad: Shift+Enter leaves as CR LF to the clipboard, LastUsed.txt and the board"

printf 'Gr\xc3\xbc\xc3\x9fe\nzwei \xe2\x82\xac \xf0\x9f\x98\x80\n' >"$HOME_DIR/utf8.txt"
cp "$HOME_DIR/utf8.txt" "$WORK/utf8.orig"
keys key ctrl+o
BOX=$(wait_for_box Open 10) || fail "Ctrl+O showed no Open dialog"
xdotool windowfocus --sync "$BOX" type "$HOME_DIR/utf8.txt"
xdotool windowfocus --sync "$BOX" key Return
wait_idle
find_box Open >/dev/null && fail "the Open dialog stayed"
keys key ctrl+a ctrl+c
expect_clipboard $'Gr\xc3\xbc\xc3\x9fe\r\nzwei \xe2\x82\xac \xf0\x9f\x98\x80\r\n' "the opened UTF-8 file"
keys key ctrl+s
cmp -s "$HOME_DIR/utf8.txt" "$WORK/utf8.orig" \
    || fail "Ctrl+S changed the UTF-8 file: $(od -An -tx1 "$HOME_DIR/utf8.txt" | head -3)"
find_box Quorlex >/dev/null && fail "a message box showed"
echo "notepad: a UTF-8 file opens readable and Ctrl+S writes back the same bytes"
