#!/usr/bin/env bash
# Photographs the saver (/s) on a headless Wayland compositor with two outputs, 1280x720 and
# 800x600 at scale 2, and puts the two pictures side by side, each at its physical size.
#   tools/wayland-screenshot.sh BUILD_DIR [PICTURE.png]     (default: docs/wayland-saver.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
picture=${2:-$root/docs/wayland-saver.png}

source "$root/tools/private-display.sh"
start_compositor 1280x720
"${swaymsg[@]}" create_output
"${swaymsg[@]}" output HEADLESS-2 mode 800x600 scale 2

env "${wayland_environment[@]}" QUENBREL_BACKEND=wayland "$build/src/zzQuenbrel.scr" /s &
stop_on_exit $!
shot() { env "${wayland_environment[@]}" grim -t ppm -o "$1" - | md5sum; }
# Each output animates once it shows two different pictures in a row.
for output in HEADLESS-1 HEADLESS-2; do wait_for '[ "$(shot '"$output"')" != "$(shot '"$output"')" ]'; done
for output in HEADLESS-1 HEADLESS-2; do env "${wayland_environment[@]}" grim -o "$output" "$work/$output.png"; done
convert "$work/HEADLESS-1.png" \( "$work/HEADLESS-2.png" -background white -gravity west -splice 16x0 \) \
  -background white -gravity north +append +repage "$picture"
echo "screenshot: $picture"
