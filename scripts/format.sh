#!/usr/bin/env bash
# Formats in place, as .clang-format says (clang-format 14; override with
# CLANG_FORMAT), every C++ source that scripts/check-format.sh checks.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-format.sh --list | xargs -d '\n' -r "${CLANG_FORMAT:-clang-format}" --style=file -i
