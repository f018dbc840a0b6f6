#!/usr/bin/env bash
# `make fresh-test` (tools/fresh_test.sh [FOLDER]): a newcomer's first day. A bare Debian 12 root
# (debootstrap minbase with git, make, ca-certificates and sudo, this machine's apt sources without
# deb-src, a user with sudo) gets a clone of the committed HEAD; there the user runs `make run`
# until the game prints "3" in a window (an Xvfb of this machine's), ends the game, then runs
# `make test`. Prints both times, each phase's time and the result.
#
# FOLDER (default /tmp/brannoch-fresh) keeps base.tar, the root as debootstrap left it, between
# runs (delete it to make it again); each run unpacks it into FOLDER/root and removes that at the
# end, so that nothing the project installs is ever kept. The root's mounts live in a mount
# namespace of the run's own and its processes in a PID namespace: both end with the run however
# it ends, and the exit trap ends the processes started here by their IDs.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
folder=$(realpath -m "${1:-/tmp/brannoch-fresh}")
root=$folder/root base=$folder/base.tar user=newcomer
say() { echo "fresh-test: $*"; }
[ "$(id -u)" = 0 ] || exec sudo -- "$0" "$@"
mkdir -p "$folder" 2>/dev/null && [ -w "$folder" ] || { say "cannot create the folder $folder"; exit 1; }
exec 9>"$folder/lock" && flock -n 9 || { say "another fresh-test is using $folder"; exit 1; }
"$src/tools/install_deps.sh" debootstrap xvfb

pids=()
finish() {
    local pid  # a namespace ends with its unshare (--kill-child), Xvfb removes its lock on TERM
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || :; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || :; done
    # The namespaces' last processes may take a moment to go; the root is removed after them.
    for _ in $(seq 50); do
        [ -z "$(find /proc -maxdepth 2 -name root -lname "$root" 2>/dev/null)" ] && break
        sleep 0.2
    done
    [ ! -d "$root" ] || rm -rf --one-file-system "$root"
}
trap finish EXIT
# reap PID: waits for a process started here, and forgets it (its ID may be another's later).
reap() {
    local pid status=0 kept=()
    wait "$1" || status=$?
    for pid in "${pids[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
    pids=("${kept[@]}") && return $status
}
trap 'exit 130' INT TERM
seconds_since() { echo $(( $(date +%s) - $1 )); }
load() { cut -d' ' -f1-3 /proc/loadavg; }

# The bare root: debootstrap, then this machine's sources with every deb-src entry left out.
if [ ! -e "$base" ]; then
    start=$(date +%s) && rm -rf --one-file-system "$folder/base" && say "debootstrap into $folder/base"
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    debootstrap --variant=minbase --include=git,make,ca-certificates,sudo bookworm \
        "$folder/base" "${mirror:-http://deb.debian.org/debian}" >"$folder/debootstrap.log" 2>&1 ||
        { say "debootstrap failed: $(tail -n 1 "$folder/debootstrap.log")"; exit 1; }
    rm -f "$folder/base/etc/apt/sources.list"
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ ! -f "$list" ] || grep -v '^[[:space:]]*deb-src' "$list" >"$folder/base$list" || :
    done
    for list in /etc/apt/sources.list.d/*.sources; do  # a stanza of deb-src alone goes
        [ ! -f "$list" ] || awk 'BEGIN { RS = ""; ORS = "\n\n" }
            { n = split($0, line, "\n"); keep = 1; out = ""
              for (i = 1; i <= n; i++) {
                  if (line[i] ~ /^Types:/) { gsub(/deb-src/, "", line[i]); keep = line[i] ~ /deb/ }
                  out = out line[i] (i < n ? "\n" : "") }
              if (keep) print out }' "$list" >"$folder/base$list"
        [ -s "$folder/base$list" ] || rm "$folder/base$list"
    done
    chroot "$folder/base" useradd -m -s /bin/bash "$user"
    echo "$user ALL=(ALL) NOPASSWD:ALL" >"$folder/base/etc/sudoers.d/$user"
    tar -C "$folder/base" --numeric-owner -cf "$base.part" . && mv "$base.part" "$base"
    rm -rf --one-file-system "$folder/base"
    say "the bare root made in $(seconds_since "$start") s (kept in $base)"
fi
rm -rf --one-file-system "$root" && mkdir "$root" && tar -C "$root" --numeric-owner -xf "$base"
cp /etc/resolv.conf "$root/etc/"
printf '127.0.0.1 localhost\n127.0.1.1 %s\n' "$(hostname)" >"$root/etc/hosts"  # as Debian's installer writes
git clone -q "$src" "$root/home/$user/brannoch"
chroot "$root" chown -R "$user:" "/home/$user/brannoch"
say "a clone of $(git -C "$src" log -1 --format='%h %s')"

# as_newcomer LOG COMMAND: COMMAND in the root as the user, in the clone, in namespaces of its own
# (in the background: its PID is the last in pids). A mount that fails ends it with status 97.
as_newcomer() {
    : >"$1"  # emptied before it starts: the last run's log says nothing of this one
    unshare --mount --pid --fork --kill-child --propagation private /bin/sh -c '
        r=$1 && shift
        m() { err=$(mount "$@" 2>&1) || { echo "fresh-test: cannot mount in $r: $err"; exit 97; }; }
        m -t proc proc "$r/proc" && m --rbind /dev "$r/dev" && m -t tmpfs shm "$r/dev/shm" &&
            m --rbind /sys "$r/sys"
        exec chroot "$r" su - "$0" -c "cd brannoch && $*"' "$user" "$root" "$2" >"$1" 2>&1 &
    pids+=($!)
}

say "load average at the start: $(load)"
rm -f "$folder/display" && mkfifo "$folder/display"  # Xvfb writes the display it took there
Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
pids+=($!)
read -r display <"$folder/display" || { say "Xvfb did not start: $(tail -n 1 "$folder/xvfb.log")"; exit 1; }
start=$(date +%s)
as_newcomer "$folder/run.log" "DISPLAY=:$display make run"
run=${pids[-1]}
until grep -qx 3 "$folder/run.log"; do
    if ! kill -0 "$run" 2>/dev/null; then
        reap "$run" && status=0 || status=$?
        [ $status = 97 ] && { head -n 1 "$folder/run.log"; exit 1; }
        tail -n 30 "$folder/run.log"; say "make run ended (status $status) before the game printed 3"; exit 1
    fi
    sleep 0.5
done
run_time=$(seconds_since "$start")
say "make run: the game printed 3 after $run_time s"
# The game, found by its root and name, closes on SIGTERM; make run then ends.
game=""
for proc in /proc/[0-9]*; do
    if [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] &&
        [ "$(cat "$proc/comm" 2>/dev/null)" = brannoch ]; then game="$game ${proc#/proc/}"; fi
done
[ -n "$game" ] || { say "make run printed 3, but no game process is left to end"; exit 1; }
kill -TERM $game
reap "$run" || { tail -n 20 "$folder/run.log"; say "make run did not end cleanly"; exit 1; }

start=$(date +%s)
as_newcomer "$folder/test.log" "make test"
reap "${pids[-1]}" && status=0 || status=$?
test_time=$(seconds_since "$start")
grep -hE '^(apt-get update:|Installed|Could not install|Adding a deb-src|SDL2 libraries for)|built in [0-9]+ s$|^make test, chain|^SKIPPED' \
    "$folder/run.log" "$folder/test.log" | sed 's/^/  /'
if [ $status = 0 ]; then result=passed; else result="FAILED (status $status)"; tail -n 40 "$folder/test.log"; fi
say "make run showed the game after $run_time s; the first make test $result in $test_time s"
say "load average at the end: $(load); logs: $folder/run.log, $folder/test.log"
[ $status = 0 ]
