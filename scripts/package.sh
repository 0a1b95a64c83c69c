#!/usr/bin/env bash
# Builds the Debian package from the release build: build/release/sketch_VERSION_ARCH.deb.
# Install it with: sudo apt install ./build/release/sketch_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
(cd build/release && cpack -G DEB >/dev/null)
ls "$(pwd)"/build/release/sketch_*.deb
