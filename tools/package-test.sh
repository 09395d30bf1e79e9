#!/usr/bin/env bash
# The Debian package from install to purge, on this machine, as root (CI runs it on a fresh
# Debian 12):
#   tools/package-test.sh [BUILD_DIR]     (default: build/release, built already)
# It makes the package with cpack and has lintian check it, installs it with apt-get,
# validates the installed menu entries and AppStream metadata and looks at the icons, runs the
# installed hack under xscreensaver (put into a user's list by zzQuenbrel-add-to-xscreensaver),
# mate-screensaver and xsecurelock, has an unprivileged user work the installed saver and its
# menu entries (tests/e2e/InstalledProgram_test.cpp), reads the manual pages with man, then
# purges the package and checks that nothing dpkg listed for it is left.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
export DEBIAN_FRONTEND=noninteractive
[ "$(id -u)" -eq 0 ] || { echo "package-test.sh: installs a package, so runs as root" >&2; exit 1; }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
installed() { dpkg-query -W -f='${Status}' zzquenbrel 2>/dev/null | grep -q 'install ok installed'; }
purge() { apt-get purge -y -qq zzquenbrel >/dev/null; }

# One left by a run that failed goes first; this run's goes however it ends.
if installed; then purge; fi
trap 'if installed; then purge; fi' EXIT

rm -f "$build"/zzquenbrel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/zzquenbrel_*.deb)
# Errors and warnings fail; the informational tags are shown.
findings=$(lintian --pedantic --fail-on error,warning "$deb" 2>&1) ||
  fail "lintian finds errors or warnings in $(basename "$deb"):"$'\n'"$findings"
grep -v "^running with root privileges" <<<"$findings" || true
echo "PASS: lintian --pedantic: no error, no warning"

# The manual pages go in even where dpkg is told to leave manual pages out (slim images).
apt-get install -y -qq -o Dpkg::Options::=--path-include='/usr/share/man/man[16]/zzQuenbrel*' "$deb" >/dev/null
installed || fail "apt-get did not install $deb"
files=$(dpkg -L zzquenbrel)
echo "PASS: apt-get installed $(basename "$deb"): $(grep -c . <<<"$files") paths"

for entry in /usr/share/applications/zzquenbrel-{settings,gallery}.desktop /usr/share/applications/screensavers/zzquenbrel.desktop; do
  desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
done
findings=$(appstreamcli validate --no-net /usr/share/metainfo/org.zzquenbrel.zzquenbrel.metainfo.xml 2>&1) ||
  fail "the AppStream metadata does not validate:"$'\n'"$findings"
echo "PASS: desktop-file-validate and appstreamcli validate pass"
# Each icon a PNG of its size that shows the effect: a gradient, not a flat or empty square.
for size in 16 24 32 48 64 128 256; do
  icon=/usr/share/icons/hicolor/${size}x$size/apps/zzquenbrel.png
  read -r format geometry colours < <(identify -format '%m %wx%h %k\n' "$icon" 2>/dev/null) || fail "no icon $icon"
  [ "$format $geometry" = "PNG ${size}x$size" ] && [ "$colours" -ge 16 ] ||
    fail "$icon is $format $geometry with $colours colours"
done
echo "PASS: the icons are PNG pictures of the effect at every size"
# The package has no maintainer script: its icons wake hicolor-icon-theme's trigger, which
# rebuilds the theme's icon cache, on install and again on purge.
icon_cache=/usr/share/icons/hicolor/icon-theme.cache
grep -qa zzquenbrel "$icon_cache" || fail "the icon cache was not brought up to date"
echo "PASS: the hicolor icon cache names the icon"

bash "$root/tests/e2e/xscreensaver_test.sh" --installed
bash "$root/tests/e2e/x11_hosts_test.sh"
"$build/tests/e2e/installed_program_tests"
# The gallery finds its libraries: arguments it does not understand end it with its usage.
set +e
/usr/bin/zzQuenbrel-gallery --what 2>"$build/gallery-usage.txt"
status=$?
set -e
[ "$status" -eq 2 ] && grep -q "^usage: zzQuenbrel-gallery" "$build/gallery-usage.txt" ||
  fail "the installed gallery does not start: $(cat "$build/gallery-usage.txt")"
# The idle watcher finds the installed saver in the hack folder: without a session it gets as far
# as looking for an idle source.
idle_said=$(env -u DISPLAY -u WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
  XDG_RUNTIME_DIR="$build" PATH=/usr/bin:/bin /usr/bin/zzQuenbrel-idle 60 2>&1) && fail "zzQuenbrel-idle ran without a session"
[[ "$idle_said" == "zzQuenbrel-idle: no idle time to follow"* ]] || fail "the installed zzQuenbrel-idle: $idle_said"
echo "PASS: the installed zzQuenbrel-idle finds the saver"
while read -r section page; do
  MANWIDTH=80 man "$section" "$page" 2>/dev/null | grep -q "^NAME" || fail "man $section $page renders nothing"
done <<<"6 zzQuenbrel.scr
1 zzQuenbrel-gallery
1 zzQuenbrel-idle
1 zzQuenbrel-add-to-xscreensaver"
echo "PASS: man 6 zzQuenbrel.scr and man 1 zzQuenbrel-gallery, zzQuenbrel-idle and zzQuenbrel-add-to-xscreensaver render"

purge
installed && fail "the package is still installed after the purge"
# A folder that another package owns may stay; anything else of the list is a trace.
while read -r path; do
  [ -e "$path" ] || continue
  [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
  fail "$path is left after the purge"
done <<<"$files"
echo "PASS: apt-get purge left nothing of the package's file list"
grep -qa zzquenbrel "$icon_cache" && fail "the icon cache still names the icon after the purge"
echo "PASS: the icon cache forgot the icon"
