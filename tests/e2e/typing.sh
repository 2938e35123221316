#!/usr/bin/env bash
# Every cell of every plane of the built-in key map typed on the real board,
# in each key layout and both hand directions: after Exit, LastUsed.txt must
# hold exactly those characters, one plane a line.
set -u
PROGRAM=$1
TAP_POINTS=$2
. "$(dirname "$0")/xvfb-session.sh"

# What the built-in map types, written out here rather than taken from the
# program, so that a wrong cell in its table shows up too.
EXPECTED=$'1234567890abcdefghijklmnopqrstuvwxyz,. \t
!@#$%^&*()ABCDEFGHIJKLMNOPQRSTUVWXYZ,. \t
!@#$%^&*()|±™;-"\'\\}/<>?÷[]~_:+{°`®=©,. \t
àáâãäåæçðèò¢ýôëõößñþùú¥£øœéìóíïµêüîû¿§ \t
ÀÁÂÃÄÅÆÇÐÈÒ¢ÝÔËÕÖßÑÞÙÚ¥£ØÆÉÌÓÍÏµÊÜÎÛ¿§ \t'

# A point inside a key of each layout that lies on the background of the
# other two (key centres coincide across layouts, so typing alone would not
# tell them apart), by direction and layout.
declare -A OWN_KEY_POINT=([1,0]="36 239" [1,1]="69 26" [1,2]="69 134"
                          [0,0]="35 238" [0,1]="68 133" [0,2]="68 25")

start_display
for LAYOUT in 0 1 2; do
    for RH in 1 0; do
        fresh_home
        write_settings "Key Layout=$LAYOUT" "Direction=$RH"
        start_program
        expect_pixel ${OWN_KEY_POINT[$RH,$LAYOUT]} "255,255,255" "the board of layout $LAYOUT"
        "$TAP_POINTS" cells "$LAYOUT" "$RH" | tap_lines
        exit_from_board
        expect_file_text "$HOME_DIR/LastUsed.txt" "$EXPECTED"
        echo "layout $LAYOUT, right-handed $RH: all 200 cells typed"
    done
done
