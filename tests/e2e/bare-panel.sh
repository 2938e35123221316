#!/usr/bin/env bash
# The program on a bare 240 x 320 panel: Qt's vnc platform (the linuxfb
# screen code, no window manager, no desktop) shown by a real VNC client and
# driven by taps alone. Typing, the side menu, Clear All answered Yes, the
# preference sheet opened and closed, Exit: LastUsed.txt holds the text.
set -u
PROGRAM=$1
TAP_POINTS=$2
for tool in xtigervncviewer convert compare identify; do
    command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
. "$(dirname "$0")/xvfb-session.sh"

# listens PORT: true when the program has a listening socket on the port.
listens() {
    local hex inode
    hex=$(printf '%04X' "$1")
    for inode in $(awk -v p=":$hex" '$4 == "0A" && substr($2, length($2) - 4) == p { print $10 }' \
            /proc/net/tcp /proc/net/tcp6 2>/dev/null); do
        ls -l "/proc/$PROGRAM_PID/fd" 2>/dev/null | grep -q "socket:\[$inode\]" && return 0
    done
    return 1
}

# start_on_panel: the program on a free port of its own (others may be
# running the same test), then the viewer at the top left of the display.
start_on_panel() {
    local port
    for _ in $(seq 20); do
        port=$(( 20000 + RANDOM % 40000 ))
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
        mkdir -p "$CONFIG_DIR"
        env -u DISPLAY XDG_CONFIG_HOME="$CONFIG_DIR" QT_QPA_PLATFORM="vnc:size=240x320:port=$port" \
            "$PROGRAM" --home "$HOME_DIR" >"$WORK/program.log" 2>&1 &
        PROGRAM_PID=$!
        for _ in $(seq 100); do
            listens "$port" && break
            kill -0 "$PROGRAM_PID" 2>/dev/null || break
            sleep 0.1
        done
        if listens "$port"; then
            xtigervncviewer -SecurityTypes None -PreferredEncoding Raw -AutoSelect=0 -FullColor \
                -RemoteResize=0 -MenuKey= -AcceptClipboard=0 -SendClipboard=0 -SendPrimary=0 \
                -geometry +0+0 "127.0.0.1::$port" >"$WORK/viewer.log" 2>&1 &
            HELPER_PIDS+=($!)
            WINDOW=$(xdotool search --sync --onlyvisible --pid $! 2>/dev/null | head -1)
            [ -n "$WINDOW" ] || fail "the viewer showed no window: $(cat "$WORK/viewer.log")"
            return 0
        fi
        kill "$PROGRAM_PID" 2>/dev/null; wait "$PROGRAM_PID" 2>/dev/null
    done
    fail "the program never listened for a VNC client"
}

# shot FILE: the panel as the viewer shows it.
shot() {
    timeout 5 import -window "$WINDOW" "$1" 2>/dev/null
}

# box_buttons BEFORE AFTER: "x y" of the centre of each push button (left to
# right) in what AFTER shows over BEFORE: a message box on the panel has no
# window of its own to look for, so its buttons are found as the dark frames
# of their size in the changed area.
box_buttons() {
    local area
    area=$(convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 1% -format '%@' info:)
    [ "${area%%x*}" -gt 0 ] 2>/dev/null || return 0
    convert "$2" -crop "$area" +repage -colorspace gray -threshold 60% \
        -define connected-components:verbose=true -connected-components 8 null: 2>/dev/null |
        awk -v area="$area" 'BEGIN { split(area, a, /[x+]/) }
            NR > 1 && $NF == "gray(0)" { split($2, g, /[x+]/)
                if (g[1] >= 40 && g[1] <= 120 && g[2] >= 16 && g[2] <= 40)
                    print a[3] + g[3] + int(g[1] / 2), a[4] + g[4] + int(g[2] / 2) }' | sort -n
}

# wait_box_buttons BEFORE COUNT: until a box with COUNT buttons shows; prints them.
wait_box_buttons() {
    local buttons
    for _ in $(seq 50); do
        shot "$WORK/box.png"
        buttons=$(box_buttons "$1" "$WORK/box.png")
        [ "$(grep -c . <<<"$buttons")" = "$2" ] && { echo "$buttons"; return 0; }
        sleep 0.2
    done
    return 1
}

# same_picture A B: the two shots show the same pixels.
same_picture() {
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}

# The header's Cancel of the preference sheet, at the top right of the panel.
CANCEL_X=214 CANCEL_Y=12

LAYOUT=2 RH=1
start_display 320x400
fresh_home
start_on_panel
type_text "ab"
shot "$WORK/board.png"
[ "$(identify -format %wx%h "$WORK/board.png")" = 240x320 ] || fail "the panel is not 240 x 320"
choose 2
buttons=$(wait_box_buttons "$WORK/board.png" 2) || fail "Clear All asked nothing"
# Yes, the first button, clears the pad.
tap $(head -1 <<<"$buttons")
wait_idle
type_text "c"
shot "$WORK/board.png"
choose 7
for _ in $(seq 50); do
    shot "$WORK/sheet.png"
    same_picture "$WORK/board.png" "$WORK/sheet.png" || break
    sleep 0.2
done
sleep 0.5
[ -n "${PANEL_SHOTS:-}" ] && shot "$PANEL_SHOTS/sheet.png"
tap $CANCEL_X $CANCEL_Y
for _ in $(seq 50); do
    shot "$WORK/back.png"
    same_picture "$WORK/board.png" "$WORK/back.png" && break
    sleep 0.2
done
same_picture "$WORK/board.png" "$WORK/back.png" || fail "the board did not come back after the sheet's Cancel"
type_text "d"
exit_from_board
expect_file_text "$HOME_DIR/LastUsed.txt" "cd"
echo "bare panel: typed, cleared with Yes, preferences opened and closed, saved on Exit, all by taps"
