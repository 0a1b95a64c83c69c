#!/usr/bin/env bash
# Writes a sketch-replay script of one heavy piece of work to standard output,
# for timing and measuring memory of the headless host, e.g.
#   bench/replay_load.sh rectangles 5000 > r.txt
#   /usr/bin/time -v build/release/bin/sketch-replay r.txt
#
#   rectangles N [W H]
#                  N rectangles drawn one after another (a drag each) on a
#                  W x H view (default 1920 x 1080), spread over it by a fixed
#                  sequence
#   stroke N       one free-hand stroke of N moves
#   huge-oval      an oval drawn at a tiny zoom, about 2e9 view pixels wide at
#                  zoom 16, then clicks on and near it at zoom 16 (N clicks; 20)
set -euo pipefail

kind=${1:?kind: rectangles, stroke or huge-oval}
n=${2:-}
width=1920
height=1080
if [ "$kind" = rectangles ]; then
  width=${3:-1920}
  height=${4:-1080}
fi

echo "screen $width $height"
echo "document main $width $height"
echo "mode on"
case "$kind" in
  rectangles)
    echo "tool 4"
    awk -v n="${n:?count}" -v width="$width" -v height="$height" 'BEGIN {
      s = 12345
      for (i = 0; i < n; i++) {
        s = (s * 1103515245 + 12345) % 2147483648; w = 10 + s % int(width / 10)
        s = (s * 1103515245 + 12345) % 2147483648; h = 10 + s % int(height / 7)
        s = (s * 1103515245 + 12345) % 2147483648; x = 5 + s % (width - w - 10)
        s = (s * 1103515245 + 12345) % 2147483648; y = 5 + s % (height - h - 10)
        printf "drag %d %d %d %d\n", x, y, x + w, y + h
      }
    }'
    ;;
  stroke)
    echo "tool 6"
    awk -v n="${n:?count}" 'BEGIN {
      printf "press 960 540\n"
      for (i = 1; i <= n; i++) {
        a = i * 0.01; r = 40 + (i % 4000) * 0.1
        printf "move %d %d\n", 960 + r * cos(a), 540 + r * sin(a) * 0.9
      }
      printf "release 960 540\n"
    }'
    ;;
  huge-oval)
    # Drawn at zoom 8e-6: 125,000,000 x 62,500,000 image units. At zoom 16 the
    # origin puts its leftmost point at view (160, 540).
    echo "zoom 0.000008 0 0"
    echo "tool 5"
    echo "drag 0 0 1000 500"
    echo "zoom 16 -10 31249966.25"
    echo "tool 0"
    awk -v n="${n:-20}" 'BEGIN {
      for (i = 0; i < n; i++) printf "click %d %d\n", 150 + (i * 37) % 1700, 20 + (i * 53) % 1040
    }'
    ;;
  *)
    echo "unknown kind: $kind" >&2
    exit 2
    ;;
esac
