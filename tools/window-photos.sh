# Sourced, after private-display.sh, by the scripts that photograph the programs' windows:
#   window_named TITLE           the visible window of that title, if any
#   origin WINDOW                its top-left corner on the screen, as "X Y"
#   photograph WINDOW FILE [BEFORE]
#                                saves the window once two looks in a row agree (its animation
#                                has ended) and differ from the picture BEFORE, if one is given
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
origin() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^[XY]=/ {printf "%s ", $2}'; }
photograph() {
  local window=$1 file=$2 before=${3:-}
  wait_for "import -window $window $work/a.png && sleep 0.2 && import -window $window $work/b.png &&
            cmp -s $work/a.png $work/b.png && { [ -z '$before' ] || ! cmp -s $work/b.png '$before'; }"
  cp "$work/b.png" "$file"
  echo "screenshot: $file"
}
