#!/usr/bin/env bash
# Set-up, the format check, the builds and the tests.
#
#   ./test.sh          the unit, replay (e2e) and studio tests and a soak smoke run,
#                      in the developer build and in the sanitizer build, and a
#                      15-second run of each fuzz target: about 6.5 minutes on 2 cores
#   ./test.sh --soak   all that, then the full soak tier (random edits, allocation
#                      sweeps), optimised with assertions on, plain and under the
#                      sanitizers: about 8 minutes more, more on a busy machine
set -euo pipefail
cd "$(dirname "$0")"
soak=0
case "${1:-}" in
  "") ;;
  --soak) soak=1 ;;
  *) echo "usage: ./test.sh [--soak]" >&2; exit 2 ;;
esac
scripts/setup.sh

jobs=$(nproc)
status=0
stage() {
  echo "=== $1 ($((SECONDS / 60)) min $((SECONDS % 60)) s in) ==="
}
stage format
scripts/check-format.sh || status=1
presets=(dev asan)
[ $soak -eq 1 ] && presets+=(soak soak-asan)
for preset in "${presets[@]}"; do
  stage "$preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  stage "$preset tests"
  ctest --preset "$preset" -j "$jobs" || status=1
done

# A short run of every fuzz target over its seeds and a little beyond; a long
# hunt is scripts/fuzz.sh.
stage "fuzz smoke"
work=$(mktemp -d)
if SKETCH_FUZZ_WORK="$work" scripts/fuzz.sh 15; then
  rm -rf "$work"
else
  echo "fuzz smoke failed; inputs and findings kept in $work" >&2
  status=1
fi
stage "done, status $status"
exit $status
