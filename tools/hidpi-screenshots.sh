#!/usr/bin/env bash
# Photographs the settings dialog, its colour chooser and the gallery on a private 3840x2160
# Xvfb whose resources say Xft.dpi 192 (a desktop at twice the classic resolution), into docs/.
#   tools/hidpi-screenshots.sh [BUILD_DIR]    (default: build/release, built when missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
[ -x "$build/src/zzQuenbrel.scr" ] && [ -x "$build/src/zzQuenbrel-gallery" ] || bash "$root/tools/build.sh" "$build"
docs=$root/docs

source "$root/tools/private-display.sh"
source "$root/tools/window-photos.sh"

# A click at a logical point of the window: twice as far in on the screen.
click_in() {
  read -r x y <<<"$(origin "$1")"
  xdotool mousemove $((x + 2 * $2)) $((y + 2 * $3)) click 1 mousemove 0 0
}

start_display 3840x2160
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	192"

cp "$build/src/zzQuenbrel.scr" "$work/"
env -u QUENBREL_SCALE "$work/zzQuenbrel.scr" /c &
program_pid=$!
stop_on_exit $program_pid
wait_for '[ -n "$(window_named Settings)" ]'
settings=$(window_named Settings)
photograph "$settings" "$docs/hidpi-settings.png"
click_in "$settings" 184 34  # the first colour
wait_for '[ -n "$(window_named Color)" ]'
photograph "$(window_named Color)" "$docs/hidpi-colour-chooser.png"
kill "$program_pid"

env -u QUENBREL_SCALE "$build/src/zzQuenbrel-gallery" &
stop_on_exit $!
wait_for '[ -n "$(window_named "zzQuenbrel Gallery")" ]'
photograph "$(window_named "zzQuenbrel Gallery")" "$docs/hidpi-gallery.png"
