# Shared by the real-window scripts: an Xvfb display of their own, the
# program started on it with its own program folder and settings folder, and
# taps at window coordinates. Source it; it needs PROGRAM and TAP_POINTS.

command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb or xdotool missing: skipped"; exit 77; }

WORK=$(mktemp -d)
XVFB_PID=
PROGRAM_PID=

session_cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap session_cleanup EXIT

# start_display [WIDTHxHEIGHT]: a screen of that size, 640x480 if not given.
start_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${1:-640x480}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdotool getmouselocation >/dev/null 2>&1 && return 0
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "no display could be started"; exit 1
}

# start_program [extra arguments...]: the program with a fresh home and settings,
# at the scale of SCALE_OPTION.
SCALE_OPTION=(--scale 1)
start_program() {
    mkdir -p "$WORK/home" "$WORK/config"
    cp -r "$(dirname "$PROGRAM")/Skins" "$(dirname "$PROGRAM")/KeyMaps" "$WORK/home/" 2>/dev/null || true
    XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=xcb "$PROGRAM" --home "$WORK/home" "${SCALE_OPTION[@]}" "$@" \
        >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    WINDOW=
    for _ in $(seq 100); do
        WINDOW=$(xdotool search --onlyvisible --name '^Quorlex$' 2>/dev/null | head -n 1) && [ -n "$WINDOW" ] && break
        sleep 0.1
    done
    [ -n "$WINDOW" ] || { echo "the program's window never showed"; cat "$WORK/program.log"; exit 1; }
    sleep 1.0
}

tap() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" click 1
    sleep 0.08
}

# tap_lines: taps every "x y" line on standard input.
tap_lines() {
    local x y
    while read -r x y; do tap "$x" "$y"; done
}

# wait_for_exit SECONDS: true when the program ended by itself in time.
wait_for_exit() {
    for _ in $(seq $(( $1 * 10 ))); do
        kill -0 "$PROGRAM_PID" 2>/dev/null || { wait "$PROGRAM_PID" 2>/dev/null; PROGRAM_PID=; return 0; }
        sleep 0.1
    done
    return 1
}

# expect_file_hex FILE HEX: the file's bytes, as lower-case hex, must be HEX.
expect_file_hex() {
    local got
    got=$(od -An -v -tx1 "$1" 2>/dev/null | tr -d ' \n')
    [ "$got" = "$2" ] || { echo "$1 holds '$got', expected '$2'"; exit 1; }
}
