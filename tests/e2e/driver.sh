#!/usr/bin/env bash
# The real-window suite's one driver: runs the steps of a scenario file on the
# program, on an Xvfb display of the scenario's own, with its own program
# folder and settings folder.
#
#   driver.sh SCENARIO PROGRAM TAP_POINTS      (CMAKE names cmake for "install")
#
# A scenario holds one step a line: a step name and its words, quoted as in
# the shell ($'a\nb' for a line break); '#' lines are comments. "section
# NAME" starts a case; "needs_mount" skips the rest of the case (and says so)
# where a read-only bind mount cannot be made; "needs TOOL..." skips the whole
# scenario (status 77) where a tool is missing. Taps are at window coordinates.
set -u
SCENARIO=$1
PROGRAM=$2
TAP_POINTS=$3
WORK=$(mktemp -d)
HOME_DIR=$WORK/home
CONFIG_DIR=$WORK/config
SETTINGS_FILE="$CONFIG_DIR/Vorlane Corporation/quorlex.ini"
mkdir -p "$(dirname "$SETTINGS_FILE")"
LAYOUT=2 RH=1 SCALE_OPTION=(--scale 1)
PROGRAM_PID= HELPERS=()

# A helper may be stopped (freeze_clipboard): it is let go on first.
cleanup() {
    kill -CONT "${HELPERS[@]}" 2>/dev/null
    kill $PROGRAM_PID "${HELPERS[@]}" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    [ -s "$WORK/program.log" ] && { echo "--- program output"; cat "$WORK/program.log"; }
    exit 1
}

# within SECONDS COMMAND...: runs the command every tenth of a second until it
# succeeds; false if it never does in that time.
within() {
    local end=$((SECONDS + $1))
    until "${@:2}"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

# needs TOOL...: a tool that is not installed skips the scenario (status 77).
step_needs() { type -P "$@" >/dev/null || { echo "one of $* is missing: skipped"; exit 77; }; }

# display [WIDTHxHEIGHT]: a screen of that size (640x480 if not given) on a
# display number the server finds free.
step_display() {
    step_needs Xvfb xdotool xprop xwininfo xclip iconv import compare
    Xvfb -displayfd 3 -screen 0 "${1:-640x480}x24" -nolisten tcp -noreset 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB=$!
    HELPERS+=($!)
    within 10 grep -q . "$WORK/display" || fail "no display could be started: $(cat "$WORK/xvfb.log")"
    export DISPLAY=":$(cat "$WORK/display")"
}

# wm: openbox on the display, as a desktop user has one.
step_wm() {
    step_needs openbox
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    HELPERS+=($!)
    within 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' || fail "openbox did not start"
}

# home [DIR]: an empty program folder with the shipped Skins and KeyMaps, or
# the program folder is DIR, left to the program to make.
step_home() {
    [ $# = 1 ] && { HOME_DIR=$1; return 0; }
    rm -rf "$HOME_DIR"
    mkdir -p "$HOME_DIR"
    cp -r "$(dirname "$PROGRAM")/Skins" "$(dirname "$PROGRAM")/KeyMaps" "$HOME_DIR/" 2>/dev/null || true
}

# settings "Name=value"...: the settings file holds exactly these.
step_settings() { printf '%s\n' "[Quorlex]" "$@" >"$SETTINGS_FILE"; }

step_board() { LAYOUT=$1 RH=$2; }
step_scale() { SCALE_OPTION=(${1:+--scale "$1"}); }

# launch [WRAPPER...]: starts the program (behind an optional wrapper
# command) without waiting for its window.
step_launch() {
    [ "$HOME_DIR" != "$WORK/home" ] || [ -d "$HOME_DIR" ] || step_home
    # Under AddressSanitizer: the xcb platform's keyboard library hands
    # strndup a name that is not NUL-terminated within its length, which
    # strndup allows and strict string checks report.
    [ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
    XDG_CONFIG_HOME="$CONFIG_DIR" QT_QPA_PLATFORM=xcb "$@" "$PROGRAM" --home "$HOME_DIR" "${SCALE_OPTION[@]}" \
        >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

# find_window TITLE dialog|main: prints the visible window of that title that
# is (or is not) a dialog. Message boxes are dialogs, the screen window is not.
find_window() {
    local w kind
    for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && kind=dialog || kind=main
        [ $kind = "$2" ] && { echo "$w"; return 0; }
    done
    return 1
}

step_board_up() {
    WINDOW=$(within 15 find_window Quorlex main) || fail "the program's window never showed"
    sleep 0.3
}

step_start() {
    step_launch "$@"
    step_board_up
}

# start_read_only DIR: the program in a mount namespace where DIR cannot be written.
step_start_read_only() { step_start unshare -m sh -c 'mount --bind -o ro "$0" "$0" && exec "$@"' "$1"; }

gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# box TITLE [KEY]: a dialog of that title, BOX, shows within ten seconds; the
# key (given to it with the keyboard focus) answers it.
step_box() {
    BOX=$(within 10 find_window "$1" dialog) || fail "no '$1' box showed"
    [ -z "${2:-}" ] && return 0
    xdotool windowfocus --sync "$BOX" key "$2" 2>/dev/null
    within 3 gone "$BOX" || fail "the '$1' box did not go away after $2"
}

step_no_box() { ! find_window Quorlex dialog >/dev/null || fail "a message box is up"; }

# tap X Y [WINDOW]: one stylus tap, on the board unless another window is given.
step_tap() { echo "$1 $2" | tap_lines "" "${3:-$WINDOW}"; }

# tap_lines [PAUSE [WINDOW]]: taps every "x y" line on standard input in one
# batch on the board (or WINDOW), PAUSE seconds apart (none if empty), then
# waits until the program is idle.
tap_lines() {
    local x y args=()
    while read -r x y; do
        args+=(mousemove --window "${2:-$WINDOW}" "$x" "$y" mousedown 1 mouseup 1)
        [ -n "${1:-}" ] && args+=(sleep "$1")
    done
    [ ${#args[@]} -gt 0 ] && xdotool "${args[@]}"
    within 180 idle
}

# idle: the program has used no processor time for 0.15 s (or has ended), so
# every queued tap has been handled.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$PROGRAM_PID/stat" 2>/dev/null; }
idle() {
    local before=$(cpu_ticks)
    sleep 0.15
    [ -z "$before" ] || [ "$before" = "$(cpu_ticks)" ]
}

# type TEXT, cells, slot SLOT, menu_item ITEM: the taps tap_points prints for them.
taps() { "$TAP_POINTS" "$1" "$LAYOUT" "$RH" "${@:2}" | tap_lines; }

# pixel X Y: "r,g,b" of the window's pixel there; nothing once the window is
# gone (import would wait for it for ever).
pixel() {
    gone "$WINDOW" && return 0
    timeout 5 import -window "$WINDOW" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | sed -n 's/^0,0: *(\([0-9,]*\)).*/\1/p'
}

step_pixel() { [ "$(pixel "$1" "$2")" = "$3" ] || fail "${4:-the window}: the pixel at $1,$2 is '$(pixel "$1" "$2")', not '$3'"; }

# The side menu is white and unrolls from its fixed edge over the board's
# dark background. The first probe is covered only once it is fully open,
# the second is the last to be uncovered as it rolls up. Both animations
# end one tick (50 ms) after that.
# menu_probe RIGHT-HANDED-X LEFT-HANDED-X: the probe "x y" for the board's hand.
menu_probe() { [ "$RH" = 1 ] && echo "$1 215" || echo "$2 104"; }
white() { [ "$(pixel "$1" "$2")" = 255,255,255 ]; }
dark() { ! white "$@"; }

# menu_opens_within [MS]: the menu key opens the menu (in time).
step_menu_opens_within() {
    local since=$(date +%s%N)
    taps slot 50
    within 10 white $(menu_probe 32 207) || fail "the side menu did not open"
    since=$((($(date +%s%N) - since) / 1000000))
    [ $since -lt "${1:-10000}" ] || fail "the menu took $since ms"
    sleep 0.2
}

# menu_gone: the menu has rolled up (a command that covers the board, such as
# Notepad or a message box, may hide the probe: then it times out).
step_menu_gone() {
    within 3 dark $(menu_probe 208 31)
    sleep 0.2
}

step_choose() {
    step_menu_opens_within
    taps menu "$1"
    step_menu_gone
}

running() { kill -0 "$PROGRAM_PID" 2>/dev/null; }

# ends [STATUS TEXT]: the program ends by itself within ten seconds (with
# that exit status, having said TEXT).
step_ends() {
    within 10 eval '! running' || fail "the program did not close"
    wait "$PROGRAM_PID" 2>/dev/null
    local status=$?
    PROGRAM_PID=
    [ $# = 0 ] && return 0
    [ $status = "$1" ] || fail "the program ended with status $status, not $1"
    grep -q "$2" "$WORK/program.log" || fail "the program did not say '$2'"
}

step_leave() {
    step_choose 0
    step_ends
}

step_signal() { kill "-$1" "$PROGRAM_PID"; }
# display_ends: the X server goes away under the program, as at a logout
# without a session manager.
step_display_ends() { kill "$XVFB"; }
step_sleep() { sleep "$1"; }
step_say() { echo "$(basename "$SCENARIO" .steps): $*"; }
step_run() { "$@"; }
step_clip() { printf '%s' "$1" | xclip -selection clipboard -i; }
# expect_clip TEXT [FORM]: the clipboard gives TEXT, asked for in the form
# (UTF8_STRING if not given).
clipboard_text() { xclip -o -selection clipboard ${1:+-t "$1"} 2>/dev/null; }
step_expect_clip() {
    [ "$(clipboard_text "${2:-}" | hex_of)" = "$(printf '%s' "$1" | hex_of)" ] ||
        fail "the clipboard holds '$(clipboard_text "${2:-}")' as ${2:-UTF8_STRING}, expected '$1'"
}

# utf16_hex TEXT: the bytes LastUsed.txt holds for TEXT (\n becomes CR LF).
utf16_hex() {
    printf '\xff\xfe'
    printf '%s' "$1" | sed 's/$/\r/; $ s/\r$//' | iconv -f UTF-8 -t UTF-16LE
}

# hex FILE HEX: the file's bytes, as lower-case hex; text FILE TEXT: the file
# holds exactly TEXT as the program saves it. Both in the program folder.
hex_of() { od -An -v -tx1 "$@" 2>/dev/null | tr -d ' \n'; }
step_hex() { [ "$(hex_of "$HOME_DIR/$1")" = "$2" ] || fail "$1 holds '$(hex_of "$HOME_DIR/$1")', expected '$2'"; }
step_text() { step_hex "$1" "$(utf16_hex "$2" | hex_of)"; }

step_setting() { grep -qxF "$1" "$SETTINGS_FILE" || fail "the settings file has no line '$1': $(cat "$SETTINGS_FILE")"; }

# keys WORDS...: xdotool's words sent to the window with the keyboard focus (the notepad).
step_keys() {
    xdotool windowfocus --sync "$WINDOW" "$@"
    within 180 idle
}

# file_dialog TITLE PATH: the file dialog of that title takes the path; the
# program has then read (or written) the file and has the focus back.
step_file_dialog() {
    step_box "$1"
    xdotool windowfocus --sync "$BOX" type "$2"
    step_box "$1" Return
    within 180 idle
}

step_folder_holds() { [ "$(ls -A "$1" | sort | tr '\n' ' ')" = "$2" ] || fail "$1 holds $(ls -A "$1")"; }
step_keep_settings() { cp "$SETTINGS_FILE" "$WORK/settings.before"; }
step_settings_kept() {
    cmp -s "$SETTINGS_FILE" "$WORK/settings.before" || fail "the settings file changed: $(cat "$SETTINGS_FILE")"
    ! ls "$(dirname "$SETTINGS_FILE")" | grep -v '^quorlex.ini$' || fail "scratch files were left beside the settings"
}

# sheet_open, sheet_ok: the preference sheet from the side menu, and its OK
# where it shows with Wine's Tahoma (fonts-wine, installed by .ci/install-deps).
step_sheet_open() {
    step_choose 7
    step_box Preferences
}
step_sheet_ok() {
    step_tap 217 243 "$BOX"
    within 5 gone "$BOX" || fail "the preference sheet did not close on OK"
}

# whole_screen WHEN: the window lies exactly on the 240 x 320 screen, full screen and frameless.
step_whole_screen() {
    [ "$(xwininfo -id "$WINDOW" | grep -cE 'Absolute upper-left [XY]:  0$|Width: 240$|Height: 320$')" = 4 ] ||
        fail "$1: the window is not on the whole screen: $(xwininfo -id "$WINDOW")"
    # Motif hints: flags, functions, decorations, ...; decorations 0 asks for no frame.
    [ "$(xprop -id "$WINDOW" _NET_WM_STATE _MOTIF_WM_HINTS | grep -cE '_NET_WM_STATE_FULLSCREEN|^_MOTIF.*= *[^,]*, *[^,]*, *0x0(,|$)')" = 2 ] ||
        fail "$1: the window is not full screen or asks for a frame: $(xprop -id "$WINDOW" _NET_WM_STATE _MOTIF_WM_HINTS)"
}

# freeze_clipboard TEXT: an owner of the clipboard that no longer answers (until thaw_clipboard).
step_freeze_clipboard() {
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    HELPERS+=($!)
    sleep 0.3
    kill -STOP "${HELPERS[-1]}"
}
step_thaw_clipboard() { kill -CONT "${HELPERS[-1]}"; }

step_needs_mount() {
    unshare -m sh -c 'mount --bind -o ro "$0" "$0" && ! touch "$0/x"' "$WORK" 2>/dev/null && return 0
    step_say "no read-only bind mount here: skipped"
    SKIPPING=1
}

step_section() {
    SKIPPING=0
    step_say "$*"
}

# other TITLE COMMAND...: another program, whose window of that title is
# OTHER and whose output goes to other.log.
step_other() {
    "${@:2}" >"$WORK/other.log" 2>&1 &
    HELPERS+=($!)
    OTHER=$(within 5 find_window "$1" main) || fail "the other program's window never showed"
}

# focus WINDOW: it takes the focus, through the window manager if one runs.
step_focus() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
    sleep 0.3
}

# other_saw COUNT PATTERN: that many lines of the other program's output match.
step_other_saw() { [ "$(grep -c "$2" "$WORK/other.log")" = "$1" ] || fail "the other program did not see '$2' $1 times"; }

step_press() { xdotool key "$1" sleep 0.5; }

shown_as() { xprop -id "$WINDOW" WM_STATE 2>/dev/null | grep -q "window state: $1"; }
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# shown_as Normal|Iconic WHEN: within five seconds the board is shown or minimised.
step_shown_as() { within 5 shown_as "$1" || fail "$2: the window is not $1"; }

# in_front WINDOW WHEN: within five seconds that window is shown and has the focus.
step_in_front() {
    [ "$1" != "$WINDOW" ] || step_shown_as Normal "$2"
    within 5 active "$1" || fail "$2: the window is not in front"
}

# shot NAME: the window as it looks now; same NAME, differs NAME: within ten
# seconds it looks exactly as (or otherwise than) in that shot.
shoot() { timeout 5 import -window "$WINDOW" "$1" 2>/dev/null; }
step_shot() { shoot "$WORK/$1.png"; }
looks() { shoot "$WORK/now.png" && [ "$(compare -metric AE "$WORK/$2.png" "$WORK/now.png" null: 2>&1)" $1 0 ]; }
step_same() { within 10 looks = "$1" || fail "the window does not look as in the shot $1"; }
step_differs() { within 10 looks != "$1" || fail "the window still looks as in the shot $1"; }

# panel: the program on a bare 240 x 320 panel, Qt's vnc platform (the
# linuxfb screen code, no window manager, no desktop) on a port the system
# picks (port 0), shown by a real VNC client at the top left of the display:
# WINDOW is the client's, and taps go through it.
step_panel() {
    local port
    step_needs xtigervncviewer ss
    env -u DISPLAY XDG_CONFIG_HOME="$CONFIG_DIR" QT_QPA_PLATFORM="vnc:size=240x320:port=0" \
        "$PROGRAM" --home "$HOME_DIR" >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    port=$(within 10 listening_port) || fail "the program never listened for a VNC client"
    xtigervncviewer -SecurityTypes None -PreferredEncoding Raw -AutoSelect=0 -FullColor -RemoteResize=0 -MenuKey= \
        -AcceptClipboard=0 -SendClipboard=0 -SendPrimary=0 -geometry +0+0 "127.0.0.1::$port" >"$WORK/viewer.log" 2>&1 &
    HELPERS+=($!)
    WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --pid $! 2>/dev/null | head -1)
    [ -n "$WINDOW" ] || fail "the viewer showed no window: $(cat "$WORK/viewer.log")"
    [ "$(xwininfo -id "$WINDOW" | grep -cE 'Width: 240|Height: 320')" = 2 ] || fail "the panel is not 240 x 320"
}

listening_port() { ss -Htlnp | grep "pid=$PROGRAM_PID," | awk '{ sub(/.*:/, "", $4); print $4 }' | grep .; }

# install: the build installed into a prefix of its own, with its programs,
# menu entry, icons, help and documents, and skins and key maps that pass the
# tools' checks.
step_install() {
    local file
    PREFIX=$WORK/prefix
    "${CMAKE:-cmake}" --install "$(dirname "$PROGRAM")" --prefix "$PREFIX" >"$WORK/program.log" 2>&1 ||
        fail "cmake --install failed"
    # The programs are run below, the tools by their checks and quorlex by the first start.
    for file in bin/quorlex{,-skin,-keymap} share/applications/quorlex.desktop share/icons/hicolor/{32x32,256x256}/apps/quorlex.png \
        share/quorlex/QuorlexHelp.htm share/doc/quorlex/README.md share/doc/quorlex/docs/board-flat.png; do
        [ -s "$PREFIX/$file" ] || fail "$file is not installed"
    done
    [ "$(od -An -N4 -tx1 "$PREFIX/share/icons/hicolor/32x32/apps/quorlex.png")" = " 89 50 4e 47" ] ||
        fail "the icon is not a PNG file"
    [ "$(grep -cxE '(Exec|Icon)=quorlex' "$PREFIX/share/applications/quorlex.desktop")" = 2 ] || fail "the menu entry names no program or icon"
    cd "$PREFIX/share/quorlex" || fail "no shared data folder"
    SHIPPED=(Skins/*.kbskn KeyMaps/*.kmap QuorlexHelp.htm)
    [ ${#SHIPPED[@]} -ge 4 ] && [ -e "${SHIPPED[0]}" ] || fail "no skins or key maps installed"
    "$PREFIX/bin/quorlex-skin" check Skins/*.kbskn >/dev/null || fail "an installed skin does not pass its check"
    "$PREFIX/bin/quorlex-keymap" check KeyMaps/*.kmap >/dev/null || fail "an installed key map does not pass its check"
}

filled() {
    local file
    for file in "${SHIPPED[@]}"; do
        cmp -s "$file" "$WORK/user/.local/share/quorlex/$file" || return 1
    done
}

# first_start: the installed program started as a new user's first: it makes
# its data folder under ~/.local/share, fills it with the shipped files and
# goes on running.
step_first_start() {
    mkdir -p "$WORK/user"
    env -u XDG_DATA_HOME HOME="$WORK/user" XDG_CONFIG_HOME="$CONFIG_DIR" QT_QPA_PLATFORM=offscreen \
        "$PREFIX/bin/quorlex" >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    within 10 filled || fail "the data folder was not filled with the shipped files: $(ls -R "$WORK/user" 2>&1)"
    sleep 1
    running || fail "the installed program ended after its start"
}

# soak TAPS SEED [on-request]: random taps on the real window, right-handed,
# in batches of 500. The program must live through all of them, its memory
# must settle, and after Exit LastUsed.txt must hold exactly the text the pad
# held (read through Copy All). With "on-request" it runs only when
# QUORLEX_SOAK=1 is set. The taps come from `tap_points soak`, which never
# taps the side menu's Exit, Preferences... or Notepad bands, and now and then
# asks for a side-menu command: the soak then closes whatever the taps left
# open and chooses it (Notepad followed by Type Away).
step_soak() {
    local first second taps=0 rss_early= rss_end
    [ "${3:-}" != on-request ] || [ "${QUORLEX_SOAK:-}" = 1 ] || { echo "the $1-tap soak runs when QUORLEX_SOAK=1 is set: skipped"; exit 77; }
    step_start
    while read -r first second; do
        if [ "$first" = menu ]; then
            soak_batch
            settle_board
            # Clear All is answered No here; random taps on the question's buttons may still answer it either way.
            step_choose "$second"
            [ "$second" != 8 ] || step_tap 206 307 # Type Away
            running || fail "the program died in the command after tap $taps"
        else
            echo "$first $second" >>"$WORK/batch"
            taps=$((taps + 1))
        fi
        [ $((taps % 500)) != 0 ] || soak_batch
        [ -n "$rss_early" ] || [ $taps -lt 1000 ] || rss_early=$(rss_kb)
    done < <("$TAP_POINTS" soak "$LAYOUT" "$RH" "$2" "$1")
    soak_batch
    rss_end=$(rss_kb)
    settle_board
    step_choose 3
    clipboard_text >"$WORK/pad.txt"
    step_leave
    step_hex LastUsed.txt "$({ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$WORK/pad.txt"; } | hex_of)"
    step_say "$taps random taps (seed $2); the pad held $(wc -c <"$WORK/pad.txt") bytes"
    step_say "memory $rss_early kB after 1000 taps, $rss_end kB at the end"
    [ -n "$rss_early" ] || fail "a soak needs more than 1000 taps for its first memory reading"
    # AddressSanitizer keeps freed memory in quarantine, so the figure only grows.
    ldd "$PROGRAM" 2>/dev/null | grep -q libasan && return 0
    [ $((rss_end * 10)) -le $((rss_early * 11)) ] || fail "memory grew by more than 10%"
    [ $((rss_end * 10)) -ge $((rss_early * 9)) ] || fail "memory shrank by more than 10%: the first reading was not settled"
}

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$PROGRAM_PID/status"; }

# soak_batch: taps the batch gathered so far, after replacing whatever the
# program copied, so that Copy All and Paste cannot double the text batch
# after batch; then answers No to the questions the taps left open.
soak_batch() {
    [ -s "$WORK/batch" ] || return 0
    step_clip soak
    tap_lines 0.001 <"$WORK/batch"
    running || fail "the program died within the batch up to tap $taps"
    rm "$WORK/batch"
    answer_open_boxes
}

# Clear All's question may come up under the random taps, and its buttons may
# be tapped too.
answer_open_boxes() {
    local answered
    for answered in 1 2 3 4 5; do
        find_window Quorlex dialog >/dev/null || return 0
        step_box Quorlex n
    done
    fail "message boxes keep coming"
}

# settle_board: closes the side menu and the line list, whichever is open.
# Right-handed, the list's scroll bar lies over a pixel of the board's black
# background.
settle_board() {
    answer_open_boxes
    sleep 0.4
    step_tap 1 160
    step_menu_gone
    [ "$(pixel 120 6)" = 0,0,0 ] || taps slot 8
    [ "$(pixel 120 6)" = 0,0,0 ] || fail "the line list would not close"
}

SKIPPING=0 LINE=0
while IFS= read -r line || [ -n "$line" ]; do
    LINE=$((LINE + 1))
    case $line in '' | '#'*) continue ;; esac
    [ $SKIPPING = 1 ] && [[ $line != section* ]] && continue
    case $line in type* | cells* | slot* | menu_item*) line="taps ${line/#menu_item/menu}" ;; *) line="step_$line" ;; esac
    eval "$line" || fail "line $LINE: $line"
done <"$SCENARIO"
