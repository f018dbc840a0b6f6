# Sourced by the scripts that run the real game (tests/window, tests/package): a scratch folder
# WORK, an X server of its own (`run_under_xvfb "$@"` first re-runs the script in it), the game.
set -euo pipefail
GAME=${GAME:?path of the brannoch binary}
ASSETS=${ASSETS:?path of the assets folder}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} SDL_VIDEODRIVER=x11
WORK=$(mktemp -d /tmp/brannoch-window-XXXXXX)
trap '[ -z "${GAME_PID:-}" ] || kill -KILL "$GAME_PID" 2>/dev/null || :; rm -rf "$WORK"' EXIT

run_under_xvfb() {
    if [ -z "${BRANNOCH_IN_XVFB:-}" ]; then
        export BRANNOCH_IN_XVFB=1
        rm -rf "$WORK"  # exec skips the exit trap; the inner run makes its own
        exec xvfb-run -a -s "-screen 0 1024x1024x24" bash "$0" "$@"
    fi
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the game in folder $1, with LD_PRELOAD=$PRELOAD if set; output in $WORK/out.txt, err.txt.
start_game() {
    (cd "$1" && exec env ${PRELOAD:+"LD_PRELOAD=$PRELOAD"} "$GAME" >"$WORK/out.txt" \
        2>"$WORK/err.txt") &
    GAME_PID=$!
}

# Ends the game with SIGTERM (SDL turns it into a quit request) and puts its status into STATUS.
stop_game() {
    [ -n "${GAME_PID:-}" ] || return 0
    kill -TERM "$GAME_PID" 2>/dev/null || true
    STATUS=0 && wait "$GAME_PID" || STATUS=$?
    GAME_PID=
}
