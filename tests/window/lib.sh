# Shared pieces of the real-window tests. Each test script sources this file, then calls
# `run_under_xvfb "$@"` first: the script re-runs itself inside its own virtual X server.
set -euo pipefail

GAME=${GAME:?path of the brannoch binary}
ASSETS=${ASSETS:?path of the assets folder}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export SDL_VIDEODRIVER=x11
WORK=$(mktemp -d /tmp/brannoch-window-XXXXXX)
trap 'stop_game 2>/dev/null || true; rm -rf "$WORK"' EXIT

run_under_xvfb() {
    if [ -z "${BRANNOCH_IN_XVFB:-}" ]; then
        export BRANNOCH_IN_XVFB=1
        rm -rf "$WORK"  # exec skips the exit trap; the inner run makes its own
        exec xvfb-run -a -s "-screen 0 1024x1024x24" bash "$0" "$@"
    fi
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts the game in folder $1 (default: a copy of the assets), output into $WORK/out.txt.
start_game() {
    local folder=${1:-}
    if [ -z "$folder" ]; then
        folder=$WORK/game
        mkdir -p "$folder"
        cp "$ASSETS"/* "$folder"/
    fi
    (cd "$folder" && exec "$GAME" >"$WORK/out.txt" 2>"$WORK/err.txt") &
    GAME_PID=$!
}

# Waits for the window and puts its id into WINDOW. Looks again when xdotool trips over a
# window that vanished while it was looking (SDL makes and drops a helper window while it
# starts), which ends xdotool with BadWindow.
wait_window() {
    local attempt
    for attempt in 1 2 3 4 5; do
        WINDOW=$(timeout 20 xdotool search --sync --name '^Brannoch$' 2>/dev/null | head -n 1) ||
            true
        if [ -n "$WINDOW" ]; then
            sleep 0.5  # let a few frames be drawn
            return 0
        fi
        sleep 0.2
    done
    fail "no window titled Brannoch"
}

# Ends the game with SIGTERM (SDL turns it into a quit request) and puts its status into STATUS.
stop_game() {
    [ -n "${GAME_PID:-}" ] || return 0
    kill -TERM "$GAME_PID" 2>/dev/null || true
    STATUS=0
    wait "$GAME_PID" || STATUS=$?
    GAME_PID=
}

# Asks the window to close the way a window manager's close button does.
close_window() {
    /usr/bin/python3 - "$WINDOW" <<'PY'
import sys
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object('window', int(sys.argv[1]))
protocols = d.intern_atom('WM_PROTOCOLS')
delete = d.intern_atom('WM_DELETE_WINDOW')
event = protocol.event.ClientMessage(window=w, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
w.send_event(event, event_mask=X.NoEventMask)
d.flush()
PY
}

# Clicks at window position ($1, $2). The game polls the mouse, so the button stays down for a
# few frames; one xdotool process presses and releases, so that a busy machine cannot stretch
# the press past 0.1 s (a held button repeats its action).
click_at() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1 sleep 0.05 mouseup 1
    sleep 0.25
}

# Saves the window's pixels to $1.
screenshot() {
    import -window "$WINDOW" "$1"
}

# Prints a checksum of the pixels in the rectangle W x H + X + Y of image $1.
region_sum() {
    convert "$1" -crop "$2" +repage rgb:- | md5sum | cut -d' ' -f1
}

# Prints a checksum of the window's pixels in the rectangle at ($1, $2) of size $3 x $4, read
# straight from the X server (much quicker than a screenshot while the game keeps drawing).
box_sum() {
    /usr/bin/python3 - "$WINDOW" "$@" <<'PY'
import hashlib, sys
from Xlib import X, display
d = display.Display()
w = d.create_resource_object('window', int(sys.argv[1]))
x, y, width, height = (int(v) for v in sys.argv[2:6])
print(hashlib.md5(w.get_image(x, y, width, height, X.ZPixmap, 0xffffffff).data).hexdigest())
PY
}

# Plays briefly in folder $1 (label $2 for messages): clicks "Attack", and if the font is there
# to show it waits for the health box to change (the enemies answered), then ends the game with
# SIGTERM. Fails unless the game was still running, ended with status 0 and wrote "3" last.
# Patient with a slow machine: a start can take a while on a busy one, and a frame may be longer
# than a short click.
play_briefly() {
    local folder=$1 label=$2
    local font=$folder/DelaGothicOne-Regular.ttf health=(400 20 100 50) black before
    start_game "$folder"
    wait_window
    before=$(box_sum "${health[@]}")
    if [ -e "$font" ]; then
        black=b2fe457348de243a579a1591d3815170  # md5 of 100 x 50 black pixels, 4 bytes each
        for _ in $(seq 40); do
            [ "$before" != "$black" ] && break
            sleep 0.25
            before=$(box_sum "${health[@]}")
        done
    fi
    local changed=no
    for _ in 1 2 3; do
        xdotool mousemove --window "$WINDOW" 235 575 mousedown 1 sleep 0.1 mouseup 1
        [ -e "$font" ] || break
        for _ in $(seq 10); do
            sleep 0.1
            if [ "$(box_sum "${health[@]}")" != "$before" ]; then
                changed=yes
                break 2
            fi
        done
    done
    [ -e "$font" ] && [ $changed = no ] && fail "$label: the health box did not change after an Attack"
    kill -0 "$GAME_PID" 2>/dev/null || fail "$label: the game stopped by itself"
    stop_game
    [ "$STATUS" = 0 ] || fail "$label: exit status $STATUS; standard error: $(tail -n 20 "$WORK/err.txt")"
    [ "$(tail -n 1 "$WORK/out.txt")" = "3" ] || fail "$label: standard output: $(cat "$WORK/out.txt")"
}
