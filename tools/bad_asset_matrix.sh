#!/usr/bin/env bash
# The whole bad-asset matrix: every model, texture, sound and the font missing, empty, cut in
# half and garbage of the same size, every shader file missing and broken (about 160 game
# starts), against the sanitizer build under xvfb-run, in two shards side by side. The test run
# (tools/run_tests.sh) runs a sample of it. Exits non-zero on any failure.
# Usage: tools/bad_asset_matrix.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-test"
"$root/tools/build.sh" "$build" -DKORVEL_SANITIZE=ON -DKORVEL_WERROR=ON
cmake --build "$build" --target korvel_bad_asset_matrix --parallel "$(nproc)"

source "$root/tools/sanitizer_env.sh"
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
started=$(date +%s)
status=0
xvfb-run -a -s "-screen 0 1024x1024x24 -noreset" bash -c '
  for shard in 0 1; do
    GTEST_TOTAL_SHARDS=2 GTEST_SHARD_INDEX=$shard "$1" >"$2/shard$shard.log" 2>&1 &
  done
  failed=0
  for shard in 0 1; do wait -n || failed=1; done
  exit $failed' matrix "$build/tests/korvel_bad_asset_matrix" "$logs" || status=$?
seconds=$(($(date +%s) - started))
cat "$logs"/shard*.log | grep -E '^\[  (FAILED|PASSED) |^\[==========\]|Failure|Expected|Which is' || true
tests=$(cat "$logs"/shard*.log | grep -c '^\[       OK \]' || true)
failures=$(cat "$logs"/shard*.log | grep -c '^\[  FAILED  \] .*(' || true)
echo "bad-asset matrix: $tests cases passed, $failures failed, ${seconds} s on two shards"
exit "$status"
