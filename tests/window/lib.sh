# Sourced by the real-game tests: a scratch folder WORK, an X server of its own (`run_under_xvfb`
# first), helpers that run the game and watch its window. CASE names a case in failures.
set -euo pipefail
GAME=${GAME:?path of the brannoch binary}
ASSETS=${ASSETS:?path of the assets folder}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} SDL_VIDEODRIVER=x11
WORK=$(mktemp -d /tmp/brannoch-window-XXXXXX)
# At exit: the game, then AT_EXIT (a test's own clean-up), the X server, WORK.
finish() {
    [ -z "${GAME_PID:-}" ] || kill -KILL "$GAME_PID" 2>/dev/null || :
    eval "${AT_EXIT:-}"
    [ -z "${XVFB_PID:-}" ] || { kill "$XVFB_PID" && wait "$XVFB_PID"; } 2>/dev/null || :
    rm -rf "$WORK"
}
trap finish EXIT

# Xvfb takes the first free display itself (-displayfd): tests started side by side, by ctest or
# by make test's chains, never reach for the same one.
run_under_xvfb() {
    mkfifo "$WORK/display"
    Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.txt" &
    XVFB_PID=$!
    local number
    read -r number <"$WORK/display" || fail "Xvfb did not start: $(tail -n 1 "$WORK/xvfb.txt")"
    export DISPLAY=:$number
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Boxes of the window, x y w h: the HUD's health and Vrask values; a spot inside "Attack".
HEALTH="400 20 100 50" VRASK="150 100 100 50" ATTACK="235 575"

# Starts the game in folder $1, with LD_PRELOAD=$PRELOAD if set; output in $WORK/out.txt, err.txt.
start_game() {
    (cd "$1" && exec env ${PRELOAD:+"LD_PRELOAD=$PRELOAD"} "$GAME" >"$WORK/out.txt" \
        2>"$WORK/err.txt") &
    GAME_PID=$!
}

# Starts the game in DIR and waits for its window, WINDOW (again if SDL's helper window trips xdotool).
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

# One xdotool run, held $3 s (0.05): the game polls once a frame; past 0.1 s a hold repeats.
click() { xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1 sleep "${3:-0.05}" mouseup 1; }

ready() {  # the first frames may still be black
    for _ in $(seq 40); do [ "$(x11 $HEALTH)" = blank ] || return 0; sleep 0.25; done
    fail "$CASE: the HUD was never drawn"
}

# Clicks at ($1, $2) up to $3 times, looking a quarter second after each, till the box $4.. changes.
# Each try holds the button twice as long (up to 0.8 s): a slow frame can miss a short click.
click_until() {
    local before=$(x11 "${@:4}") hold=50
    for _ in $(seq "$3"); do
        click "$1" "$2" "0.$(printf %03d $hold)"; sleep 0.25
        [ "$(x11 "${@:4}")" = "$before" ] || return 0
        hold=$((hold < 400 ? hold * 2 : 800))
    done
    fail "$CASE: the box ${*:4} did not change after $3 clicks at $1, $2"
}

term() { kill -TERM "$GAME_PID" 2>/dev/null || fail "$CASE: the game had stopped by itself"; }

# The game ends within 10 s with status $1 and wrote exactly the lines $2... (patterns; no CR).
ends() {
    local want=$1 status=0 && shift
    for _ in $(seq 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null && fail "$CASE: the game did not end"
    wait "$GAME_PID" || status=$?; GAME_PID=
    [ "$status" = "$want" ] || fail "$CASE: status $status; stderr: $(tail -n 20 "$WORK/err.txt")"
    [[ $(tr -d '\r' <"$WORK/out.txt") == $(printf '%s\n' "$@") && $(wc -l <"$WORK/out.txt") = $# ]] ||
        fail "$CASE: standard output: $(cat "$WORK/out.txt")"
}
