#!/usr/bin/env bash
# The saver's cost on Wayland against its cost on X11, at one size in one run: the saver (/s)
# on a headless Wayland compositor (sway) with one output of that size, and on a private Xvfb
# of that size, taking turns, three rounds. Frames are counted by the pixel area the saver
# hands to the display (buffers attached on Wayland, images put on X11: the put counters of
# tools/, preloaded); the CPU times of the saver and of the display server come from /proc.
# Prints the medians and the client CPU per frame on Wayland over that on X11.
#   tools/measure-wayland.sh BUILD_DIR [SECONDS] [WxH]     (defaults: 5 1920x1080)
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-5}
size=${3:-1920x1080}
width=${size%x*} height=${size#*x}
program=$build/src/zzQuenbrel.scr

source "$(dirname "$0")/private-display.sh"
source "$(dirname "$0")/frame-costs.sh"

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
