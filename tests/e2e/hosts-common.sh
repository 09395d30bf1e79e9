# Sourced by the tests that run the program under a real X11 screen-saver host, after
# tools/private-display.sh. Hosts refuse root or run their hacks as the user, so as root
# everything runs as "nobody". It gives them:
#   as_user COMMAND...     runs COMMAND as that user, with HOME=$home and this DISPLAY
#   fail MESSAGE           says why the test fails, with the tail of $work/host.log, and exits
#   hack_pids              the zzQuenbrel.scr processes on this display, one a line
#   hack_window PID        the window the program was given: --window-id's, else
#                          XSCREENSAVER_WINDOW's, else the root window
#   shows_effect WINDOW    whether WINDOW shows the effect: many colours, changing
#   ended PID              whether PID has ended (or is a zombie)
home=$work/home
mkdir -p "$home"
chmod 755 "$work"
as_root=()
if [ "$(id -u)" -eq 0 ]; then
  as_root=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chown nobody:nogroup "$home"
fi

# GTK programs (a host's settings tool) start a session bus of their own where none is set,
# and services on it that outlive the test (gvfs mounts in its home folder): none is reachable,
# and they need neither the accessibility bus nor gvfs.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" NO_AT_BRIDGE=1 GIO_USE_VFS=local

as_user() { env HOME="$home" DISPLAY="${DISPLAY:-}" "${as_root[@]}" "$@"; }

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/host.log" ] && tail -n 30 "$work/host.log" >&2
  exit 1
}

# Other tests may run the program at the same time, on displays of their own. Hosts may name
# the screen as well (":5.0").
hack_pids() {
  local pid
  for pid in $(pgrep -x zzQuenbrel.scr); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxE "DISPLAY=$DISPLAY(\.0)?" && echo "$pid"
  done
  return 0
}

hack_window() {
  local arguments
  mapfile -d '' arguments <"/proc/$1/cmdline"
  for ((i = 1; i + 1 < ${#arguments[@]}; i++)); do
    case ${arguments[i]} in -window-id | --window-id) printf '%d\n' "${arguments[i + 1]}" && return ;; esac
  done
  local variable
  variable=$(tr '\0' '\n' <"/proc/$1/environ" | sed -n 's/^XSCREENSAVER_WINDOW=//p')
  if [ -n "$variable" ]; then printf '%d\n' "$variable"; else xwininfo -root | awk '/Window id:/ {print $4}'; fi
}

ended() { [ ! -d "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }

window_picture() { xwd -silent -id "$1" 2>/dev/null | md5sum; }
window_colours() { xwd -silent -id "$1" 2>/dev/null | identify -format '%k' xwd:- 2>/dev/null || echo 0; }

# The conditions name the window by a variable: wait_for's "$1" is the condition itself.
shows_effect() {
  local shown=$1 first
  wait_for '[ "$(window_colours "$shown")" -ge 64 ]' || return 1
  first=$(window_picture "$shown")
  wait_for '[ "$(window_picture "$shown")" != "$first" ]'
}
