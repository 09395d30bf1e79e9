#!/usr/bin/env bash
# The saver's cost on Wayland against its cost on X11, at one size in one run: the saver (/s)
# on a headless Wayland compositor (sway) with one output of that size, and on a private Xvfb
# of that size, taking turns, three rounds. Frames are counted by the pixel area the saver
# hands to the display (buffers attached on Wayland, images put on X11: the put counters of
# tools/, preloaded); the CPU times of the saver and of the display server come from /proc.
# Prints the medians and the client CPU per frame on Wayland over that on X11.
#   tools/measure-wayland.sh BUILD_DIR [SECONDS] [WxH]     (defaults: 5 1920x1080)
#
# With --pace first, the saver's pace and memory on Wayland alone, one run each: its frames
# (buffers attached) and CPU per second on a 60 Hz and on a 30 Hz output; its CPU per second
# while nothing of it is shown (a fullscreen window on another workspace: this compositor's
# headless outputs cannot be switched off); its memory (RSS) after its output went from
# 3840x2160 to 1280x720, against a start at 1280x720.
#   tools/measure-wayland.sh --pace BUILD_DIR [SECONDS]    (default: 5)
set -euo pipefail
pace=false
if [ "$1" = --pace ]; then
  pace=true
  shift
fi
build=$(cd "$1" && pwd)
seconds=${2:-5}
size=${3:-1920x1080}
width=${size%x*} height=${size#*x}
program=$build/src/zzQuenbrel.scr

source "$(dirname "$0")/private-display.sh"
source "$(dirname "$0")/frame-costs.sh"

if $pace; then
  rss() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
  buffers() { od -An -t u8 -j 8 -N 8 "$work/counts" 2>/dev/null | tr -d " "; }
  # Frames and CPU milliseconds per second over $seconds, of the saver $saver.
  rates() {
    local frames0 cpu0
    frames0=$(buffers) cpu0=$(ticks "$saver")
    sleep "$seconds"
    awk -v f=$(($(buffers) - frames0)) -v c=$(($(ticks "$saver") - cpu0)) -v s="$seconds" \
      -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f frames/s, %.1f ms CPU/s", f / s, 1000 * c / hz / s }'
  }
  start_saver() {
    : >"$work/counts"
    env "${wayland_environment[@]}" QUENBREL_BACKEND=wayland QUENBREL_WAYLAND_NO_LAYER_SHELL=1 \
      LD_PRELOAD="$build/tools/libquenbrel-attach-counter.so" QUENBREL_PUT_COUNTER="$work/counts" "$program" /s &
    saver=$!
    stop_on_exit $saver
    wait_for '[ "$(buffers)" -ge 2 ] 2>/dev/null'
    sleep 1
  }
  start_compositor 1280x720
  start_saver
  echo "| 60 Hz output | $(rates) |"
  "${swaymsg[@]}" output HEADLESS-1 mode 1280x720@30Hz
  sleep 1
  echo "| 30 Hz output | $(rates) |"
  "${swaymsg[@]}" workspace number 2
  sleep 1
  echo "| nothing shown | $(rates) |"
  "${swaymsg[@]}" workspace number 1
  kill -TERM $saver
  wait $saver 2>/dev/null || true
  "${swaymsg[@]}" output HEADLESS-1 mode 3840x2160
  start_saver
  "${swaymsg[@]}" output HEADLESS-1 mode 1280x720
  sleep 2
  shrunk=$(rss $saver)
  kill -TERM $saver
  wait $saver 2>/dev/null || true
  start_saver
  sleep 1
  started=$(rss $saver)
  awk -v a="$shrunk" -v b="$started" \
    'BEGIN { printf "\nRSS after 3840x2160 -> 1280x720: %d kB; started at 1280x720: %d kB; ratio %.2f (target: at most 1.3).\n", a, b, a / b }'
  exit 0
fi

start_display "$size"
xvfb=${stopped_on_exit[-1]}
start_compositor "$size"

declare -A results=()
for round in 1 2 3; do
  echo "round $round of 3" >&2
  counter=$build/tools/libquenbrel-put-counter.so server=$xvfb
  results[X11]+="$(measure env -u WAYLAND_DISPLAY QUENBREL_BACKEND=x11 "$program" /s)"$'\n'
  counter=$build/tools/libquenbrel-attach-counter.so server=$compositor
  results[Wayland]+="$(measure env "${wayland_environment[@]}" QUENBREL_BACKEND=wayland "$program" /s)"$'\n'
done

echo
echo "The saver at $size, $seconds s per run, medians of 3 runs, the two taking turns:"
echo
echo "| display | frames/s | client CPU per frame | server CPU per frame |"
echo "|---|---|---|---|"
declare -A client=()
for display in X11 Wayland; do
  rate=$(awk 'NF {print $1}' <<<"${results[$display]}" | median)
  client[$display]=$(awk 'NF {print $2}' <<<"${results[$display]}" | median)
  server_cpu=$(awk 'NF {print $3}' <<<"${results[$display]}" | median)
  server_name=Xvfb
  [ "$display" = Wayland ] && server_name=sway
  echo "| $display | $rate | ${client[$display]} ms | $server_cpu ms ($server_name) |"
done
awk -v w="${client[Wayland]}" -v x="${client[X11]}" \
  'BEGIN { printf "\nClient CPU per frame, Wayland over X11: %.2f (target: at most 1.2).\n", w / x }'
