#!/usr/bin/env bash
# `run.sh NAME` plays row NAME of the table in a real window under its own Xvfb. A row is a name, a
# CTest label and steps over the helpers below, run in DIR (a fresh copy of the assets); CMake makes
# one test per row. Needs GAME, ASSETS and SHIM (failing_init.c built).
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

HEALTH="400 20 100 50" VRASK="150 100 100 50" ATTACK="235 575"
# missing_assets: each file the game reads missing in turn, then all ('*'); odd_map: the odd maps.
TABLE=$(cat <<'ROWS'
startup         window    begin; shape; x11 close; ends 0 3
no_display      window    SDL_VIDEODRIVER=nonexistent start_game "$DIR"; ends 1 'SDL Init failed: *' 'Window could not be created: *'
play            window    begin; ready; still $HEALTH; click_until $ATTACK 3 $HEALTH; click_until $ATTACK 20 $VRASK; term; ends 0 3
missing_assets  window    for f in $(cd "$ASSETS"; ls *.png *.wav *.ttf *.miap) '*'; do fresh "without_$f"; rm "$DIR"/$f; plays; done
no_audio        window    SDL_AUDIODRIVER=alsa ALSA_CARD=brannoch-no-such-card plays 'Error: *' 3
no_audio_driver window    SDL_AUDIODRIVER=brannoch-no-such-driver plays 'SDL Init failed: *' 'Error: *' 3
hostile_map     window    for m in random long_line empty_lines no_mark crlf folder; do fresh "map_$m"; odd_map $m; plays; done
failing_init    window    PRELOAD=$SHIM SHIM_FAIL_INIT=1 NO_TEXT=1 plays 'Font init failedno fonts here' 'Image init failed: no images here' 3
music           window    PRELOAD=$SHIM plays; shim_said 'Mix_PlayMusic(vrask.wav, -1) at volume 30'
long_soak       longsoak  begin; soak "${SOAK_SECONDS:-20}"; term; ends 0 3
ROWS
)

fresh() { CASE=$1 DIR=$WORK/$1 && mkdir "$DIR" && cp "$ASSETS"/* "$DIR"/; }

# Starts the game in DIR and waits for its window (again if SDL's helper window trips xdotool).
begin() {
    start_game "$DIR"
    for _ in 1 2 3 4 5; do
        kill -0 "$GAME_PID" 2>/dev/null || fail "$CASE: the game ended: $(tail -n5 "$WORK/err.txt")"
        WINDOW=$(timeout 20 xdotool search --sync --name '^Brannoch$' 2>/dev/null | head -n 1) || :
        [ -z "$WINDOW" ] || { sleep 0.5; return; }
    done
    fail "$CASE: no window titled Brannoch"
}

# `x11 close` asks the window to close as a window manager's close button does; `x11 X Y W H`
# prints a checksum of those pixels, read from the server, or "blank" if they are all one colour.
x11() {
    /usr/bin/python3 - "$WINDOW" "$@" <<'PY'
import hashlib, sys; from Xlib import X, display; from Xlib.protocol.event import ClientMessage
d = display.Display()
w = d.create_resource_object('window', int(sys.argv[1]))
if sys.argv[2] == 'close':
    atom = d.intern_atom
    w.send_event(ClientMessage(window=w, client_type=atom('WM_PROTOCOLS'),
                               data=(32, [atom('WM_DELETE_WINDOW'), X.CurrentTime, 0, 0, 0])))
    d.flush()
else:
    data = w.get_image(*map(int, sys.argv[2:6]), X.ZPixmap, 0xffffffff).data
    print('blank' if data == data[:4] * (len(data) // 4) else hashlib.md5(data).hexdigest())
PY
}

# 800 x 800, centred on the 1024 x 1024 screen, minimum and maximum size 800 x 800 (not resizable).
shape() {
    local info=$(xwininfo -id "$WINDOW"; xprop -id "$WINDOW" WM_NORMAL_HINTS)
    local want='Width: 800|Height: 800|Absolute upper-left [XY]:  112|imum size: 800 by 800'
    [ "$(grep -cE "$want" <<<"$info")" = 6 ] || fail "window: $info"
}

# In one xdotool run: the game polls the mouse, and a button held past 0.1 s repeats its action.
click() { xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1 sleep 0.05 mouseup 1; }

ready() {  # the first frames may still be black
    for _ in $(seq 40); do [ "$(x11 $HEALTH)" = blank ] || return 0; sleep 0.25; done
    fail "$CASE: the HUD was never drawn"
}

still() {
    local before=$(x11 "$@") && sleep 1
    [ "$(x11 "$@")" = "$before" ] || fail "$CASE: the box $* changed while nobody played"
}

# Clicks at ($1, $2) up to $3 times, looking a quarter second after each, till the box $4.. changes.
click_until() {
    local before=$(x11 "${@:4}")
    for _ in $(seq "$3"); do
        click "$1" "$2"; sleep 0.25
        [ "$(x11 "${@:4}")" = "$before" ] || return 0
    done
    fail "$CASE: the box ${*:4} did not change after $3 clicks at $1, $2"
}

term() { kill -TERM "$GAME_PID" 2>/dev/null || fail "$CASE: the game had stopped by itself"; }

# The game ends within 10 s with status $1, having written exactly the lines $2... (patterns).
ends() {
    local want=$1 status=0 && shift
    for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null && fail "$CASE: the game did not end"
    wait "$GAME_PID" || status=$?; GAME_PID=
    [ "$status" = "$want" ] || fail "$CASE: status $status; stderr: $(tail -n 20 "$WORK/err.txt")"
    [[ $(cat "$WORK/out.txt") == $(printf '%s\n' "$@") && $(wc -l <"$WORK/out.txt") = $# ]] ||
        fail "$CASE: standard output: $(cat "$WORK/out.txt")"
}

# Plays in DIR: clicks Attack until the health box changes (where there is text to show it), then
# SIGTERM: the game ran on, ends with status 0 and wrote the lines "$@" ("3" by default).
plays() {
    begin
    if [ -e "$DIR/DelaGothicOne-Regular.ttf" ] && [ -z "${NO_TEXT:-}" ]; then
        ready; click_until $ATTACK 3 $HEALTH
    else click $ATTACK; sleep 0.5; fi
    term; ends 0 "${@:-3}"
}

shim_said() { [ "$(grep '^shim: ' "$WORK/err.txt")" = "shim: $1" ] || fail "$(<"$WORK/err.txt")"; }

# The same bytes on every run, so that a failure can be repeated.
odd_map() {
    case $1 in
        random) python3 -c 'import random as r; r.seed(20240607); open(1, "wb").write(r.randbytes(1 << 20))' ;;
        long_line) printf '%199999s@\n' '' | tr ' ' - ;;
        empty_lines) printf '%10000s' '' | tr ' ' '\n' ;;
        no_mark) tr @ - <"$ASSETS/map.miap" ;;
        crlf) sed 's/$/\r/' "$ASSETS/map.miap" ;;
        folder) rm "$DIR/map.miap" && mkdir "$DIR/map.miap" ;;
    esac >"$DIR/map.miap"
}

# Clicks Attack, Block, Attack, Do Vrask! in turn for $1 s, the Down arrow every seventh click: the
# game runs on, and its resident memory grows by 4 MiB at most after the first 5 s.
soak() {
    local spots=(235 575 400 575 235 575 450 675) end=$((SECONDS + $1)) n=0 first='' last
    xdotool windowfocus "$WINDOW"
    while [ "$SECONDS" -lt "$end" ]; do
        click "${spots[n % 4 * 2]}" "${spots[n % 4 * 2 + 1]}"
        if [ $((++n % 7)) = 0 ]; then xdotool key Down; fi
        [ -n "$first" ] || [ $((end - SECONDS)) -gt $(($1 - 5)) ] || first=$(resident_kib)
        sleep 0.1
    done
    last=$(resident_kib)
    echo "soak: $n clicks in $1 s; resident memory $first KiB after 5 s, $last KiB at the end"
    [ $((last - first)) -le 4096 ] || fail "resident memory grew by $((last - first)) KiB"
}
resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status" || fail "the game stopped"; }

row=$(grep -E "^$1 +[a-z]+ " <<<"$TABLE") || fail "no row named '$1'"
fresh game
eval "$(sed -E 's/^[a-z_]+ +[a-z]+ +//' <<<"$row")"
echo "$1: ok"
