#!/usr/bin/env bash
# The layers point one way: app uses render, physics and audio, render uses physics. Render and
# physics include nothing of app, physics nothing of render, audio nothing of the others, and
# the windowless library (korvel_core, its sources listed in the root CMakeLists.txt) reaches no
# GL or window header, not even through a header of the game. Prints every include that points
# the wrong way and fails.
# Usage: tools/check_layers.sh [source-dir]
set -euo pipefail

root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

failures=0
wrong() {
  echo "$1: includes $2 ($3)"
  failures=$((failures + 1))
}

quoted_includes() {
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"
}

for file in $(find src/render src/physics src/audio -name '*.cpp' -o -name '*.h' | sort); do
  for include in $(quoted_includes "$file"); do
    case "$file:$include" in
      src/render/*:app/* | src/physics/*:app/*) wrong "$file" "$include" "render and physics do not use app" ;;
      src/physics/*:render/*) wrong "$file" "$include" "physics does not use render" ;;
      src/audio/*:app/* | src/audio/*:render/* | src/audio/*:physics/*)
        wrong "$file" "$include" "audio uses none of the game's other layers" ;;
    esac
  done
done

# korvel_core's sources, and every header of the game they reach.
core_sources=$(sed -n '/^add_library(korvel_core /,/^)/s/^[[:space:]]*\(src\/[^[:space:]]*\.cpp\).*/\1/p' \
  CMakeLists.txt)
if [[ -z "$core_sources" ]]; then
  echo "no korvel_core sources found in CMakeLists.txt"
  exit 1
fi
declare -A seen=()
pending=($core_sources)
while ((${#pending[@]} > 0)); do
  file=${pending[-1]}
  unset 'pending[-1]'
  [[ -n "${seen[$file]:-}" ]] && continue
  seen[$file]=1
  while read -r header; do
    [[ -n "$header" ]] && wrong "$file" "<$header>" "korvel_core builds without GL and a window"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(GL\/[^>]*\|GLFW\/[^>]*\)>.*/\1/p' "$file")
  for include in $(quoted_includes "$file"); do
    [[ -f "src/$include" ]] && pending+=("src/$include")
  done
done

if ((failures > 0)); then
  echo "$failures include(s) point the wrong way"
  exit 1
fi
