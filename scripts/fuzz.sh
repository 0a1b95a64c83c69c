#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzz target for SECONDS (default 600), side
# by side, one a core: every target, or those named.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Each run starts from the seeds in fuzz/corpus/<target> and from what earlier
# runs kept. New inputs go to $SKETCH_FUZZ_WORK/corpus/<target> and crashes, leaks
# and timeouts to $SKETCH_FUZZ_WORK/findings/<target> (default
# ${TMPDIR:-/tmp}/sketch-fuzz), never into the repository. Exits 1 when any
# target found something or failed to run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
[ "$seconds" -gt 0 ] || { echo "fuzz.sh: SECONDS must be at least 1" >&2; exit 2; }
work=${SKETCH_FUZZ_WORK:-${TMPDIR:-/tmp}/sketch-fuzz}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

bin=build/fuzz/bin
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # Whatever targets this checkout builds; fuzz/CMakeLists.txt decides.
  for seeds in fuzz/corpus/*/; do
    t=$(basename "$seeds")
    [ -x "$bin/$t" ] && targets+=("$t")
  done
fi

# One target, its findings counted; its summary line goes to $work/$t.summary
# and it fails when the run failed or found something.
fuzz_one() {
  local t=$1
  local corpus=$work/corpus/$t findings=$work/findings/$t log=$work/$t.log
  mkdir -p "$corpus" "$findings"
  local before
  before=$(find "$findings" -type f | wc -l)
  local seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds=("fuzz/corpus/$t")
  # The profile target maps the module afresh for every input, and the sanitizer
  # never forgets a mapping's globals: some 16 KB an input, 3 GB in ten minutes.
  # It gets room for that, up to 16 GB (about 45 minutes); a single allocation
  # is still held to the usual 2 GB.
  local limits=()
  local room=$((2048 + seconds * 8))
  [ "$t" = fuzz_profile ] && limits=(-rss_limit_mb=$((room < 16384 ? room : 16384)) -malloc_limit_mb=2048)
  local failed=0
  # New inputs are written to the first corpus folder only: the scratch one.
  if ! UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$bin/$t" -max_total_time="$seconds" "${limits[@]}" \
       -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    failed=1
    tail -n 30 "$log" >&2
  fi
  local found=$(($(find "$findings" -type f | wc -l) - before))
  local runs rate cov
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
  echo "$t: ${runs:-?} executions, ${rate:-?}/s, ${cov:-no coverage line}, corpus $(find "$corpus" -type f | wc -l) kept, $found new findings" >"$work/$t.summary"
  [ $failed -eq 0 ] && [ "$found" -eq 0 ]
}

# The targets run side by side, one a core: each is single-threaded.
status=0
running=()
ran=()
for t in "${targets[@]}"; do
  if [ ! -x "$bin/$t" ]; then
    echo "fuzz.sh: no fuzz target $t in $bin" >&2
    status=1
    continue
  fi
  if [ ${#running[@]} -ge "$(nproc)" ]; then
    wait "${running[0]}" || status=1
    running=("${running[@]:1}")
  fi
  echo "=== $t: $seconds s (log: $work/$t.log)"
  fuzz_one "$t" &
  running+=($!)
  ran+=("$t")
done
for pid in "${running[@]}"; do
  wait "$pid" || status=1
done
summary=()
for t in "${ran[@]}"; do
  summary+=("$(cat "$work/$t.summary" 2>/dev/null || echo "$t: no summary")")
done

echo "=== summary (corpus and findings under $work)"
printf '%s\n' "${summary[@]}"
exit $status
