#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time, one job each, starting from the committed corpus.
# New inputs go to the build folder, findings to its artifacts/ folder.
#   usage: scripts/fuzz.sh [seconds per target] [engine|resample|musictheory|decoder ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(engine resample musictheory decoder)

cmake -S "$root/fuzz" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]/#/fuzz_}"

symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -x "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

# Options of one target. The decoder's inputs are files: room for a few seconds of
# compressed audio, while a single input still decodes in well under a second.
target_options() {
  case $1 in
    decoder) echo -max_len=65536 ;;
  esac
}

status=0
mkdir -p "$build/artifacts"
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  log="$build/fuzz_$t.log"
  mkdir -p "$work"
  # -timeout counts a slow input as a hang; leaks are reported at the end of each input.
  if "$build/fuzz_$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
       $(target_options "$t") -artifact_prefix="$build/artifacts/$t-" "$work" "$root/fuzz/corpus/$t" >"$log" 2>&1; then
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    echo "fuzz_$t: $runs executions in ${seconds} s, no finding"
  else
    echo "fuzz_$t: FINDING (log $log, input in $build/artifacts/)"
    grep -E "ERROR|runtime error|broken invariant|SUMMARY|Test unit written" "$log" | head -n 20 || true
    status=1
  fi
done
exit $status
