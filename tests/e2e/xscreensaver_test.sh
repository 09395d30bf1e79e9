#!/usr/bin/env bash
# The program as a hack of a real xscreensaver on a private Xvfb: activating the screen
# saver runs it in xscreensaver's window, deactivating ends it, and the settings tool shows
# it animating in its preview.
#   xscreensaver_test.sh PROGRAM      a copy of PROGRAM, named in the list of hacks by its path
#   xscreensaver_test.sh --installed  the installed hack, put into a user's list of hacks by
#                                     zzQuenbrel-add-to-xscreensaver, which must add it once
#                                     and keep the rest of the file byte for byte
set -euo pipefail
program=$1

wait_seconds=30
source "$(dirname "$0")/../../tools/private-display.sh"
source "$(dirname "$0")/hosts-common.sh"

xscreensaver_command() { as_user xscreensaver-command "$@" 2>&1; }

# A user's file as xscreensaver writes it; the saver's entry is to follow the three there.
settings=$home/.xscreensaver
cat >"$settings" <<'CONFIG'
# XScreenSaver Preferences File
timeout:	0:30:00
lock:		False
fade:		False
unfade:		False
splash:		False
mode:		one
selected:	3
programs:								      \
				maze --root				    \n\
- GL: 				superquadrics --root			    \n\
  "Qix (solid)" 		qix -root -solid -segments 100	    \n\

pointerHysteresis:	10
CONFIG
cp "$settings" "$work/before"
if [ "$program" = --installed ]; then
  [ -f /usr/share/xscreensaver/config/zzquenbrel.scr.xml ] || fail "no description of the installed hack"
  [ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$settings"
  as_user zzQuenbrel-add-to-xscreensaver >"$work/added.log" 2>&1 || fail "adding failed: $(cat "$work/added.log")"
  added=$(diff "$work/before" "$settings" || true)
  [ "$added" = "$(printf '12a13\n>   zzQuenbrel.scr --root \\n\\')" ] ||
    fail "zzQuenbrel-add-to-xscreensaver changed more than one line's addition:"$'\n'"$added"
  cp "$settings" "$work/after"
  as_user zzQuenbrel-add-to-xscreensaver >"$work/again.log" 2>&1 || fail "adding again failed: $(cat "$work/again.log")"
  cmp -s "$settings" "$work/after" || fail "a second run changed the file"
  echo "PASS: zzQuenbrel-add-to-xscreensaver added one line as hack 4, and nothing the second time"
else
  # A copy the unprivileged user can surely run, whatever the build folder's permissions.
  mkdir -p "$work/bin"
  cp "$program" "$work/bin/zzQuenbrel.scr"
  # Named by its path, at the end of the list, before the line that ends it.
  awk -v entry="  $work/bin/zzQuenbrel.scr --root \\\\n\\\\" \
    '/^programs:/ { listed = 1 } listed && /^$/ { print entry; listed = 0 } { print }' "$work/before" >"$settings"
  [ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$home" "$work/bin"
fi

start_display 640x480 || fail "Xvfb did not start"

# exec: the job's pid is the daemon's own, so that ending it on exit ends the daemon.
(exec env HOME="$home" DISPLAY="$DISPLAY" "${as_root[@]}" xscreensaver -no-splash -verbose >"$work/host.log" 2>&1) &
daemon=$!
stop_on_exit $daemon
# Where a daemon that never answers stands, so that a failure here tells why.
daemon_state() {
  if ended "$daemon"; then echo "it has ended"; else echo "it runs, waiting in $(cat "/proc/$daemon/wchan")"; fi
}
wait_for 'xscreensaver_command -version >"$work/version.log"' ||
  fail "xscreensaver did not start ($(daemon_state)): $(cat "$work/version.log")"

xscreensaver_command -activate >/dev/null
wait_for 'pid=$(hack_pids | head -n1); [ -n "$pid" ]' || fail "activation ran no zzQuenbrel.scr"
window=$(hack_window "$pid")
wait_for 'xwininfo -id "$window" -children | grep -q "^ *1 child"' ||
  fail "no window of the program inside xscreensaver's window $window"
shows_effect "$window" || fail "xscreensaver's window does not show the effect"

xscreensaver_command -deactivate >/dev/null
wait_for 'ended "$pid"' || fail "zzQuenbrel.scr (pid $pid) still runs after deactivation"
echo "PASS: activation ran zzQuenbrel.scr in window $window; deactivation ended it"

# The settings tool previews the selected hack at once, appending its own --window-id.
(exec env HOME="$home" DISPLAY="$DISPLAY" "${as_root[@]}" xscreensaver-settings >"$work/settings.log" 2>&1) &
stop_on_exit $!
previewing() { grep -qz -- '--window-id' "/proc/$1/cmdline"; }
wait_for 'pid=$(hack_pids | head -n1); [ -n "$pid" ] && previewing "$pid"' ||
  fail "the settings tool ran no zzQuenbrel.scr: $(cat "$work/settings.log")"
window=$(hack_window "$pid")
shows_effect "$window" || fail "the settings tool's preview does not show the effect"
echo "PASS: the settings tool's preview runs zzQuenbrel.scr in window $window"
