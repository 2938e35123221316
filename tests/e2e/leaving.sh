#!/usr/bin/env bash
# The ways out of the program other than its own Exit keep the user's text,
# on the real window: leaving for another program copies the text on screen,
# while a window of the program's own (the Clear All question) copies
# nothing; a program folder that is not there yet is made and filled, one
# that cannot be made stops the start; a real SIGTERM keeps the pad's text.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"
command -v xmessage >/dev/null || { echo "xmessage missing: skipped"; exit 77; }

LAYOUT=2 RH=1
# The program makes its folder itself here.
fresh_home() { :; }

expect_clipboard() {
    sleep 0.6
    [ "$(clipboard_text)" = "$1" ] || fail "$2: the clipboard holds '$(clipboard_text)', expected '$1'"
}

start_display
HOME_DIR="$WORK/not/yet/home"
printf 'old' | xclip -selection clipboard -i
write_settings "On Start Action=2"
start_program
[ -f "$HOME_DIR/Skins/Light.kbskn" ] || fail "the new program folder was not given the shipped skins"
xdotool windowfocus --sync "$WINDOW"
type_text "abc"
choose 3
expect_clipboard "oldabc" "Copy All"
choose 2
BOX=$(wait_for_box Quorlex 5) || fail "Clear All asked nothing"
expect_clipboard "oldabc" "the Clear All question up"
answer_box "$BOX" Return
type_text "d"
xmessage -geometry +0+0 "another program" &
HELPER_PIDS+=($!)
OTHER=
for _ in $(seq 50); do
    OTHER=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -n1)
    [ -n "$OTHER" ] && break
    sleep 0.1
done
[ -n "$OTHER" ] || fail "the other program's window never showed"
xdotool windowfocus --sync "$OTHER"
expect_clipboard "oldabcd" "another program focused"
echo "leaving: another program gets the text on screen, the program's own question copies nothing"

type_text "e"
kill -TERM "$PROGRAM_PID"
wait_for_exit 10 || fail "the program did not end on SIGTERM"
expect_file_text "$HOME_DIR/LastUsed.txt" "oldabcde"
echo "leaving: SIGTERM keeps the pad's text"

rm -rf "$WORK/not"
write_settings
start_program
type_text "xyz"
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" "xyz"
echo "leaving: a program folder that was not there is made and keeps the text at Exit"

touch "$WORK/plain"
XDG_CONFIG_HOME="$CONFIG_DIR" QT_QPA_PLATFORM=xcb "$PROGRAM" --home "$WORK/plain/home" >"$WORK/program.log" 2>&1
STATUS=$?
[ $STATUS = 2 ] || fail "a folder that cannot be made ended the start with status $STATUS, not 2"
grep -q "cannot make the folder" "$WORK/program.log" || fail "nothing was said of the folder that cannot be made"
echo "leaving: a folder that cannot be made stops the start with status 2"
