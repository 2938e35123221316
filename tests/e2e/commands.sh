#!/usr/bin/env bash
# The side menu's commands, the notepad and back, and the line list, on the
# real window: what each leaves on the clipboard (read with xclip) and, at
# the end, in LastUsed.txt.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

LAYOUT=2 RH=1
TYPE_AWAY_BUTTON="206 307"
# The line list stacks its lines across the window one text height apart
# (about 19 pixels with the default pad font). Client x 28 lies in the
# second line for any height from 15 to 27; the list starts at x 28 and has
# a one-pixel border.
SECOND_LINE_IN_LIST="57 160"

expect_clipboard() {
    local got
    got=$(clipboard_text | od -An -v -tx1 | tr -d ' \n')
    [ "$got" = "$(printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n')" ] \
        || fail "$2: the clipboard holds '$(clipboard_text)', expected '$1'"
}

expect_no_box() {
    find_box Quorlex >/dev/null && fail "$1: a message box is still up"
    return 0
}

start_display
start_program
type_text $'one\ntwo\nthree'

choose 1
choose 5
expect_clipboard "three" "Select Line, then Copy"
choose 3
expect_clipboard $'one\r\ntwo\r\nthree' "Copy All"

# Right arrow drops the selection, so Enter opens a line instead of
# replacing the selected one.
"$TAP_POINTS" slot $LAYOUT $RH 56 | tap_lines
type_text $'\n'
printf 'pq' | xclip -selection clipboard -i
choose 6
choose 1
choose 4
expect_clipboard "pq" "Select Line, then Cut"
choose 6
choose 6

choose 2
BOX=$(wait_for_box Quorlex 5) || fail "Clear All asked nothing"
# No is the question's default button: Return keeps the text.
answer_box "$BOX" Return
expect_no_box "Clear All answered with Return"

choose 8
xdotool windowfocus --sync "$WINDOW" key ctrl+End type " and more"
tap $TYPE_AWAY_BUTTON
wait_idle

"$TAP_POINTS" slot $LAYOUT $RH 8 | tap_lines
tap $SECOND_LINE_IN_LIST
type_text "X"
choose 3
expect_clipboard $'one\r\nXtwo\r\nthree\r\npqpq and more' "Copy All after the notepad and the line list"
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" $'one\nXtwo\nthree\npqpq and more'
echo "commands: Select Line, Copy, Copy All, Cut, Paste, Clear All kept, notepad and back, line list"

# The next start opens the board with that text; Clear All answered Yes
# empties it.
write_settings "On Start Action=1"
start_program
choose 3
expect_clipboard $'one\r\nXtwo\r\nthree\r\npqpq and more' "the text of the last run"
choose 2
BOX=$(wait_for_box Quorlex 5) || fail "Clear All asked nothing"
answer_box "$BOX" y
expect_no_box "Clear All answered Yes"
type_text "new"
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" "new"
echo "commands: last text back at start, Clear All answered Yes"
