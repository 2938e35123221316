#!/usr/bin/env bash
# Types "ab", Enter, "c" on the real board under Xvfb and leaves through the
# side menu's Exit: LastUsed.txt must hold exactly that text.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

LAYOUT=2 RH=1
start_display
start_program
type_text $'ab\nc'
exit_from_board
expect_file_hex "$HOME_DIR/LastUsed.txt" fffe610062000d000a006300
echo "smoke: typed text saved on Exit"
