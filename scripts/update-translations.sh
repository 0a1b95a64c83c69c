#!/usr/bin/env bash
# Brings the studio's translation files up to date with the texts in the code:
# the studio's own (tr) and the names the module gives its tools and steps
# (SKETCH_TEXT). New texts come in unfinished: translate them in the .ts file
# (with Qt Linguist or by hand) and commit it; the build compiles it.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
# The languages the studio speaks besides its own English.
for language in ja; do
  "$lupdate" -no-obsolete -locations none -source-language en -target-language "$language" \
    -tr-function-alias QT_TRANSLATE_NOOP+=SKETCH_TEXT \
    apps/studio sketch/module/SketchTools.cpp sketch/module/SketchChanges.h \
    -ts "apps/studio/translations/sketch-studio_$language.ts"
done
