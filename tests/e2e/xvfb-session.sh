# Shared by the real-window scripts: an Xvfb display of their own, the
# program started on it with its own program folder and settings folder, taps
# at window coordinates, message boxes and the clipboard. Source it; it needs
# PROGRAM and TAP_POINTS.

for tool in Xvfb xdotool xprop xwininfo xclip iconv import; do
    command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done

WORK=$(mktemp -d)
HOME_DIR="$WORK/home"
CONFIG_DIR="$WORK/config"
SETTINGS_FILE="$CONFIG_DIR/Vorlane Corporation/quorlex.ini"
XVFB_PID=
PROGRAM_PID=
WINDOW=
HELPER_PIDS=()

session_cleanup() {
    local pid
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    for pid in "${HELPER_PIDS[@]}"; do kill -CONT "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap session_cleanup EXIT

fail() {
    echo "FAILED: $*"
    [ -s "$WORK/program.log" ] && { echo "--- program output"; cat "$WORK/program.log"; }
    exit 1
}

# start_display [WIDTHxHEIGHT]: a screen of that size, 640x480 if not given.
start_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${1:-640x480}x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
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

# start_window_manager: openbox on the display, as a desktop user has one;
# the script is skipped where openbox is not installed.
start_window_manager() {
    command -v openbox >/dev/null || { echo "openbox missing: skipped"; exit 77; }
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    HELPER_PIDS+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "openbox did not start"
}

# fresh_home: an empty program folder with the shipped Skins and KeyMaps.
fresh_home() {
    rm -rf "$HOME_DIR"
    mkdir -p "$HOME_DIR"
    cp -r "$(dirname "$PROGRAM")/Skins" "$(dirname "$PROGRAM")/KeyMaps" "$HOME_DIR/" 2>/dev/null || true
}

# write_settings "Name=value"...: the settings file holds exactly these.
write_settings() {
    mkdir -p "$(dirname "$SETTINGS_FILE")"
    { echo "[Quorlex]"; printf '%s\n' "$@"; } >"$SETTINGS_FILE"
}

# launch_program [wrapper...]: starts the program (behind an optional wrapper
# command) at the scale of SCALE_OPTION without waiting for its window.
SCALE_OPTION=(--scale 1)
launch_program() {
    [ -d "$HOME_DIR" ] || fresh_home
    mkdir -p "$CONFIG_DIR"
    # Under AddressSanitizer: the xcb platform's keyboard library hands
    # strndup a name that is not NUL-terminated within its length, which
    # strndup allows and strict string checks report.
    [ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
    XDG_CONFIG_HOME="$CONFIG_DIR" QT_QPA_PLATFORM=xcb "$@" "$PROGRAM" --home "$HOME_DIR" "${SCALE_OPTION[@]}" \
        >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    WINDOW=
}

# is_dialog WINDOW: message boxes are dialogs, the screen window is not.
is_dialog() {
    xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG
}

# wait_for_board: waits for the program's screen window and sets WINDOW.
wait_for_board() {
    local w
    for _ in $(seq 150); do
        for w in $(xdotool search --onlyvisible --name '^Quorlex$' 2>/dev/null); do
            is_dialog "$w" || { WINDOW=$w; sleep 0.3; return 0; }
        done
        kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended before its window showed"
        sleep 0.1
    done
    fail "the program's window never showed"
}

start_program() {
    launch_program "$@"
    wait_for_board
}

# find_box TITLE: prints the visible message box of that title, if any.
find_box() {
    local w
    for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        is_dialog "$w" && { echo "$w"; return 0; }
    done
    return 1
}

# wait_for_box TITLE SECONDS: prints the box once it shows.
wait_for_box() {
    for _ in $(seq $(( $2 * 10 ))); do
        find_box "$1" && return 0
        sleep 0.1
    done
    return 1
}

# answer_box WINDOW KEY: the box takes the keyboard and the key answers it.
answer_box() {
    xdotool windowfocus --sync "$1" key "$2" 2>/dev/null
    for _ in $(seq 30); do
        xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
        sleep 0.1
    done
    fail "the message box did not go away after $2"
}

# tap X Y: one stylus tap at window coordinates.
tap() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1 mouseup 1
    sleep 0.05
}

# tap_lines [PAUSE]: taps every "x y" line on standard input in one batch,
# PAUSE seconds apart (none by default), then waits until the program is idle.
tap_lines() {
    local x y args=()
    while read -r x y; do
        args+=(mousemove --window "$WINDOW" "$x" "$y" mousedown 1 mouseup 1)
        [ -n "${1:-}" ] && args+=(sleep "$1")
    done
    [ ${#args[@]} -gt 0 ] && xdotool "${args[@]}"
    wait_idle
}

# cpu_ticks: user + system time the program has used so far.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$PROGRAM_PID/stat" 2>/dev/null
}

# wait_idle: until the program has used no processor time for 0.15 s, so
# that every queued tap has been handled.
wait_idle() {
    local before after
    after=$(cpu_ticks)
    for _ in $(seq 1200); do
        before=$after
        sleep 0.15
        after=$(cpu_ticks)
        [ -z "$after" ] || [ "$before" = "$after" ] && return 0
    done
}

# The side menu is white and unrolls from its fixed edge over the board's
# dark background. The first probe is covered only once it is fully open,
# the second is the last to be uncovered as it rolls up. Both animations
# end one tick (50 ms) after that.
MENU_WHITE="255,255,255"
menu_open_probe() { [ "$RH" = 1 ] && echo "32 215" || echo "207 104"; }
menu_last_probe() { [ "$RH" = 1 ] && echo "208 215" || echo "31 104"; }

# wait_pixel X Y STATE SECONDS: until the pixel is (STATE "is") or is not
# (STATE "not") white; false on time-out.
wait_pixel() {
    local got
    for _ in $(seq $(( $4 * 20 ))); do
        got=$(pixel "$1" "$2")
        [ "$3" = is ] && [ "$got" = "$MENU_WHITE" ] && return 0
        [ "$3" = not ] && [ "$got" != "$MENU_WHITE" ] && return 0
        sleep 0.05
    done
    return 1
}

open_menu() {
    "$TAP_POINTS" slot "$LAYOUT" "$RH" 50 | tap_lines
    wait_pixel $(menu_open_probe) is 10 || fail "the side menu did not open"
    sleep 0.2
}

# wait_menu_gone: the menu has rolled up (a command that covers the board,
# such as Notepad or a message box, may hide the probe: then it times out).
wait_menu_gone() {
    wait_pixel $(menu_last_probe) not 3
    sleep 0.2
}

choose() {
    open_menu
    "$TAP_POINTS" menu "$RH" "$1" | tap_lines
    wait_menu_gone
}

type_text() {
    "$TAP_POINTS" type "$LAYOUT" "$RH" "$@" | tap_lines
}

# wait_for_exit SECONDS: true when the program ended by itself in time.
wait_for_exit() {
    for _ in $(seq $(( $1 * 10 ))); do
        kill -0 "$PROGRAM_PID" 2>/dev/null || { wait "$PROGRAM_PID" 2>/dev/null; PROGRAM_PID=; return 0; }
        sleep 0.1
    done
    return 1
}

exit_from_board() {
    choose 0
    wait_for_exit 10 || fail "the program did not end after Exit"
}

clipboard_text() {
    xclip -o -selection clipboard 2>/dev/null
}

# pixel X Y: "r,g,b" of the window's pixel there; nothing once the window
# is gone (import would wait for it for ever).
pixel() {
    xwininfo -id "$WINDOW" 2>/dev/null | grep -q IsViewable || return 0
    timeout 5 import -window "$WINDOW" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | sed -n 's/^0,0: *(\([0-9,]*\)).*/\1/p'
}

expect_pixel() {
    local got
    got=$(pixel "$1" "$2")
    [ "$got" = "$3" ] || fail "$4: the pixel at $1,$2 is '$got', expected '$3'"
}

rss_kb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$PROGRAM_PID/status"
}

# utf16_hex TEXT: the bytes LastUsed.txt holds for TEXT (\n becomes CR LF).
utf16_hex() {
    printf '\xff\xfe'
    printf '%s' "$1" | sed 's/$/\r/; $ s/\r$//' | iconv -f UTF-8 -t UTF-16LE
}

# expect_file_text FILE TEXT: the file holds exactly TEXT as the program saves it.
expect_file_text() {
    expect_file_hex "$1" "$(utf16_hex "$2" | od -An -v -tx1 | tr -d ' \n')"
}

# expect_file_hex FILE HEX: the file's bytes, as lower-case hex, must be HEX.
expect_file_hex() {
    local got
    got=$(od -An -v -tx1 "$1" 2>/dev/null | tr -d ' \n')
    [ "$got" = "$2" ] || fail "$1 holds '$got', expected '$2'"
}
