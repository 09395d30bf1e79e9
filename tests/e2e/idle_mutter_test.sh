#!/usr/bin/env bash
# zzQuenbrel-idle on GNOME's compositor: headless Mutter on a session bus of its own, with a
# stand-in session manager for inhibition and keys typed through Mutter's remote desktop.
#   idle_mutter_test.sh IDLE_PROGRAM SAVER
# Mutter refuses root: as root, everything runs as "nobody", from copies of the two programs
# side by side (the watcher finds the saver beside itself).
set -euo pipefail
for program in mutter dbus-run-session python3; do
  command -v "$program" >/dev/null || { echo "SKIP: $program is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$2" "$work/"
mkdir -m 700 "$work/runtime" "$work/home"
chmod 755 "$work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$work/runtime" "$work/home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# GIO's local file system only: no file-system daemon for Mutter to start, none left behind.
env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
  GIO_USE_VFS=local NO_AT_BRIDGE=1 \
  "${as_user[@]}" dbus-run-session -- python3 "$(dirname "$0")/idle_mutter_test.py" "$work/$(basename "$1")"
