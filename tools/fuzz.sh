#!/usr/bin/env bash
# Builds the fuzz targets (build-fuzz/, clang with libFuzzer, ASan and UBSan) and runs each for
# SECONDS (default 600), then prints the runs, time and corpus of every target.
# Usage: tools/fuzz.sh [SECONDS]
#   FUZZ_JOBS=N   targets run at once (default 1; each takes one core)
#   FUZZ_WORK=DIR where the grown corpora, logs and crash inputs go, kept (default: a new temp
#                 dir, removed when no fault was found)
#   FUZZ_TARGETS="a b" only these targets (default: all)
# The committed corpora under tests/fuzz/corpus/ are only read: new inputs go to FUZZ_WORK.
# Exits non-zero if any target found a crash, a leak, undefined behaviour or a slow input; the
# input is then in FUZZ_WORK/artifacts/, to be added to the target's corpus once fixed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
jobs=${FUZZ_JOBS:-1}
work=${FUZZ_WORK:-}
keep_work=1
if [[ -z $work ]]; then
  work=$(mktemp -d /tmp/korvel-fuzz.XXXXXX)
  keep_work=0
fi
build="$root/build-fuzz"

mkdir -p "$work/artifacts" "$work/logs"
if ! { cmake -S "$root" -B "$build" -DKORVEL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ &&
  cmake --build "$build" --parallel "$(nproc)"; } >"$work/logs/build.log" 2>&1; then
  cat "$work/logs/build.log"
  exit 1
fi

# Target and the corpus it grows. The model importer's fast twin runs first and the checked
# target after it on the same corpus, so every input the twin found is replayed under ASan.
targets=(
  model_import_fast_fuzzer:model_import_fuzzer
  dds_file_fuzzer:dds_file_fuzzer
  settings_reader_fuzzer:settings_reader_fuzzer
  best_score_fuzzer:best_score_fuzzer
  wav_file_fuzzer:wav_file_fuzzer
  run_recording_fuzzer:run_recording_fuzzer
  records_index_fuzzer:records_index_fuzzer
  model_import_fuzzer:model_import_fuzzer
)
if [[ -n ${FUZZ_TARGETS:-} ]]; then
  chosen=()
  for entry in "${targets[@]}"; do
    [[ " $FUZZ_TARGETS " == *" ${entry%%:*} "* ]] && chosen+=("$entry")
  done
  targets=("${chosen[@]}")
fi

echo "Fuzzing ${#targets[@]} targets for ${seconds} s each, ${jobs} at a time, in $work"

# The importer library has no frame pointers: the fast unwinder can fault inside it while
# reporting a crash, and the process then dies before the crash input is saved.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:fast_unwind_on_fatal=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:fast_unwind_on_fatal=0"
export LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp:print_suppressions=0"

run_target() {
  local target=$1 corpus=$2
  local seeds="$root/tests/fuzz/corpus/$corpus" dictionary="$root/tests/fuzz/${corpus}.dict"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$work/artifacts/$target-")
  [[ -f "$dictionary" ]] && options+=(-dict="$dictionary")
  mkdir -p "$work/corpus/$corpus" "$work/tmp"
  # The first folder takes the new inputs; the committed seeds are read only. A target's own
  # files go to the work folder, which goes with it.
  if TMPDIR="$work/tmp" "$build/tests/fuzz/$target" "${options[@]}" "$work/corpus/$corpus" "$seeds" \
    >"$work/logs/$target.log" 2>&1; then
    echo "$target: done"
  else
    echo "$target: FAILED (see $work/logs/$target.log)"
    return 1
  fi
}

failed=0
running=0
for entry in "${targets[@]}"; do
  if ((running >= jobs)); then
    wait -n || failed=1
    running=$((running - 1))
  fi
  # A twin's checked run must start only after the twin has finished growing the corpus.
  if [[ ${entry%%:*} == model_import_fuzzer ]]; then
    while ((running > 0)); do
      wait -n || failed=1
      running=$((running - 1))
    done
  fi
  run_target "${entry%%:*}" "${entry##*:}" &
  running=$((running + 1))
done
while ((running > 0)); do
  wait -n || failed=1
  running=$((running - 1))
done

printf '\n%-26s %12s %8s %10s %8s\n' target runs seconds runs/s corpus
for entry in "${targets[@]}"; do
  target=${entry%%:*}
  log="$work/logs/$target.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  corpus=$(grep -o 'corp: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-26s %12s %8s %10s %8s\n' "$target" "${runs:--}" "${time:--}" "${rate:--}" \
    "${corpus:--}"
done
if ((failed)); then
  echo "Fuzzing found a fault; inputs in $work/artifacts:"
  ls -l "$work/artifacts"
  exit 1
fi
echo "No fault found."
((keep_work)) || rm -rf "$work"
