#!/usr/bin/env bash
# A minute of play in a real window, a click every 0.15 s (Attack, Block, Attack, Do Vrask!, and
# every seventh click the Down arrow too): the game keeps running, and its resident memory at the
# end is within 4 MiB of what it held after the first seconds.
source "$(dirname "$0")/lib.sh"
run_under_xvfb "$@"

SECONDS_TO_PLAY=${SOAK_SECONDS:-60}
WARM_UP=5        # seconds before the first memory reading
LIMIT_KIB=4096   # allowed growth

mkdir -p "$WORK/game"
cp "$ASSETS"/* "$WORK/game/"
start_game "$WORK/game"
wait_window

# One process drives the mouse and the keyboard through XTEST and reads the memory, so that the
# clicks keep their pace even on a busy machine. Prints: clicks, Down presses, resident memory
# (KiB) after the warm-up and at the end, then the readings every five seconds.
report=$(/usr/bin/python3 - "$WINDOW" "$GAME_PID" "$SECONDS_TO_PLAY" "$WARM_UP" <<'PY'
import os, sys, time
from Xlib import X, XK, display
from Xlib.ext import xtest

window_id, pid, duration, warm_up = (int(v) for v in sys.argv[1:5])
d = display.Display()
root = d.screen().root
window = d.create_resource_object('window', window_id)
window.set_input_focus(X.RevertToParent, X.CurrentTime)
down_key = d.keysym_to_keycode(XK.string_to_keysym('Down'))
targets = [(235, 575), (400, 575), (235, 575), (450, 675)]

def resident_kib():
    with open(f'/proc/{pid}/status') as status:
        for line in status:
            if line.startswith('VmRSS:'):
                return int(line.split()[1])
    sys.exit('the game is gone')

begin = time.monotonic()
clicks = downs = 0
first = None
samples = []
next_sample = warm_up
while True:
    elapsed = time.monotonic() - begin
    if elapsed >= duration:
        break
    if elapsed >= next_sample:
        kib = resident_kib()
        first = kib if first is None else first
        samples.append(f'{int(elapsed)}s:{kib / 1024:.1f}')
        next_sample += 5
    x, y = targets[clicks % len(targets)]
    place = root.translate_coords(window, x, y)
    xtest.fake_input(d, X.MotionNotify, x=place.x, y=place.y)
    xtest.fake_input(d, X.ButtonPress, 1)
    d.sync()
    time.sleep(0.05)
    xtest.fake_input(d, X.ButtonRelease, 1)
    clicks += 1
    if clicks % 7 == 0:
        xtest.fake_input(d, X.KeyPress, down_key)
        d.sync()
        time.sleep(0.02)
        xtest.fake_input(d, X.KeyRelease, down_key)
        downs += 1
    d.sync()
    time.sleep(max(0.0, begin + clicks * 0.15 - time.monotonic()))
last = resident_kib()
samples.append(f'end:{last / 1024:.1f}')
print(clicks, downs, first, last, ' '.join(samples))
PY
) || fail "the game stopped during the soak"

read -r clicks downs start_kib end_kib samples <<<"$report"
stop_game
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
[ "$(tail -n 1 "$WORK/out.txt")" = "3" ] || fail "standard output: $(cat "$WORK/out.txt")"
growth=$((end_kib - start_kib))
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
echo "long soak: $clicks clicks and $downs Down presses in $SECONDS_TO_PLAY s; resident memory" \
    "after $WARM_UP s $(mib "$start_kib") MiB, at the end $(mib "$end_kib") MiB (growth $growth KiB)"
echo "  readings (MiB): $samples"
[ "$growth" -le "$LIMIT_KIB" ] || fail "resident memory grew by $growth KiB"
echo "long soak: ok"
