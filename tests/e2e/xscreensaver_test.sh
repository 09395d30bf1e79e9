#!/usr/bin/env bash
# The program as a hack of a real xscreensaver on a private Xvfb: activating the screen
# saver runs it in xscreensaver's window, deactivating ends it, and the settings tool shows
# it animating in its preview.
#   xscreensaver_test.sh PROGRAM      a copy of PROGRAM, named in the list of hacks by its path
#   xscreensaver_test.sh --installed  the installed hack, named by its name alone, as a user's
#                                     list names it: xscreensaver finds it in its hack folder
# xscreensaver starts no hack as root, so as root the daemon runs as "nobody".
set -euo pipefail
program=$1

wait_seconds=30
source "$(dirname "$0")/../../tools/private-display.sh"
chmod 755 "$work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/daemon.log" ] && tail -n 30 "$work/daemon.log" >&2
  exit 1
}

as_hack_user() { env HOME="$work/home" DISPLAY="$DISPLAY" "${as_user[@]}" "$@"; }
xscreensaver_command() { as_hack_user xscreensaver-command "$@"; }

# The pid of the hack and its window: our program started with /p and a decimal window id,
# followed by whatever the first argument asks for ("" or the settings tool's --window-id).
hack_pid() {
  local cmdline
  for dir in /proc/[0-9]*; do
    cmdline=$({ tr '\0' ' ' <"$dir/cmdline"; } 2>/dev/null) || continue
    if [[ "$cmdline" =~ ^$hack_command\ /p\ ([0-9]+)\ ${1:-} ]]; then
      echo "${dir#/proc/} ${BASH_REMATCH[1]}"
      return 0
    fi
  done
  return 1
}

ended() { [ ! -d "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }
window_picture() { xwd -silent -id "$1" 2>/dev/null | md5sum; }

# The installed hack, or a copy the unprivileged user can surely run, whatever the build
# folder's permissions.
mkdir -p "$work/bin" "$work/home"
if [ "$program" = --installed ]; then
  hack_command=zzQuenbrel.scr
  [ -f /usr/share/xscreensaver/config/zzquenbrel.scr.xml ] || fail "no description of the installed hack"
else
  hack_command=$work/bin/zzQuenbrel.scr
  cp "$program" "$hack_command"
fi
cat >"$work/home/.xscreensaver" <<CONFIG
mode: one
selected: 0
timeout: 0:30:00
lock: False
fade: False
unfade: False
splash: False
programs: \\
  "zzQuenbrel" $hack_command /p \$((XSCREENSAVER_WINDOW)) \\n\\

CONFIG
[ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$work/home"

start_display 640x480 || fail "Xvfb did not start"

# exec: the job's pid is the daemon's own, so that ending it on exit ends the daemon.
(exec env HOME="$work/home" DISPLAY="$DISPLAY" "${as_user[@]}" xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1) &
daemon=$!
stop_on_exit $daemon
# Where a daemon that never answers stands, so that a failure here tells why.
daemon_state() {
  if ended "$daemon"; then echo "it has ended"; else echo "it runs, waiting in $(cat "/proc/$daemon/wchan")"; fi
}
wait_for 'xscreensaver_command -version >"$work/version.log" 2>&1' ||
  fail "xscreensaver did not start ($(daemon_state)): $(cat "$work/version.log")"

xscreensaver_command -activate >/dev/null
wait_for 'hack=$(hack_pid)' || fail "activation ran no zzQuenbrel.scr"
read -r pid window <<<"$hack"
wait_for 'xwininfo -id "$window" -children | grep -q "^ *1 child"' ||
  fail "no preview window inside xscreensaver's window $window"
animates() {
  local first
  first=$(window_picture "$1")
  wait_for '[ "$(window_picture "$1")" != "$first" ]'
}
animates "$window" || fail "the picture in xscreensaver's window stands still"

xscreensaver_command -deactivate >/dev/null
wait_for 'ended "$pid"' || fail "zzQuenbrel.scr (pid $pid) still runs after deactivation"
echo "PASS: activation ran zzQuenbrel.scr in window $window; deactivation ended it"

# The settings tool previews the selected hack at once, appending its own --window-id.
(exec env HOME="$work/home" DISPLAY="$DISPLAY" "${as_user[@]}" xscreensaver-settings >"$work/settings.log" 2>&1) &
stop_on_exit $!
wait_for 'hack=$(hack_pid --window-id)' || fail "the settings tool ran no zzQuenbrel.scr: $(cat "$work/settings.log")"
read -r pid window <<<"$hack"
animates "$window" || fail "the picture in the settings tool's preview stands still"
echo "PASS: the settings tool's preview runs zzQuenbrel.scr in window $window"
