#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer test build and runs every test. GL and
# end-to-end tests run under xvfb-run. Then fuzzes each file parser for a short while.
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
# The reference controller the controller tests compare against, pinned by its lock file.
oracle="$root/tests/oracle"
if [[ ! "$oracle/node_modules/.package-lock.json" -nt "$oracle/package-lock.json" ]]; then
  (cd "$oracle" && npm ci --no-audit --no-fund)
fi
build="$root/build-test"
"$root/tools/build.sh" "$build" -DKORVEL_SANITIZE=ON -DKORVEL_WERROR=ON

source "$root/tools/sanitizer_env.sh"
cd "$build"
# -noreset: tests connect and leave one after another, and a server that resets whenever its
# last client leaves can refuse the next test's connection while it does.
xvfb-run -a -s "-screen 0 1024x1024x24 -noreset" ctest --output-on-failure --parallel 2 --timeout 600

# Every file parser under the fuzzer for 10 s, two at a time: after the tests, never beside
# them, as each run takes a whole core. The committed corpora replay the crashes found before.
FUZZ_JOBS=2 "$root/tools/fuzz.sh" 10
