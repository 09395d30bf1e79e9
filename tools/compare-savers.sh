#!/usr/bin/env bash
# Compares the saver's cost in real use with three of xscreensaver's per-pixel hacks
# (interference, eruption, marbling, run with -root -delay 0) on a private Xvfb of each size.
# Each program's frames are counted by the pixel area it puts (libquenbrel-put-counter.so,
# preloaded, adds up the area of its XPutImage and XShmPutImage calls), its CPU time comes
# from /proc, and so does the X server's. The programs take turns, three rounds; the table
# holds the medians. Installs Debian's xscreensaver hacks when they are missing.
#   tools/compare-savers.sh BUILD_DIR [SECONDS] [WxH...]     (defaults: 5 1920x1080 3840x2160)
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-5}
sizes=("${@:3}")
((${#sizes[@]})) || sizes=(1920x1080 3840x2160)
counter=$build/tools/libquenbrel-put-counter.so
hacks=/usr/libexec/xscreensaver
peers=(interference eruption marbling)

missing=()
for peer in "${peers[@]}"; do [ -x "$hacks/$peer" ] || missing+=("$peer"); done
if ((${#missing[@]})); then
  echo "Installing xscreensaver's hacks for: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq xscreensaver-data xscreensaver-data-extra
fi

source "$(dirname "$0")/private-display.sh"
source "$(dirname "$0")/frame-costs.sh"

for size in "${sizes[@]}"; do
  width=${size%x*} height=${size#*x}
  start_display "$size"
  server=${stopped_on_exit[-1]}
  declare -A results=()
  for round in 1 2 3; do
    echo "$size, round $round of 3" >&2
    results[zzQuenbrel]+="$(measure "$build/src/zzQuenbrel.scr" /s)"$'\n'
    for peer in "${peers[@]}"; do results[$peer]+="$(measure "$hacks/$peer" -root -delay 0)"$'\n'; done
  done
  echo
  echo "$size, $seconds s per run, medians of 3 runs, programs taking turns:"
  echo
  echo "| program | frames/s | client CPU per frame | X server CPU per frame |"
  echo "|---|---|---|---|"
  best=""
  for program in zzQuenbrel "${peers[@]}"; do
    rate=$(awk 'NF {print $1}' <<<"${results[$program]}" | median)
    client=$(awk 'NF {print $2}' <<<"${results[$program]}" | median)
    server_cpu=$(awk 'NF {print $3}' <<<"${results[$program]}" | median)
    echo "| \`$program\` | $rate | $client ms | $server_cpu ms |"
    if [ "$program" = zzQuenbrel ]; then ours=$client
    elif [ -z "$best" ] || awk -v a="$client" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$client best_name=$program
    fi
  done
  awk -v o="$ours" -v b="$best" -v n="$best_name" \
    'BEGIN { printf "\nzzQuenbrel spends 1/%.1f of the client CPU per frame of the thriftiest peer (%s).\n", b / o, n }'
  unset results
  kill -TERM "$server"
done
