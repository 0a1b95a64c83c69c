#!/usr/bin/env bash
# Checks that every tracked C++ source (*.h, *.cpp) is formatted as .clang-format
# says (clang-format 14, Debian 12's; override with CLANG_FORMAT). Prints the files
# that are not and exits 1; scripts/format.sh applies the format.
# With --list, only prints the files it would check, one a line.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}

# Constant tables of pixel rows, one row a line, that clang-format would pack
# several to a line.
skip=(sketch/resources/SketchBitmaps.cpp sketch/resources/SketchCursors.cpp)

if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
  mapfile -t all < <(git ls-files -- '*.h' '*.cpp')
else
  mapfile -t all < <(find . \( -path ./build -o -path ./out -o -path ./.git \) -prune -o \
                       -type f \( -name '*.h' -o -name '*.cpp' \) -print | sed 's|^\./||' | sort)
fi
files=()
for f in "${all[@]}"; do
  if [[ -f $f && " ${skip[*]} " != *" $f "* ]]; then files+=("$f"); fi
done

if [ "${1:-}" = --list ]; then
  printf '%s\n' "${files[@]}"
  exit 0
fi

if ! command -v "$clang_format" >/dev/null; then
  echo "check-format: $clang_format not found (scripts/setup.sh installs it)" >&2
  exit 2
fi
"$clang_format" --version | grep -q 'version 14\.' ||
  echo "check-format: warning: the style is set for clang-format 14, this is $("$clang_format" --version)" >&2

bad=()
for f in "${files[@]}"; do
  if ! out=$("$clang_format" --style=file --dry-run -Werror "$f" 2>&1); then
    [[ $out == *clang-format-violations* ]] || { echo "$out" >&2; exit 2; }
    bad+=("$f")
  fi
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (scripts/format.sh formats them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "format: ${#files[@]} files formatted"
