#!/usr/bin/env bash
# Photographs the settings dialog, the colour chooser and the about box's final picture in
# English, Galician and Spanish on a private Xvfb, with the default colours, into docs/.
#   tools/screenshots.sh [BUILD_DIR]    (default: build/release, built when missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
[ -x "$build/src/zzQuenbrel.scr" ] || bash "$root/tools/build.sh" "$build"
docs=$root/docs

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill -TERM "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Polls a condition for up to 20 s.
wait_for() {
  for _ in $(seq 400); do
    if eval "$1"; then return 0; fi
    sleep 0.05
  done
  echo "timed out waiting for: $1" >&2
  return 1
}

window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
# The window's top-left corner on the screen, as "X Y".
origin() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^[XY]=/ {printf "%s ", $2}'; }
click_in() {
  read -r x y <<<"$(origin "$1")"
  xdotool mousemove $((x + $2)) $((y + $3)) click 1 mousemove 0 0
}
# Without a window manager the keyboard follows the pointer: it goes into the window first.
key_in() {
  read -r x y <<<"$(origin "$1")"
  xdotool mousemove $((x + 2)) $((y + 2)) key "$2"
}
# Saves the window once two looks in a row agree (its animation has ended) and differ from
# the picture before, if one is given.
photograph() {
  local window=$1 file=$2 before=${3:-}
  wait_for "import -window $window $work/a.png && sleep 0.2 && import -window $window $work/b.png &&
            cmp -s $work/a.png $work/b.png && { [ -z '$before' ] || ! cmp -s $work/b.png '$before'; }"
  cp "$work/b.png" "$file"
  echo "screenshot: $file"
}

Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp 5>"$work/display" 2>/dev/null &
xvfb_pid=$!
wait_for '[ -s "$work/display" ]'
export DISPLAY=:$(head -n1 "$work/display")

# A copy of its own, so that the settings file beside it starts absent: the default colours.
cp "$build/src/zzQuenbrel.scr" "$work/"
"$work/zzQuenbrel.scr" /c &
program_pid=$!
wait_for '[ -n "$(window_named Settings)" ]'
settings=$(window_named Settings)
photograph "$settings" "$docs/settings.png"

click_in "$settings" 184 34  # the first colour
wait_for '[ -n "$(window_named Color)" ]'
chooser=$(window_named Color)
photograph "$chooser" "$docs/colour-chooser.png"
key_in "$chooser" Escape
wait_for '[ -z "$(window_named Color)" ]'

click_in "$settings" 301 80  # About...
wait_for '[ -n "$(window_named "About zzQuenbrel I")" ]'
about=$(window_named "About zzQuenbrel I")
photograph "$about" "$docs/about-english.png"
click_in "$about" 59 245  # the Galician flag
photograph "$about" "$docs/about-galician.png" "$docs/about-english.png"
click_in "$about" 93 245  # the Spanish flag
photograph "$about" "$docs/about-spanish.png" "$docs/about-galician.png"
key_in "$about" Return
wait_for '[ -z "$(window_named "Acerca de zzQuenbrel I")" ]'
key_in "$settings" Escape
wait "$program_pid"
program_pid=
