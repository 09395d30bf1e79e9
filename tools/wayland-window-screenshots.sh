#!/usr/bin/env bash
# Photographs the program's windows on a headless Wayland compositor (sway) with one output of
# 1024x768: the settings dialog in the compositor's frame beside the same dialog in its own
# caption bar (as on compositors that draw no frames), and the gallery with the picture's menu
# open, into docs/wayland-settings.png and docs/wayland-gallery.png.
#   tools/wayland-window-screenshots.sh BUILD_DIR [DOCS_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
docs=${2:-$root/docs}

source "$root/tools/private-display.sh"
start_compositor 1024x768
input() { env "${wayland_environment[@]}" "$build/tools/quenbrel-input" "$@"; }
input hold &
stop_on_exit $!
# The compositor's answers, which $swaymsg keeps quiet.
answers=("${swaymsg[0]}" "${swaymsg[@]:2}")
wait_for '"${answers[@]}" -t get_inputs | grep -q "\"type\": \"pointer\""'

has_window() { "${swaymsg[@]}" "[title=\"^$1\$\"] nop" 2>/dev/null; }
shot() { env "${wayland_environment[@]}" grim -t ppm -o HEADLESS-1 "$1"; }
# The output, once two looks in a row agree.
settled() {
  wait_for "shot $work/a.ppm && sleep 0.2 && shot $work/b.ppm && cmp -s $work/a.ppm $work/b.ppm"
  cp "$work/b.ppm" "$1"
}
# The windows float in their frames with their top-left corners at (20, 20), at the size
# they ask for, from their first showing on.
"${swaymsg[@]}" 'for_window [app_id="^zzquenbrel$"] "floating enable, move position 20 20"'
# Photographs the window: the part of the output around it, less the background. The
# pointer waits out of the way.
photograph() {
  local picture=$1
  input moveto 1023 767 1024 768
  settled "$work/output.ppm"
  convert "$work/output.ppm" -crop 900x700+0+0 +repage -bordercolor '#3f3f3f' -border 1 -trim +repage "$picture"
}
# Ends the program started last, as closing its window would.
end_program() {
  kill -TERM "$1"
  wait "$1" || true
}

# A copy of its own, so that the settings file beside it starts absent: the default colours.
cp "$build/src/zzQuenbrel.scr" "$work/"
for frames in compositor own; do
  variables=()
  [ "$frames" = own ] && variables=(QUENBREL_WAYLAND_NO_DECORATIONS=1)
  env "${wayland_environment[@]}" "${variables[@]}" "$work/zzQuenbrel.scr" /c &
  program=$!
  stop_on_exit $program
  wait_for 'has_window Settings'
  photograph "$work/settings-$frames.png"
  end_program $program
done
convert "$work/settings-compositor.png" \( "$work/settings-own.png" -background white -gravity west -splice 16x0 \) \
  -background white -gravity north +append +repage "$docs/wayland-settings.png"
echo "screenshot: $docs/wayland-settings.png"

env "${wayland_environment[@]}" "$build/src/zzQuenbrel-gallery" &
program=$!
stop_on_exit $program
wait_for 'has_window "zzQuenbrel Gallery"'
# A right click on the picture; once the menu shows its grey there, the pointer onto its
# fourth line.
input moveto 160 200 1024 768
input click 273
wait_for "shot $work/a.ppm && convert $work/a.ppm -crop 1x1+240+290 txt:- | grep -qi C0C0C0"
input moveto 200 252 1024 768
settled "$work/output.ppm"
convert "$work/output.ppm" -crop 900x700+0+0 +repage -bordercolor '#3f3f3f' -border 1 -trim +repage \
  "$docs/wayland-gallery.png"
echo "screenshot: $docs/wayland-gallery.png"
end_program $program
