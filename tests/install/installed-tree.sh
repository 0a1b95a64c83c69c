#!/usr/bin/env bash
# The installed tree on its own: the desktop metadata passes its validators, and
# the installed programs run with the module and libraries they find from their
# own place, also after the tree has moved, giving what the build tree gives.
# usage: installed-tree.sh BUILD_DIR SCRIPT
set -euo pipefail
build=$1
script=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
unset SKETCH_MODULE

DESTDIR="$root/first" cmake --install "$build" --prefix /usr >/dev/null
tree="$root/first/usr"
desktop-file-validate "$tree/share/applications/io.sketch.studio.desktop"
appstreamcli validate --no-net --pedantic "$tree/share/metainfo/io.sketch.studio.metainfo.xml" >/dev/null
XDG_DATA_DIRS="$tree/share" update-mime-database "$tree/share/mime"
grep -q 'application/x-sketch-studio' "$tree/share/mime/globs2"
for page in "$tree"/share/man/man1/*.1; do
  warnings=$(groff -man -ww -z "$page" 2>&1)
  [ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
done
for size in 16 32 48 64 128 256; do
  [ -s "$tree/share/icons/hicolor/${size}x${size}/apps/io.sketch.studio.png" ]
done

# Nothing the programs load may come from the build tree.
mv "$root/first" "$root/moved"
tree="$root/moved/usr"
if ldd "$tree/bin/sketch-replay" "$tree/lib/sketch/Sketch.MOD" | grep -E "not found|$build"; then
  echo "the installed programs reach outside their tree" >&2
  exit 1
fi
"$tree/bin/sketch-replay" --version | grep -qx "sketch-replay [0-9]*\.[0-9]*\.[0-9]*"
mkdir "$root/installed" "$root/built"
(cd "$root/installed" && "$tree/bin/sketch-replay" --dump last.json "$script")
(cd "$root/built" && "$build/bin/sketch-replay" --dump last.json "$script")
diff -r "$root/installed" "$root/built"
if [ -x "$tree/bin/sketch-studio" ]; then
  QT_QPA_PLATFORM=offscreen "$tree/bin/sketch-studio" --version | grep -qx "sketch-studio [0-9]*\.[0-9]*\.[0-9]*"
fi
echo "installed tree passes"
