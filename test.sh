#!/usr/bin/env bash
# Set-up, the format check, build and every test, in the developer build and in the
# sanitizer build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

jobs=$(nproc)
status=0
echo "=== format ==="
scripts/check-format.sh || status=1
for preset in dev asan; do
  echo "=== $preset build ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset tests ==="
  ctest --preset "$preset" -j "$jobs" || status=1
done

# A short run of every fuzz target over its seeds and a little beyond; a long
# hunt is scripts/fuzz.sh.
echo "=== fuzz smoke ==="
work=$(mktemp -d)
if SKETCH_FUZZ_WORK="$work" scripts/fuzz.sh 15; then
  rm -rf "$work"
else
  echo "fuzz smoke failed; inputs and findings kept in $work" >&2
  status=1
fi
exit $status
