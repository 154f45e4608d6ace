#!/usr/bin/env bash
# Installs what is missing, builds, prepares the assets and starts the game from build/, the
# folder that holds assets/. Without a display it plays the winning route under xvfb-run
# (about ten seconds of it, unless KORVEL_HEADLESS_SECONDS says otherwise), saves screenshots
# of the run and prints where they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" "$root/build" -DKORVEL_TESTS=OFF
cd "$root/build"

if [[ -n "${DISPLAY:-}" ]]; then
  exec ./korvel
fi

seconds=${KORVEL_HEADLESS_SECONDS:-10}
shots="$root/build/screenshots"
mkdir -p "$shots"
echo "No display (DISPLAY is not set): playing routes/win.route under xvfb-run for ${seconds} s of game time."
arguments=()
for time in 1 3 5 7 9 12 15 18 21 24 27 30 33 36 38; do
  if (( time <= seconds )); then
    arguments+=(--shot "$time:$shots/run-$(printf '%02d' "$time")s.png")
  fi
done
xvfb-run -a -s "-screen 0 1024x1024x24" \
  ./korvel-replay "$root/routes/win.route" --until "$seconds" "${arguments[@]}"
echo "Screenshots of the run: $shots"
ls "$shots"
