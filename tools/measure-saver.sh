#!/usr/bin/env bash
# Runs the saver (/s) on a private Xvfb for a few seconds and prints how long after its start
# its first complete frame stood on the screen, beside what Resize and one NextFrame take off
# screen at that size, then the frame rate that reached the display, its CPU and memory.
#   tools/measure-saver.sh BUILD_DIR [SECONDS] [SCREENSHOT.png] [WxH]
set -euo pipefail
build=$1
seconds=${2:-5}
screenshot=${3:-}
size=${4:-1920x1080}
program=$build/src/zzQuenbrel.scr

source "$(dirname "$0")/private-display.sh"
start_display "$size"

render=$("$build/tools/quenbrel-render" --size "$size" --frames 1)
measured=$("$build/tools/quenbrel-frames" "$seconds" "$program" /s)
echo "saver at $size:"
echo "$measured"
off_screen=$(sed -n 's/.*Resize \([0-9.]*\) ms, first frame \([0-9.]*\) ms.*/\1 \2/p' <<<"$render")
on_screen=$(sed -n 's/first complete frame \([0-9.]*\) ms.*/\1/p' <<<"$measured")
awk -v r="${off_screen% *}" -v f="${off_screen#* }" -v s="$on_screen" 'BEGIN {
  printf "off screen: Resize %.1f ms + first NextFrame %.1f ms = %.1f ms; first frame on screen at %.2f times that\n",
         r, f, r + f, s / (r + f) }'

if [ -n "$screenshot" ]; then
  "$program" /s &
  stop_on_exit $!
  wait_for 'xwininfo -root -children 2>/dev/null | grep -q "'"$size"'+0+0"'
  wait_for '[ "$(xwd -root -silent | md5sum)" != "$(sleep 0.1; xwd -root -silent | md5sum)" ]'
  import -display "$DISPLAY" -window root "$screenshot"
  echo "screenshot: $screenshot"
fi
