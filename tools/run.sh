#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs the saver. On a Wayland desktop
# (a compositor's socket where $WAYLAND_DISPLAY says) the saver runs there, else on a working
# X display ($DISPLAY), until a key, a click or mouse movement ends it; with neither it runs
# for a few seconds on a private virtual display, leaves a screenshot in docs/saver.png and
# prints the frame rate that reached the display, its CPU share and its memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/deps.sh
bash tools/build.sh build/release

# The socket is where the client library looks: the name itself when it is a path.
wayland_socket=${WAYLAND_DISPLAY:-}
[ -n "$wayland_socket" ] && [ "${wayland_socket#/}" = "$wayland_socket" ] && wayland_socket=${XDG_RUNTIME_DIR:-}/$wayland_socket
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -S "$wayland_socket" ]; then
  echo "The saver runs on the Wayland desktop $WAYLAND_DISPLAY: press a key, click or move the mouse to end it."
  exec env QUENBREL_BACKEND=wayland build/release/src/zzQuenbrel.scr /s
fi
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "The saver runs on the X display $DISPLAY: press a key, click or move the mouse to end it."
  exec env QUENBREL_BACKEND=x11 build/release/src/zzQuenbrel.scr /s
fi
bash tools/measure-saver.sh build/release 5 docs/saver.png
