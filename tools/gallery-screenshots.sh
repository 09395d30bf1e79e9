#!/usr/bin/env bash
# Photographs every page of zzQuenbrel-gallery on a private Xvfb into docs/gallery-*.png: the
# image page with its menu open, the file dialog, then each other page with its animation
# paused.
#   tools/gallery-screenshots.sh [BUILD_DIR]    (default: build/release, built when missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
[ -x "$build/src/zzQuenbrel-gallery" ] || bash "$root/tools/build.sh" "$build"
docs=$root/docs

source "$root/tools/private-display.sh"
source "$root/tools/window-photos.sh"

click_at() { xdotool mousemove $((x + $1)) $((y + $2)) click "${3:-1}"; }
# Saves the screen's rectangle at (x, y) once two looks in a row agree.
photograph_area() {
  local file=$1 width=$2 height=$3 left=${4:-$x} top=${5:-$y}
  local area=${width}x${height}+${left}+${top}
  wait_for "import -window root -crop $area $work/a.png && sleep 0.2 && import -window root -crop $area $work/b.png &&
            cmp -s $work/a.png $work/b.png"
  convert "$work/b.png" +repage "$file"
  echo "screenshot: $file"
}
# The tab of page `index` (0 the first), 84 pixels apart in the row at the top.
tab() { click_at $((4 + $1 * 84 + 41)) 15; }
# The column of properties: a button of a row of modes, counted from 0 of `count`.
mode() { click_at $((472 + $1 * 160 / $2 + 80 / $2)) "$3"; }

start_display 800x600
# The file dialog opens in the current folder: one with a few pictures and a folder.
mkdir -p "$work/pictures/holidays"
for name in beach.jpg garden.png tower.gif; do convert -size 8x8 xc:gray "$work/pictures/$name"; done
cd "$work/pictures"
"$build/src/zzQuenbrel-gallery" &
stop_on_exit $!
wait_for '[ -n "$(window_named "zzQuenbrel Gallery")" ]'
gallery=$(window_named "zzQuenbrel Gallery")
read -r x y <<<"$(origin "$gallery")"

mode 1 4 63  # the balls
click_at 100 120 3
photograph_area "$docs/gallery-image.png" 640 480
xdotool key o
wait_for '[ -n "$(window_named Open)" ]'
dialog=$(window_named Open)
read -r dx dy <<<"$(origin "$dialog")"
photograph_area "$docs/gallery-file-dialog.png" 327 244 "$dx" "$dy"
xdotool key Escape
wait_for '[ -z "$(window_named Open)" ]'

tab 1; mode 1 2 313  # the timer bar paused
photograph_area "$docs/gallery-progress.png" 640 480
tab 2
photograph_area "$docs/gallery-scale.png" 640 480
tab 3; mode 1 2 307  # the marker stopped
photograph_area "$docs/gallery-polygon.png" 640 480
tab 4
photograph_area "$docs/gallery-plot.png" 640 480
tab 5
photograph_area "$docs/gallery-drives.png" 640 480
tab 6; mode 1 2 189  # the effect paused
photograph_area "$docs/gallery-effect.png" 640 480
