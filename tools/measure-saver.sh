#!/usr/bin/env bash
# Runs the saver (/s) on a private 1920x1080 Xvfb for a few seconds and prints the frame
# rate that reached the display, its share of one CPU core and its resident memory.
#   tools/measure-saver.sh BUILD_DIR [SECONDS] [SCREENSHOT.png]
set -euo pipefail
build=$1
seconds=${2:-5}
screenshot=${3:-}
program=$build/src/zzQuenbrel.scr
frames=$build/tools/quenbrel-frames

source "$(dirname "$0")/private-display.sh"
start_display 1920x1080

"$program" /s &
saver_pid=$!
stop_on_exit $saver_pid
wait_for 'xwininfo -root -children 2>/dev/null | grep -q "1920x1080+0+0"'

ticks() { awk '{print $14 + $15}' "/proc/$saver_pid/stat"; }
start_ticks=$(ticks)
rate=$("$frames" "$seconds")
end_ticks=$(ticks)
hz=$(getconf CLK_TCK)
cpu=$(awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.1f", 100 * t / hz / s}')
rss=$(awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$saver_pid/status")
peak=$(awk '/^VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$saver_pid/status")

if [ -n "$screenshot" ]; then
  import -display "$DISPLAY" -window root "$screenshot"
  echo "screenshot: $screenshot"
fi
echo "saver at 1920x1080: $rate"
echo "CPU: $cpu % of one core; resident: $rss MiB (peak $peak MiB)"
