# Sourced by the scripts that run the program on a private Xvfb. It gives them:
#   $work                 a temporary folder, removed on exit
#   stop_on_exit PID      ends PID (with SIGTERM) on exit, the latest first
#   wait_for CONDITION    polls a shell condition for up to $wait_seconds (default 20) seconds
#   start_display WxH     starts Xvfb of that size and exports DISPLAY
work=$(mktemp -d)
stopped_on_exit=()
wait_seconds=${wait_seconds:-20}

stop_on_exit() { stopped_on_exit+=("$1"); }

stop_everything() {
  local i
  for ((i = ${#stopped_on_exit[@]} - 1; i >= 0; i--)); do
    # A process ended by the signal makes `wait` fail; that is the expected end here.
    { kill -TERM "${stopped_on_exit[i]}" && wait "${stopped_on_exit[i]}"; } 2>/dev/null || true
  done
  rm -rf "$work"
  return 0
}
trap stop_everything EXIT

wait_for() {
  local _
  for _ in $(seq $((wait_seconds * 20))); do
    if eval "$1"; then return 0; fi
    sleep 0.05
  done
  echo "timed out waiting for: $1" >&2
  return 1
}

start_display() {
  Xvfb -displayfd 5 -screen 0 "${1}x24" -nolisten tcp 5>"$work/display" 2>/dev/null &
  stop_on_exit $!
  wait_for '[ -s "$work/display" ]'
  export DISPLAY=:$(head -n1 "$work/display")
}
