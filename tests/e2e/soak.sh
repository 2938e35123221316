# The soak step of driver.sh (sourced): random taps on the real window. The
# program must live through all of them, its memory must settle, and after
# Exit LastUsed.txt must hold exactly the text the pad held (read through
# Copy All).
#
#   soak TAPS SEED [on-request]
#
# With "on-request" it runs only when QUORLEX_SOAK=1 is set (and is skipped
# otherwise). The taps come from `tap_points soak`, which never taps the side
# menu's Exit, Preferences... or Notepad bands (open or not), and now and then
# asks for a side-menu command; the soak then closes whatever the taps left
# open and chooses it (Notepad followed by Type Away).
TAPS=$1
SEED=$2
if [ "${3:-}" = on-request ] && [ "${QUORLEX_SOAK:-}" != 1 ]; then
    echo "the $TAPS-tap soak runs when QUORLEX_SOAK=1 is set: skipped"
    exit 77
fi
BATCH=500
# Right-handed, the line list's scroll bar lies over a pixel of the board's black background.
LIST_PROBE="120 6"
BOXES=0
COMMANDS=0

# Clear All's question may come up under the random taps, and its buttons may
# be tapped too; whatever is still open after a batch is answered No.
answer_open_boxes() {
    local box answered=0
    while box=$(find_box Quorlex); do
        answer_box "$box" n
        answered=$((answered + 1)) BOXES=$((BOXES + 1))
        [ $answered -lt 5 ] || fail "message boxes keep coming"
    done
}

# Closes the side menu and the line list, whichever is open.
settle_board() {
    answer_open_boxes
    sleep 0.4
    tap 1 160
    wait_menu_gone
    [ "$(pixel $LIST_PROBE)" = "0,0,0" ] || step_slot 8
    [ "$(pixel $LIST_PROBE)" = "0,0,0" ] || fail "the line list would not close"
}

# Taps the batch gathered so far, after replacing whatever the program copied,
# so that Copy All and Paste cannot double the text batch after batch.
run_batch() {
    [ -s "$WORK/batch" ] || return 0
    step_clip soak
    tap_lines 0.001 <"$WORK/batch"
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program died within taps up to $done_taps"
    : >"$WORK/batch"
    answer_open_boxes
    [ -z "$RSS_EARLY" ] && [ $done_taps -ge 1000 ] && RSS_EARLY=$(rss_kb)
    return 0
}

start_display
fresh_home
write_settings
start_program
"$TAP_POINTS" soak "$SEED" "$TAPS" $RH >"$WORK/taps"
STARTED=$(date +%s)
done_taps=0
RSS_EARLY=
: >"$WORK/batch"
while read -r first second; do
    if [ "$first" = menu ]; then
        run_batch
        settle_board
        # Clear All is answered No here; random taps on the question's buttons may still answer it either way.
        choose "$second"
        [ "$second" != 8 ] || step_tap 206 307 # Type Away
        COMMANDS=$((COMMANDS + 1))
        kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program died in the command after tap $done_taps"
        continue
    fi
    echo "$first $second" >>"$WORK/batch"
    done_taps=$((done_taps + 1))
    [ $((done_taps % BATCH)) -eq 0 ] && run_batch
done <"$WORK/taps"
run_batch
RSS_END=$(rss_kb)
settle_board
choose 3
clipboard_text >"$WORK/pad.txt"
exit_from_board
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$WORK/pad.txt"; } >"$WORK/expected"
cmp -s "$WORK/expected" "$HOME_DIR/LastUsed.txt" || fail "LastUsed.txt differs from the pad's text"
echo "soak: $done_taps random taps (seed $SEED) and $COMMANDS side-menu commands in $(( $(date +%s) - STARTED )) s"
echo "soak: the pad held $(wc -c <"$WORK/pad.txt") bytes; $BOXES questions were left open and answered No"
echo "soak: memory $RSS_EARLY kB after 1000 taps, $RSS_END kB at the end"
[ -n "$RSS_EARLY" ] || fail "a soak needs more than 1000 taps for its first memory reading"
# AddressSanitizer keeps freed memory in quarantine, so the figure only grows.
ldd "$PROGRAM" 2>/dev/null | grep -q libasan && { echo "soak: built with AddressSanitizer: no memory bound"; return 0; }
[ $((RSS_END * 10)) -le $((RSS_EARLY * 11)) ] || fail "memory grew by more than 10%"
[ $((RSS_END * 10)) -ge $((RSS_EARLY * 9)) ] || fail "memory shrank by more than 10%: the first reading was not settled"
