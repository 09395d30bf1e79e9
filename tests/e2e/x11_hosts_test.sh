#!/usr/bin/env bash
# The installed saver under two more X11 screen-saver hosts, on a private Xvfb, as an
# unprivileged user with a home folder of the test's own:
#   - mate-screensaver, in a D-Bus session of its own, with the package's theme chosen: its
#     activation shows the effect in its window, and so does its preferences' preview;
#   - xsecurelock with its saver_xscreensaver module and the saver listed in ~/.xscreensaver
#     by zzQuenbrel-add-to-xscreensaver: it shows the effect, started once.
set -euo pipefail
wait_seconds=30
source "$(dirname "$0")/../../tools/private-display.sh"
source "$(dirname "$0")/hosts-common.sh"

[ -f /usr/share/applications/screensavers/zzquenbrel.desktop ] || fail "no mate-screensaver entry installed"
start_display 640x480 || fail "Xvfb did not start"

# The effect in the window the host gave the program, which made no window beside it.
shows_in_host() {
  wait_for 'pid=$(hack_pids | head -n1); [ -n "$pid" ]' || fail "$1 ran no zzQuenbrel.scr"
  window=$(hack_window "$pid")
  wait_for 'xwininfo -id "$window" -children | grep -q "^ *1 child"' ||
    fail "no window of the program inside $1's window $window"
  shows_effect "$window" || fail "$1's window does not show the effect"
}

# mate-screensaver: the theme and the mode go into the user's settings before it starts (a
# key file: no settings service on the bus, which would outlive it).
bus=$home/bus
export GSETTINGS_BACKEND=keyfile
(exec env HOME="$home" DISPLAY="$DISPLAY" "${as_root[@]}" dbus-run-session -- sh -c '
  echo "$DBUS_SESSION_BUS_ADDRESS" >"$1"
  gsettings set org.mate.screensaver themes "['"'"'screensavers-zzquenbrel'"'"']"
  gsettings set org.mate.screensaver mode single
  gsettings set org.mate.screensaver lock-enabled false
  exec mate-screensaver --no-daemon' sh "$bus" >"$work/host.log" 2>&1) &
mate=$!
stop_on_exit $mate
mate_command() { as_user env DBUS_SESSION_BUS_ADDRESS="$(cat "$bus")" mate-screensaver-command "$@"; }
wait_for '[ -s "$bus" ] && mate_command --query >/dev/null 2>&1' || fail "mate-screensaver did not start"
mate_command --activate >/dev/null
shows_in_host mate-screensaver
echo "PASS: mate-screensaver-command --activate shows the effect in window $window"
mate_command --deactivate >/dev/null
wait_for 'ended "$pid"' || fail "zzQuenbrel.scr (pid $pid) still runs after mate-screensaver's deactivation"
# Its preferences preview the chosen theme at once.
(exec env HOME="$home" DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS="$(cat "$bus")" "${as_root[@]}" \
  mate-screensaver-preferences >"$work/host.log" 2>&1) &
preferences=$!
shows_in_host "mate-screensaver-preferences"
echo "PASS: mate-screensaver-preferences previews it in window $window"
# dbus-run-session passes no signal on: the daemon ends, and the session with its bus after it.
kill -TERM $preferences $(pgrep -P $mate -f "^mate-screensaver") 2>/dev/null || true
wait $preferences $mate 2>/dev/null || true
wait_for '[ -z "$(hack_pids)" ]' || fail "zzQuenbrel.scr still runs after mate-screensaver's preferences closed"

# xsecurelock picks the hack that ~/.xscreensaver selects.
printf 'mode:\t\tone\nselected:\t0\nprograms:\t\\\n\n' >"$home/.xscreensaver"
[ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$home/.xscreensaver"
as_user zzQuenbrel-add-to-xscreensaver >/dev/null || fail "zzQuenbrel-add-to-xscreensaver failed"
(exec env HOME="$home" DISPLAY="$DISPLAY" XSECURELOCK_SAVER=saver_xscreensaver \
  XSECURELOCK_XSCREENSAVER_PATH=/usr/libexec/xscreensaver "${as_root[@]}" xsecurelock >"$work/host.log" 2>&1) &
stop_on_exit $!
shows_in_host xsecurelock
first=$pid
[ "$(hack_pids)" = "$first" ] || fail "xsecurelock started zzQuenbrel.scr again: $(hack_pids | wc -l) now run"
echo "PASS: xsecurelock with saver_xscreensaver shows the effect in window $window, started once"
