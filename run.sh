#!/usr/bin/env bash
# Set-up, build, and the main job: the raster demo, which writes a PNG and prints its path.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
mkdir -p out
build/release/bin/sketch-raster-demo out/raster-demo.png
