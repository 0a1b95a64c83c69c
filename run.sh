#!/usr/bin/env bash
# Set-up, build, and the main job: the bundled demo replayed through sketch-replay
# over the built-in picture; prints the path of the PNG it wrote.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
mkdir -p out
build/release/bin/sketch-replay --out out/demo.png examples/demo.txt
echo "$(pwd)/out/demo.png"
