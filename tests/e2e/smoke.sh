#!/usr/bin/env bash
# Types "ab", Enter, "c" on the real board under Xvfb and leaves through the
# side menu's Exit: LastUsed.txt must hold exactly that text.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

start_display
start_program
"$TAP_POINTS" type 2 1 $'ab\nc' | tap_lines
"$TAP_POINTS" slot 2 1 50 | tap_lines
sleep 1.0
"$TAP_POINTS" menu 1 0 | tap_lines
wait_for_exit 10 || { echo "the program did not end after Exit"; cat "$WORK/program.log"; exit 1; }
expect_file_hex "$WORK/home/LastUsed.txt" fffe610062000d000a006300
echo "smoke: typed text saved on Exit"
