#!/usr/bin/env bash
# A long game under AddressSanitizer and LeakSanitizer: korvel-replay plays a random route of
# MINUTES of game time (seeded, so the same seed gives the same route) in a small window, on
# its virtual clock, while the resident memory is sampled every few seconds. The route mixes
# winning runs (routes/win.route from a fresh attempt), falls to the floor (routes/fall.route),
# waits until the time runs out, and random play: running, steps, jumps and double jumps, the
# camera switch and every debug toggle, F11 restarts at any moment.
# Usage: tools/soak.sh MINUTES [SEED]    (prints the figures; exits non-zero on any finding)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:?usage: tools/soak.sh MINUTES [SEED]}
seed=${2:-1}
build="$root/build-test"
"$root/tools/build.sh" "$build" -DKORVEL_SANITIZE=ON -DKORVEL_WERROR=ON >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/assets" "$work/assets"
printf '[window]\nwidth = 96\nheight = 96\n' >"$work/assets/settings.ini"
rm -f "$work/assets/score.txt"

# The route. Segments start on a whole ten seconds of game time, so a winning run meets the
# knives thrown in the same phase as the run it was recorded from.
total=$((minutes * 60))
awk -v seed="$seed" -v total="$total" -v win="$root/routes/win.route" \
    -v fall="$root/routes/fall.route" '
function emit(time, key, action) { printf "%.3f %s %s\n", time, key, action; now = time }
function tap(key, time, hold) { emit(time, key, "press"); emit(time + hold, key, "release") }
function releaseAll(time,    k) {
    for (k in held) { if (held[k]) { emit(time, k, "release"); held[k] = 0 } }
}
function restart(time) { releaseAll(time); tap("F11", time + 0.05, 0.1) }
function splice(file, start,    line, field) {
    while ((getline line < file) > 0) {
        if (line ~ /^[ \t]*(#|$)/) continue
        split(line, field, " ")
        emit(start + field[1], field[2], field[3])
    }
    close(file)
}
function nextSegment(time) { return int(time / 10 + 1) * 10 }
BEGIN {
    srand(seed)
    split("W A S D", moves, " ")
    split("TAB F2 F3 F4 F5 F6 F8", toggles, " ")
    now = 0
    while (now < total - 45) {
        start = nextSegment(now + 0.5)
        kind = rand()
        if (kind < 0.25) {
            # A fresh attempt down the winning route, and the victory camera for a while.
            restart(start - 0.3)
            splice(win, start)
            now = now + 3
        } else if (kind < 0.45) {
            # Off the counter, onto the floor, and the route restarts itself with F11.
            restart(start - 0.3)
            splice(fall, start)
            now = now + 2
        } else if (kind < 0.5 && total - start > 140) {
            # Standing still at the start until the clock runs out, toggling as we wait.
            restart(start - 0.3)
            for (t = start + 1; t < start + 124; t += 2 + rand() * 6) {
                tap(toggles[1 + int(rand() * 7)], t, 0.05)
            }
            now = start + 125
        } else {
            # Random play.
            end = start + 15 + rand() * 25
            now = start
            while (now < end) {
                t = now + 0.05 + rand() * 1.2
                choice = rand()
                if (choice < 0.35) {
                    key = moves[1 + int(rand() * 4)]
                    emit(t, key, held[key] ? "release" : "press")
                    held[key] = !held[key]
                } else if (choice < 0.55) {
                    tap("SPACE", t, 0.05 + rand() * 0.1)              # one jump
                } else if (choice < 0.7) {
                    tap("SPACE", t, 0.3 + rand() * 0.3)               # a double jump
                } else if (choice < 0.95) {
                    tap(toggles[1 + int(rand() * 7)], t, 0.05)
                } else {
                    restart(t)
                }
            }
            releaseAll(now + 0.1)
        }
    }
}' >"$work/soak.route"

# How the route goes, from the game's own update code without a window.
"$build/korvel-route-check" "$work/soak.route" --until "$total" --every 100000 >"$work/check.log"
deaths=$(grep -c ' DEAD' "$work/check.log" || true)
wins=$(grep -c ' WON' "$work/check.log" || true)
timeups=$(grep -c ' TIMEUP' "$work/check.log" || true)
events=$(wc -l <"$work/soak.route")

source "$root/tools/sanitizer_env.sh"
echo "soak: $minutes min of game time, seed $seed, $events key events;" \
    "the route wins $wins times, dies $deaths times, runs out of time $timeups times"
started=$(date +%s)
xvfb-run -a -s "-screen 0 1024x1024x24 -noreset" bash -c '
  cd "$1" || exit 1
  "$2" soak.route --until "$3" >replay.out 2>replay.err &
  echo $! >"$1/pid"
  wait $!
  echo $? >"$1/status"' soak "$work" "$build/korvel-replay" "$total" &
runner=$!
while [ ! -s "$work/pid" ]; do sleep 0.2; done
pid=$(cat "$work/pid")
# Resident memory (kB) every five seconds of wall time.
while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$rss" ] && echo "$(($(date +%s) - started)) $rss" >>"$work/rss.log"
    sleep 5
done
wait "$runner" || true
seconds=$(($(date +%s) - started))
status=$(cat "$work/status")

findings=$(grep -cE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$work/replay.err" || true)
awk -v wall="$seconds" '
    $1 <= 60 { first = $2 }
    $1 > 60 && (low == "" || $2 < low) { low = $2 }
    $1 > 60 && $2 > high { high = $2 }
    { last = $2 }
    END {
        printf "soak: %d s of wall time; resident memory: %.1f MB after the first minute, " \
               "%.1f MB at the end (%.1f to %.1f MB in between)\n",
               wall, first / 1024, last / 1024, low / 1024, high / 1024
    }' "$work/rss.log"
echo "soak: exit status $status, $(tail -n 1 "$work/replay.out"), best score file:" \
    "$(cat "$work/assets/score.txt" 2>/dev/null || echo none), sanitizer findings: $findings"
if [ "$status" != 0 ] || [ "$findings" != 0 ]; then
    cat "$work/replay.err"
    exit 1
fi
