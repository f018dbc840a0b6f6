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

# Waits for the window and puts its id into WINDOW.
wait_window() {
    WINDOW=$(timeout 20 xdotool search --sync --name '^Brannoch$' | head -n 1) ||
        fail "no window titled Brannoch"
    sleep 0.5  # let a few frames be drawn
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

# Clicks at window position ($1, $2): the game polls the mouse, so the button stays down a while.
click_at() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1
    sleep 0.08
    xdotool mouseup 1
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
