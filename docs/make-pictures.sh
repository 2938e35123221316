#!/usr/bin/env bash
# Makes the README's pictures from the real program under Xvfb, on a screen of
# the handheld's size (240 x 320, which the program fills): the board in its
# three layouts, in the Dark skin, with the Punctuation plane, with the side menu and with the
# line list, and the notepad. Board pictures are turned a quarter clockwise,
# the way a right-handed user holds the device.
#
#   docs/make-pictures.sh [BUILD_FOLDER]      (default: build)
#
# Needs Xvfb, xdotool and ImageMagick (import, convert); run after a build.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
PROGRAM=$BUILD/quorlex
TAP_POINTS=$BUILD/tests/e2e/tap_points
OUT=$ROOT/docs
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "make-pictures: $tool is missing"; exit 1; }
done
[ -x "$PROGRAM" ] && [ -x "$TAP_POINTS" ] || { echo "make-pictures: build first ($PROGRAM, $TAP_POINTS)"; exit 1; }

WORK=$(mktemp -d)
XVFB_PID=
PROGRAM_PID=
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

start_display() {
    local n
    for n in $(seq 150 199); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 240x320x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdotool getmouselocation >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
    done
    echo "make-pictures: no display could be started"; exit 1
}

# The text the pad starts with: LastUsed.txt is UTF-16 with a byte-order mark.
write_last_used() {
    printf 'Shopping list:\r\nbread, cheese, 6 eggs\r\nCall Ana at 10:30 about the trip' |
        iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$WORK/home/LastUsed.txt"
}

# start LAYOUT OPEN_KB [SKIN]: the program with its own folder and preferences.
start() {
    rm -rf "$WORK/home" "$WORK/config"
    mkdir -p "$WORK/home" "$WORK/config/Vorlane Corporation"
    cp -r "$BUILD/Skins" "$BUILD/KeyMaps" "$WORK/home/"
    write_last_used
    printf '[Quorlex]\nKey Layout=%s\nOpen KB On Start=%s\nOn Start Action=1\nSkin=%s\n' "$1" "$2" "${3:-Default Skin}" \
        >"$WORK/config/Vorlane Corporation/quorlex.ini"
    XDG_CONFIG_HOME="$WORK/config" "$PROGRAM" --home "$WORK/home" >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    WINDOW=
    for _ in $(seq 100); do
        WINDOW=$(xdotool search --onlyvisible --name '^Quorlex$' 2>/dev/null | head -n 1) && [ -n "$WINDOW" ] && break
        sleep 0.1
    done
    [ -n "$WINDOW" ] || { echo "make-pictures: no window"; cat "$WORK/program.log"; exit 1; }
    sleep 1
    # The pad opens at the end of the text; shf and the left arrow show its line from the start.
    if [ "$2" = 1 ]; then
        tap_slot "$1" 52
        tap_slot "$1" 53
    fi
}

stop() {
    kill "$PROGRAM_PID"
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=
}

# tap_slot LAYOUT SLOT, tap_menu ITEM: right-handed taps through tap_points.
tap_at() { xdotool mousemove --window "$WINDOW" "$1" "$2" click 1; sleep 0.7; }
tap_slot() { tap_at $("$TAP_POINTS" slot "$1" 1 "$2"); }

# shoot NAME [ROTATION]: the window's 240 x 320 pixels as docs/NAME.png.
shoot() {
    import -window root "$WORK/screen.png"
    convert "$WORK/screen.png" -crop 240x320+0+0 +repage -rotate "${2:-0}" -strip "$OUT/$1.png"
    echo "made docs/$1.png"
}

start_display
names=(flat crest trough)
for layout in 0 1 2; do
    start "$layout" 1
    shoot "board-${names[$layout]}" 90
    stop
done

start 2 1 Dark.kbskn
shoot board-dark 90
stop

start 2 1
tap_slot 2 58
shoot board-punctuation 90
stop

start 2 1
tap_slot 2 50
sleep 0.5
shoot side-menu 90
stop

start 2 1
tap_slot 2 8
shoot line-list 90
stop

start 2 0
shoot notepad
stop
