#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

# Qt 6 Widgets for sketch-studio, its translation tools and Qt's own translations;
# the CJK fonts show the module's Japanese menu texts;
# clang and its sanitizer and libFuzzer runtimes for the fuzz preset; cairo and pixman only
# for the benchmark that compares our drawing with a general 2-D library; clang-format (14)
# for scripts/check-format.sh; CLI11 for sketch-replay's options; the desktop, AppStream,
# MIME and manual page checkers and dpkg's tools for the install test and the package.
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libpng-dev libcli11-dev
          desktop-file-utils appstream shared-mime-info groff-base dpkg-dev file
          qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-noto-cjk clang libclang-rt-14-dev
          libcairo2-dev libpixman-1-dev clang-format)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "Missing packages (${missing[*]}) and no root or sudo to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
