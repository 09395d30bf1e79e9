#!/usr/bin/env bash
# Runs the saver (/s) on a private Xvfb for a few seconds and prints how long after its start
# its first complete frame stood on the screen (beside what Resize and one NextFrame take on
# that display), the frame rate that reached the display, its CPU and its memory.
#   tools/measure-saver.sh BUILD_DIR [SECONDS] [SCREENSHOT.png] [WxH]
set -euo pipefail
build=$1
seconds=${2:-5}
screenshot=${3:-}
size=${4:-1920x1080}
program=$build/src/zzQuenbrel.scr

source "$(dirname "$0")/private-display.sh"
start_display "$size"

echo "saver at $size:"
"$build/tools/quenbrel-frames" "$seconds" "$program" /s

if [ -n "$screenshot" ]; then
  "$program" /s &
  stop_on_exit $!
  wait_for 'xwininfo -root -children 2>/dev/null | grep -q "'"$size"'+0+0"'
  wait_for '[ "$(xwd -root -silent | md5sum)" != "$(sleep 0.1; xwd -root -silent | md5sum)" ]'
  import -display "$DISPLAY" -window root "$screenshot"
  echo "screenshot: $screenshot"
fi
