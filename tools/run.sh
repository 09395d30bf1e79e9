#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs the saver. On a working display
# ($DISPLAY) the saver runs there until a key, a click or mouse movement ends it; otherwise
# it runs for a few seconds on a private virtual display, leaves a screenshot in
# docs/saver.png and prints the frame rate that reached the display, its CPU share and
# its memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/deps.sh
bash tools/build.sh build/release

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "The saver runs on $DISPLAY: press a key, click or move the mouse to end it."
  exec build/release/src/zzQuenbrel.scr /s
fi
bash tools/measure-saver.sh build/release 5 docs/saver.png
