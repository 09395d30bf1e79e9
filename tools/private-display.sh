# Sourced by the scripts that run the program on a private Xvfb. It gives them:
#   $work                 a temporary folder, removed on exit
#   stop_on_exit PID      ends PID (with SIGTERM) on exit, the latest first
#   wait_for CONDITION    polls a shell condition for up to $wait_seconds (default 20) seconds
#   start_display WxH     starts Xvfb of that size and exports DISPLAY
#   start_compositor WxH  starts a headless Wayland compositor (sway) with one output of that
#                         size, HEADLESS-1; sets $compositor (its process id), $wayland_environment
#                         (what a client needs to reach it, for env) and $swaymsg (its control
#                         command, an array)
# Each server is started under `setpriv --pdeathsig KILL`: the system ends it with the script,
# whatever ends the script (a SIGKILL skips the exit trap).
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

# -noreset: without it Xvfb resets whenever its last client leaves, and a script that polls with
# short-lived clients (xscreensaver-command, xprop) makes that happen while the program under
# test is still connecting; a client that connects across a reset can wait forever for the
# server's greeting.
start_display() {
  setpriv --pdeathsig KILL Xvfb -displayfd 5 -screen 0 "${1}x24" -nolisten tcp -noreset 5>"$work/display" 2>/dev/null &
  stop_on_exit $!
  wait_for '[ -s "$work/display" ]'
  export DISPLAY=:$(head -n1 "$work/display")
}

# sway refuses to run as root: as root, it runs as nobody in a runtime folder of its own.
start_compositor() {
  local runtime=$work/wayland launch=(setpriv --pdeathsig KILL)
  mkdir -m 0700 "$runtime"
  echo "xwayland disable" >"$runtime/config"
  if [ "$(id -u)" -eq 0 ]; then
    chmod 711 "$work"
    chown 65534:65534 "$runtime"
    launch=(setpriv --reuid=65534 --regid=65534 --clear-groups --pdeathsig KILL)
  fi
  env -u WAYLAND_DISPLAY -u DISPLAY WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_HEADLESS_OUTPUTS=1 XDG_RUNTIME_DIR="$runtime" HOME="$runtime" "${launch[@]}" sway -c "$runtime/config" \
    2>/dev/null &
  stop_on_exit $!
  compositor=$!
  wait_for '[ -n "$(find "$runtime" -maxdepth 1 -type s -name "sway-ipc.*")" ]'
  wait_for '[ -n "$(find "$runtime" -maxdepth 1 -type s -name "wayland-*")" ]'
  local socket
  socket=$(find "$runtime" -maxdepth 1 -type s -name "wayland-*")
  wayland_environment=(-u DISPLAY WAYLAND_DISPLAY="$socket" XDG_RUNTIME_DIR="$runtime")
  swaymsg=(swaymsg -q -s "$(find "$runtime" -maxdepth 1 -type s -name "sway-ipc.*")")
  # A socket's file stands a moment before the socket listens.
  wait_for '"${swaymsg[@]}" -t get_version 2>/dev/null'
  "${swaymsg[@]}" output HEADLESS-1 mode "$1"
}
