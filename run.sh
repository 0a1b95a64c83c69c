#!/usr/bin/env bash
# Set-up, build, and the main job: with a display, sketch-studio opens on the
# picture given (or the built-in one); without one, the bundled demo is replayed
# through sketch-replay over the built-in picture and the path of the PNG it
# wrote is printed. SKETCH_HEADLESS=1 replays the demo even with a display.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${SKETCH_HEADLESS:-}" ]; then
  exec build/release/bin/sketch-studio "$@"
fi
mkdir -p out
build/release/bin/sketch-replay --out out/demo.png examples/demo.txt
echo "$(pwd)/out/demo.png"
