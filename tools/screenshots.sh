#!/usr/bin/env bash
# Photographs the settings dialog, the colour chooser and the about box's final picture in
# English, Galician and Spanish on a private Xvfb, with the default colours, the components
# demo stopped after a few ticks, and the plot demo at home, with its zoom box and zoomed in,
# into docs/.
#   tools/screenshots.sh [BUILD_DIR]    (default: build/release, built when missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
[ -x "$build/src/zzQuenbrel.scr" ] && [ -x "$build/tools/quenbrel-components-demo" ] || bash "$root/tools/build.sh" "$build"
docs=$root/docs

source "$root/tools/private-display.sh"
source "$root/tools/window-photos.sh"

click_in() {
  read -r x y <<<"$(origin "$1")"
  xdotool mousemove $((x + $2)) $((y + $3)) click 1 mousemove 0 0
}
# The pointer goes into the window first: without a window manager, a window that is not the
# newest one gets the keyboard only through the pointer.
key_in() {
  read -r x y <<<"$(origin "$1")"
  xdotool mousemove $((x + 2)) $((y + 2)) key "$2"
}

start_display 800x600

# A copy of its own, so that the settings file beside it starts absent: the default colours.
cp "$build/src/zzQuenbrel.scr" "$work/"
"$work/zzQuenbrel.scr" /c &
program_pid=$!
stop_on_exit $program_pid
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

"$build/tools/quenbrel-components-demo" --steps 30 &
stop_on_exit $!
wait_for '[ -n "$(window_named Components)" ]'
photograph "$(window_named Components)" "$docs/components-demo.png"
"$build/tools/quenbrel-plot" &
plot_pid=$!
stop_on_exit $plot_pid
wait_for '[ -n "$(window_named Plot)" ]'
plot=$(window_named Plot)
photograph "$plot" "$docs/plot.png"
click_in "$plot" 130 18                          # Zoom in
read -r x y <<<"$(origin "$plot")"
xdotool mousemove $((x + 260)) $((y + 200))      # the box follows the pointer over the plot
photograph "$plot" "$docs/plot-zoom-box.png" "$docs/plot.png"
xdotool click 1
photograph "$plot" "$docs/plot-zoomed.png" "$docs/plot-zoom-box.png"
